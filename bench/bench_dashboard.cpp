// toko_bench_dashboard: the owner's summary on the five-year shop, on its last
// day of sales, with the helpers toko adds at every open.
//
// "figures shown" is what the screen does before it first shows: every figure
// read and the board drawn once. The twelve months' chart is filled in after,
// one month per step; the longest step is how long the screen can wait for
// a key. For comparison, the twelve months in one reading. Each runs once to
// warm the cache, then `runs` times; the median is printed.

#include "bench/large_shop.h"
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

double median(const std::function<bool()>& work)
{
    if (!work())
        return -1;
    QList<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.append(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times.at(runs / 2);
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
    const QString path = QDir(folder).filePath(u"dashboard_shop_work.db3"_s);
    for (const char* suffix : {"", "-wal", "-shm"})
        QFile::remove(path + QString::fromLatin1(suffix));
    Database db;
    if (!QFile::copy(cached, path) || !db.open(path) || !shopfile::upgrade(db)) {
        std::fprintf(stderr, "%s\n", qPrintable(db.errorMessage()));
        return 1;
    }

    const QDate today(2024, 12, 29);
    charts::Board board{today, {}, {}, 12};
    const double shown = median([&] {
        const Outcome<dashboard::Summary> found = dashboard::read(db, today, u"100"_s);
        if (!found)
            return false;
        board.summary = *found;
        QImage image(charts::boardSize.toSize(), QImage::Format_RGB32);
        QPainter painter(&image);
        charts::drawBoard(painter, board);
        return true;
    });

    const QDate first = dashboard::firstOfTwelveMonths(today);
    double longestStep = 0;
    for (QDate month = first; month.month() != today.month(); month = month.addMonths(1)) {
        longestStep = std::max(
            longestStep, median([&] {
                return reports::monthFigures(db, month, month.addMonths(1).addDays(-1)).ok();
            }));
    }
    const double oneReading = median([&] { return reports::monthFigures(db, first, today).ok(); });

    std::printf("figures shown (read and drawn)      %8.1f ms  (%d best sellers, %d low stock)\n",
                shown, int(board.summary.bestSellers.size()), board.summary.lowStock);
    std::printf("longest month of the chart         %8.1f ms\n", longestStep);
    std::printf("twelve months in one reading       %8.1f ms\n", oneReading);
    db.close();
    QFile::remove(path);
    return 0;
}
