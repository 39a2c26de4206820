// toko_bench_dashboard: the owner's summary on the five-year shop, on its last
// day of sales, with the helpers toko adds at every open.
//
// "figures shown" is what the screen does before it first shows: every figure
// read and the board drawn once. The twelve months' chart is filled in after,
// one month per step; the longest step is how long the screen can wait for
// a key. For comparison, the twelve months in one reading. Each runs once to
// warm the cache, then `runs` times; the median is printed.

#include "bench/large_shop.h"
#include "bench/timing.h"
#include "core/database.h"
#include "core/shop_upgrade.h"
#include "logic/dashboard.h"
#include "screens/reports/dashboard_charts.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstdio>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

constexpr int runs = 9;

void print(const char* name, timing::Times times)
{
    std::printf("%-40s %8.1f %8.1f\n", name, times.wall, times.cpu);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QString folder = qEnvironmentVariableIsSet("TOKO_BENCH_DIR")
                               ? qEnvironmentVariable("TOKO_BENCH_DIR")
                               : QStringLiteral(TOKO_BENCH_DATA_DIR);
    QString error;
    const QString cached = largeshop::reportShop(folder, &error);
    if (cached.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    // A working copy: the helpers are added to it, never to the cached shop.
    const QString path = largeshop::workingCopy(cached, folder, u"dashboard_shop_work.db3"_s);
    Database db;
    if (path.isEmpty() || !db.open(path) || !shopfile::upgrade(db)) {
        std::fprintf(stderr, "%s\n", qPrintable(db.errorMessage()));
        return 1;
    }

    const QDate today(2024, 12, 29);
    charts::Board board{today, {}, false, {}, {}, 12};
    std::printf("(median of %d runs, ms on the clock, ms of processor)\n", runs);
    print("figures shown (read and drawn)", timing::median(runs, [&] {
              const Outcome<dashboard::Summary> found = dashboard::read(db, today, u"100"_s);
              if (!found)
                  return false;
              board.summary = *found;
              QImage image(charts::boardSize.toSize(), QImage::Format_RGB32);
              QPainter painter(&image);
              charts::drawBoard(painter, board);
              return true;
          }));
    const QDate first = dashboard::firstOfTwelveMonths(today);
    const QDate monthStart(today.year(), today.month(), 1);
    print("  of it, the month to date's profit",
          timing::median(runs, [&] { return reports::monthFigures(db, monthStart, today).ok(); }));
    print("then the best sellers",
          timing::median(runs, [&] { return dashboard::bestSellers(db, today).ok(); }));
    timing::Times longest;
    for (QDate month = first; month < monthStart; month = month.addMonths(1)) {
        const timing::Times step = timing::median(runs, [&] {
            return reports::monthFigures(db, month, month.addMonths(1).addDays(-1)).ok();
        });
        if (step.wall > longest.wall)
            longest = step;
    }
    print("then each month: the longest", longest);
    print("twelve months in one reading",
          timing::median(runs, [&] { return reports::monthFigures(db, first, today).ok(); }));
    db.close();
    QFile::remove(path);
    return 0;
}
