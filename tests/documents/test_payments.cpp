#include "core/table_model.h"
#include "documents/payments.h"
#include "support/test_shop.h"

#include <QTest>

using namespace Qt::StringLiterals;

// Payments of open debts: how a payment is spread over the documents, what
// is stored, and that a failed save stores nothing.
class TestPayments final : public QObject
{
    Q_OBJECT
private slots:
    void spreadsOverDocumentsInStoredOrder_data();
    void spreadsOverDocumentsInStoredOrder();
    void partyListSumsOpenDocuments();
    void failedSaveStoresNothing();
};

namespace {

// A party of `side` with open documents of these amounts, stored in this
// order with codes that sort the other way, and one paid-off document.
void openDocuments(Database& db, Side side, const QString& party, const QList<int>& open)
{
    const SideInfo& info = sideInfo(side);
    QVERIFY(db.exec(u"insert into "_s + info.partyTable + u" values (?, ?, '', '', '')"_s,
                    {party, u"Bu 'Ani'"_s}));
    int number = 90;
    for (const int amount : open) {
        // Sold for amount + 50, 50 paid at the counter.
        QVERIFY(
            db.exec(u"insert into transaksi (Kode, Ref, KodeSP, Jumlah, Potongan, Tunai, "_s +
                        info.debtColumn + u") values (?, ?, ?, ?, 0, 50, ?)"_s,
                    {QString(info.documentKind + u"-000000000000"_s + QString::number(number--)),
                     info.documentRef, party, amount + 50, amount}));
    }
    QVERIFY(db.exec(u"insert into transaksi (Kode, KodeSP, Jumlah, Potongan, Tunai, "_s +
                        info.debtColumn + u") values (?, ?, 10, 0, 10, 0)"_s,
                    {QString(u"XX-"_s + party), party}));
}

QString column(Database& db, const QString& sql, const QVariantList& params = {})
{
    QStringList values;
    db.query(sql, params, [&](const QStringList& row) { values.append(row.join(u'|')); });
    return values.join(u' ');
}

payments::Payment paymentOf(Side side, const TableModel& parties, const QString& paid)
{
    return {side,
            u"2024-03-07"_s,
            parties.cell(0, payments::PartyCode),
            parties.cell(0, payments::PartyName),
            u"kasir"_s,
            parties.cell(0, payments::PartyOpen),
            paid};
}

} // namespace

void TestPayments::spreadsOverDocumentsInStoredOrder_data()
{
    QTest::addColumn<QList<int>>("open");
    QTest::addColumn<QString>("paid");
    QTest::addColumn<QString>("left"); // open amounts after, in stored order
    QTest::addColumn<QString>("cash"); // Tunai of the payment
    QTest::newRow("first closed, second lowered")
        << QList{100, 300} << u"250"_s << u"0 150"_s << u"250"_s;
    // The second stays open although the payment would have covered it.
    QTest::newRow("stops at the first not covered")
        << QList{300, 100} << u"250"_s << u"50 100"_s << u"250"_s;
    QTest::newRow("exact sum closes all") << QList{100, 300} << u"400"_s << u"0 0"_s << u"400"_s;
    QTest::newRow("surplus is not recorded") << QList{100, 300} << u"500"_s << u"0 0"_s << u"400"_s;
    QTest::newRow("nothing paid") << QList{100, 300} << u"0"_s << u"100 300"_s << u"0"_s;
    QTest::newRow("rounded half to even")
        << QList{100, 300} << u"100.5"_s << u"0 300"_s << u"100"_s;
    QTest::newRow("letters pasted read as their number")
        << QList{100} << u"60rb"_s << u"40"_s << u"60"_s;
}

