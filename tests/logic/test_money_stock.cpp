#include "core/database.h"
#include "core/text_ops.h"
#include "logic/cash_book.h"
#include "logic/payments.h"
#include "logic/product_search.h"
#include "logic/returns.h"
#include "logic/stock_correction.h"
#include "support/test_shop.h"

#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

// Payments of open debts, the cash book, stock counts and returns: stored once and whole.
class TestMoneyStock final : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void paymentSpreads_data();
    void paymentSpreads();
    void staleListStoresNothing_data();
    void staleListStoresNothing();
    void cashBook();
    void countSetsTheStock();
    void returnSettles_data();
    void returnSettles();
    void returnLinesStoredOnceAndWhole();
    void boughtItemsInBatches();

private:
    Database& db() { return m_shop->db(); }
    // What `sql` selects: cells joined by "|", rows by " ".
    QString rows(const QString& sql, const QVariantList& values = {})
    {
        QStringList found;
        db().query(u"select "_s + sql, values,
                   [&](const QStringList& r) { found.append(r.join(u'|')); });
        return found.join(u' ');
    }

    std::unique_ptr<TestShop> m_shop;
};

namespace {

// Saved on 7 March by "kasir": the code it gave, or why it was refused.
template <typename Document> QString saved(Document& document)
{
    const Outcome<QString> outcome = document.save(u"2024-03-07"_s, u"kasir"_s);
    return outcome ? *outcome : u"refused: "_s + outcome.reason();
}

// A counted line as the screen adds it: a lookup, then the five boxes.
Outcome<> count(StockCorrection& correction, const QString& code, const QString& real,
                const QString& note = {})
{
    const std::optional<StockCorrection::Found> found = correction.lookup(code).value();
    return correction.addLine(
        {code, found ? found->name : QString(), found ? found->stock : u"0"_s, real, note});
}

// A returned line as the screen makes it: a lookup, then the boxes.
Outcome<bool> give(ReturnDocument& document, const QString& code, const QString& quantity,
                   const QString& discount = {})
{
    (void)document.lookup(code);
    document.setQuantity(quantity);
    if (!discount.isNull())
        document.setDiscount(discount);
    return document.completeLine();
}

// Bu 'Ani' pays 6,000 on the payment screen of `till`, her open documents as listed there.
payments::Payment paying(Database& till)
{
    const Outcome<Table> parties = payments::loadParties(till, Side::Sales);
    const Outcome<Table> documents = payments::loadDocuments(till, Side::Sales, u"PL-00001"_s);
    const QString open =
        parties && documents ? parties->rows.value(0).value(payments::PartyOpen) : QString();
    const QList<payments::Document> listed =
        documents ? payments::documentsOf(documents->rows) : QList<payments::Document>();
    return {Side::Sales,   u"2024-03-07"_s, u"PL-00001"_s,
            u"Bu 'Ani'"_s, u"kasir"_s,      text::textToNumber(open),
            open,          u"6000"_s,       listed};
}

// Bu 'Ani' brings back 30 of product 111 (3,000): the return screen shows her debt.
ReturnDocument& returning(ReturnDocument& document)
{
    (void)document.setParty(u"PL-00001; Bu 'Ani'"_s);
    (void)give(document, u"111"_s, u"30"_s);
    return document;
}

} // namespace

void TestMoneyStock::init()
{
    m_shop = std::make_unique<TestShop>();
    QVERIFY2(m_shop->error().isEmpty(), qPrintable(m_shop->error()));
    QVERIFY(db().execScript(
        u"insert into barang (kode, nama, satuan, stock, hpp, hargajual, diskon) values "
        "('111', 'Sabun ''Wangi''', 'pcs', 10, 80, 100, 0), ('222', 'Kopi', 'bks', 5, 30, 50, 5), "
        "('333', 'Teh', 'pcs', 2.5, 0, 0, 0);"
        "insert into pelanggan (kode, nama) values ('PL-00001', 'Bu ''Ani''');"
        "insert into supplier (kode, nama) values ('SP-001', 'Bu ''Ani''')"_s));
}

