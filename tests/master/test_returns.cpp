#include "core/database.h"
#include "master/returns.h"
#include "pos/product_search.h"
#include "support/test_shop.h"

#include <QTest>

using namespace Qt::StringLiterals;

// Returns on both sides: the lines, the stock, the header, the settlement of
// the party's open documents and the refund, stored once and whole.
class TestReturns final : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup() { m_shop.reset(); }
    void settlement_data();
    void settlement();
    void lineArithmetic_data();
    void lineArithmetic();
    void storedOnce();
    void failureStoresNothing();
    void boughtItemsInBatches_data();
    void boughtItemsInBatches();

private:
    Database& db() { return m_shop->db(); }
    QString stored(const QString& sql) { return db().scalar(u"select "_s + sql); }
    // A line for `code` as the screen makes it: lookup, then the boxes.
    Outcome<> add(ReturnDocument& document, const QString& code, const QString& quantity,
                  const QString& discount = {});

    std::unique_ptr<TestShop> m_shop;
};

void TestReturns::init()
{
    m_shop = std::make_unique<TestShop>();
    QVERIFY2(m_shop->error().isEmpty(), qPrintable(m_shop->error()));
    QVERIFY(
        db().exec(u"insert into barang (kode, nama, satuan, stock, hpp, hargajual, diskon) values "
                  "('111', 'Sabun ''Wangi''', 'pcs', 10, 80, 100, 0), "
                  "('222', 'Kopi', 'bks', 5, 30, 50, 5)"_s));
    QVERIFY(db().exec(u"insert into pelanggan (kode, nama) values ('PL-00001', 'Bu ''Ani'''), "
                      "('PL-00002', 'Pak Budi')"_s));
    QVERIFY(db().exec(u"insert into supplier (kode, nama) values ('SP-001', 'CV Maju')"_s));
}

Outcome<> TestReturns::add(ReturnDocument& document, const QString& code, const QString& quantity,
                           const QString& discount)
{
    if (!document.lookup(code))
        return Failure{u"not found"_s};
    document.setQuantity(quantity);
    if (!discount.isNull())
        document.setDiscount(discount);
    return document.completeLine();
}

void TestReturns::settlement_data()
{
    QTest::addColumn<Side>("side");
    QTest::addColumn<QList<int>>("open");  // the party's open documents, in the order stored
    QTest::addColumn<QString>("quantity"); // of product 111
    QTest::addColumn<QString>("debtShown");
    QTest::addColumn<QString>("left"); // the open amounts after the return
    QTest::addColumn<QString>("refund");
    const Side rj = Side::Sales, rb = Side::Purchase;
    // Product 111 at 100 (selling price) or 80 (cost price) a unit.
    QTest::newRow("500 against 300 and 400")
        << rj << QList{300, 400} << u"5"_s << u"700"_s << u"0,200"_s << u"0"_s;
    QTest::newRow("oldest first, not smallest")
        << rj << QList{400, 300} << u"5"_s << u"700"_s << u"0,200"_s << u"0"_s;
    QTest::newRow("equal pays it off")
        << rj << QList{100} << u"1"_s << u"100"_s << u"0"_s << u"0"_s;
    QTest::newRow("more than the debt")
        << rj << QList{100, 200} << u"5"_s << u"300"_s << u"0,0"_s << u"200"_s;
    QTest::newRow("no debt") << rj << QList<int>{} << u"2"_s << u"0"_s << u""_s << u"200"_s;
    QTest::newRow("purchase return at cost")
        << rb << QList{300, 400} << u"5"_s << u"700"_s << u"0,300"_s << u"0"_s;
}