void TestPayments::spreadsOverDocumentsInStoredOrder()
{
    QFETCH(QList<int>, open);
    QFETCH(QString, paid);
    QFETCH(QString, left);
    QFETCH(QString, cash);
    TestShop shop;
    Database& db = shop.db();
    QVERIFY(db.exec(u"insert into transaksi (Kode) values ('JL-00000000000200')"_s));
    int number = 201;
    for (const Side side : {Side::Sales, Side::Purchase}) {
        const SideInfo& info = sideInfo(side);
        openDocuments(db, side, info.partyPrefix + u"00001"_s, open);
        TableModel parties;
        TableModel documents;
        QVERIFY(payments::loadParties(db, side, parties));
        QVERIFY(payments::loadDocuments(db, side, parties.cell(0, 0), documents));
        const auto stored = payments::store(db, paymentOf(side, parties, paid), documents);
        QVERIFY(stored);
        QCOMPARE(stored->code, info.paymentKind + u"-00000000000"_s + QString::number(number++));
        QCOMPARE(column(db, u"select "_s + info.debtColumn +
                                u" from transaksi where Kode glob '"_s + info.documentKind +
                                u"-000000000000[0-9][0-9]' order by rowid"_s),
                 left);
        QCOMPARE(column(db,
                        u"select Ref, Tanggal, KodeSP, Tunai, typeof(Tunai), Operator, Ket, "
                        "Nota from transaksi where Kode=?"_s,
                        {stored->code}),
                 info.documentRef + u"|2024-03-07|"_s + info.partyPrefix + u"00001|"_s + cash +
                     u"|integer|kasir|"_s + info.paymentNote + u"Bu 'Ani'|"_s + info.paymentNota);
        // The lists show the payment: the party's paid and open sums, each document's cells.
        payments::showStored(*stored, paymentOf(side, parties, paid), documents, parties, 0);
        QStringList shown;
        for (int row = 0; row < documents.rowCount(); ++row)
            shown.append(documents.cell(row, payments::DocOpen));
        QCOMPARE(shown.join(u' '), left);
    }
}

void TestPayments::partyListSumsOpenDocuments()
{
    TestShop shop;
    Database& db = shop.db();
    openDocuments(db, Side::Sales, u"PL-00002"_s, {100, 300});
    QVERIFY(db.exec(u"update transaksi set Jumlah=Jumlah+20 where Kode like 'JL-%'"_s));
    QVERIFY(db.exec(u"insert into pelanggan (kode, nama) values ('PL-00001', 'Lunas')"_s));
    QVERIFY(db.exec(u"insert into transaksi (Kode, KodeSP, Jumlah, Potongan, Tunai, Piutang) "
                    "values ('JL-00000000000001', 'PL-00001', 10, 0, 0, 0)"_s));
    openDocuments(db, Side::Purchase, u"SP-001"_s, {70});
    TableModel parties;
    QVERIFY(payments::loadParties(db, Side::Sales, parties));
    // Credit given, paid off since, still open: 20 of each document paid off.
    QCOMPARE(parties.row(0).join(u'|'), u"PL-00002|Bu 'Ani'|440|40|400"_s);
    QCOMPARE(parties.rowCount(), 1);
    QVERIFY(payments::loadParties(db, Side::Purchase, parties));
    QCOMPARE(parties.row(0).join(u'|'), u"SP-001|Bu 'Ani'|70|0|70"_s);

    // Nobody chosen: nothing is stored.
    TableModel documents;
    const auto none = payments::store(db, {}, documents);
    QCOMPARE(none.reason(), u"Pilih Pelanggan terlebih dahulu."_s);
}

void TestPayments::failedSaveStoresNothing()
{
    TestShop shop;
    Database& db = shop.db();
    openDocuments(db, Side::Sales, u"PL-00001"_s, {100, 300});
    QVERIFY(db.exec(u"create trigger refuse before insert on transaksi when new.Kode like 'PI-%' "
                    "begin select raise(abort, 'ditolak'); end"_s));
    TableModel parties;
    TableModel documents;
    QVERIFY(payments::loadParties(db, Side::Sales, parties));
    QVERIFY(payments::loadDocuments(db, Side::Sales, u"PL-00001"_s, documents));
    const auto payment = paymentOf(Side::Sales, parties, u"250"_s);
    const auto failed = payments::store(db, payment, documents);
    QVERIFY(!failed);
    QCOMPARE(shop.messages.lastText(), u"SQL error: ditolak"_s);
    QCOMPARE(column(db, u"select Piutang from transaksi where Kode like 'JL-%' order by rowid"_s),
             u"100 300"_s);
    // Tried again once the cause is gone.
    QVERIFY(db.exec(u"drop trigger refuse"_s));
    QVERIFY(payments::store(db, payment, documents));
    QCOMPARE(column(db, u"select Piutang from transaksi where Kode like 'JL-%' order by rowid"_s),
             u"0 150"_s);
}

QTEST_GUILESS_MAIN(TestPayments)
#include "test_payments.moc"