void TestMoneyStock::paymentSpreads_data()
{
    QTest::addColumn<QList<int>>("open");
    QTest::addColumn<QString>("paid");
    QTest::addColumn<QString>("left"); // open amounts after, in stored order
    QTest::addColumn<int>("cash");     // Tunai of the payment
    const QList<int> small{100, 300}, large{300, 100};
    QTest::newRow("first closed, second lowered") << small << u"250"_s << u"0 150"_s << 250;
    // The second stays open although the payment would have covered it.
    QTest::newRow("stops at the first not covered") << large << u"250"_s << u"50 100"_s << 250;
    QTest::newRow("surplus not recorded") << small << u"500"_s << u"0 0"_s << 400;
    QTest::newRow("nothing paid") << small << u"0"_s << u"100 300"_s << 0;
    QTest::newRow("half to even, letters") << small << u"100.5rb"_s << u"0 300"_s << 100;
}

void TestMoneyStock::paymentSpreads()
{
    QFETCH(QList<int>, open);
    QFETCH(QString, paid);
    QFETCH(int, cash);
    int number = 1;
    for (const Side side : {Side::Sales, Side::Purchase}) {
        const SideInfo& info = sideInfo(side);
        const QString party = side == Side::Sales ? u"PL-00001"_s : u"SP-001"_s; // Bu 'Ani'
        // Stored in this order, numbered the other way; each sold for 20 more, 20 paid since.
        for (int i = 0; i < open.size(); ++i)
            QVERIFY(db().exec(
                u"insert into transaksi (Kode, Ref, KodeSP, Jumlah, Potongan, Tunai, "_s +
                    info.debtColumn + u") values (?, ?, ?, ?, 0, 0, ?)"_s,
                {QString(info.documentKind + u"-000000000000"_s + QString::number(90 - i)),
                 info.documentRef, party, open[i] + 20, open[i]}));
        const Outcome<Table> parties = payments::loadParties(db(), side);
        QVERIFY(parties);
        // Credit, paid since, open.
        QCOMPARE(parties->rows.value(0).mid(2), QStringList({u"440"_s, u"40"_s, u"400"_s}));
        const Outcome<Table> documents = payments::loadDocuments(db(), side, party);
        QVERIFY(documents);
        const auto stored =
            payments::store(db(), {side, u"2024-03-07"_s, party, u"Bu 'Ani'"_s, u"kasir"_s, 400,
                                   u"400"_s, paid, payments::documentsOf(documents->rows)});
        QVERIFY(stored);
        QCOMPARE(stored->code, info.paymentKind + u"-0000000000009"_s + QString::number(number++));
        QTEST(rows(info.debtColumn + u" from transaksi where KodeSP=? and Kode<>? order by "_s +
                       db().storedOrder(),
                   {party, stored->code}),
              "left");
        QCOMPARE(rows(u"Ref, Tanggal, KodeSP, Tunai, "_s + TestShop::typeOf(db(), u"Tunai"_s) +
                          u", Operator, Ket, Nota from transaksi where Kode=?"_s,
                      {stored->code}),
                 info.documentRef + u"|2024-03-07|"_s + party + u'|' + QString::number(cash) +
                     u"|integer|kasir|"_s + info.paymentNote + u"Bu 'Ani'|"_s + info.paymentNota);
    }
}

void TestMoneyStock::staleListStoresNothing_data()
{
    // The other till stores while this one shows Bu 'Ani''s debt of 10,000: refused, then stored.
    QTest::addColumn<QString>("meanwhile"); // what the other till stores, in order
    QTest::addColumn<QString>("saving");    // what this till stores
    QTest::addColumn<QString>("left");      // Piutang of the first sale after both
    QTest::addColumn<QString>("recorded");  // Tunai, Jumlah of this till's document
    QTest::newRow("payment after payment") << u"PI"_s << u"PI"_s << u"0"_s << u"4000|"_s;
    QTest::newRow("payment after return") << u"RJ"_s << u"PI"_s << u"1000"_s << u"6000|"_s;
    QTest::newRow("return after payment") << u"PI"_s << u"RJ"_s << u"1000"_s << u"3000|0"_s;
    QTest::newRow("return after return") << u"RJ"_s << u"RJ"_s << u"4000"_s << u"3000|0"_s;
    QTest::newRow("payment after a new sale") << u"JL"_s << u"PI"_s << u"4000"_s << u"6000|"_s;
    // The sale paid off and another sold: the same total, on a document this till did not list.
    QTest::newRow("payment after another sale") << u"PI PI JL"_s << u"PI"_s << u"0"_s << u"6000|"_s;
}

