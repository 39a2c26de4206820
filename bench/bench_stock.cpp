// toko_bench_stock: the waits of the stock screens on a large shop.
//
//   - the returns screen's bought-items picker for the walk-in customer (2.6
//     million sale lines, 100,000 products): from opening until its first
//     rows are painted, and until every product is listed; beside it the
//     single statement that reads every line before it shows anything;
//   - saving a stock correction of 1,000 lines into a shop of 100,000
//     products: one transaction, from Simpan to committed.
//
// The five-year shop of large_shop is used as it is cached in
// $TOKO_BENCH_DIR (else the build's bench folder), opened read-only; the
// correction gets a shop of its own in a temporary folder. Medians of five.

#include "core/app_context.h"
#include "core/startup.h"
#include "large_shop.h"
#include "logic/product_search.h"
#include "logic/shop_database.h"
#include "logic/stock_correction.h"
#include "screens/counter/bought_items_dialog.h"
#include "ui/terminal_messages.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTableView>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

constexpr int runs = 5;

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

// Median in milliseconds of `runs` calls of `work`.
double timed(const std::function<void()>& work)
{
    QList<double> times;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.append(timer.nsecsElapsed() / 1e6);
    }
    return median(times);
}

void picker(AppContext& context)
{
    const QString walkIn = QStringLiteral("PL-00000");
    const double firstRows = timed([&] {
        BoughtItemsDialog dialog(context, Side::Sales, walkIn);
        dialog.show();
        dialog.findChild<QTableView*>()->viewport()->grab(); // paints the first rows
    });
    int listed = 0;
    const double everything = timed([&] {
        BoughtItemsDialog dialog(context, Side::Sales, walkIn);
        dialog.show();
        while (!dialog.complete())
            QCoreApplication::processEvents();
        listed = dialog.findChild<QTableView*>()->model()->rowCount();
    });
    TableModel model;
    const double oneStatement = timed([&] {
        model.setRows(context.db()
                          .select(QStringLiteral("select KodeBarang, NamaBarang from "
                                                 "itempenjualan where kodeSP=? group by "
                                                 "KodeBarang, NamaBarang"),
                                  {walkIn})
                          .value());
    });
    std::printf("bought-items picker, walk-in customer: first rows painted %.1f ms; "
                "all %d products listed %.1f ms; one statement for all %.1f ms\n",
                firstRows, listed, everything, oneStatement);
}

void correction(const QString& folder)
{
    const QString path = folder + QStringLiteral("/correction.db3");
    if (const QString error = shopdb::create(path, false).reason(); !error.isEmpty()) {
        std::printf("no shop: %s\n", qPrintable(error));
        return;
    }
    TerminalMessages messages;
    SystemClock clock;
    AppContext context(messages, clock, QDir(folder));
    context.db().open(path);
    {
        Database::Transaction transaction(context.db());
        for (int i = 0; i < largeshop::productCount; ++i)
            context.db().exec(QStringLiteral("insert into barang (kode, nama, stock) "
                                             "values (?, ?, ?)"),
                              {largeshop::productCode(i), QStringLiteral("Barang %1").arg(i), 50});
        (void)transaction.commit();
    }
    QList<double> times;
    for (int run = 0; run < runs; ++run) {
        StockCorrection counted(context.db());
        for (int line = 0; line < 1000; ++line) {
            const QString code = largeshop::productCode(run * 1000 + line * 7);
            const auto found = counted.lookup(code).value();
            (void)counted.addLine({code, found->name, found->stock, QStringLiteral("48"), {}});
        }
        QElapsedTimer timer;
        timer.start();
        const Outcome<QString> saved =
            counted.save(QStringLiteral("2026-12-07"), QStringLiteral("admin"));
        times.append(timer.nsecsElapsed() / 1e6);
        if (!saved)
            std::printf("not saved: %s\n", qPrintable(saved.reason()));
    }
    std::printf("stock correction of 1,000 lines saved: %.1f ms\n", median(times));
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen")
                                                                    : qgetenv("QT_QPA_PLATFORM"));
    QApplication application(argc, argv);
    QTemporaryDir scratch;
    correction(scratch.path());

    const QByteArray configured = qgetenv("TOKO_BENCH_DIR");
    const QString folder = configured.isEmpty() ? QStringLiteral(TOKO_BENCH_DATA_DIR)
                                                : QString::fromLocal8Bit(configured);
    QString error;
    const QString shop = largeshop::cached(folder, &error);
    if (shop.isEmpty()) {
        std::printf("no large shop: %s\n", qPrintable(error));
        return 1;
    }
    TerminalMessages messages;
    SystemClock clock;
    AppContext context(messages, clock, QFileInfo(shop).dir());
    if (!context.db().open(shop, Database::Access::ReadOnly)) {
        std::printf("cannot open %s\n", qPrintable(shop));
        return 1;
    }
    picker(context);
    return 0;
}
