#include "core/table_model.h"
#include "documents/payments.h"
#include "support/test_shop.h"

#include <QTest>

using namespace Qt::StringLiterals;

// Payments of open debts: how a payment is spread over the documents and
// what is stored, on both sides. (A failed save: the payment screen's test.)
class TestPayments final : public QObject
{
    Q_OBJECT
private slots:
    void spreadsInStoredOrder_data();
    void spreadsInStoredOrder();
};

namespace {

// Party "<prefix>00001" owes these amounts on documents stored in this order,
// numbered the other way; each was sold for 20 more, 20 paid since.
void owes(Database& db, Side side, const QList<int>& open)
{
    const SideInfo& info = sideInfo(side);
    QVERIFY(
        db.exec(u"insert into "_s + info.partyTable + u" values (?, 'Bu ''Ani''', '', '', '')"_s,
                {QString(info.partyPrefix + u"00001"_s)}));
    int number = 90;
    for (const int amount : open)
        QVERIFY(db.exec(
            u"insert into transaksi (Kode, Ref, KodeSP, Jumlah, Potongan, Tunai, "_s +
                info.debtColumn + u") values (?, ?, ?, ?, 0, 0, ?)"_s,
            {QString(info.documentKind + u"-000000000000"_s + QString::number(number--)),
             info.documentRef, QString(info.partyPrefix + u"00001"_s), amount + 20, amount}));
}

QString rows(Database& db, const QString& sql)
{
    QStringList values;
    db.query(sql, {}, [&](const QStringList& row) { values.append(row.join(u'|')); });
    return values.join(u' ');
}

payments::Payment paying(Side side, const TableModel& parties, const QString& paid)
{
    return {side,
            u"2024-03-07"_s,
            parties.cell(0, 0),
            parties.cell(0, 1),
            u"kasir"_s,
            parties.cell(0, payments::PartyOpen),
            paid};
}

} // namespace

void TestPayments::spreadsInStoredOrder_data()
{
    QTest::addColumn<QList<int>>("open");
    QTest::addColumn<QString>("paid");
    QTest::addColumn<QString>("left"); // open amounts after, in stored order
    QTest::addColumn<int>("cash");     // Tunai of the payment
    const QList<int> small{100, 300}, large{300, 100};
    QTest::newRow("first closed, second lowered") << small << u"250"_s << u"0 150"_s << 250;
    // The second stays open although the payment would have covered it.
    QTest::newRow("stops at the first not covered") << large << u"250"_s << u"50 100"_s << 250;
    QTest::newRow("exact sum closes all") << small << u"400"_s << u"0 0"_s << 400;
    QTest::newRow("surplus not recorded") << small << u"500"_s << u"0 0"_s << 400;
    QTest::newRow("nothing paid") << small << u"0"_s << u"100 300"_s << 0;
    QTest::newRow("half to even, letters") << small << u"100.5rb"_s << u"0 300"_s << 100;
}

void TestPayments::spreadsInStoredOrder()
{
    QFETCH(QList<int>, open);
    QFETCH(QString, paid);
    QFETCH(QString, left);
    QFETCH(int, cash);
    TestShop shop;
    Database& db = shop.db();
    int number = 1;
    for (const Side side : {Side::Sales, Side::Purchase}) {
        const SideInfo& info = sideInfo(side);
        owes(db, side, open);
        TableModel parties, documents;
        payments::Payment nobody;
        nobody.side = side;
        QCOMPARE(payments::store(db, nobody, documents).reason(),
                 u"Pilih "_s + info.partyWord + u" terlebih dahulu."_s);
        QVERIFY(payments::loadParties(db, side, parties));
        // Credit given, paid off since, still open.
        QCOMPARE(parties.row(0).mid(2).join(u'|'), u"440|40|400"_s);
        QVERIFY(payments::loadDocuments(db, side, parties.cell(0, 0), documents));
        const auto stored = payments::store(db, paying(side, parties, paid), documents);
        QVERIFY(stored);
        QCOMPARE(stored->code, info.paymentKind + u"-0000000000009"_s + QString::number(number++));
        QCOMPARE(rows(db, u"select "_s + info.debtColumn + u" from transaksi where Kode glob '"_s +
                              info.documentKind + u"-*' order by rowid"_s),
                 left);
        QCOMPARE(rows(db, u"select Ref, Tanggal, KodeSP, Tunai, typeof(Tunai), Operator, Ket, Nota "
                          "from transaksi where Kode='"_s +
                              stored->code + u'\''),
                 info.documentRef + u"|2024-03-07|"_s + info.partyPrefix + u"00001|"_s +
                     QString::number(cash) + u"|integer|kasir|"_s + info.paymentNote +
                     u"Bu 'Ani'|"_s + info.paymentNota);
    }
}

QTEST_GUILESS_MAIN(TestPayments)
#include "test_payments.moc"
