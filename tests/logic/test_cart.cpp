#include "logic/cart.h"
#include "logic/price_tiers.h"
#include "logic/sale_store.h"
#include "support/test_shop.h"

#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString tiers10 =
    u"100;8000|50;8500|10;9000|0;9500|0;9500|0;9500|0;9500|0;9500|0;9500|0;9500"_s;
const QString tooLarge = u"Qty, harga, diskon atau jumlah barang melebihi 1000000000000, "_s;

// A table of texts in tests/data, tab-separated: the column names first, then one row a line.
void addRows(const char* file)
{
    QFile table(QStringLiteral(TOKO_TEST_DATA "/") + QLatin1StringView(file));
    QVERIFY2(table.open(QIODevice::ReadOnly), file);
    const QStringList lines = QString::fromUtf8(table.readAll()).split(u'\n', Qt::SkipEmptyParts);
    static QList<QByteArray> names; // the table keeps pointers to the column names
    for (const QString& column : lines.first().split(u'\t').mid(1))
        QTest::addColumn<QString>(names.emplace_back(column.toLatin1()).constData());
    for (const QString& line : lines.mid(1)) {
        const QStringList cells = line.split(u'\t');
        QTestData& row = QTest::newRow(qPrintable(cells.first()));
        for (const QString& cell : cells.mid(1))
            row << cell;
    }
}

QString totalsOf(const Cart& cart)
{
    const Cart::Totals& t = cart.totals();
    return QStringList{t.gross, t.discountPercent, t.discountAmount, t.net,
                       t.paid,  t.change,          t.changeCaption,  t.bigFigure}
        .join(u'|');
}

QString line(const Cart& cart, int row)
{
    const CartLine& line = cart.lines().at(row);
    return (line.cells() << line.tiers).join(u'|');
}

bool committed(Cart& cart)
{
    const Outcome<bool> done = cart.commitEntry();
    return done && *done;
}

QString entryOf(const Cart& cart)
{
    const Cart::Entry& e = cart.entry();
    return QStringList{e.code, e.name, e.quantity, e.unit, e.price, e.discount, e.amount}.join(
        u'|');
}

} // namespace

// The counter's logic without a screen: the cart and storing it.
class TestCart final : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void tierDiscount_data() { addRows("cart-tiers.tsv"); }
    void tierDiscount();
    void totals_data() { addRows("cart-totals.tsv"); }
    void totals();
    void entryRowAddsAndChangesLines();
    void aStoredCartRefusesEveryChange();
    void barcodeScansAddMergeAndReprice();
    void storing_data() { addRows("storing.tsv"); }
    void storing();
    void stockCostAndNumbers();

private:
    Database& db() { return m_shop->db(); }
    // Stores lines of product 1, each "quantity@price" less its discount of 100, as one
    // document of `side` for `party` (no code when it is empty): the number, or why not.
    Outcome<QString> store(Side side, const QString& party, const QStringList& lines,
                           const QString& paid = u"0"_s);
    QString row(const QString& sql) { return db().scalar(u"select "_s + sql); }
    std::unique_ptr<TestShop> m_shop;
};

void TestCart::init()
{
    m_shop = std::make_unique<TestShop>();
    QCOMPARE(m_shop->error(), QString());
    // Code, price and tier text; each a discount of 100 per unit, cost price 7250.9, 5 in stock.
    for (const QString& product : {u"1 8000"_s, u"12 1500.75"_s, u"120 99000"_s, u"6 3000 abc"_s,
                                   QString(u"7 10000 "_s + tiers10), u"9 1000000000101"_s}) {
        const QStringList f = product.split(u' ');
        QVERIFY(db().exec(u"insert into barang (kode, nama, satuan, hargajual, hpp, diskon, "
                          "FunctSQL, stock) values (?, ?, 'pcs', ?, '7250.9', 100, ?, 5)"_s,
                          {f[0], QString(u"Barang "_s + f[0]), f[1], f.value(2)}));
    }
}

Outcome<QString> TestCart::store(Side side, const QString& party, const QStringList& lines,
                                 const QString& paid)
{
    QList<DocumentLine> typed;
    double sum = 0;
    for (const QString& line : lines) {
        const QStringList figures = line.split(u'@');
        const double amount = (figures.at(1).toDouble() - 100) * figures.at(0).toDouble();
        typed.append({u"1"_s, u"Barang 1"_s, figures.at(0), u"pcs"_s, figures.at(1), u"100"_s,
                      QString::number(amount, 'f', 0)});
        sum += amount;
    }
    const QString number = party == u"Bebas" ? u"00000"_s : u"00001"_s;
    const QString code = party.isEmpty() ? QString() : sideInfo(side).partyPrefix + number;
    const QString total = QString::number(sum, 'f', 0);
    const CashierDocument document{side,  u"2024-03-07"_s, u"2024-04-07"_s, code, party, u"kasir"_s,
                                   total, u"0"_s,          total,           paid, typed};
    return sales::store(db(), document);
}

