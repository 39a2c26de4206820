#include "pos/cart.h"
#include "pos/price_tiers.h"
#include "pos/product_search.h"
#include "pos/sale_store.h"
#include "support/test_shop.h"

#include <QTest>

using namespace Qt::StringLiterals;

// The counter's logic without a screen: the cart, the product search, storing.
class TestCart final : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup() { m_shop.reset(); }
    void tierDiscount_data();
    void tierDiscount();
    void totals_data();
    void totals();
    void entryRowAddsAndChangesLines();
    void barcodeScansAddMergeAndReprice();
    void storedTransactionRefusesEveryChange();
    void figuresBeyondTheLimitAreRefused_data();
    void figuresBeyondTheLimitAreRefused();
    void productSearchAndNumbers();
    void paymentDecidesDebtAndWord_data();
    void paymentDecidesDebtAndWord();
    void stockAndCostFollowTheLines();
    void refusedDocumentStoresNothing_data();
    void refusedDocumentStoresNothing();

private:
    Database& db() { return m_shop->db(); }
    void addProduct(const QString& code, const QString& price, const QString& tiers = {});
    // Scans the codes in barcode mode and stores the cart: the number, or why not.
    Outcome<QString> save(Side side, const QStringList& scans, const QString& paid,
                          const QString& party = u"Bu O'Neil"_s);
    // The first row of a query, its columns joined by "|".
    QString row(const QString& sql) { return db().scalar(u"select "_s + sql); }
    std::unique_ptr<TestShop> m_shop;
};

namespace {

const QString tiers10 =
    u"100;8000|50;8500|10;9000|0;9500|0;9500|0;9500|0;9500|0;9500|0;9500|0;9500"_s;

QString line(const Cart& cart, int row)
{
    return cart.lines().row(row).join(u'|');
}

QString entryOf(const Cart& cart)
{
    const Cart::Entry& e = cart.entry();
    return QStringList{e.code, e.name, e.quantity, e.unit, e.price, e.discount, e.amount}.join(
        u'|');
}

} // namespace

void TestCart::init()
{
    m_shop = std::make_unique<TestShop>();
    QCOMPARE(m_shop->error(), QString());
}

// A discount of 100 per unit, a cost price of 7250.9, 5 in stock.
void TestCart::addProduct(const QString& code, const QString& price, const QString& tiers)
{
    QVERIFY(db().exec(u"insert into barang (kode, nama, satuan, hargajual, hpp, diskon, FunctSQL, "
                      "stock) values (?, ?, 'pcs', ?, '7250.9', 100, ?, 5)"_s,
                      {code, QString(u"Barang "_s + code), price, tiers}));
}

Outcome<QString> TestCart::save(Side side, const QStringList& scans, const QString& paid,
                                const QString& party)
{
    Cart cart(db(), side);
    cart.setBarcodeMode(true);
    for (const QString& code : scans)
        (void)cart.takeCode(code);
    const Cart::Totals& t = cart.totals();
    const QString code = sideInfo(side).partyPrefix + (party == u"Bebas" ? u"00000"_s : u"00001"_s);
    const CashierDocument document{side,       u"2024-03-07"_s, u"2024-04-07"_s,  code,  party,
                                   u"kasir"_s, t.gross,         t.discountAmount, t.net, paid};
    if (sales::walkInPaysTooLittle(document))
        return Failure{u"refused"_s};
    return sales::store(db(), document, cart.lines());
}

void TestCart::tierDiscount_data()
{
    QTest::addColumn<int>("quantity");
    QTest::addColumn<QString>("tierText");
    QTest::addColumn<QString>("discount"); // at the normal price 10000
    QTest::newRow("10 is not above 10: 9500") << 10 << tiers10 << u"500"_s;
    QTest::newRow("11: 9000") << 11 << tiers10 << u"1000"_s;
    QTest::newRow("51: 8500") << 51 << tiers10 << u"1500"_s;
    QTest::newRow("ascending: the first always wins") << 60 << u"0;9500|10;9000"_s << u"500"_s;
    QTest::newRow("none qualifies: price 0") << 1 << u"5;9000|3;9500"_s << u"10000"_s;
    QTest::newRow("eleventh piece ignored")
        << 5 << u"9;1|9;1|9;1|9;1|9;1|9;1|9;1|9;1|9;1|9;1|0;9000"_s << u"10000"_s;
    QTest::newRow("no bar: no tiers") << 5 << u"0;9000"_s << u"0"_s;
}