void TestMoneyStock::staleListStoresNothing()
{
    QFETCH(QString, meanwhile);
    QFETCH(QString, saving);
    QVERIFY(
        db().exec(u"insert into transaksi (Kode, Ref, KodeSP, Jumlah, Potongan, Tunai, Piutang) "
                  "values ('JL-00000000000001', 'Masuk', 'PL-00001', 10000, 0, 0, 10000)"_s));
    Database other; // the other till, on the same file
    QVERIFY(other.open(m_shop->databasePath()));
    const payments::Payment payment = paying(db());
    ReturnDocument document(db(), Side::Sales);
    returning(document);
    for (const QString& kind : meanwhile.split(u' ')) {
        ReturnDocument returned(other, Side::Sales);
        if (kind == u"PI")
            QVERIFY(payments::store(other, paying(other)));
        else if (kind == u"RJ")
            QVERIFY(returning(returned).save(u"2024-03-07"_s, u"kasir"_s));
        else
            QVERIFY(other.exec(u"insert into transaksi (Kode, KodeSP, Piutang) "
                               "values ('JL-00000000000005', 'PL-00001', ?)"_s,
                               {meanwhile == u"JL" ? 3000 : 10000}));
    }
    const bool pays = saving == u"PI";
    const QString stored =
        u"count(*), "_s + TestShop::joined(db(), u"Piutang"_s, db().storedOrder()) +
        u", (select sum(stock) from barang), (select count(*) from itemreturjual) from transaksi"_s;
    const QString before = rows(stored);
    QCOMPARE(
        pays ? payments::store(db(), payment).reason()
             : document.save(u"2024-03-07"_s, u"kasir"_s).reason(),
        payments::changedText(Side::Sales, u"Bu 'Ani'"_s, pays ? u"pembayaran"_s : u"retur"_s));
    QCOMPARE(rows(stored), before);
    // Read anew: the payment screen lists again; the return has read the debt again.
    const QString code = pays ? payments::store(db(), paying(db()))->code : saved(document);
    QTEST(rows(u"Piutang from transaksi where Kode='JL-00000000000001'"_s), "left");
    QTEST(rows(u"Tunai, Jumlah from transaksi where Kode=?"_s, {code}), "recorded");
}