void TestCart::tierDiscount()
{
    QFETCH(QString, quantity);
    QFETCH(QString, tierText);
    QTEST(tiers::discount(quantity.toInt(), u"10000"_s, tierText), "discount"); // price 10000
}

void TestCart::totals()
{
    QFETCH(QString, amounts); // one line each, separated by spaces
    QFETCH(QString, percent);
    QFETCH(QString, paid);
    QFETCH(QString, expected);
    Cart cart(db(), Side::Sales);
    for (const QString& amount : amounts.split(u' ')) {
        (void)cart.takeCode(u"1"_s);
        cart.setAmount(amount);
        QVERIFY(committed(cart));
    }
    cart.setDiscountPercent(percent);
    cart.setPaid(paid);
    QCOMPARE(totalsOf(cart), expected);
    QCOMPARE(cart.totals().paidCovers, expected.contains(u"Kembali"));
    (void)cart.takeCode(u"1"_s); // every change of the cart starts the payment anew
    QVERIFY(committed(cart));
    QCOMPARE(cart.totals().paid, u"0"_s);
}

void TestCart::entryRowAddsAndChangesLines()
{
    Cart cart(db(), Side::Sales);                                // 6 has a tier text without "|"
    QCOMPARE(*cart.takeCode(u"12"_s), Cart::Taken::EntryFilled); // 12 before 120
    for (const QString& code : {u"12"_s, u"6"_s}) {              // repeated codes are not merged
        (void)cart.takeCode(code);
        cart.setDiscount(u"40"_s);
        cart.setQuantity(u"2"_s); // no tiers keep the discount, tiers without "|" make it 0
        QVERIFY(committed(cart));
    }
    QCOMPARE(line(cart, 0), u"12|Barang 12|2|pcs|1500|40|2920|"_s);
    QCOMPARE(line(cart, 1), u"6|Barang 6|2|pcs|3000|0|6000|abc"_s);
    QCOMPARE(entryOf(cart), u"|||0|0|0|0"_s);
    QVERIFY(!committed(cart)); // nothing while the code is empty
    (void)cart.takeCode(u"12"_s);
    (void)cart.takeCode(u"125"_s); // no product: never a line under 12's name
    QVERIFY(!committed(cart));

    QVERIFY(cart.loadLine(0));
    QVERIFY(cart.changingLine());
    QCOMPARE(entryOf(cart), u"12|Barang 12|2|pcs|1500|40|2920"_s);
    cart.setQuantity(u"4"_s);
    QVERIFY(committed(cart));
    QVERIFY(!cart.changingLine()); // the next line is a new one, under the last
    QCOMPARE(cart.lines().size(), 2);
    QCOMPARE(line(cart, 0), u"12|Barang 12|4|pcs|1500|40|5840|"_s);
}

void TestCart::aStoredCartRefusesEveryChange()
{
    Cart cart(db(), Side::Sales);
    (void)cart.takeCode(u"12"_s);
    cart.setQuantity(u"2"_s);
    QVERIFY(committed(cart));
    cart.payInFull();
    (void)cart.takeCode(u"12"_s); // an entry row half filled when the sale is stored
    cart.markStored();
    const QString line0 = line(cart, 0);
    const QString entry = entryOf(cart);
    const QString totals = totalsOf(cart);
    QCOMPARE(totals, u"2800|0|0|2800|2800|0|Kembali|2800"_s);
    cart.setBarcodeMode(true);
    QCOMPARE(*cart.takeCode(u"12"_s), Cart::Taken::Nothing);
    cart.setBarcodeMode(false);
    for (const auto set :
         {&Cart::setName, &Cart::setUnit, &Cart::setQuantity, &Cart::setPrice, &Cart::setDiscount,
          &Cart::setAmount, &Cart::setDiscountPercent, &Cart::setPaid})
        (cart.*set)(u"9"_s);
    QVERIFY(!committed(cart));
    QVERIFY(!cart.loadLine(0));
    QVERIFY(!cart.setParty({u"Bu Siti"_s, {}, {}, {}, u"PL-00001"_s}));
    QCOMPARE(line(cart, 0), line0);
    QCOMPARE(entryOf(cart), entry);
    QCOMPARE(totalsOf(cart), totals);
    QCOMPARE(cart.party().name, u"Bebas"_s);
    cart.reset(); // the next transaction: open again, with the walk-in customer
    QVERIFY(cart.lines().isEmpty());
    QCOMPARE(cart.party(), (Party{u"Bebas"_s, u"Bebas"_s, u"Bebas"_s, u"Bebas"_s, u"PL-00000"_s}));
}