void TestCart::tierDiscount()
{
    QFETCH(int, quantity);
    QFETCH(QString, tierText);
    QFETCH(QString, discount);
    QCOMPARE(tiers::discount(quantity, u"10000"_s, tierText), discount);
}

void TestCart::totals_data()
{
    QTest::addColumn<QStringList>("amounts"); // one line each
    QTest::addColumn<QString>("percent");
    QTest::addColumn<QString>("paid");
    QTest::addColumn<QString>("expected"); // gross|discount|net|change|caption|big figure
    QTest::newRow("rounded after every line") << QStringList{u"1000.5"_s, u"1000.5"_s} << u"0"_s
                                              << u"0"_s << u"2000|0|2000|2000|Kurang |0"_s;
    QTest::newRow("10 % of 12365: the half goes to the even 1236")
        << QStringList{u"12365"_s} << u"10"_s << u"20000"_s
        << u"12365|1236|11129|8871|Kembali|20000"_s;
    QTest::newRow("10 % of 12367 gives 1237, paid exactly")
        << QStringList{u"12367"_s} << u"10"_s << u"11130"_s
        << u"12367|1237|11130|0|Kembali|11130"_s;
    QTest::newRow("letters count as 0")
        << QStringList{u"5000"_s} << u"abc"_s << u"x"_s << u"5000|0|5000|5000|Kurang |0"_s;
}

void TestCart::totals()
{
    QFETCH(QStringList, amounts);
    QFETCH(QString, percent);
    QFETCH(QString, paid);
    QFETCH(QString, expected);
    addProduct(u"1"_s, u"1"_s);
    Cart cart(db(), Side::Sales);
    for (const QString& amount : amounts) {
        (void)cart.takeCode(u"1"_s);
        cart.setAmount(amount);
        QVERIFY(cart.commitEntry());
    }
    cart.setDiscountPercent(percent);
    cart.setPaid(paid);
    const Cart::Totals& t = cart.totals();
    QCOMPARE(QStringList({t.gross, t.discountAmount, t.net, t.change, t.changeCaption, t.bigFigure})
                 .join(u'|'),
             expected);
    QCOMPARE(t.paidCovers, expected.contains(u"Kembali"));
    (void)cart.takeCode(u"1"_s); // every change of the cart starts the payment anew
    QVERIFY(cart.commitEntry() && cart.totals().paid == u"0");
}

void TestCart::entryRowAddsAndChangesLines()
{
    addProduct(u"12"_s, u"1500.75"_s);
    addProduct(u"120"_s, u"99000"_s);
    addProduct(u"6"_s, u"3000"_s, u"abc"_s); // a tier text without "|"
    Cart cart(db(), Side::Sales);
    QCOMPARE(*cart.takeCode(u"1"_s), Cart::Taken::Nothing);
    QCOMPARE(*cart.takeCode(u"12"_s), Cart::Taken::EntryFilled); // 12 before 120
    QCOMPARE(entryOf(cart), u"12|Barang 12|1|pcs|1500|100|1400"_s);
    for (const QString& code : {u"12"_s, u"6"_s}) { // repeated codes are not merged
        (void)cart.takeCode(code);
        cart.setDiscount(u"40"_s);
        cart.setQuantity(u"2"_s); // no tiers keep the discount, tiers without "|" make it 0
        QVERIFY(cart.commitEntry());
    }
    QCOMPARE(line(cart, 0) + u'/' + line(cart, 1),
             u"12|Barang 12|2|pcs|1500|40|2920|/6|Barang 6|2|pcs|3000|0|6000|abc"_s);
    QCOMPARE(entryOf(cart), u"|||0|0|0|0"_s);
    QVERIFY(!cart.commitEntry()); // nothing while the code is empty
    (void)cart.takeCode(u"12"_s);
    (void)cart.takeCode(u"125"_s); // no product: never a line under 12's name
    QVERIFY(!cart.commitEntry());

    QVERIFY(cart.loadLine(0) && cart.changingLine());
    QCOMPARE(entryOf(cart), u"12|Barang 12|2|pcs|1500|40|2920"_s);
    cart.setQuantity(u"4"_s);
    QVERIFY(cart.commitEntry());
    QVERIFY(!cart.changingLine()); // the next line is a new one, under the last
    (void)cart.takeCode(u"12"_s);  // the editing code stays: 12 overwrites that line again
    cart.setQuantity(u"0"_s);
    QVERIFY(cart.commitEntry());
    QCOMPARE(QString::number(cart.lines().rowCount()) + line(cart, 0),
             u"212|Barang 12|0|pcs|1500|100|0|"_s);
}

