// toko_bench_import: the paste import from the clipboard's text to the
// summary, on a shop of 100,000 products and 20,000 customers whose greatest
// document code is that of a five-year shop, kept on the machine's disk.
//
//   - 10,000 product rows (one in a hundred with a code the shop has);
//   - 10,000 customer rows.
// Each pass works on a fresh copy of the shop, opened as the program opens
// its database; the figures are medians of five passes. The shop is made in
// $TOKO_BENCH_DIR, else in the build's bench folder (keep it off tmpfs).

#include "bench/large_shop.h"
#include "core/database.h"
#include "logic/paste_import.h"
#include "logic/shop_database.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

constexpr int products = largeshop::productCount;
constexpr int customers = 20000;
constexpr int pastedRows = 10000;
constexpr int passes = 5;

QString makeShop(const QString& path)
{
    if (QFile::exists(path))
        return {};
    const QString error = shopdb::create(path, false).reason();
    if (!error.isEmpty())
        return error;
    Database db;
    if (!db.open(path))
        return db.errorMessage();
    Database::Transaction transaction(db);
    for (int i = 0; i < products; ++i) {
        const QString code = largeshop::productCode(i);
        if (!db.exec(u"insert into barang (kode, jenis, nama, kategori, stock, satuan, hpp, "
                     "hargajual, diskon, barcode, FunctSQL) values (?, 'barang', ?, ?, ?, 'pcs', "
                     "?, ?, 0, ?, '')"_qs,
                     {code, QString(u"Produk "_qs + code), u"Kategori %1"_qs.arg(i % 30), i % 200,
                      1000 + i % 5000, 1300 + i % 5000, code}))
            return db.errorMessage();
    }
    for (int i = 0; i < customers; ++i) {
        if (!db.exec(u"insert into pelanggan values (?, ?, 'Jl. Melati', '0812', '')"_qs,
                     {u"PL-%1"_qs.arg(i + 1, 5, 10, QChar(u'0')), u"Pelanggan %1"_qs.arg(i + 1)}))
            return db.errorMessage();
    }
    if (!db.exec(u"insert into transaksi (Kode, Ref) values ('JL-00000000644000', 'Masuk')"_qs) ||
        !transaction.commit())
        return db.errorMessage();
    return {};
}

QString productPaste()
{
    QString text;
    for (int i = 0; i < pastedRows; ++i) {
        const QString code =
            i % 100 == 0 ? largeshop::productCode(i * 7) : u"T%1"_qs.arg(i, 6, 10, QChar(u'0'));
        text += code + u"\tBarang Tempel '"_qs + QString::number(i) + u"'\tTempel\t"_qs +
                QString::number(i % 50) + u"\tpcs\t"_qs + QString::number(2000 + i) + u'\t' +
                QString::number(2600 + i) + u"\t0\t"_qs + code + u"\t\r\n"_qs;
    }
    return text;
}

QString customerPaste()
{
    QString text;
    for (int i = 0; i < pastedRows; ++i) {
        text += u"PL-%1\tBu Tempel %1\tJl. Kenanga %1\t0813%1\tdari Excel\r\n"_qs.arg(i);
    }
    return text;
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

} // namespace

int main()
{
    QString folder = qEnvironmentVariable("TOKO_BENCH_DIR");
    if (folder.isEmpty())
        folder = QStringLiteral(TOKO_BENCH_DATA_DIR);
    const QString base = QDir(folder).filePath(u"paste-import-shop.db3"_qs);
    const QString work = QDir(folder).filePath(u"paste-import-work.db3"_qs);
    if (const QString error = makeShop(base); !error.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 2;
    }
    struct Case {
        const char* name;
        QString text;
        std::function<Outcome<paste::Result>(Database&, const QList<paste::Line>&)> import;
        std::function<QList<QStringList>(const QList<paste::Line>&)> listRows;
    };
    const QList<Case> cases = {
        {"10,000 products", productPaste(), paste::importProducts, paste::productRows},
        {"10,000 customers", customerPaste(),
         [](Database& db, const QList<paste::Line>& lines) {
             return paste::importParties(db, Side::Sales, lines);
         },
         paste::partyRows},
    };
    std::printf("%-18s %9s %9s %9s %9s %9s   (ms, median of %d)\n", "paste", "parse", "list rows",
                "import", "summary", "total", passes);
    for (const Case& c : cases) {
        QList<double> parse, rows, import, summary, total;
        QString report;
        for (int pass = 0; pass < passes; ++pass) {
            QFile::remove(work);
            if (!QFile::copy(base, work))
                return 2;
            Database db;
            if (!db.open(work))
                return 2;
            QElapsedTimer clock;
            clock.start();
            const QList<paste::Line> lines = paste::parse(c.text);
            const double parsed = clock.nsecsElapsed() / 1e6;
            const QList<QStringList> listed = c.listRows(lines);
            const double shown = clock.nsecsElapsed() / 1e6;
            const auto result = c.import(db, lines);
            const double imported = clock.nsecsElapsed() / 1e6;
            if (!result || listed.size() != lines.size())
                return 3;
            report = paste::reportText(*result);
            const double done = clock.nsecsElapsed() / 1e6;
            parse.append(parsed);
            rows.append(shown - parsed);
            import.append(imported - shown);
            summary.append(done - imported);
            total.append(done);
            db.close();
        }
        std::printf("%-18s %9.1f %9.1f %9.1f %9.2f %9.1f\n", c.name, median(parse), median(rows),
                    median(import), median(summary), median(total));
        std::printf("  %s\n", qPrintable(report.section(u'\n', 0, 3)));
    }
    QFile::remove(work);
    return 0;
}
