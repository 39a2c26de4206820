// toko_bench_tills: several tills storing into one shop at the same time.
//
//   toko_bench_tills [DATABASE] [--documents N] [--tills T]
//
// T processes of this program (2 unless told) each store N documents (200
// unless told) through the program's own logic, at the same time, on the
// shop DATABASE, a file or a server's address: sales with and without
// credit, purchases, payments of a customer's open receivable and returns
// against it, stock counts and cash entries, for six customers, so the tills
// keep meeting on the same debts, stock and numbers. A payment is typed
// against the list read a moment before and a return against the debt
// shown, as at the counter; when another till changed that debt meanwhile,
// the save is refused and done again on what is open now. Then the shop is
// checked and the figures printed: documents stored, saves refused on a
// changed list, negative debts, duplicate document numbers, parties whose
// open debts differ from the credit given less what payments and returns
// settled, and products whose stock is not the starting stock plus and minus
// every stored line (or, for counted products, the last count). The exit
// code is 0 only when all of those are 0 and every document the tills stored
// is there.
//
// A DATABASE that does not exist (a file) or has no tables (a server) is
// made as an empty shop; the customers, suppliers and products the tills use
// are added when missing. Without DATABASE a shop in a temporary folder is
// used and removed at the end.

#include "core/database.h"
#include "core/text_ops.h"
#include "logic/cart.h"
#include "logic/cash_book.h"
#include "logic/payments.h"
#include "logic/returns.h"
#include "logic/sale_store.h"
#include "logic/shop_database.h"
#include "logic/stock_correction.h"

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <memory>
#include <random>
#include <thread>

namespace {

constexpr int customers = 6;
constexpr int products = 20;
constexpr int counted = 5; // products only stock counts touch: C001…
constexpr int suppliers = 2;
constexpr double startingStock = 1000000;

QString customer(int index)
{
    return QStringLiteral("PL-%1").arg(index + 1, 5, 10, QLatin1Char('0'));
}

QString customerName(int index)
{
    return QStringLiteral("Pelanggan %1").arg(index + 1);
}

QString product(int index)
{
    return QStringLiteral("B%1").arg(index + 1, 3, 10, QLatin1Char('0'));
}

QString countedProduct(int index)
{
    return QStringLiteral("C%1").arg(index + 1, 3, 10, QLatin1Char('0'));
}

QString supplier(int index)
{
    return QStringLiteral("SP-%1").arg(index + 1, 3, 10, QLatin1Char('0'));
}

// What one till did.
struct Count {
    int stored = 0;
    int changed = 0; // saves refused because the other till changed the debt meanwhile
    int counts = 0;  // stock counts among the stored
};

class Till final
{
public:
    Till(Database& db, int number)
        : m_db(db), m_random(number), m_operator(QStringLiteral("till %1").arg(number))
    {
    }

    // One document of a kind chosen at random; false when it could not be stored.
    bool storeOne();
    const Count& count() const { return m_count; }

private:
    int pick(int below) { return int(m_random() % unsigned(below)); }
    // The cashier types: the other till may store meanwhile.
    void pause() { std::this_thread::sleep_for(std::chrono::microseconds(pick(3000))); }
    bool sell(int party, bool inFull = false);
    bool buy();
    bool countStock();
    bool enterCash();
    bool pay(int party);
    bool giveBack(int party);
    bool done(const QString& reason);