void TestMoneyStock::cashBook()
{
    // The documents of tests/data/cash_history.txt, empty texts as an old entry left them
    // (a server's number column holds none: NULL there).
    QFile history(QFINDTESTDATA("../data/cash_history.txt"));
    QVERIFY(history.open(QIODevice::ReadOnly));
    const auto orNull = [](const QString& text) { return text.isEmpty() ? QVariant() : text; };
    for (const QString& line : QString::fromUtf8(history.readAll()).split(u'\n')) {
        const QStringList f = line.split(u'|');
        if (f.size() == 6 && !line.startsWith(u'#'))
            QVERIFY(db().exec(
                u"insert into transaksi (Kode, Ref, Tanggal, Tunai, Jumlah, Potongan, Ket) values "
                "(?, ?, ?, ?, ?, ?, ?)"_s,
                {f[0], f[1], f[2], TestShop::onServer() ? orNull(f[3]) : QVariant(f[3]),
                 orNull(f[4]), orNull(f[5]), QString(u"uraian "_s + f[0].left(2))}));
    }
    // January lists no 0, -5 or empty (-5 counts on); JL-2's change is no cash; Feb. has 29 days.
    QFile expected(QFINDTESTDATA("../data/cash_book_months.txt"));
    QVERIFY(expected.open(QIODevice::ReadOnly));
    const QStringList months = QString::fromUtf8(expected.readAll()).trimmed().split(u"\n\n"_s);
    const auto shown = [&](int month) {
        const Outcome<Table> book = cashbook::load(db(), 2024, month);
        QStringList lines;
        for (const QStringList& row : book ? book->rows : QList<QStringList>())
            lines.append(row.join(u'|'));
        return book ? lines.join(u'\n') : book.reason();
    };
    for (int month = 1; month <= 3; ++month)
        QCOMPARE(shown(month), months[month - 1]);

    // Beyond the cashier's limit, or below 0, an amount is refused.
    const auto refused = [&](const QString& amount) {
        return cashbook::store(db(), {cashbook::Flow::Out, {}, {}, {}, amount, {}}).reason();
    };
    const QString over = u" melebihi 1000000000000, transaksi tidak disimpan."_s;
    QCOMPARE(refused(u"1000000000001"_s), u"Jumlah kas"_s + over);
    QCOMPARE(refused(u"99999999999999999999"_s), u"Jumlah kas"_s + over);
    QCOMPARE(refused(u"-5"_s), u"Jumlah kas tidak boleh kurang dari 0."_s);
    const payments::Payment tooMuch{Side::Sales, {}, u"PL-00001"_s,      {}, {},
                                    0,           {}, u"1000000000001"_s, {}};
    QCOMPARE(payments::store(db(), tooMuch).reason(), u"Jumlah dibayar"_s + over);
    // The shared sequence goes on (the refused took no code); an empty amount is the number 0.
    for (const cashbook::Flow flow : {cashbook::Flow::In, cashbook::Flow::Out})
        QVERIFY(
            cashbook::store(db(), {flow, u"2024-03-07"_s, u"TOKO 'A'"_s, u"Sewa"_s,
                                   flow == cashbook::Flow::In ? u"250"_s : QString(), u"kasir"_s}));
    QCOMPARE(
        rows(u"Kode, Ref, KodeSP, Tunai, "_s + TestShop::typeOf(db(), u"Tunai"_s) +
             u", Operator, Nota, Ket from transaksi where Tanggal='2024-03-07' order by Kode"_s),
        u"KK-00000000000014|Keluar|-|0|integer|kasir|Sewa|Dibayar Kepada TOKO 'A' "
        "KM-00000000000013|Masuk|-|250|integer|kasir|Sewa|Terima dari TOKO 'A'"_s);
    QCOMPARE(shown(3).section(u'\n', -1),
             u"2024-03-07|KM-00000000000013|Terima dari TOKO 'A'|250|0|2095"_s);
}

void TestMoneyStock::countSetsTheStock()
{
    StockCorrection correction(db());
    QCOMPARE(saved(correction), u"refused: Belum ada item barang yang dikoreksi."_s);
    // Refused: a code of no product or changed after its lookup, a stock no plain number.
    for (const QString& boxes : {u"999;;10;7"_s, u"1112;;10;7"_s, u"111;;10;7a"_s,
                                 u"111;;10;12345678901234567890"_s, u"111;;sepuluh;7"_s}) {
        (void)correction.lookup(boxes.left(3));
        QVERIFY2(!correction.addLine(boxes.split(u';')).reason().isEmpty(), qPrintable(boxes));
    }
    QVERIFY(count(correction, u"111"_s, u"7"_s, u"rak 'atas'"_s));
    QVERIFY(count(correction, u"222"_s, u"9"_s));
    QVERIFY(count(correction, u"333"_s, u"2"_s));
    // The last statement refused: nothing stays, and it can be tried again.
    QVERIFY(TestShop::refuse(db(), u"before update of stock"_s, u"barang"_s, u"new.kode='333'"_s,
                             u"stok dikunci"_s));
    QCOMPARE(saved(correction), u"refused: SQL error: stok dikunci"_s);
    QCOMPARE(rows(u"(select count(*) from itemkoreksi), stock from barang"_s), u"0|10 0|5 0|2.5"_s);
    QVERIFY(TestShop::allow(db(), u"barang"_s));
    // The count is what is there: two sold between entering and saving do not move it.
    QVERIFY(db().exec(u"update barang set stock=8 where kode='111'"_s));
    QCOMPARE(saved(correction), u"KS-00000000000001"_s);
    QCOMPARE(rows(u"Tanggal, KodeBarang, NamaBarang, QtyReal, SelisihQty, Keterangan, Operator, "
                  "stock||"_s +
                  TestShop::typeOf(db(), u"stock"_s) +
                  u" from itemkoreksi join barang b on b.kode=KodeBarang"_s),
             u"2024-03-07|111|Sabun 'Wangi'|7|-3|rak 'atas'|kasir|7integer "
             "2024-03-07|222|Kopi|9|4||kasir|9integer 2024-03-07|333|Teh|2|-0.5||kasir|2integer"_s);

    // Neither a second Simpan nor the correction shown from the tree stores it again.
    QVERIFY(db().exec(u"update barang set stock=5 where kode='111'"_s));
    const QString again =
        u"refused: Koreksi ini sudah tersimpan. Tambah item barang untuk koreksi baru."_s;
    QCOMPARE(saved(correction), again);
    StockCorrection shown(db());
    QVERIFY(shown.show(u"KS-00000000000001"_s));
    QCOMPARE(saved(shown), again);
    // The next line starts a new correction; deleting one keeps the stock it set.
    QVERIFY(count(shown, u"333"_s, u"3"_s));
    QCOMPARE(saved(shown), u"KS-00000000000002"_s);
    QVERIFY(StockCorrection::remove(db(), u"KS-00000000000001"_s));
    QCOMPARE(rows(u"Kode, (select "_s + TestShop::joined(db(), u"stock"_s, u"kode"_s) +
                  u" from barang) from itemkoreksi"_s),
             u"KS-00000000000002|5,9,3"_s);
}