void TestCart::barcodeScansAddMergeAndReprice()
{
    Cart cart(db(), Side::Sales);
    cart.setBarcodeMode(true);
    QCOMPARE(cart.takeCode(u"9"_s).reason(), tooLarge + u"item tidak ditambahkan."_s);
    QCOMPARE(*cart.takeCode(u"12"_s), Cart::Taken::LineAdded);
    QCOMPARE(line(cart, 0), u"12|Barang 12|1|pcs|1500|100|1400.75|"_s); // from the exact price
    for (int scan = 0; scan < 2; ++scan)
        QCOMPARE(*cart.takeCode(u"12"_s), Cart::Taken::LineIncreased);
    QCOMPARE(line(cart, 0), u"12|Barang 12|3|pcs|1500|100|4200|"_s); // the discount stays
    QCOMPARE(cart.scanQuantity(), 3);
    // With tiers the first scan is charged the normal price, each later one is repriced.
    (void)cart.takeCode(u"7"_s);
    QCOMPARE(cart.lines().at(1).amount.text, u"9900"_s);
    (void)cart.takeCode(u"7"_s);
    QCOMPARE(line(cart, 1), u"7|Barang 7|2|pcs|10000|500|19000|"_s + tiers10);
    QCOMPARE(cart.scannedRow(), 1);
    QCOMPARE(cart.totals().gross, u"23200"_s);
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
}

void TestCart::storing()
{
    QFETCH(QString, side);
    QFETCH(QString, party);
    QFETCH(QString, line); // quantity@price
    QFETCH(QString, paid);
    QFETCH(QString, stored);
    QFETCH(QString, setUp);
    if (setUp.startsWith(u"refuse stock: "_s)) // every change of stock refused with that text
        QVERIFY(TestShop::refuse(db(), u"before update of stock"_s, u"barang"_s, u"1 = 1"_s,
                                 setUp.section(u": "_s, 1)));
    else
        QVERIFY(setUp.isEmpty() || db().execScript(setUp));
    const QString before = row(u"count(*) from transaksi"_s);
    const Outcome<QString> number =
        store(side == u"sales" ? Side::Sales : Side::Purchase, party, {line}, paid);
    m_shop->messages.failed(number);
    if (!number) { // nothing stored, the stock as it was
        QCOMPARE(m_shop->messages.lastText(), stored);
        QCOMPARE(row(u"count(*) from transaksi"_s), before);
        QCOMPARE(row(u"count(*) from itempenjualan"_s), u"0"_s);
        QCOMPARE(row(u"stock from barang where kode='1'"_s), u"5"_s);
        return;
    }
    QCOMPARE(row(u"Ref||'|'||Tunai||'|'||coalesce(Piutang||'', 'x')||'|'||coalesce(Hutang||'', "
                 u"'x')||'|'||Ket||'|'||"
                 "Tanggal||Potongan||Tax||Jumlah||Operator||JatuhTempo||Nota from transaksi"_s),
             stored);
}

void TestCart::stockCostAndNumbers()
{
    QVERIFY(db().exec(u"insert into transaksi (Kode) values ('PI-00000000000006')"_s));
    QCOMPARE(*store(Side::Sales, u"Bu Siti"_s, {u"7@8000"_s}), u"00000000000007"_s);
    QCOMPARE(row(u"stock||'|'||hpp from barang where kode='1'"_s),
             u"-2|7250.9"_s); // 5 in stock, 7 sold
    QCOMPARE(
        row(u"KodeBarang||'|'||NamaBarang||'|'||Qty||'|'||Satuan||'|'||Harga||'|'||Diskon||'|'||"
            "Jumlah||'|'||kodeSP from itempenjualan"_s),
        u"1|Barang 1|7|pcs|8000|100|55300|PL-00001"_s);
    // Both quantities bought come in; the cost price is the last price paid, no average.
    QCOMPARE(*store(Side::Purchase, u"Bu Siti"_s, {u"10@7500"_s, u"4@7200"_s}),
             u"00000000000008"_s);
    QCOMPARE(row(u"stock||'|'||hpp from barang where kode='1'"_s), u"12|7200"_s);
    QCOMPARE(row(TestShop::joined(db(), u"Kode"_s, u"Kode"_s) +
                 u" from (select Kode from transaksi order by 1) t"_s),
             u"BL-00000000000008,JL-00000000000007,PI-00000000000006"_s); // one sequence for all
}

QTEST_GUILESS_MAIN(TestCart)
#include "test_cart.moc"
