// toko_bench: the statements the cashier runs most, timed on a large shop.
//
// The generated shop is cached beside the executable (or in $TOKO_BENCH_DIR);
// every run works on a fresh copy of it, opened as the program opens its
// database: on disk, default rollback journal.

#include "bench/large_shop.h"
#include "core/database.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

#include <unistd.h>

namespace {

// The working copy every benchmark runs on, opened in main().
Database* shop = nullptr;
// Next free document number; sales and the number query share it.
qint64 nextNumber = 1;

const QString lookupSql =
    QStringLiteral("select nama, satuan, HargaJual, diskon, FunctSQL FROM barang where kode=?");
const QString nextNumberSql = QStringLiteral(
    "Select substr(kode,4,14) from transaksi order by substr(kode,4,14) desc limit 0,1");
const QString headerSql = QStringLiteral(
    "INSERT INTO Transaksi (Kode, Ref, Tanggal, KodeSP, Potongan, Tax, Jumlah, Operator, Tunai, "
    "Piutang, JatuhTempo, ket, Nota) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?)");
const QString lineSql =
    QStringLiteral("INSERT INTO ItemPenjualan (Kode, KodeBarang, NamaBarang, Qty, Satuan, Harga, "
                   "Diskon, Jumlah, kodeSP) VALUES (?,?,?,?,?,?,?,?,?)");
const QString stockSql = QStringLiteral("UPDATE Barang Set Stock=Stock-? where kode=?");

QString number(qint64 n)
{
    return QString::number(n).rightJustified(14, u'0');
}

struct SaleLine {
    QString code;
    QString name;
    QString unit;
    int qty;
    double price;
};

// Fifty products spread over the shop, read as the cashier reads them.
QList<SaleLine> cartOfFifty()
{
    QList<SaleLine> lines;
    for (int i = 0; i < 50; ++i) {
        const QString code = largeshop::productCode(i * 1999 % largeshop::productCount);
        shop->query(lookupSql, {code}, [&](const QStringList& row) {
            lines.append({code, row.at(0), row.at(1), 1 + i % 3, row.at(2).toDouble()});
        });
    }
    return lines;
}

// A fresh sale code: "JL-" and the next number.
QString nextSaleCode()
{
    return QStringLiteral("JL-") + number(nextNumber++);
}

bool writeHeader(const QString& kode, double gross, const QString& customer)
{
    const QString date = QStringLiteral("2024-05-17");
    const QString total = QString::number(gross, 'g', 16);
    return shop->exec(headerSql, {kode, QStringLiteral("Masuk"), date, customer,
                                  QStringLiteral("0"), QStringLiteral("0"), total,
                                  QStringLiteral("admin"), total, QStringLiteral("0"), date,
                                  QStringLiteral("Penjualan Kepada Siti Aminah dengan dibayar "
                                                 "secara Lunas"),
                                  QStringLiteral("-")});
}

// One sale as the cashier stores it: the document, then per line the line
// and the stock. Whether it is one unit is up to the caller.
bool writeSale(const QList<SaleLine>& lines)
{
    const QString customer = largeshop::customerCode(0);
    double gross = 0;
    for (const SaleLine& line : lines)
        gross += line.qty * line.price;
    const QString kode = nextSaleCode();
    if (!writeHeader(kode, gross, customer))
        return false;
    for (const SaleLine& line : lines) {
        const QString price = QString::number(line.price, 'g', 16);
        if (!shop->exec(lineSql, {kode, line.code, line.name, line.qty, line.unit, price,
                                  QStringLiteral("0"),
                                  QString::number(line.qty * line.price, 'g', 16), customer}) ||
            !shop->exec(stockSql, {line.qty, line.code}) || shop->changes() != 1)
            return false;
    }
    return true;
}

void skip(benchmark::State& state)
{
    const QString message = QStringLiteral("SQL error: ") + shop->errorMessage();
    state.SkipWithError(message.toUtf8().constData());
}

// Every keystroke in the cashier's code box: mostly codes that exist, spread
// over the table, and one in fifty that does not (a code half typed).
void BM_ProductLookup(benchmark::State& state)
{
    QStringList codes;
    qsizetype existing = 0;
    for (int i = 0; i < 1000; ++i) {
        if (i % 50 == 49) {
            codes.append(QStringLiteral("99") + QString::number(i));
        } else {
            codes.append(largeshop::productCode(i * 97 % largeshop::productCount));
            ++existing;
        }
    }
    qsizetype found = 0;
    for (const QString& code : codes)
        shop->query(lookupSql, {code}, [&](const QStringList&) { ++found; });
    if (found != existing) {
        state.SkipWithError("the lookup does not find the generated products");
        return;
    }
    qsizetype next = 0;
    for (auto _ : state) {
        QString name;
        shop->query(lookupSql, {codes.at(next)}, [&](const QStringList& row) { name = row.at(0); });
        benchmark::DoNotOptimize(name);
        next = (next + 1) % codes.size();
    }
}
BENCHMARK(BM_ProductLookup)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_SaleOneTransaction(benchmark::State& state)
{
    const QList<SaleLine> lines = cartOfFifty();
    for (auto _ : state) {
        Database::Transaction transaction(*shop);
        if (!transaction.active() || !writeSale(lines) || !transaction.commit()) {
            skip(state);
            break;
        }
    }
}
BENCHMARK(BM_SaleOneTransaction)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_SaleCommitEachStatement(benchmark::State& state)
{
    const QList<SaleLine> lines = cartOfFifty();
    for (auto _ : state) {
        if (!writeSale(lines)) {
            skip(state);
            break;
        }
    }
}
BENCHMARK(BM_SaleCommitEachStatement)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// Every save asks for the next number over all documents of all kinds.
void BM_NextDocumentNumber(benchmark::State& state)
{
    // Documents of a few busy years first, in one transaction.
    constexpr int documents = 50000;
    if (shop->scalar(QStringLiteral("select count(*) from transaksi")).toInt() < documents) {
        Database::Transaction transaction(*shop);
        while (shop->scalar(QStringLiteral("select count(*) from transaksi")).toInt() < documents) {
            for (int i = 0; i < 1000; ++i) {
                if (!writeHeader(nextSaleCode(), 10000,
                                 largeshop::customerCode(i % largeshop::customerCount)))
                    return skip(state);
            }
        }
        if (!transaction.commit())
            return skip(state);
    }
    const QString expected = number(nextNumber - 1);
    for (auto _ : state) {
        if (shop->scalar(nextNumberSql) != expected) {
            state.SkipWithError("the query does not give the highest number");
            break;
        }
    }
}
BENCHMARK(BM_NextDocumentNumber)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// Prints as the console reporter does and keeps each benchmark's median wall time.
class MedianReporter final : public benchmark::ConsoleReporter
{
public:
    MedianReporter() : ConsoleReporter(isatty(fileno(stdout)) ? OO_ColorTabular : OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& reports) override
    {
        ConsoleReporter::ReportRuns(reports);
        for (const Run& run : reports) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                m_medians[run.run_name.function_name] = run.GetAdjustedRealTime();
        }
    }
    // Zero when the benchmark did not run.
    double median(const std::string& name) const
    {
        const auto found = m_medians.find(name);
        return found == m_medians.end() ? 0 : found->second;
    }

private:
    std::map<std::string, double> m_medians;
};

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;

    const QString folder =
        qEnvironmentVariable("TOKO_BENCH_DIR", QString::fromUtf8(TOKO_BENCH_DATA_DIR));
    QElapsedTimer timer;
    timer.start();
    QString error;
    const QString cached = largeshop::cached(folder, &error);
    if (cached.isEmpty()) {
        std::fprintf(stderr, "cannot make the large shop: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("large shop ready in %.1f s: %s\n", timer.elapsed() / 1000.0, qPrintable(cached));

    const QString working = QDir(folder).filePath(QStringLiteral("large_shop_run.db3"));
    QFile::remove(working);
    QFile::remove(working + QStringLiteral("-journal"));
    if (!QFile::copy(cached, working)) {
        std::fprintf(stderr, "cannot copy the large shop to %s\n", qPrintable(working));
        return 1;
    }
    Database db;
    if (!db.open(working)) {
        std::fprintf(stderr, "cannot open %s: %s\n", qPrintable(working),
                     qPrintable(db.errorMessage()));
        return 1;
    }
    shop = &db;
    nextNumber = db.scalar(nextNumberSql).toLongLong() + 1;

    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const double oneTransaction = reporter.median("BM_SaleOneTransaction");
    const double eachStatement = reporter.median("BM_SaleCommitEachStatement");
    if (oneTransaction > 0 && eachStatement > 0)
        std::printf("50-line sale, commit-per-statement / one transaction = %.1f\n",
                    eachStatement / oneTransaction);
    shop = nullptr;
    return 0;
}