void TestMoneyStock::returnSettles_data()
{
    QTest::addColumn<Side>("side");
    QTest::addColumn<QList<int>>("open"); // the party's open documents, in the order stored
    QTest::addColumn<int>("quantity");    // of product 111, stock 10
    QTest::addColumn<QString>("left");    // the open amounts after the return
    QTest::addColumn<QString>("stored");  // value, refund, price of the line, stock after
    const Side rj = Side::Sales, rb = Side::Purchase;
    QTest::newRow("oldest first") << rj << QList{400, 300} << 5 << u"0 200"_s << u"500|0|100|15"_s;
    QTest::newRow("equal pays it off") << rj << QList{100} << 1 << u"0"_s << u"100|0|100|11"_s;
    QTest::newRow("above debt") << rj << QList{100, 200} << 5 << u"0 0"_s << u"500|200|100|15"_s;
    QTest::newRow("no debt") << rj << QList<int>{} << 2 << QString() << u"200|200|100|12"_s;
    // At cost, and the goods leave the shelf.
    QTest::newRow("purchase") << rb << QList{300, 400} << 5 << u"0 300"_s << u"400|0|80|5"_s;
}

void TestMoneyStock::returnSettles()
{
    QFETCH(Side, side);
    QFETCH(QList<int>, open);
    QFETCH(int, quantity);
    QFETCH(QString, stored);
    const SideInfo& info = sideInfo(side);
    const QString party = side == Side::Sales ? u"PL-00001"_s : u"SP-001"_s; // Bu 'Ani'
    for (int i = 0; i < open.size(); ++i)
        QVERIFY(db().exec(
            u"insert into transaksi (Kode, KodeSP, "_s + info.debtColumn + u") values (?, ?, ?)"_s,
            {QString(info.documentKind + u"-0000000000000"_s + QString::number(i + 1)), party,
             open[i]}));
    // Another party's debt is not touched.
    QVERIFY(db().exec(u"insert into transaksi (Kode, KodeSP, Piutang, Hutang) "
                      "values ('JL-00000000000009', 'PL-00002', 50, 50)"_s));
    ReturnDocument document(db(), side);
    QVERIFY(document.setParty(party + u"; Bu 'Ani'"_s));
    QVERIFY(give(document, u"111"_s, QString::number(quantity)));
    const QString code = saved(document);
    QCOMPARE(code, info.returnKind + u"-00000000000010"_s);
    QTEST(rows(info.debtColumn + u" from transaksi where KodeSP=? and Kode<>? order by "_s +
                   db().storedOrder(),
               {party, code}),
          "left");
    QCOMPARE(rows(u"Piutang, Hutang from transaksi where KodeSP='PL-00002'"_s), u"50|50"_s);
    QCOMPARE(rows(u"t.Ref, t.KodeSP, t.Nota, t.Tunai, t.Jumlah, l.Harga, b.stock from transaksi "
                  "t, "_s +
                      info.returnLineTable + u" l, barang b where t.Kode=? and b.kode='111'"_s,
                  {code}),
             info.returnRef + u'|' + party + u'|' + info.returnNote + u" Bu 'Ani'|" + stored);
}