void TestCart::barcodeScansAddMergeAndReprice()
{
    addProduct(u"12"_s, u"1500.75"_s);
    addProduct(u"7"_s, u"10000"_s, tiers10);
    Cart cart(db(), Side::Sales);
    cart.setBarcodeMode(true);
    QCOMPARE(*cart.takeCode(u"12"_s), Cart::Taken::LineAdded);
    QCOMPARE(line(cart, 0), u"12|Barang 12|1|pcs|1500|100|1400.75|"_s); // from the exact price
    QCOMPARE(*cart.takeCode(u"999"_s), Cart::Taken::Nothing);
    QCOMPARE(cart.entry().code, u"999"_s); // the next character extends it
    for (int scan = 0; scan < 2; ++scan)
        QCOMPARE(*cart.takeCode(u"12"_s), Cart::Taken::LineIncreased);
    QCOMPARE(line(cart, 0) + QString::number(cart.scanQuantity()),
             u"12|Barang 12|3|pcs|1500|100|4200|3"_s); // the discount stays
    // With tiers the first scan is charged the normal price, each later one is repriced.
    (void)cart.takeCode(u"7"_s);
    QCOMPARE(cart.lines().cell(1, Cart::Amount), u"9900"_s);
    (void)cart.takeCode(u"7"_s);
    QCOMPARE(line(cart, 1), u"7|Barang 7|2|pcs|10000|500|19000|"_s + tiers10);
    QCOMPARE(QString::number(cart.scannedRow()) + cart.totals().gross, u"123200"_s);
    QVERIFY(!cart.loadLine(0)); // no change of lines in barcode mode
    cart.setBarcodeMode(false); // a typed quantity reprices the entry row too
    (void)cart.takeCode(u"7"_s);
    cart.setQuantity(u"51"_s);
    QCOMPARE(entryOf(cart), u"7|Barang 7|51|pcs|10000|1500|433500"_s);

    // Purchases are charged the cost price at every quantity, never the tiers.
    Cart purchase(db(), Side::Purchase);
    purchase.setBarcodeMode(true);
    for (int scan = 0; scan < 2; ++scan)
        (void)purchase.takeCode(u"7"_s);
    QCOMPARE(line(purchase, 0), u"7|Barang 7|2|pcs|7250|100|14300|"_s + tiers10);
    QCOMPARE(purchase.totals().changeCaption, u"Kurang"_s);
    purchase.payInFull();
    purchase.reset(); // the purchase screen's reset leaves the caption alone
    QCOMPARE(purchase.totals().changeCaption + purchase.party().code, u"KembaliSP-00000"_s);
}

void TestCart::storedTransactionRefusesEveryChange()
{
    addProduct(u"12"_s, u"5100"_s);
    Cart cart(db(), Side::Sales);
    (void)cart.takeCode(u"12"_s);
    QVERIFY(cart.commitEntry());
    cart.payInFull();
    (void)cart.takeCode(u"12"_s); // an entry row half filled when the sale is stored
    cart.markStored();
    const auto state = [&cart] {
        const Cart::Totals& t = cart.totals();
        return QStringList{line(cart, 0), entryOf(cart),     cart.party().name,
                           t.gross,       t.discountPercent, t.net,
                           t.paid,        t.change,          t.changeCaption}
            .join(u'|');
    };
    const QString before = state();
    cart.setBarcodeMode(true);
    QCOMPARE(*cart.takeCode(u"12"_s), Cart::Taken::Nothing);
    cart.setBarcodeMode(false);
    for (const auto set :
         {&Cart::setName, &Cart::setUnit, &Cart::setQuantity, &Cart::setPrice, &Cart::setDiscount,
          &Cart::setAmount, &Cart::setDiscountPercent, &Cart::setPaid})
        (cart.*set)(u"9"_s);
    QVERIFY(!cart.commitEntry() && !cart.loadLine(0));
    QVERIFY(!cart.setParty({u"Bu Siti"_s, {}, {}, {}, u"PL-00001"_s}));
    QCOMPARE(state(), before);
    QVERIFY(before.endsWith(u"|Bebas|5000|0|5000|5000|0|Kembali"_s));
    cart.reset(); // the next transaction: open again, with the walk-in customer
    QVERIFY(cart.setParty(cart.party()));
    QCOMPARE(cart.party(), (Party{u"Bebas"_s, u"Bebas"_s, u"Bebas"_s, u"Bebas"_s, u"PL-00000"_s}));
}