void TestReturns::settlement()
{
    QFETCH(Side, side);
    QFETCH(QList<int>, open);
    QFETCH(QString, quantity);
    QFETCH(QString, debtShown);
    QFETCH(QString, left);
    QFETCH(QString, refund);
    const SideInfo& info = sideInfo(side);
    const QString party = side == Side::Sales ? u"PL-00001"_s : u"SP-001"_s;
    for (int i = 0; i < open.size(); ++i) {
        QVERIFY(db().exec(
            u"insert into transaksi (Kode, KodeSP, "_s + info.debtColumn + u") values (?, ?, ?)"_s,
            {QString(info.documentKind + u"-0000000000000"_s + QString::number(i + 1)), party,
             open.at(i)}));
    }
    // Another party's debt is not touched.
    QVERIFY(db().exec(u"insert into transaksi (Kode, KodeSP, Piutang, Hutang) "
                      "values ('JL-00000000000009', 'PL-00002', 50, 50)"_s));

    ReturnDocument document(db(), side);
    const auto entries = ReturnDocument::partyEntries(db(), side);
    QVERIFY(entries && entries->contains(party + u"; "_s +
                                         (side == Side::Sales ? u"Bu 'Ani'"_s : u"CV Maju"_s)));
    document.setParty(entries->value(0));
    QCOMPARE(document.debt(), debtShown);
    QVERIFY(add(document, u"111"_s, quantity));
    const double total = quantity.toDouble() * (side == Side::Sales ? 100 : 80);
    QCOMPARE(document.total(), QString::number(total));

    const Outcome<QString> code = document.save(u"2024-03-07"_s, u"kasir"_s);
    QVERIFY(code);
    QCOMPARE(*code, info.returnKind + u"-00000000000010"_s);
    QCOMPARE(stored(u"group_concat("_s + info.debtColumn +
                    u") from (select * from transaksi where KodeSP='"_s + party +
                    u"' and Kode<>'"_s + *code + u"' order by rowid)"_s),
             left);
    QCOMPARE(stored(u"Piutang||Hutang from transaksi where KodeSP='PL-00002'"_s), u"5050"_s);
    int stillOpen = 0; // "Sisa " on the saved screen is what stays open
    for (const QString& amount : left.split(u',', Qt::SkipEmptyParts))
        stillOpen += amount.toInt();
    QCOMPARE(document.rest(), QString::number(stillOpen));
    QCOMPARE(stored(u"Ref||'|'||Tanggal||'|'||KodeSP||'|'||Tunai||'|'||Jumlah||'|'||Operator||'|'"
                    "||Nota||'|'||(Nota=Ket) from transaksi where Kode='"_s +
                    *code + u'\''),
             u"%1|2024-03-07|%2|%3|%4|kasir|%5|1"_s.arg(
                 info.returnRef, party, QString::number(total), refund,
                 info.returnNote + (side == Side::Sales ? u" Bu 'Ani'"_s : u" CV Maju"_s)));
    QCOMPARE(stored(u"group_concat(Kode||'|'||KodeBarang||'|'||NamaBarang||'|'||Qty||'|'||Satuan"
                    "||'|'||Harga||'|'||Diskon||'|'||Jumlah) from "_s +
                    info.returnLineTable),
             u"%1|111|Sabun 'Wangi'|%2|pcs|%3|0|%4"_s.arg(*code, quantity,
                                                          side == Side::Sales ? u"100"_s : u"80"_s,
                                                          QString::number(total)));
    const int moved = side == Side::Sales ? quantity.toInt() : -quantity.toInt();
    QCOMPARE(stored(u"stock from barang where kode='111'"_s), QString::number(10 + moved));
}

void TestReturns::lineArithmetic_data()
{
    QTest::addColumn<QStringList>("lines"); // code;quantity;discount of each line
    QTest::addColumn<QString>("amounts");
    QTest::addColumn<QString>("total");
    QTest::addColumn<QString>("reason"); // why the last line was refused
    QTest::newRow("price less discount")
        << QStringList{u"222;3;5"_s} << u"135"_s << u"135"_s << u""_s;
    // Every partial sum is whole, halves to the even neighbour: 12.5 -> 12, 12 + 50.5 -> 62.
    QTest::newRow("halves to even")
        << QStringList{u"222;0.5;25"_s, u"111;1;49.5"_s} << u"12.5,50.5"_s << u"62"_s << u""_s;
    QTest::newRow("empty quantity")
        << QStringList{u"111;;0"_s} << u""_s << u"0"_s << u"Qty barang yang diretur belum diisi."_s;
    QTest::newRow("letters pasted") << QStringList{u"111;abc;0"_s} << u""_s << u"0"_s
                                    << u"Qty barang yang diretur belum diisi."_s;
    QTest::newRow("20 digits") << QStringList{u"111;12345678901234567890;0"_s} << u""_s << u"0"_s
                               << u"Qty, harga, diskon atau jumlah barang melebihi "
                                  "1000000000000, baris tidak ditambahkan."_s;
}

void TestReturns::lineArithmetic()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, amounts);
    QFETCH(QString, total);
    QFETCH(QString, reason);
    ReturnDocument document(db(), Side::Sales);
    document.setParty(u"PL-00001; Bu 'Ani'"_s);
    Outcome<> last;
    for (const QString& line : lines)
        last = add(document, line.section(u';', 0, 0), line.section(u';', 1, 1),
                   line.section(u';', 2, 2));
    QCOMPARE(last.reason(), reason);
    QStringList shown;
    for (int row = 0; row < document.lines().rowCount(); ++row)
        shown.append(document.lines().cell(row, ReturnDocument::Amount));
    QCOMPARE(shown.join(u','), amounts);
    QCOMPARE(document.total(), total);
}