void TestMoneyStock::returnLinesStoredOnceAndWhole()
{
    ReturnDocument document(db(), Side::Sales);
    // A code that found nothing keeps the previous product's boxes: no line from them.
    QVERIFY(document.lookup(u"111"_s).value());
    QVERIFY(!document.lookup(u"999"_s).value());
    document.setCode(u"999"_s);
    QCOMPARE(document.completeLine().reason(), u"Kode barang \"999\" tidak ditemukan."_s);
    for (const QString& quantity : {u""_s, u"abc"_s, u"12345678901234567890"_s})
        QVERIFY(!give(document, u"111"_s, quantity).reason().isEmpty());
    QCOMPARE(saved(document), u"refused: Data Pelanggan belum tersedia.."_s);
    QVERIFY(db().exec(u"insert into transaksi (Kode, KodeSP, Piutang) "
                      "values ('JL-00000000000001', 'PL-00001', 300)"_s));
    QVERIFY(document.setParty(u"PL-00001; Bu 'Ani'"_s));
    QCOMPARE(saved(document), u"refused: Belum ada item barang yang diretur."_s);
    // Every partial sum is whole, halves to the even neighbour: 12.5 -> 12, 12 + 50.5 -> 62.
    QVERIFY(give(document, u"222"_s, u"0.5"_s, u"25"_s));
    QVERIFY(give(document, u"111"_s, u"1"_s, u"49.5"_s));
    QCOMPARE(document.lines().at(1).amount.text, u"50.5"_s);
    QCOMPARE(document.total(), u"62"_s);

    // The header goes last: refusing it takes the lines, stock and settlement back.
    QVERIFY(TestShop::refuse(db(), u"before insert"_s, u"transaksi"_s, u"new.Kode like 'RJ%'"_s,
                             u"retur ditolak"_s));
    QCOMPARE(saved(document), u"refused: SQL error: retur ditolak"_s);
    const QString after = u"(select count(*) from itemreturjual), "_s +
                          TestShop::joined(db(), u"stock"_s, u"kode"_s) +
                          u", (select Piutang from transaksi where Kode like 'JL-%') from barang"_s;
    QCOMPARE(rows(after), u"0|10,5,2.5|300"_s);
    QVERIFY(TestShop::allow(db(), u"transaksi"_s));
    QCOMPARE(saved(document), u"RJ-00000000000002"_s);
    QCOMPARE(saved(document),
             u"refused: Retur ini sudah tersimpan. Tambah item barang untuk retur baru."_s);
    // The next line starts a new return under the next code of the shared sequence.
    QVERIFY(give(document, u"222"_s, u"1"_s));
    QCOMPARE(saved(document), u"RJ-00000000000003"_s);
    QCOMPARE(rows(after), u"3|11,6.5,2.5|193"_s);
}

void TestMoneyStock::boughtItemsInBatches()
{
    // One code sold under two names, codes that sort as text, another party's line.
    QVERIFY(db().exec(u"insert into itempenjualan (Kode, KodeBarang, NamaBarang, kodeSP) values "
                      "('J1', '2', 'Teh', 'PL-00000'), ('J1', '10', 'Kopi', 'PL-00000'), "
                      "('J2', '2', 'Teh Celup', 'PL-00000'), ('J2', '2', 'Teh', 'PL-00000'), "
                      "('J3', '3', 'Gula', 'PL-00001'), ('J4', '3', 'Gula', 'PL-00000')"_s));
    for (const int batch : {1, 2, 50}) { // two split a code's two names
        QStringList bought;
        QStringList last;
        for (int call = 0; call < 9; ++call) {
            const Outcome<QList<QStringList>> next =
                products::boughtByNext(db(), Side::Sales, u"PL-00000"_s, last, batch);
            QVERIFY(next);
            for (const QStringList& row : *next)
                bought.append(row.join(u'|'));
            if (next->size() < batch)
                break;
            last = next->last();
        }
        QCOMPARE(bought.join(u','), u"10|Kopi,2|Teh,2|Teh Celup,3|Gula"_s);
    }
}

QTEST_GUILESS_MAIN(TestMoneyStock)
#include "test_money_stock.moc"
