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
#include "bench/timing.h"
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

using namespace Qt::StringLiterals;

namespace {

constexpr int runs = 15;

} // namespace

int main()
{
    const QString folder = qEnvironmentVariableIsSet("TOKO_BENCH_DIR")
                               ? qEnvironmentVariable("TOKO_BENCH_DIR")
                               : QStringLiteral(TOKO_BENCH_DATA_DIR);
    QString error;
    const QString cached = largeshop::reportShop(folder, &error);
    if (cached.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    // A working copy: the indexes are added to it, never to the cached shop.
    const QString path = largeshop::workingCopy(cached, folder, u"report_shop_work.db3"_s);
    if (path.isEmpty())
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
            const auto [wall, cpu] = timing::median(runs, run);
            std::printf("%-36s %8.1f %8.1f  (%d rows)\n", name, wall, cpu, int(model.rows.size()));
        }
    }
    return 0;
}