void TestReturns::storedOnce()
{
    ReturnDocument document(db(), Side::Sales);
    // Completing a line with no code does nothing and says nothing.
    const Outcome<> none = document.completeLine();
    QVERIFY(!none && none.reason().isEmpty());
    // A code that found nothing keeps the previous product's boxes: no line from them.
    QVERIFY(document.lookup(u"111"_s));
    QVERIFY(!document.lookup(u"999"_s));
    document.setCode(u"999"_s);
    QCOMPARE(document.completeLine().reason(), u"Kode barang \"999\" tidak ditemukan."_s);

    QCOMPARE(document.save(u"2024-03-07"_s, u"kasir"_s).reason(),
             u"Data Pelanggan belum tersedia.."_s);
    document.setParty(u"PL-00002; Pak Budi"_s);
    QCOMPARE(document.save(u"2024-03-07"_s, u"kasir"_s).reason(),
             u"Belum ada item barang yang diretur."_s);
    QVERIFY(add(document, u"111"_s, u"2"_s));
    QVERIFY(document.save(u"2024-03-07"_s, u"kasir"_s));
    QCOMPARE(document.save(u"2024-03-07"_s, u"kasir"_s).reason(),
             u"Retur ini sudah tersimpan. Tambah item barang untuk retur baru."_s);
    // The next line starts a new return under the next code of the shared sequence.
    QVERIFY(add(document, u"222"_s, u"1"_s));
    QCOMPARE(*document.save(u"2024-03-07"_s, u"kasir"_s), u"RJ-00000000000002"_s);
    QCOMPARE(stored(u"group_concat(stock)||'|'||(select group_concat(KodeBarang) from "
                    "itemreturjual) from barang"_s),
             u"12,6|111,222"_s);
}

void TestReturns::failureStoresNothing()
{
    QVERIFY(db().exec(u"insert into transaksi (Kode, KodeSP, Piutang) "
                      "values ('JL-00000000000001', 'PL-00001', 300)"_s));
    // The header goes last: refusing it must take the lines, stock and settlement back.
    QVERIFY(db().exec(u"create trigger refuse before insert on transaksi when new.Kode like 'RJ%' "
                      "begin select raise(abort, 'retur ditolak'); end"_s));
    ReturnDocument document(db(), Side::Sales);
    document.setParty(u"PL-00001; Bu 'Ani'"_s);
    QVERIFY(add(document, u"111"_s, u"2"_s));
    QVERIFY(!document.save(u"2024-03-07"_s, u"kasir"_s));
    QCOMPARE(m_shop->messages.lastText(), u"SQL error: retur ditolak"_s);
    QCOMPARE(stored(u"(select count(*) from itemreturjual)||'|'||stock||'|'||"
                    "(select Piutang from transaksi) from barang where kode='111'"_s),
             u"0|10|300"_s);

    // Tried again once the cause is gone.
    QVERIFY(db().exec(u"drop trigger refuse"_s));
    QVERIFY(document.save(u"2024-03-07"_s, u"kasir"_s));
}

void TestReturns::boughtItemsInBatches_data()
{
    QTest::addColumn<int>("batch");
    QTest::newRow("one by one") << 1;
    QTest::newRow("a code's two names split") << 2;
    QTest::newRow("all at once") << 50;
}

void TestReturns::boughtItemsInBatches()
{
    QFETCH(int, batch);
    // One code sold under two names, codes that sort as text, another party's line.
    QVERIFY(db().exec(u"insert into itempenjualan (Kode, KodeBarang, NamaBarang, kodeSP) values "
                      "('J1', '2', 'Teh', 'PL-00000'), ('J1', '10', 'Kopi', 'PL-00000'), "
                      "('J2', '2', 'Teh Celup', 'PL-00000'), ('J2', '2', 'Teh', 'PL-00000'), "
                      "('J3', '3', 'Gula', 'PL-00001'), ('J4', '3', 'Gula', 'PL-00000')"_s));
    TableModel bought;
    for (int batches = 0; batches < 10; ++batches) {
        const int added = products::boughtByNext(db(), Side::Sales, u"PL-00000"_s, bought, batch);
        if (added < batch)
            break;
    }
    QStringList listed;
    for (int row = 0; row < bought.rowCount(); ++row)
        listed.append(bought.row(row).join(u'|'));
    QCOMPARE(listed.join(u','), u"10|Kopi,2|Teh,2|Teh Celup,3|Gula"_s);
}

QTEST_GUILESS_MAIN(TestReturns)
#include "test_returns.moc"
