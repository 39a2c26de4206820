// toko_bench_tills: two tills storing into one shop at the same time.
//
//   toko_bench_tills [DATABASE] [--documents N]
//
// Two processes of this program each store N documents (200 unless told)
// through the program's own logic, at the same time, on the shop DATABASE:
// sales on credit, payments of a customer's open receivable and returns
// against it, for six customers, so the two tills keep meeting on the same
// debts. A payment is typed against the list read a moment before and a
// return against the debt shown, as at the counter; when the other till
// changed that debt meanwhile, the save is refused and done again on what is
// open now. Then the file is checked and the figures printed: documents
// stored, saves refused on a changed list, negative debts, duplicate
// document numbers, and the customers whose open debts differ from the
// credit sold less what payments and returns settled. The exit code is 0
// only when there are no negative debts, no duplicate numbers, no such
// customer, and every document the tills stored is there.
//
// A DATABASE that does not exist is made as an empty shop; the customers and
// products the tills use are added when missing. Without DATABASE a shop in a
// temporary folder is used and removed at the end.

#include "core/database.h"
#include "core/text_ops.h"
#include "logic/cart.h"
#include "logic/payments.h"
#include "logic/returns.h"
#include "logic/sale_store.h"
#include "logic/shop_database.h"

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <random>
#include <thread>

namespace {

constexpr int customers = 6;
constexpr int products = 20;

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

// What one till did.
struct Count {
    int stored = 0;
    int changed = 0; // saves refused because the other till changed the debt meanwhile
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
    bool sell(int party);
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
    const int kind = pick(10);
    return kind < 4 ? sell(party) : kind < 8 ? pay(party) : giveBack(party);
}

bool Till::done(const QString& reason)
{
    if (!reason.isEmpty() || !m_db.errorMessage().isEmpty())
        std::fprintf(stderr, "%s: %s %s\n", qPrintable(m_operator), qPrintable(reason),
                     qPrintable(m_db.errorMessage()));
    return false;
}

bool Till::sell(int party)
{
    QList<DocumentLine> lines;
    double total = 0;
    for (int line = 1 + pick(3); line > 0; --line) {
        const int item = pick(products);
        const int quantity = 1 + pick(5);
        const int price = 1000 * (item + 1);
        lines.append({product(item), QStringLiteral("Barang"), QString::number(quantity),
                      QStringLiteral("pcs"), QString::number(price), QStringLiteral("0"),
                      QString::number(quantity * price)});
        total += quantity * price;
    }
    const QString net = QString::number(total);
    const Outcome<QString> stored = sales::store(
        m_db, {Side::Sales, m_date, m_date, customer(party), customerName(party), m_operator, net,
               QStringLiteral("0"), net, QString::number(pick(int(total) / 2)), lines});
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
    std::printf("%d %d\n", till.count().stored, till.count().changed);
    return 0;
}

// The shop's customers and products, added when missing.
QString prepare(const QString& path)
{
    if (!QFile::exists(path)) {
        if (const QString error = shopdb::create(path, false).reason(); !error.isEmpty())
            return error;
    }
    Database db;
    if (!db.open(path))
        return db.errorMessage();
    Database::Transaction transaction(db);
    for (int i = 0; i < customers; ++i)
        db.exec(QStringLiteral("insert or ignore into pelanggan (kode, nama) values (?, ?)"),
                {customer(i), customerName(i)});
    for (int i = 0; i < products; ++i)
        db.exec(QStringLiteral("insert or ignore into barang (kode, nama, satuan, stock, hpp, "
                               "hargajual, diskon) values (?, 'Barang', 'pcs', 1000000, ?, ?, 0)"),
                {product(i), 800 * (i + 1), 1000 * (i + 1)});
    return transaction.commit() ? QString() : db.errorMessage();
}

QString number(Database& db, const QString& sql)
{
    return db.scalar(QStringLiteral("select ") + sql);
}

int runBoth(const QString& path, int documents)
{
    if (const QString error = prepare(path); !error.isEmpty()) {
        std::printf("cannot prepare the shop: %s\n", qPrintable(error));
        return 2;
    }
    Database db;
    if (!db.open(path))
        return 2;
    const int before = number(db, QStringLiteral("count(*) from transaksi")).toInt();

    QElapsedTimer timer;
    timer.start();
    QProcess tills[2];
    for (int i = 0; i < 2; ++i) {
        tills[i].setProcessChannelMode(QProcess::ForwardedErrorChannel);
        tills[i].start(
            QCoreApplication::applicationFilePath(),
            {QStringLiteral("--till"), QString::number(i + 1), path, QString::number(documents)});
    }
    Count total;
    bool tillsOk = true;
    for (QProcess& till : tills) {
        till.waitForFinished(-1);
        const QList<QByteArray> figures = till.readAllStandardOutput().trimmed().split(' ');
        tillsOk = tillsOk && till.exitStatus() == QProcess::NormalExit && till.exitCode() == 0 &&
                  figures.size() == 2;
        total.stored += figures.value(0).toInt();
        total.changed += figures.value(1).toInt();
    }
    const double seconds = timer.elapsed() / 1000.0;

    const int stored = number(db, QStringLiteral("count(*) from transaksi")).toInt() - before;
    const QString kinds =
        number(db, QStringLiteral("group_concat(n, ', ') from (select substr(Kode,1,2) || ' ' || "
                                  "count(*) as n from transaksi group by substr(Kode,1,2))"));
    const int negative = number(db, QStringLiteral("count(*) from transaksi where Piutang<0 or "
                                                   "Hutang<0"))
                             .toInt();
    const int duplicates = number(db, QStringLiteral("count(*) - count(distinct substr(Kode,4)) "
                                                     "from transaksi"))
                               .toInt();
    // Open = credit given at the counter − payments − what returns settled
    // (their value less the refund), per customer.
    const int differing =
        number(db, QStringLiteral(
                       "count(*) from (select KodeSP, "
                       "total(case when Kode glob 'JL-*' then Piutang end) as open, "
                       "total(case when Kode glob 'JL-*' then Jumlah-Potongan-Tunai end) as sold, "
                       "total(case when Kode glob 'PI-*' then Tunai end) as paid, "
                       "total(case when Kode glob 'RJ-*' then Tunai-Jumlah end) as returned "
                       "from transaksi group by KodeSP) where open <> sold - paid - returned"))
            .toInt();

    std::printf("two tills, %d documents each, on %s: %.1f s\n", documents, qPrintable(path),
                seconds);
    std::printf("documents stored: %d (%s in the shop)\n", stored, qPrintable(kinds));
    std::printf("saves refused on a changed debt, then stored on what was open: %d\n",
                total.changed);
    std::printf("negative debts: %d\n", negative);
    std::printf("duplicate document numbers: %d\n", duplicates);
    std::printf("customers whose open debts differ from credit sold less payments and "
                "returns: %d\n",
                differing);
    const bool ok = tillsOk && stored == total.stored && stored == 2 * documents && negative == 0 &&
                    duplicates == 0 && differing == 0;
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
    int documents = 200;
    if (const qsizetype at = arguments.indexOf(QStringLiteral("--documents")); at >= 0) {
        documents = arguments.value(at + 1).toInt();
        arguments.remove(at, 2);
    }
    if (!arguments.isEmpty())
        return runBoth(arguments.first(), documents);
    QTemporaryDir folder;
    return runBoth(folder.filePath(QStringLiteral("toko.db3")), documents);
}