void TestCart::figuresBeyondTheLimitAreRefused_data()
{
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("price");
    QTest::addColumn<bool>("refused");
    QTest::newRow("at the limit") << u"1"_s << u"1000000000000"_s << false;
    QTest::newRow("price above it") << u"1"_s << u"1000000000001"_s << true;
    QTest::newRow("quantity a double cannot keep") << u"9999999999999993"_s << u"100"_s << true;
    QTest::newRow("negative amount above it") << u"-1000000"_s << u"1000101"_s << true;
}

void TestCart::figuresBeyondTheLimitAreRefused()
{
    QFETCH(QString, quantity);
    QFETCH(QString, price);
    QFETCH(bool, refused);
    addProduct(u"1"_s, price);
    Cart cart(db(), Side::Sales);
    (void)cart.takeCode(u"1"_s);
    cart.setQuantity(quantity);
    QCOMPARE(cart.commitEntry().reason(),
             refused ? u"Qty, harga, diskon atau jumlah barang melebihi 1000000000000, item tidak "
                       "ditambahkan."_s
                     : QString());
    QCOMPARE(cart.lines().rowCount(), refused ? 0 : 1);
    cart.reset(); // a product priced beyond it is never scanned into a line either
    cart.setBarcodeMode(true);
    QCOMPARE(cart.takeCode(u"1"_s).ok(), price != u"1000000000001");
}

void TestCart::productSearchAndNumbers()
{
    m_shop = std::make_unique<TestShop>(TestShop::Data::Demo);
    // The name in any case, the selling or the cost price's digits, the code; a quote.
    const std::tuple<Side, QString, QString> searches[] = {
        {Side::Sales, u"SABUN"_s, u"4001 4002"_s},
        {Side::Purchase, u"2500"_s, u"1004 3001 3003"_s},
        {Side::Sales, u"200"_s, u"1005 2001 2002 2003"_s},
        {Side::Sales, u"'"_s, QString()}};
    TableModel model;
    for (const auto& [side, text, codes] : searches) {
        QVERIFY(products::search(db(), side, text, model));
        QStringList found;
        for (int row = 0; row < model.rowCount(); ++row)
            found.append(model.cell(row, 0));
        QCOMPARE(found.join(u' '), codes);
    }
    // Every kind of document draws its number from one sequence.
    QVERIFY(db().exec(u"insert into transaksi (Kode) values ('PI-00000000000006')"_s));
    QCOMPARE(*save(Side::Purchase, {u"1001"_s}, u"0"_s), u"00000000000007"_s);
    QCOMPARE(*save(Side::Sales, {u"1001"_s}, u"0"_s), u"00000000000008"_s);
    QCOMPARE(row(u"group_concat(Kode, ' ') from (select Kode from transaksi order by 1)"_s),
             u"BL-00000000000007 JL-00000000000008 PI-00000000000006"_s);
}

void TestCart::paymentDecidesDebtAndWord_data()
{
    QTest::addColumn<int>("side");
    QTest::addColumn<QString>("party");
    QTest::addColumn<QString>("paid");   // of 15800 for a sale, 14300 for a purchase
    QTest::addColumn<QString>("stored"); // Ref|Tunai|open debt|Ket, or refused
    QTest::newRow("named customer on credit")
        << int(Side::Sales) << u"Bu O'Neil"_s << u"0"_s
        << u"Masuk|0|15800|Penjualan Kepada Bu O'Neil dengan dibayar secara Piutang"_s;
    QTest::newRow("paid above, change given")
        << int(Side::Sales) << u"Bebas"_s << u"20000"_s
        << u"Masuk|20000|0|Penjualan Kepada Bebas dengan dibayar secara Lunas"_s;
    QTest::newRow("walk-in short") << int(Side::Sales) << u"Bebas"_s << u"15799"_s << u"refused"_s;
    QTest::newRow("walk-in, letters") << int(Side::Sales) << u"Bebas"_s << u"x"_s << u"refused"_s;
    QTest::newRow("walk-in, pasted fraction rounds up")
        << int(Side::Sales) << u"Bebas"_s << u"15799.6"_s
        << u"Masuk|15799.6|0|Penjualan Kepada Bebas dengan dibayar secara Lunas"_s;
    QTest::newRow("purchase on credit")
        << int(Side::Purchase) << u"Bu O'Neil"_s << u"4000"_s
        << u"Keluar|4000|10300|Pembelian dari Bu O'Neil dengan dibayar secara Hutang"_s;
}