    Database& m_db;
    std::mt19937 m_random;
    QString m_operator;
    const QString m_date = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
    Count m_count;
};

bool Till::storeOne()
{
    const int party = pick(customers);
    switch (pick(10)) {
    case 0:
    case 1:
        return sell(party);
    case 2:
        return sell(party, true);
    case 3:
        return buy();
    case 4:
    case 5:
        return pay(party);
    case 6:
        return giveBack(party);
    case 7:
        return countStock();
    case 8:
        return enterCash();
    default:
        return sell(party, pick(2) == 0);
    }
}

bool Till::done(const QString& reason)
{
    if (!reason.isEmpty() || !m_db.errorMessage().isEmpty())
        std::fprintf(stderr, "%s: %s %s\n", qPrintable(m_operator), qPrintable(reason),
                     qPrintable(m_db.errorMessage()));
    return false;
}

// Lines of one to three products.
QList<DocumentLine> someLines(const std::function<int(int)>& pick, double& total)
{
    QList<DocumentLine> lines;
    for (int line = 1 + pick(3); line > 0; --line) {
        const int item = pick(products);
        const int quantity = 1 + pick(5);
        const int price = 1000 * (item + 1);
        lines.append({product(item), QStringLiteral("Barang"), QString::number(quantity),
                      QStringLiteral("pcs"), QString::number(price), QStringLiteral("0"),
                      QString::number(quantity * price)});
        total += quantity * price;
    }
    return lines;
}

bool Till::sell(int party, bool inFull)
{
    double total = 0;
    const QList<DocumentLine> lines = someLines([this](int below) { return pick(below); }, total);
    const QString net = QString::number(total);
    const QString paid = inFull ? net : QString::number(pick(int(total) / 2));
    const Outcome<QString> stored =
        sales::store(m_db, {Side::Sales, m_date, m_date, customer(party), customerName(party),
                            m_operator, net, QStringLiteral("0"), net, paid, lines});
    if (!stored)
        return done(stored.reason());
    ++m_count.stored;
    return true;
}

bool Till::buy()
{
    double total = 0;
    const QList<DocumentLine> lines = someLines([this](int below) { return pick(below); }, total);
    const QString net = QString::number(total);
    const int from = pick(suppliers);
    const Outcome<QString> stored =
        sales::store(m_db, {Side::Purchase, m_date, m_date, supplier(from),
                            QStringLiteral("Pemasok"), m_operator, net, QStringLiteral("0"), net,
                            pick(2) == 0 ? net : QString::number(pick(int(total))), lines});
    if (!stored)
        return done(stored.reason());
    ++m_count.stored;
    return true;
}

bool Till::countStock()
{
    StockCorrection correction(m_db);
    const QString code = countedProduct(pick(counted));
    const Outcome<std::optional<StockCorrection::Found>> found = correction.lookup(code);
    if (!found || !*found)
        return done(QStringLiteral("no counted product"));
    const QString shelf = QString::number(100 + pick(50));
    if (const Outcome<> added =
            correction.addLine({code, (*found)->name, (*found)->stock, shelf, QString()});
        !added)
        return done(added.reason());
    const Outcome<QString> stored = correction.save(m_date, m_operator);
    if (!stored)
        return done(stored.reason());
    ++m_count.stored;
    ++m_count.counts;
    return true;
}

bool Till::enterCash()
{
    const cashbook::Entry entry{pick(2) == 0 ? cashbook::Flow::In : cashbook::Flow::Out,
                                m_date,
                                QStringLiteral("Pak RT"),
                                QStringLiteral("Iuran"),
                                QString::number(1000 * (1 + pick(20))),
                                m_operator};
    const Outcome<QString> stored = cashbook::store(m_db, entry);
    if (!stored)
        return done(stored.reason());
    ++m_count.stored;
    return true;
}

bool Till::pay(int party)
{
    for (;;) {
        const Outcome<Table> parties = payments::loadParties(m_db, Side::Sales);
        const Outcome<Table> documents =
            payments::loadDocuments(m_db, Side::Sales, customer(party));
        if (!parties || !documents)
            return done(parties ? documents.reason() : parties.reason());
        QString open;
        for (const QStringList& row : parties->rows) {
            if (row.value(payments::PartyCode) == customer(party))
                open = row.value(payments::PartyOpen);
        }
        if (open.isEmpty()) // nothing to pay: a sale instead
            return sell(party);
        // Now and then more than is open: only what is open is recorded.
        const QString paid = QString::number(1 + pick(int(open.toDouble() * 1.2)));
        pause();
        const Outcome<payments::Stored> stored = payments::store(
            m_db, {Side::Sales, m_date, customer(party), customerName(party), m_operator,
                   text::textToNumber(open), open, paid, payments::documentsOf(documents->rows)});
        if (stored) {
            ++m_count.stored;
            return true;
        }
        if (stored.reason() !=
            payments::changedText(Side::Sales, customerName(party), QStringLiteral("pembayaran")))
            return done(stored.reason());
        ++m_count.changed;
    }
}

bool Till::giveBack(int party)
{
    ReturnDocument document(m_db, Side::Sales);
    (void)document.setParty(customer(party) + QStringLiteral("; ") + customerName(party));
    if (const Outcome<bool> found = document.lookup(product(pick(products))); !found || !*found)
        return done(QStringLiteral("no product"));
    document.setQuantity(QString::number(1 + pick(3)));
    if (const Outcome<bool> line = document.completeLine(); !line)
        return done(line.reason());
    pause();
    for (;;) {
        const Outcome<QString> stored = document.save(m_date, m_operator);
        if (stored) {
            ++m_count.stored;
            return true;
        }
        if (stored.reason() !=
            payments::changedText(Side::Sales, customerName(party), QStringLiteral("retur")))
            return done(stored.reason());
        ++m_count.changed; // the debt has been read anew
    }
}

// One till: `documents` documents into `path`; prints what it stored.
int runTill(const QString& path, int number, int documents)
{
    Database db;
    if (!db.open(path)) {
        std::fprintf(stderr, "till %d: %s\n", number, qPrintable(db.errorMessage()));
        return 2;
    }
    Till till(db, number);
    for (int i = 0; i < documents; ++i) {
        if (!till.storeOne())
            return 2;
    }
    std::printf("%d %d %d\n", till.count().stored, till.count().changed, till.count().counts);
    return 0;
}

// The shop's customers, suppliers and products, added when missing.
QString prepare(const QString& path)
{
    Database db;
    const bool server = ServerConnection::isAddress(path);
    if (server && !db.open(path))
        return db.errorMessage();
    if (server ? db.value(QStringLiteral("select to_regclass('barang') is null")).value() == u"1"
               : !QFile::exists(path)) {
        if (const QString error = shopdb::create(path, false).reason(); !error.isEmpty())
            return error;
    }
    if (!db.isOpen() && !db.open(path))
        return db.errorMessage();
    Database::Transaction transaction(db);
    const auto add = [&](const QString& sql, const QVariantList& values) {
        return db.exec(sql + QStringLiteral(" on conflict do nothing"), values);
    };
    bool ok = transaction.active();
    for (int i = 0; i < customers; ++i)
        ok = ok && add(QStringLiteral("insert into pelanggan (kode, nama) values (?, ?)"),
                       {customer(i), customerName(i)});
    for (int i = 0; i < suppliers; ++i)
        ok = ok && add(QStringLiteral("insert into supplier (kode, nama) values (?, 'Pemasok')"),
                       {supplier(i)});
    const QString product = QStringLiteral("insert into barang (kode, nama, satuan, stock, hpp, "
                                           "hargajual, diskon) values (?, 'Barang', 'pcs', ?, ?, "
                                           "?, 0)");
    for (int i = 0; i < products; ++i)
        ok = ok && add(product, {::product(i), startingStock, 800 * (i + 1), 1000 * (i + 1)});
    for (int i = 0; i < counted; ++i)
        ok = ok && add(product, {countedProduct(i), 100, 500, 700});
    return ok && transaction.commit() ? QString() : db.errorMessage();
}

QString number(Database& db, const QString& sql)
{
    return db.value(QStringLiteral("select ") + sql).value();
}

int runAll(const QString& path, int tillCount, int documents)
{
    if (const QString error = prepare(path); !error.isEmpty()) {
        std::printf("cannot prepare the shop: %s\n", qPrintable(error));
        return 2;
    }
    Database db;
    if (!db.open(path))
        return 2;
    const int before = number(db, QStringLiteral("count(*) from transaksi")).toInt();
    const int countsBefore =
        number(db, QStringLiteral("count(distinct Kode) from itemkoreksi")).toInt();

    QElapsedTimer timer;
    timer.start();
    std::vector<std::unique_ptr<QProcess>> tills;
    for (int i = 0; i < tillCount; ++i) {
        tills.push_back(std::make_unique<QProcess>());
        tills.back()->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        tills.back()->start(
            QCoreApplication::applicationFilePath(),
            {QStringLiteral("--till"), QString::number(i + 1), path, QString::number(documents)});
    }
    Count total;
    bool tillsOk = true;
    for (const auto& till : tills) {
        till->waitForFinished(-1);
        const QList<QByteArray> figures = till->readAllStandardOutput().trimmed().split(' ');
        tillsOk = tillsOk && till->exitStatus() == QProcess::NormalExit && till->exitCode() == 0 &&
                  figures.size() == 3;
        total.stored += figures.value(0).toInt();
        total.changed += figures.value(1).toInt();
        total.counts += figures.value(2).toInt();
    }
    const double seconds = timer.elapsed() / 1000.0;

    const int counts =
        number(db, QStringLiteral("count(distinct Kode) from itemkoreksi")).toInt() - countsBefore;
    const int stored =
        number(db, QStringLiteral("count(*) from transaksi")).toInt() - before + counts;
    QStringList kinds;
    const Outcome<QList<QStringList>> perKind =
        db.select(QStringLiteral("select substr(Kode,1,2), count(*) from transaksi "
                                 "group by substr(Kode,1,2) order by 1"));
    for (const QStringList& row : perKind.value())
        kinds.append(row.join(u' '));
    const int negative = number(db, QStringLiteral("count(*) from transaksi where Piutang<0 or "
                                                   "Hutang<0"))
                             .toInt();
    const int duplicates = number(db, QStringLiteral("count(*) - count(distinct substr(Kode,4)) "
                                                     "from transaksi"))
                               .toInt();
    // Open = credit given at the counter − payments − what returns settled
    // (their value less the refund), per customer; per supplier, what was
    // bought on credit.
    const auto sum = [](const QString& kind, const QString& what) {
        return QStringLiteral("coalesce(sum(case when Kode like '%1-%' then %2 end), 0)")
            .arg(kind, what);
    };
    const int differing =
        number(db, QStringLiteral("count(*) from (select KodeSP, ") +
                       sum(QStringLiteral("JL"), QStringLiteral("Piutang")) +
                       QStringLiteral(" + ") + sum(QStringLiteral("BL"), QStringLiteral("Hutang")) +
                       QStringLiteral(" as open, ") +
                       sum(QStringLiteral("JL"), QStringLiteral("Jumlah-Potongan-Tunai")) +
                       QStringLiteral(" + ") +
                       sum(QStringLiteral("BL"), QStringLiteral("Jumlah-Potongan-Tunai")) +
                       QStringLiteral(" as given, ") +
                       sum(QStringLiteral("PI"), QStringLiteral("Tunai")) +
                       QStringLiteral(" as paid, ") +
                       sum(QStringLiteral("RJ"), QStringLiteral("Tunai-Jumlah")) +
                       QStringLiteral(" as returned from transaksi group by KodeSP) as debts "
                                      "where open <> given - paid - returned"))
            .toInt();
    // Every line moved the stock it names; a count sets it.
    const auto moved = [](const QString& table) {
        return QStringLiteral("coalesce((select sum(Qty) from %1 where KodeBarang=b.kode), 0)")
            .arg(table);
    };
    const int wrongStock =
        number(db, QStringLiteral("count(*) from barang b where b.kode like 'B%' and b.stock <> ") +
                       QString::number(startingStock) + QStringLiteral(" - ") +
                       moved(QStringLiteral("itempenjualan")) + QStringLiteral(" + ") +
                       moved(QStringLiteral("itempembelian")) + QStringLiteral(" + ") +
                       moved(QStringLiteral("itemreturjual")))
            .toInt() +
        number(db, QStringLiteral("count(*) from barang b where b.kode like 'C%' and b.stock <> "
                                  "coalesce((select QtyReal from itemkoreksi where "
                                  "KodeBarang=b.kode order by ") +
                       db.storedOrder() + QStringLiteral(" desc limit 1), 100)"))
            .toInt();

    std::printf("%d tills, %d documents each, on %s: %.1f s, %.0f documents a second\n", tillCount,
                documents, qPrintable(ServerConnection::shown(path)), seconds, stored / seconds);
    std::printf("documents stored: %d (%s in the shop, %d stock counts)\n", stored,
                qPrintable(kinds.join(QStringLiteral(", "))), counts);
    std::printf("saves refused on a changed debt, then stored on what was open: %d\n",
                total.changed);
    std::printf("negative debts: %d\n", negative);
    std::printf("duplicate document numbers: %d\n", duplicates + total.counts - counts);
    std::printf("parties whose open debts differ from credit given less payments and "
                "returns: %d\n",
                differing);
    std::printf("products whose stock is not the start plus and minus every line: %d\n",
                wrongStock);
    const bool ok = tillsOk && stored == total.stored && stored == tillCount * documents &&
                    negative == 0 && duplicates == 0 && counts == total.counts && differing == 0 &&
                    wrongStock == 0;
    std::printf("%s\n", ok ? "ok" : "FAILED");
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QStringList arguments = application.arguments().mid(1);
    if (arguments.value(0) == u"--till")
        return runTill(arguments.value(2), arguments.value(1).toInt(), arguments.value(3).toInt());
    const auto option = [&](const QString& name, int otherwise) {
        const qsizetype at = arguments.indexOf(name);
        if (at < 0)
            return otherwise;
        const int value = arguments.value(at + 1).toInt();
        arguments.remove(at, 2);
        return value;
    };
    const int documents = option(QStringLiteral("--documents"), 200);
    const int tills = option(QStringLiteral("--tills"), 2);
    if (!arguments.isEmpty())
        return runAll(arguments.first(), tills, documents);
    QTemporaryDir folder;
    return runAll(folder.filePath(QStringLiteral("toko.db3")), tills, documents);
}
