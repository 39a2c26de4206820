// toko_bench_reports: every report on a five-year shop, from the screen's
// handler to the filled list, in the last full month of the shop.
//
// The five-year shop is the large shop with what the reports read besides
// cash sales: 20,000 customers, sales on credit (one in twenty-five of the
// named customers' sales, due in fourteen days), purchases from fifty
// suppliers (three a day, one in ten on credit), sales returns, cash in and
// out and refunds of purchase returns; the debts of the last two months are
// still open, the older ones paid. It is cached beside the large shop.
// Each report runs once to warm the cache, then `runs` times; the median is
// printed, first on the shop's own indexes, then with the helpers toko adds at
// every open.

#include "bench/large_shop.h"
#include "core/database.h"
#include "core/shop_upgrade.h"
#include "logic/profit_loss.h"
#include "logic/reports.h"

#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <random>

#include <time.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int version = 2;
constexpr int runs = 15;
constexpr int extraCustomers = 18000;
constexpr int supplierCount = 50;

QString number(qint64 value)
{
    return QString::number(value).rightJustified(14, u'0');
}

bool addParties(Database& db)
{
    for (int i = largeshop::customerCount; i < largeshop::customerCount + extraCustomers; ++i) {
        if (!db.exec(u"insert into pelanggan (kode, nama, alamat, kontak, catatan) "
                     "values (?, ?, ?, '0812', '')"_s,
                     {largeshop::customerCode(i), u"Pelanggan %1"_s.arg(i),
                      u"Jl. Pasar No. %1"_s.arg(i % 200 + 1)}))
            return false;
    }
    for (int i = 1; i <= supplierCount; ++i) {
        if (!db.exec(u"insert into supplier (kode, nama, alamat, kontak, catatan) "
                     "values (?, ?, ?, '021', '')"_s,
                     {u"SP-%1"_s.arg(i, 3, 10, QChar(u'0')), u"CV Pemasok %1"_s.arg(i),
                      u"Jl. Gudang No. %1"_s.arg(i)}))
            return false;
    }
    return true;
}

// Other documents of each day: purchases every day, a sales return twice a
// week, cash out every few days, cash in and a purchase refund each month.
bool addDocuments(Database& db, std::mt19937& rng)
{
    const QString sql = u"insert into transaksi (Kode, Ref, Tanggal, KodeSP, Potongan, Tax, "
                        "Jumlah, Operator, Tunai, Piutang, Hutang, JatuhTempo, Ket, Nota) "
                        "values (?, ?, ?, ?, 0, 0, ?, 'admin', ?, 0, ?, ?, ?, ?)"_s;
    qint64 next = 0;
    const QDate first(2020, 1, 1);
    const auto add = [&](const QString& kind, const QString& ref, const QDate& day,
                         const QString& party, qint64 total, qint64 cash, qint64 debt,
                         const QString& note, const QString& memo) {
        const QString date = day.toString(Qt::ISODate);
        return db.exec(sql, {QString(kind + number(++next)), ref, date, party, total, cash, debt,
                             day.addDays(debt > 0 ? 30 : 0).toString(Qt::ISODate), note, memo});
    };
    for (int d = 0; d < largeshop::historyDays; ++d) {
        const QDate day = first.addDays(d);
        for (int i = 0; i < 3; ++i) {
            const qint64 total = 50000 * (1 + rng() % 200);
            const bool credit = rng() % 10 == 0;
            const QString supplier = u"SP-%1"_s.arg(1 + rng() % supplierCount, 3, 10, QChar(u'0'));
            if (!add(u"BL-"_s, u"Keluar"_s, day, supplier, total, credit ? 0 : total,
                     credit ? total : 0, u"Pembelian"_s, u"-"_s))
                return false;
        }
        const bool ok =
            ((d % 7 != 1 && d % 7 != 4) ||
             add(u"RJ-"_s, u"Keluar"_s, day, largeshop::customerCode(int(rng() % 2000)),
                 5000 * (1 + rng() % 40), 0, 0, u"Retur Penjualan"_s, u"-"_s)) &&
            (d % 4 != 0 || add(u"KK-"_s, u"Keluar"_s, day, u"-"_s, 0, 10000 * (1 + rng() % 100), 0,
                               u"Dibayar Kepada PLN"_s, u"listrik"_s)) &&
            (day.day() != 10 || add(u"KM-"_s, u"Masuk"_s, day, u"-"_s, 0, 250000, 0,
                                    u"Terima dari Pak RT"_s, u"sewa lapak"_s)) &&
            (day.day() != 20 || add(u"RB-"_s, u"Masuk"_s, day, u"SP-001"_s, 0, 75000, 0,
                                    u"Retur ke CV Pemasok 1"_s, u"-"_s));
        if (!ok)
            return false;
    }
    // One in twenty-five of the named customers' sales on credit, half paid;
    // those of the last two months are still open, the older ones paid off.
    return db.exec(u"update transaksi set Tunai=Jumlah/2, Piutang=Jumlah-Jumlah/2, "
                   "JatuhTempo=date(Tanggal,'+14 day') where substr(Kode,1,3)='JL-' "
                   "and KodeSP<>'PL-00000' and cast(substr(Kode,4) as integer)%25=0 "
                   "and Tanggal>='2024-10-30'"_s) &&
           db.exec(u"update transaksi set Hutang=0, Tunai=Jumlah where substr(Kode,1,3)='BL-' "
                   "and Hutang>0 and Tanggal<'2024-10-30'"_s);
}