void TestCart::paymentDecidesDebtAndWord()
{
    QFETCH(int, side);
    QFETCH(QString, party);
    QFETCH(QString, paid);
    QFETCH(QString, stored);
    addProduct(u"1"_s, u"8000"_s);
    const bool sale = Side(side) == Side::Sales;
    const Outcome<QString> number = save(Side(side), {u"1"_s, u"1"_s}, paid, party);
    const QString debt = sale ? u"Piutang"_s : u"Hutang"_s;
    QCOMPARE(number ? row(u"Ref||'|'||Tunai||'|'||"_s + debt + u"||'|'||Ket from transaksi"_s)
                    : number.reason(),
             stored);
    if (number) // and nothing in the other side's debt column
        QCOMPARE(row(u"Tanggal||Potongan||Tax||Jumlah||Operator||JatuhTempo||Nota||ifnull("_s +
                     (sale ? u"Hutang"_s : u"Piutang"_s) + u", 'x') from transaksi"_s),
                 u"2024-03-0700"_s + (sale ? u"15800"_s : u"14300"_s) + u"kasir2024-04-07-x"_s);
}

void TestCart::stockAndCostFollowTheLines()
{
    addProduct(u"1"_s, u"8000"_s);
    for (const auto& [side, quantity, price, stock] :
         {std::tuple{Side::Sales, u"7"_s, u"8000"_s, u"-2|7250.9"_s}, // it may go below zero
          {Side::Purchase, u"10"_s, u"7500"_s, u"8|7500"_s},
          {Side::Purchase, u"4"_s, u"7200"_s, u"12|7200"_s}}) { // the last price paid, no average
        Cart cart(db(), side);
        (void)cart.takeCode(u"1"_s);
        cart.setQuantity(quantity);
        cart.setPrice(price);
        QVERIFY(cart.commitEntry());
        QVERIFY(sales::store(db(), {side, {}, {}, u"PL-00001"_s, {}, {}, {}, {}, {}, {}},
                             cart.lines()));
        QCOMPARE(row(u"stock||'|'||hpp from barang"_s), stock);
    }
    QCOMPARE(row(u"group_concat(KodeBarang||NamaBarang||Qty||Satuan||Harga||Diskon||Jumlah||kodeSP)"
                 " from itempenjualan"_s),
             u"1Barang 17pcs800010055300PL-00001"_s);
}

void TestCart::refusedDocumentStoresNothing_data()
{
    QTest::addColumn<QString>("setUp"); // SQL run first
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("paid");
    QTest::addColumn<QString>("reason");
    QTest::newRow("stock change fails after the document")
        << u"create trigger t before update of stock on barang begin select raise(abort, 'kunci'); "
           "end"_s
        << u"1"_s << u"0"_s << u"SQL error: kunci"_s;
    QTest::newRow("sequence used up")
        << u"insert into transaksi (Kode) values ('KK-99999999999999')"_s << u"1"_s << u"0"_s
        << u"Nomor dokumen sudah habis, transaksi tidak disimpan."_s;
    QTest::newRow("quantity 1e18") << QString() << u"1e18"_s << u"0"_s
                                   << u"Qty, harga, diskon atau jumlah barang melebihi "
                                      "1000000000000, transaksi tidak disimpan."_s;
    QTest::newRow("paid beyond it")
        << QString() << u"1"_s << u"1e18"_s
        << u"Nilai dibayar melebihi 1000000000000, transaksi tidak disimpan."_s;
}

void TestCart::refusedDocumentStoresNothing()
{
    QFETCH(QString, setUp);
    QFETCH(QString, quantity);
    QFETCH(QString, paid);
    QFETCH(QString, reason);
    addProduct(u"1"_s, u"8000"_s);
    QVERIFY(setUp.isEmpty() || db().execScript(setUp));
    const QString before = row(u"count(*) from transaksi"_s);
    TableModel lines;
    lines.appendRow({u"1"_s, u"Gula"_s, quantity, u"pcs"_s, u"0"_s, u"0"_s, u"0"_s});
    m_shop->messages.failed(
        sales::store(db(), {Side::Sales, {}, {}, u"PL-00001"_s, {}, {}, {}, {}, {}, paid}, lines));
    QCOMPARE(m_shop->messages.lastText(), reason);
    QCOMPARE(row(u"count(*) from transaksi"_s), before);
    QCOMPARE(row(u"(select count(*) from itempenjualan) || '|' || stock from barang"_s), u"0|5"_s);
}

QTEST_GUILESS_MAIN(TestCart)
#include "test_cart.moc"
