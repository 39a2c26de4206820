// toko_bench: what the cashier waits for most, timed on a large shop, through
// the program's own code.
//
// The generated shop is cached beside the executable (or in $TOKO_BENCH_DIR);
// every run works on a fresh copy of it, on disk, opened as the program opens
// its database. Keep that folder on the machine's disk, not on tmpfs: syncs
// are what the saves cost.

#include "bench/large_shop.h"
#include "core/backup.h"
#include "core/database.h"
#include "core/numbering.h"
#include "logic/cart.h"
#include "logic/sale_store.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include <unistd.h>

namespace {

// The working copy every benchmark runs on, opened in main().
Database* shop = nullptr;
QString workingFolder;

const QString lookupSql =
    QStringLiteral("select nama, satuan, HargaJual, diskon, FunctSQL FROM barang where kode=?");

void skip(benchmark::State& state, const QString& why)
{
    state.SkipWithError(why.toUtf8().constData());
}

// Every keystroke in the cashier's code box: mostly codes that exist, spread
// over the table, and one in fifty that does not (a code half typed).
void BM_ProductLookup(benchmark::State& state)
{
    QStringList codes;
    for (int i = 0; i < 1000; ++i) {
        codes.append(i % 50 == 49 ? QStringLiteral("99") + QString::number(i)
                                  : largeshop::productCode(i * 97 % largeshop::productCount));
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

// Every save asks for the next number: over the documents and the lines of
// five years of sales.
void BM_NextDocumentNumber(benchmark::State& state)
{
    for (auto _ : state) {
        const Outcome<qint64> last = numbering::lastNumber(*shop);
        if (!last || *last < 1)
            return skip(state, QStringLiteral("no number: ") + shop->errorMessage());
        benchmark::DoNotOptimize(last);
    }
}
BENCHMARK(BM_NextDocumentNumber)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// A 50-line sale as the cashier stores it, through sales::store: the
// document, its lines and the stock, in one transaction. Argument 1: the
// write-ahead log toko runs with; 0: the rollback journal, for comparison.
void BM_SaleStore(benchmark::State& state)
{
    const bool log = state.range(0) == 1;
    if (shop->scalar(QStringLiteral("pragma journal_mode=") +
                     (log ? QStringLiteral("wal") : QStringLiteral("delete"))) !=
        (log ? u"wal" : u"delete"))
        return skip(state, QStringLiteral("journal mode not changed: ") + shop->errorMessage());
    Cart cart(*shop, Side::Sales);
    cart.setBarcodeMode(true);
    for (int i = 0; i < 50; ++i) {
        if (!cart.takeCode(largeshop::productCode(i * 1999 % largeshop::productCount)))
            return skip(state, QStringLiteral("a product of the shop is refused"));
    }
    if (cart.lines().size() != 50)
        return skip(state, QStringLiteral("the cart does not hold 50 lines"));
    const CashierDocument document{Side::Sales,
                                   QStringLiteral("2025-05-17"),
                                   QStringLiteral("2025-05-17"),
                                   largeshop::customerCode(0),
                                   QStringLiteral("Pelanggan Satu"),
                                   QStringLiteral("kasir"),
                                   cart.totals().gross,
                                   cart.totals().discountAmount,
                                   cart.totals().net,
                                   cart.totals().net,
                                   cart.documentLines()};
    for (auto _ : state) {
        const Outcome<QString> stored = sales::store(*shop, document);
        if (!stored)
            return skip(state, QStringLiteral("not stored: ") + shop->errorMessage());
    }
}
BENCHMARK(BM_SaleStore)
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// "BackUp Database" and "Restore Database" on the whole shop, as the menu
// runs them (without the progress box).
void BM_Backup(benchmark::State& state)
{
    const QString target = QDir(workingFolder).filePath(QStringLiteral("BackUp_bench.datatoko"));
    for (auto _ : state) {
        if (const Outcome<> saved = backup::save(*shop, target); !saved)
            return skip(state, saved.reason());
    }
    state.counters["MB"] = double(QFileInfo(target).size()) / 1e6;
}
BENCHMARK(BM_Backup)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1)->Repetitions(3);

void BM_Restore(benchmark::State& state)
{
    const QString source = QDir(workingFolder).filePath(QStringLiteral("BackUp_bench.datatoko"));
    for (auto _ : state) {
        const Outcome<QString> restored =
            backup::restore(*shop, source, QDateTime::currentDateTime());
        if (!restored)
            return skip(state, restored.reason());
        state.PauseTiming();
        QFile::remove(*restored);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Restore)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1)->Repetitions(3);

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
                m_medians[run.run_name.function_name +
                          (run.run_name.args.empty() ? "" : "/" + run.run_name.args)] =
                    run.GetAdjustedRealTime();
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

    workingFolder = qEnvironmentVariable("TOKO_BENCH_DIR", QString::fromUtf8(TOKO_BENCH_DATA_DIR));
    QElapsedTimer timer;
    timer.start();
    QString error;
    const QString cached = largeshop::cached(workingFolder, &error);
    if (cached.isEmpty()) {
        std::fprintf(stderr, "cannot make the large shop: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("large shop ready in %.1f s: %s\n", timer.elapsed() / 1000.0, qPrintable(cached));

    const QString working =
        largeshop::workingCopy(cached, workingFolder, QStringLiteral("large_shop_run.db3"));
    if (working.isEmpty()) {
        std::fprintf(stderr, "cannot copy the large shop to %s\n", qPrintable(workingFolder));
        return 1;
    }
    Database db;
    if (!db.open(working)) {
        std::fprintf(stderr, "cannot open %s: %s\n", qPrintable(working),
                     qPrintable(db.errorMessage()));
        return 1;
    }
    shop = &db;

    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const double log = reporter.median("BM_SaleStore/1");
    const double journal = reporter.median("BM_SaleStore/0");
    if (log > 0 && journal > 0)
        std::printf("50-line sale through sales::store: log %.2f ms, rollback journal %.2f ms, "
                    "journal / log = %.2f\n",
                    log, journal, journal / log);
    shop = nullptr;
    return 0;
}
