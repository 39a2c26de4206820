// toko_bench_server: the five-year shop on a server, timed through the
// program's own code.
//
//   toko_bench_server ADDRESS [--round-trip MS]
//
// ADDRESS names an empty server database (or one this program filled
// before). The five-year shop of toko_bench_reports is copied there first
// (the copy is timed), then the work a till waits for is timed, the median of
// several runs each: a product lookup as each keystroke of a code makes it,
// a 50-line sale, every report, the products master with 100,000 products,
// and a search by part of a name, also with 1,000,000 products. The
// statements a 50-line sale sends are counted: over a network each is a
// round trip, and the sale's time with --round-trip MS (0.5 unless told)
// added to each is printed beside it.

#include "bench/large_shop.h"
#include "core/database.h"
#include "logic/document_line.h"
#include "logic/product_search.h"
#include "logic/products.h"
#include "logic/profit_loss.h"
#include "logic/reports.h"
#include "logic/sale_store.h"
#include "logic/shop_copy.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <random>

using namespace Qt::StringLiterals;

namespace {

constexpr int productsAtMost = 1000000;
const QString removeGrown = u"delete from barang where kode like 'Z%'"_s;

// The median of `runs` runs of `work`, in milliseconds; -1 when it failed.
double median(int runs, const std::function<bool()>& work)
{
    if (!work())
        return -1;
    QList<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        if (!work())
            return -1;
        times.append(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times.at(runs / 2);
}

void print(const char* what, double ms)
{
    std::printf("%-44s %9.2f ms\n", what, ms);
}

// Products up to a million: the large shop's names again under new codes.
bool growProducts(Database& db)
{
    const int have = db.value(u"select count(*) from barang"_s).value().toInt();
    if (have >= productsAtMost)
        return true;
    const auto names = db.select(u"select nama, kategori from barang order by kode"_s);
    if (!names)
        return false;
    Database::Transaction transaction(db);
    QList<QStringList> rows;
    for (int i = have; i < productsAtMost; ++i) {
        const QStringList& from = names->at(i % names->size());
        rows.append({u"Z%1"_s.arg(i, 12, 10, QChar(u'0')), u"barang"_s, from.value(0),
                     from.value(1), u"10"_s, u"pcs"_s, u"1000"_s, u"1200"_s, u"0"_s, QString(),
                     QString()});
        if (rows.size() == 10000 || i + 1 == productsAtMost) {
            if (!db.insertRows(u"barang"_s,
                               {u"kode"_s, u"jenis"_s, u"nama"_s, u"kategori"_s, u"stock"_s,
                                u"satuan"_s, u"hpp"_s, u"hargajual"_s, u"diskon"_s, u"barcode"_s,
                                u"functsql"_s},
                               rows))
                return false;
            rows.clear();
        }
    }
    return transaction.commit() && db.exec(u"analyze barang"_s);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QStringList arguments = application.arguments().mid(1);
    double roundTrip = 0.5;
    if (const qsizetype at = arguments.indexOf(u"--round-trip"_s); at >= 0) {
        roundTrip = arguments.value(at + 1).toDouble();
        arguments.remove(at, 2);
    }
    if (arguments.size() != 1) {
        std::fprintf(stderr, "usage: toko_bench_server ADDRESS [--round-trip MS]\n");
        return 2;
    }
    const QString address = arguments.first();
    const QString folder =
        qEnvironmentVariable("TOKO_BENCH_DIR", QStringLiteral(TOKO_BENCH_DATA_DIR));
    QString error;
    const QString shop = largeshop::reportShop(folder, &error);
    if (shop.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    Database db;
    if (!db.open(address)) {
        std::fprintf(stderr, "%s\n", qPrintable(db.errorMessage()));
        return 1;
    }
    if (db.value(u"select to_regclass('barang') is null"_s).value() == u"1") {
        QElapsedTimer timer;
        timer.start();
        const Outcome<shopcopy::Copied> copied = shopcopy::copy(shop, address);
        if (!copied) {
            std::fprintf(stderr, "%s\n", qPrintable(copied.reason()));
            return 1;
        }
        db.exec(u"analyze"_s);
        std::printf("five-year shop copied to the server: %lld rows in %.1f s\n",
                    static_cast<long long>(copied->rows), timer.elapsed() / 1000.0);
    }
    std::printf("on %s\n", qPrintable(db.path()));

    std::mt19937 random(7);
    const QString lookup =
        u"select nama, satuan, HargaJual, diskon, FunctSQL FROM barang where kode=?"_s;
    print("product lookup by code", median(1001, [&] {
              return db.value(lookup, {largeshop::productCode(int(random() % 100000))}).ok();
          }));

    QList<DocumentLine> lines;
    for (int i = 0; i < 50; ++i)
        lines.append({largeshop::productCode(i * 1999), u"Barang"_s, u"1"_s, u"pcs"_s, u"1000"_s,
                      u"0"_s, u"1000"_s});
    const CashierDocument sale{
        Side::Sales, u"2024-12-29"_s, u"2024-12-29"_s, u"PL-00000"_s, u"Bebas"_s, u"kasir"_s,
        u"50000"_s,  u"0"_s,          u"50000"_s,      u"50000"_s,    lines};
    int statements = 0;
    db.traceStatements([&](const QString&) { ++statements; });
    (void)sales::store(db, sale);
    statements = 0;
    (void)sales::store(db, sale);
    const int perSale = statements;
    db.traceStatements({});
    const double saleMs = median(21, [&] { return sales::store(db, sale).ok(); });
    print("50-line sale", saleMs);
    std::printf("%-44s %9d (%.2f ms with %.1f ms a round trip)\n", "  statements (round trips)",
                perSale, saleMs + perSale * roundTrip, roundTrip);

    const QString month = u"2024-11"_s;
    const QDate today(2024, 12, 29);
    const struct {
        const char* name;
        std::function<bool()> run;
    } lists[] = {
        {"report: profit and loss",
         [&] { return reports::profitLoss(db, month, u"November"_s).ok(); }},
        {"report: turnover", [&] { return reports::turnover(db, month).ok(); }},
        {"report: today's sales", [&] { return reports::todaysSales(db, today).ok(); }},
        {"report: minimum stock",
         [&] { return reports::lowStock(db, u"Sembako"_s, u"100"_s).ok(); }},
        {"report: receivables", [&] { return reports::debts(db, Side::Sales, today).ok(); }},
        {"report: payables", [&] { return reports::debts(db, Side::Purchase, today).ok(); }},
        {"report: sales of the month",
         [&] {
             return reports::documents(db, Side::Sales, month + u"-01"_s, month + u"-30"_s, today,
                                       reports::Paid::SoFar)
                 .ok();
         }},
        {"products master, 100,000 products", [&] { return products::loadAll(db).ok(); }},
        {"search by part of a name, 100,000",
         [&] { return products::search(db, Side::Sales, u"kopi"_s).ok(); }}};
    for (const auto& [name, run] : lists)
        print(name, median(7, run));

    if (!growProducts(db)) {
        std::fprintf(stderr, "%s\n", qPrintable(db.errorMessage()));
        return 1;
    }
    print("search by part of a name, 1,000,000",
          median(7, [&] { return products::search(db, Side::Sales, u"kopi"_s).ok(); }));
    // The shop as it was copied, for the next run.
    return db.exec(removeGrown) ? 0 : 1;
}