QString reportShop(const QString& folder, QString* error)
{
    const QString large = largeshop::cached(folder, error);
    if (large.isEmpty())
        return {};
    const QString path =
        QDir(folder).filePath(u"report_shop_v%1_%2.db3"_s.arg(version).arg(largeshop::version));
    if (QFileInfo::exists(path))
        return path;
    const QString partial = path + u".part"_s;
    QFile::remove(partial);
    if (!QFile::copy(large, partial)) {
        *error = u"cannot copy "_s + large;
        return {};
    }
    {
        Database db;
        if (!db.open(partial)) {
            *error = db.errorMessage();
            return {};
        }
        db.execScript(u"pragma journal_mode=delete; pragma synchronous=off"_s);
        std::mt19937 rng(20240607);
        Database::Transaction transaction(db);
        if (!addParties(db) || !addDocuments(db, rng) || !transaction.commit()) {
            *error = db.errorMessage();
            return {};
        }
    }
    if (!QFile::rename(partial, path)) {
        *error = u"cannot rename "_s + partial;
        return {};
    }
    return path;
}

double cpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// The medians of the time on the clock and of the processor time: on a
// machine shared with other work the second is the steadier figure.
std::pair<double, double> median(const std::function<bool()>& report)
{
    if (!report())
        return {-1, -1};
    QList<double> wall, cpu;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        const double start = cpuMs();
        timer.start();
        report();
        wall.append(double(timer.nsecsElapsed()) / 1e6);
        cpu.append(cpuMs() - start);
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    return {wall.at(runs / 2), cpu.at(runs / 2)};
}

} // namespace

int main()
{
    const QString folder = qEnvironmentVariableIsSet("TOKO_BENCH_DIR")
                               ? qEnvironmentVariable("TOKO_BENCH_DIR")
                               : QStringLiteral(TOKO_BENCH_DATA_DIR);
    QString error;
    const QString cached = reportShop(folder, &error);
    if (cached.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    // A working copy: the indexes are added to it, never to the cached shop.
    const QString path = QDir(folder).filePath(u"report_shop_work.db3"_s);
    for (const char* suffix : {"", "-wal", "-shm"})
        QFile::remove(path + QString::fromLatin1(suffix));
    if (!QFile::copy(cached, path))
        return 1;
    Database db;
    if (!db.open(path)) {
        std::fprintf(stderr, "%s\n", qPrintable(db.errorMessage()));
        return 1;
    }
    // The last full month of the shop, and its last day of sales as today.
    const QString month = u"2024-11"_s;
    const QDate today(2024, 12, 29);
    Table model;
    const auto kept = [&](const Outcome<Table>& found) {
        model = found ? *found : Table{};
        return found.ok();
    };
    const struct {
        const char* name;
        std::function<bool()> run;
    } reportRuns[] = {
        {"profit and loss", [&] { return kept(reports::profitLoss(db, month, u"November"_s)); }},
        {"turnover", [&] { return kept(reports::turnover(db, month)); }},
        {"today's sales", [&] { return kept(reports::todaysSales(db, today)); }},
        {"minimum stock", [&] { return kept(reports::lowStock(db, u"Sembako"_s, u"100"_s)); }},
        {"receivables", [&] { return kept(reports::debts(db, Side::Sales, today)); }},
        {"payables", [&] { return kept(reports::debts(db, Side::Purchase, today)); }},
        {"sales of the month (Tampilkan)",
         [&] {
             return kept(reports::documents(db, Side::Sales, month + u"-01"_s, month + u"-30"_s,
                                            today, reports::Paid::SoFar));
         }},
        {"purchases of the month (Tampilkan)", [&] {
             return kept(reports::documents(db, Side::Purchase, month + u"-01"_s, month + u"-30"_s,
                                            today, reports::Paid::SoFar));
         }}};
    for (const bool indexed : {false, true}) {
        if (indexed && !shopfile::upgrade(db)) {
            std::fprintf(stderr, "%s\n", qPrintable(db.errorMessage()));
            return 1;
        }
        std::printf("\n%s (median of %d runs, ms on the clock, ms of processor)\n",
                    indexed ? "with toko's helpers" : "the shop's own indexes", runs);
        for (const auto& [name, run] : reportRuns) {
            const auto [wall, cpu] = median(run);
            std::printf("%-36s %8.1f %8.1f  (%d rows)\n", name, wall, cpu, int(model.rows.size()));
        }
    }
    return 0;
}
