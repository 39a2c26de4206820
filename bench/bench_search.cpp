// toko_bench_search: the product searches of the cashiers (F10) and of the
// products master on a shop of 100,000 and one of 1,000,000 products, with
// the search index and reading the table itself; the step that adds the index
// to an older shop file at its first start; and what the index costs the
// writes on barang.
//
// The shops hold products only, made like the large shop's, cached beside
// the executable (or in $TOKO_BENCH_DIR) without the index. Keep that folder
// on the machine's disk, not on tmpfs. $TOKO_BENCH_SIZES (for example
// "100000") limits the run to those shop sizes.

#include "bench/large_shop.h"
#include "core/database.h"
#include "core/shop_upgrade.h"
#include "logic/product_search.h"
#include "logic/shop_database.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <random>

namespace {

QString folder;

constexpr QStringView categories[] = {
    u"Sembako",   u"Beras",          u"Minyak Goreng", u"Gula",       u"Telur",
    u"Mi Instan", u"Makanan Ringan", u"Roti",          u"Permen",     u"Bumbu Dapur",
    u"Susu",      u"Kopi",           u"Teh",           u"Minuman",    u"Air Mineral",
    u"Rokok",     u"Sabun",          u"Sampo",         u"Pasta Gigi", u"Kebersihan",
    u"Kosmetik",  u"Obat",           u"Alat Tulis",    u"Plastik",    u"Rumah Tangga",
    u"Baterai",   u"Lampu",          u"Frozen Food",   u"Bayi",       u"Makanan Kaleng"};
constexpr QStringView brands[] = {u"Sari",   u"Mawar",   u"Cap Jago", u"Sinar",   u"Prima",
                                  u"Tunas",  u"Merpati", u"Lestari",  u"Bintang", u"Nusa",
                                  u"Cahaya", u"Rasa",    u"Makmur",   u"Segar",   u"Harum",
                                  u"Sejati", u"Mulia",   u"Kencana",  u"Pelangi", u"Jaya"};
constexpr QStringView sizes[] = {u"50 g",   u"100 g",  u"250 g", u"500 g", u"1 kg",   u"5 kg",
                                 u"200 ml", u"600 ml", u"1 L",   u"2 L",   u"isi 10", u"isi 25"};

template <std::size_t N> QStringView pick(const QStringView (&list)[N], std::mt19937& rng)
{
    return list[rng() % N];
}

void removeFile(const QString& path)
{
    for (const char* suffix : {"", "-journal", "-wal", "-shm"})
        QFile::remove(path + QString::fromLatin1(suffix));
}

// `count` products as the large shop makes them, in a shop file without the index.
QString makeShop(const QString& path, int count)
{
    if (const QString error = shopdb::create(path, false).reason(); !error.isEmpty())
        return error;
    Database db;
    if (!db.open(path))
        return db.errorMessage();
    db.execScript(QStringLiteral("pragma journal_mode=delete; pragma synchronous=off"));
    std::mt19937 rng(20240517);
    Database::Transaction transaction(db);
    const QString sql = QStringLiteral(
        "insert into barang (kode, jenis, nama, kategori, stock, satuan, hpp, hargajual, "
        "diskon, barcode, FunctSQL) values (?, 'barang', ?, ?, ?, 'pcs', ?, ?, 0, ?, '')");
    for (int i = 0; i < count; ++i) {
        const QString code = largeshop::productCode(i);
        const QStringView category = pick(categories, rng);
        const QStringView brand = pick(brands, rng);
        const QString name = category + u' ' + brand + u' ' + pick(sizes, rng);
        const int hpp = int(500 + rng() % 250000) / 50 * 50;
        const int price = hpp * int(110 + rng() % 26) / 100 / 100 * 100 + 100;
        if (!db.exec(sql, {code, name, category.toString(), int(rng() % 500), hpp, price, code}))
            return db.errorMessage();
    }
    return transaction.commit() ? QString() : db.errorMessage();
}

QString cachedShop(int count, QString* error)
{
    const QString path = QDir(folder).filePath(QStringLiteral("search_shop_%1_v1.db3").arg(count));
    if (QFileInfo::exists(path))
        return path;
    const QString partial = path + QStringLiteral(".part");
    removeFile(partial);
    *error = makeShop(partial, count);
    if (error->isEmpty() && !QFile::rename(partial, path))
        *error = QStringLiteral("cannot rename ") + partial;
    return error->isEmpty() ? path : QString();
}

QString upgradedPath(int count)
{
    return QDir(folder).filePath(QStringLiteral("search_upgraded_%1.db3").arg(count));
}

void skip(benchmark::State& state, const QString& why)
{
    state.SkipWithError(why.toUtf8().constData());
}

// The first start of the program on an older shop file: the index is made.
// Leaves its last result for the benchmarks below.
void BM_Upgrade(benchmark::State& state)
{
    const int count = int(state.range(0));
    QString error;
    const QString cached = cachedShop(count, &error);
    if (cached.isEmpty())
        return skip(state, error);
    const QString path = upgradedPath(count);
    qint64 longest = 0;
    for (auto _ : state) {
        state.PauseTiming();
        removeFile(path);
        QFile::copy(cached, path);
        Database db;
        if (!db.open(path))
            return skip(state, db.errorMessage());
        state.ResumeTiming();
        // As the program's progress box takes it: the longest stretch without a report is
        // the longest the screen could go unpainted.
        QElapsedTimer clock;
        clock.start();
        qint64 last = 0;
        longest = 0;
        const Outcome<QStringList> made = shopfile::upgrade(db, [&](qint64, qint64) {
            longest = std::max(longest, clock.elapsed() - last);
            last = clock.elapsed();
        });
        longest = std::max(longest, clock.elapsed() - last);
        state.PauseTiming();
        if (!made || made->isEmpty())
            return skip(state, QStringLiteral("no index made: ") + made.reason());
        db.close();
        state.ResumeTiming();
    }
    state.counters["MB before"] = double(QFileInfo(cached).size()) / 1e6;
    state.counters["MB after"] = double(QFileInfo(path).size()) / 1e6;
    state.counters["ms unreported"] = double(longest);
}

// Every start after that: the index is found whole.
void BM_UpgradeAgain(benchmark::State& state)
{
    Database db;
    if (!db.open(upgradedPath(int(state.range(0)))))
        return skip(state, db.errorMessage());
    for (auto _ : state) {
        const Outcome<QStringList> made = shopfile::upgrade(db);
        if (!made || !made->isEmpty())
            return skip(state, QStringLiteral("the index was made again"));
    }
}

std::map<int, std::unique_ptr<Database>> opened;

Database* shop(int count)
{
    std::unique_ptr<Database>& db = opened[count];
    if (!db) {
        db = std::make_unique<Database>();
        if (!db->open(upgradedPath(count)) || !shopfile::productSearchReady(*db))
            db.reset();
    }
    return db.get();
}

// A common text, a rare one (a piece of one product's code), one no product
// holds, two letters, and two that the index finds hardest: a long name of
// common words and a price of many zeros.
QString text(int which)
{
    switch (which) {
    case 0:
        return QStringLiteral("sabun");
    case 1:
        return largeshop::productCode(777).right(7);
    case 2:
        return QStringLiteral("xyzq");
    case 3:
        return QStringLiteral("zq");
    case 4:
        return QStringLiteral("Sabun Sari 1 kg");
    default:
        return QStringLiteral("1000000");
    }
}

// Arguments: shop size, text, search (0: F10 of the sales cashier, 1: the
// products master), 1 with the index, 0 reading the table.
void BM_Search(benchmark::State& state)
{
    Database* db = shop(int(state.range(0)));
    if (!db)
        return skip(state, QStringLiteral("no shop with its index"));
    const QString searched = text(int(state.range(1)));
    const bool master = state.range(2) == 1;
    const bool indexed = state.range(3) == 1;
    if (!db->exec(QStringLiteral("update barang_cari_status set siap = ?"), {indexed ? 1 : 0}))
        return skip(state, db->errorMessage());
    qsizetype rows = 0;
    for (auto _ : state) {
        const Outcome<QList<QStringList>> found =
            master ? products::searchMaster(*db, searched)
                   : products::search(*db, Side::Sales, searched);
        if (!found)
            return skip(state, db->errorMessage());
        rows = found->size();
    }
    state.counters["rows"] = double(rows);
    if (!db->exec(QStringLiteral("update barang_cari_status set siap = 1")))
        return skip(state, db->errorMessage());
}

// 1,000 new products in one transaction (rolled back), with the index kept
// (1) or without it (0): what the triggers add to each insert.
void BM_AddProducts(benchmark::State& state)
{
    Database* db = shop(int(state.range(0)));
    if (!db)
        return skip(state, QStringLiteral("no shop with its index"));
    const bool indexed = state.range(1) == 1;
    int round = 0;
    for (auto _ : state) {
        if (!db->exec(QStringLiteral("begin")) ||
            !db->exec(QStringLiteral("update barang_cari_status set siap = ?"), {indexed ? 1 : 0}))
            return skip(state, db->errorMessage());
        for (int i = 0; i < 1000; ++i) {
            const QString code = QStringLiteral("77%1").arg(round * 1000 + i, 9, 10, QChar(u'0'));
            if (!db->exec(QStringLiteral("insert into barang (kode, nama, kategori, hargajual, "
                                         "hpp, barcode) values (?, 'Kopi Baru', 'Kopi', 2500, "
                                         "2000, ?)"),
                          {code, code}))
                return skip(state, db->errorMessage());
        }
        state.PauseTiming();
        db->exec(QStringLiteral("rollback"));
        ++round;
        state.ResumeTiming();
    }
}

// "Reset Data" of the products master ("delete from barang") on a copy of
// the shop: 0 without the index, 1 with it, kept by its delete trigger.
void BM_Reset(benchmark::State& state)
{
    const int count = int(state.range(0));
    const bool indexed = state.range(1) == 1;
    QString error;
    const QString source = indexed ? upgradedPath(count) : cachedShop(count, &error);
    if (source.isEmpty())
        return skip(state, error);
    const QString copy = QDir(folder).filePath(QStringLiteral("search_reset.db3"));
    for (auto _ : state) {
        state.PauseTiming();
        // The upgraded file stays open, as at the other benchmarks: its log goes in first.
        if (Database* open = shop(count))
            open->checkpoint();
        removeFile(copy);
        QFile::copy(source, copy);
        Database db;
        if (!db.open(copy))
            return skip(state, db.errorMessage());
        state.ResumeTiming();
        const bool done = db.exec(QStringLiteral("delete from barang"));
        state.PauseTiming();
        if (!done)
            return skip(state, db.errorMessage());
        db.close();
        state.ResumeTiming();
    }
    removeFile(copy);
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    folder = qEnvironmentVariable("TOKO_BENCH_DIR", QString::fromUtf8(TOKO_BENCH_DATA_DIR));
    QList<int> counts;
    for (const QString& size :
         qEnvironmentVariable("TOKO_BENCH_SIZES", QStringLiteral("100000,1000000")).split(u','))
        counts.append(size.toInt());

    for (const int count : counts) {
        benchmark::RegisterBenchmark("BM_Upgrade", BM_Upgrade)
            ->Arg(count)
            ->Unit(benchmark::kSecond)
            ->UseRealTime()
            ->Iterations(1)
            ->Repetitions(3);
        benchmark::RegisterBenchmark("BM_UpgradeAgain", BM_UpgradeAgain)
            ->Arg(count)
            ->Unit(benchmark::kMicrosecond)
            ->Repetitions(5)
            ->ReportAggregatesOnly(true);
        for (int which = 0; which < 6; ++which) {
            for (int master = 0; master < 2; ++master) {
                benchmark::RegisterBenchmark("BM_Search", BM_Search)
                    ->Args({count, which, master, 0})
                    ->Args({count, which, master, 1})
                    ->Unit(benchmark::kMillisecond)
                    ->UseRealTime()
                    ->Repetitions(5)
                    ->ReportAggregatesOnly(true);
            }
        }
        benchmark::RegisterBenchmark("BM_AddProducts", BM_AddProducts)
            ->Args({count, 0})
            ->Args({count, 1})
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->Repetitions(5)
            ->ReportAggregatesOnly(true);
        benchmark::RegisterBenchmark("BM_Reset", BM_Reset)
            ->Args({count, 0})
            ->Args({count, 1})
            ->Unit(benchmark::kSecond)
            ->UseRealTime()
            ->Iterations(1)
            ->Repetitions(3);
    }
    for (int which = 0; which < 6; ++which)
        std::printf("text %d: \"%s\"\n", which, qPrintable(text(which)));
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    opened.clear();
    return 0;
}
