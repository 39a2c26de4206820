#include "pos/cart.h"
#include "pos/price_tiers.h"
#include "support/test_shop.h"

#include <QTest>

// The cart as the cashier drives it, without a screen.
class TestCart final : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup() { m_shop.reset(); }
    void tierDiscount_data();
    void tierDiscount();
    void typedCodeFillsTheEntryRowAtTheFirstMatch();
    void barcodeScansAddAndMergeLines();
    void tiersRepriceEveryScan();
    void entryRowAddsChangesAndKeepsRepeatsApart();
    void totalsRoundAfterEveryLine();
    void discountAndPayment();
    void textsThatAreNoNumbersCountAsZero();
    void purchaseSideUsesCostPriceWithoutTiers();

private:
    void addProduct(const QString& code, const QString& price, const QString& discount = u"0"_qs,
                    const QString& tierText = {}, const QString& cost = u"7000"_qs);
    QStringList line(Cart& cart, int row) const { return cart.lines().row(row); }
    std::unique_ptr<TestShop> m_shop;
};

namespace {

const QString tenTiers = u"100;8000|50;8500|10;9000|0;9500|0;9500|0;9500|0;9500|0;9500|0;9500|0;9500"_qs;

} // namespace

void TestCart::init()
{
    m_shop = std::make_unique<TestShop>();
    QCOMPARE(m_shop->error(), QString());
}

void TestCart::addProduct(const QString& code, const QString& price, const QString& discount,
                          const QString& tierText, const QString& cost)
{
    QVERIFY(m_shop->db().exec(u"insert into barang (kode, nama, satuan, hargajual, hpp, diskon, "
                              "FunctSQL, stock) values (?, ?, 'pcs', ?, ?, ?, ?, 10)"_qs,
                              {code, QString(u"Barang "_qs + code), price, cost, discount, tierText}));
}

void TestCart::tierDiscount_data()
{
    QTest::addColumn<int>("quantity");
    QTest::addColumn<QString>("tierText");
    QTest::addColumn<QString>("discount");
    QTest::newRow("10 is not above 10: 9500") << 10 << tenTiers << u"500"_qs;
    QTest::newRow("11: 9000") << 11 << tenTiers << u"1000"_qs;
    QTest::newRow("51: 8500") << 51 << tenTiers << u"1500"_qs;
    QTest::newRow("101: 8000") << 101 << tenTiers << u"2000"_qs;
    QTest::newRow("ascending: first always wins")
        << 60 << u"0;9500|10;9000|50;8500|100;8000"_qs << u"500"_qs;
    QTest::newRow("none qualifies: price 0") << 1 << u"5;9000|3;9500"_qs << u"10000"_qs;
    QTest::newRow("eleventh piece ignored")
        << 5 << u"9;1|9;1|9;1|9;1|9;1|9;1|9;1|9;1|9;1|9;1|0;9000"_qs << u"10000"_qs;
    QTest::newRow("no bar: no tiers") << 5 << u"0;9000"_qs << u"0"_qs;
    QTest::newRow("empty threshold is 0") << 1 << u";7000|5;1"_qs << u"3000"_qs;
    QTest::newRow("empty price is 0") << 1 << u"0;|5;1"_qs << u"10000"_qs;
    QTest::newRow("piece without semicolon") << 3 << u"5|0;9000"_qs << u"1000"_qs;
}

void TestCart::tierDiscount()
{
    QFETCH(int, quantity);
    QFETCH(QString, tierText);
    QFETCH(QString, discount);
    QCOMPARE(tiers::discount(quantity, u"10000"_qs, tierText), discount);
}

void TestCart::typedCodeFillsTheEntryRowAtTheFirstMatch()
{
    addProduct(u"12"_qs, u"1500.75"_qs, u"100"_qs);
    addProduct(u"120"_qs, u"99000"_qs);
    Cart cart(m_shop->db(), Side::Sales);
    QCOMPARE(cart.takeCode(u"1"_qs), Cart::Taken::Nothing);
    QCOMPARE(cart.takeCode(u"12"_qs), Cart::Taken::EntryFilled);
    const Cart::Entry& entry = cart.entry();
    QCOMPARE((QStringList{entry.code, entry.name, entry.quantity, entry.unit, entry.price,
                          entry.discount, entry.amount}),
             (QStringList{u"12"_qs, u"Barang 12"_qs, u"1"_qs, u"pcs"_qs, u"1500"_qs, u"100"_qs,
                          u"1400"_qs}));
    // The next digit lands in the quantity box, over the selected 1.
    cart.setQuantity(u"0"_qs);
    QVERIFY(cart.commitEntry());
    QCOMPARE(line(cart, 0).mid(0, 7), (QStringList{u"12"_qs, u"Barang 12"_qs, u"0"_qs, u"pcs"_qs,
                                                    u"1500"_qs, u"100"_qs, u"0"_qs}));
    QCOMPARE(cart.entry().code, QString());
    QCOMPARE(cart.entry().price, u"0"_qs);
    QVERIFY(!cart.commitEntry()); // nothing while the code is empty
    QCOMPARE(cart.lines().rowCount(), 1);
}

void TestCart::barcodeScansAddAndMergeLines()
{
    addProduct(u"12"_qs, u"1500.75"_qs, u"100"_qs);
    addProduct(u"120"_qs, u"99000"_qs);
    Cart cart(m_shop->db(), Side::Sales);
    cart.setBarcodeMode(true);
    QCOMPARE(cart.takeCode(u"1"_qs), Cart::Taken::Nothing);
    QCOMPARE(cart.takeCode(u"12"_qs), Cart::Taken::LineAdded);
    // Price box shows the whole part; the first amount uses the exact price.
    QCOMPARE(line(cart, 0), (QStringList{u"12"_qs, u"Barang 12"_qs, u"1"_qs, u"pcs"_qs,
                                          u"1500"_qs, u"100"_qs, u"1400.75"_qs, QString()}));
    QCOMPARE(cart.entry().code, QString());
    // The 0 typed after 12 starts a new code, which is no product.
    QCOMPARE(cart.takeCode(u"0"_qs), Cart::Taken::Nothing);
    QCOMPARE(cart.entry().code, u"0"_qs);

    QCOMPARE(cart.takeCode(u"12"_qs), Cart::Taken::LineIncreased);
    QCOMPARE(cart.takeCode(u"12"_qs), Cart::Taken::LineIncreased);
    QCOMPARE(cart.lines().rowCount(), 1);
    QCOMPARE(cart.scanQuantity(), 3);
    // Without tiers the discount per unit stays and the amount follows the shown price.
    QCOMPARE(line(cart, 0).mid(2, 5),
             (QStringList{u"3"_qs, u"pcs"_qs, u"1500"_qs, u"100"_qs, u"4200"_qs}));
    QCOMPARE(cart.totals().gross, u"4200"_qs);
    QCOMPARE(cart.takeCode(u"999"_qs), Cart::Taken::Nothing);
    QCOMPARE(cart.lines().rowCount(), 1);
}

void TestCart::tiersRepriceEveryScan()
{
    addProduct(u"7"_qs, u"10000"_qs, u"0"_qs, tenTiers);
    Cart cart(m_shop->db(), Side::Sales);
    cart.setBarcodeMode(true);
    cart.takeCode(u"7"_qs);
    // The first scan charges the normal price; from the second on the tiers apply.
    QCOMPARE(line(cart, 0).value(Cart::Amount), u"10000"_qs);
    cart.takeCode(u"7"_qs);
    QCOMPARE(line(cart, 0).mid(Cart::Quantity, 5),
             (QStringList{u"2"_qs, u"pcs"_qs, u"10000"_qs, u"500"_qs, u"19000"_qs}));
    QCOMPARE(line(cart, 0).value(Cart::Tiers), tenTiers);

    // Typed quantities reprice the entry row.
    cart.setBarcodeMode(false);
    cart.takeCode(u"7"_qs);
    for (const auto& [quantity, discount, amount] :
         {std::tuple{u"10"_qs, u"500"_qs, u"95000"_qs}, std::tuple{u"11"_qs, u"1000"_qs, u"99000"_qs},
          std::tuple{u"51"_qs, u"1500"_qs, u"433500"_qs}}) {
        cart.setQuantity(quantity);
        QCOMPARE(cart.entry().discount, discount);
        QCOMPARE(cart.entry().amount, amount);
    }
}

void TestCart::entryRowAddsChangesAndKeepsRepeatsApart()
{
    addProduct(u"5"_qs, u"2000"_qs, u"150"_qs);
    addProduct(u"6"_qs, u"3000"_qs, u"0"_qs, u"abc"_qs); // a tier text without "|"
    Cart cart(m_shop->db(), Side::Sales);
    cart.takeCode(u"5"_qs);
    cart.setQuantity(u"2"_qs);
    QCOMPARE(cart.entry().discount, u"150"_qs); // no tiers: the product's discount stays
    cart.commitEntry();
    cart.takeCode(u"5"_qs);
    cart.commitEntry();
    QCOMPARE(cart.lines().rowCount(), 2); // not merged outside barcode mode

    cart.takeCode(u"6"_qs);
    cart.setDiscount(u"40"_qs);
    cart.setQuantity(u"3"_qs); // a tier text without "|" sets the discount to 0
    QCOMPARE(cart.entry().discount, u"0"_qs);
    cart.commitEntry();

    // Load the first line, change it, write it back over itself.
    QVERIFY(cart.loadLine(0));
    QCOMPARE(cart.entry().quantity, u"2"_qs);
    QCOMPARE(cart.entry().amount, u"3700"_qs);
    QCOMPARE(cart.editingCode(), u"5"_qs);
    cart.setQuantity(u"4"_qs);
    cart.setPrice(u"2100"_qs);
    cart.commitEntry();
    QCOMPARE(cart.lines().rowCount(), 3);
    QCOMPARE(line(cart, 0).mid(2, 5),
             (QStringList{u"4"_qs, u"pcs"_qs, u"2100"_qs, u"150"_qs, u"7800"_qs}));
    // The editing code stays: the same code overwrites that line again.
    cart.takeCode(u"5"_qs);
    cart.setQuantity(u"0"_qs);
    cart.commitEntry();
    QCOMPARE(cart.lines().rowCount(), 3);
    QCOMPARE(line(cart, 0).value(Cart::Amount), u"0"_qs);

    cart.setBarcodeMode(true);
    QVERIFY(!cart.loadLine(1));

    // A code that found nothing never becomes a line under the previous product's name.
    cart.setBarcodeMode(false);
    cart.takeCode(u"5"_qs);
    cart.takeCode(u"55"_qs);
    QCOMPARE(cart.entry().name, u"Barang 5"_qs);
    QVERIFY(!cart.commitEntry());
    QCOMPARE(cart.lines().rowCount(), 3);
}

void TestCart::totalsRoundAfterEveryLine()
{
    addProduct(u"1"_qs, u"1000.5"_qs);
    addProduct(u"2"_qs, u"1000.5"_qs);
    Cart cart(m_shop->db(), Side::Sales);
    cart.setBarcodeMode(true);
    cart.takeCode(u"1"_qs);
    QCOMPARE(cart.totals().gross, u"1000"_qs); // rounded(1000.5)
    cart.takeCode(u"2"_qs);
    QCOMPARE(cart.totals().gross, u"2000"_qs); // rounded(1000 + 1000.5)
    QCOMPARE(cart.totals().net, u"2000"_qs);
    QCOMPARE(cart.totals().bigFigure, u"2000"_qs);
    QCOMPARE(cart.totals().words, u" dua ribu "_qs);
}

void TestCart::discountAndPayment()
{
    addProduct(u"1"_qs, u"12365"_qs);
    Cart cart(m_shop->db(), Side::Sales);
    cart.setBarcodeMode(true);
    cart.takeCode(u"1"_qs);
    cart.setDiscountPercent(u"10"_qs);
    QCOMPARE(cart.totals().discountAmount, u"1236"_qs); // rounded(1236.5)
    QCOMPARE(cart.totals().net, u"11129"_qs);
    QCOMPARE(cart.totals().bigFigure, u"11129"_qs);

    cart.setPaid(u"0"_qs);
    QCOMPARE(cart.totals().change, u"11129"_qs);
    QCOMPARE(cart.totals().changeCaption, u"Kurang "_qs);
    QVERIFY(!cart.totals().paidCovers);

    cart.payInFull();
    QCOMPARE(cart.totals().paid, u"11129"_qs);
    QCOMPARE(cart.totals().change, u"0"_qs);
    QCOMPARE(cart.totals().changeCaption, u"Kembali"_qs);
    QVERIFY(cart.totals().paidCovers);

    cart.setPaid(u"20000"_qs);
    QCOMPARE(cart.totals().change, u"8871"_qs);
    QCOMPARE(cart.totals().bigFigure, u"20000"_qs);
    QCOMPARE(cart.totals().words, u" dua puluh  ribu "_qs);

    // Any change of the cart starts the payment again: paid 0, the whole net
    // total short, the gross total in the big figure.
    cart.takeCode(u"1"_qs);
    QCOMPARE(cart.totals().paid, u"0"_qs);
    QCOMPARE(cart.totals().gross, u"24730"_qs);
    QCOMPARE(cart.totals().net, u"22257"_qs);
    QCOMPARE(cart.totals().change, u"22257"_qs);
    QCOMPARE(cart.totals().changeCaption, u"Kurang "_qs);
    QCOMPARE(cart.totals().bigFigure, u"24730"_qs);

    cart.reset();
    QCOMPARE(cart.lines().rowCount(), 0);
    QCOMPARE(cart.totals().gross + cart.totals().net + cart.totals().change, u"000"_qs);
    QCOMPARE(cart.totals().changeCaption, u"Kurang "_qs);
}

void TestCart::textsThatAreNoNumbersCountAsZero()
{
    addProduct(u"1"_qs, u"5000"_qs);
    Cart cart(m_shop->db(), Side::Sales);
    cart.takeCode(u"1"_qs);
    cart.setQuantity(u"dua"_qs);
    QCOMPARE(cart.entry().amount, u"0"_qs);
    cart.setQuantity(u"2"_qs);
    cart.setPrice(u"Rp5000"_qs);
    QCOMPARE(cart.entry().amount, u"0"_qs);
    cart.setPrice(u"5000"_qs);
    cart.commitEntry();
    cart.setDiscountPercent(u"abc"_qs);
    QCOMPARE(cart.totals().net, u"10000"_qs);
    cart.setPaid(u"x"_qs);
    QCOMPARE(cart.totals().change, u"10000"_qs);
}

void TestCart::purchaseSideUsesCostPriceWithoutTiers()
{
    addProduct(u"7"_qs, u"10000"_qs, u"0"_qs, tenTiers, u"7250.9"_qs);
    addProduct(u"8"_qs, u"10000"_qs, u"0"_qs, tenTiers, u"7000"_qs);
    Cart cart(m_shop->db(), Side::Purchase);
    cart.takeCode(u"7"_qs);
    QCOMPARE(cart.entry().price, u"7250"_qs);
    cart.setQuantity(u"60"_qs);
    QCOMPARE(cart.entry().discount, u"0"_qs);
    QCOMPARE(cart.entry().amount, u"435000"_qs);
    cart.commitEntry();
    QCOMPARE(line(cart, 0).value(Cart::Tiers), QString());

    cart.setBarcodeMode(true);
    cart.takeCode(u"7"_qs);
    QCOMPARE(line(cart, 0).mid(2, 5),
             (QStringList{u"61"_qs, u"pcs"_qs, u"7250"_qs, u"0"_qs, u"442250"_qs}));
    QCOMPARE(cart.totals().changeCaption, u"Kurang"_qs);
    // A line scanned in keeps the product's tiers, but a purchase never prices by them.
    cart.takeCode(u"8"_qs);
    QCOMPARE(line(cart, 1).value(Cart::Tiers), tenTiers);
    cart.setBarcodeMode(false);
    QVERIFY(cart.loadLine(1));
    cart.setQuantity(u"12"_qs);
    QCOMPARE(cart.entry().discount, u"0"_qs);
    QCOMPARE(cart.entry().amount, u"84000"_qs);
    cart.payInFull();
    QCOMPARE(cart.totals().changeCaption, u"Kembali"_qs);
    cart.reset(); // the purchase screen's reset leaves the caption alone
    QCOMPARE(cart.totals().changeCaption, u"Kembali"_qs);
}

QTEST_GUILESS_MAIN(TestCart)
#include "test_cart.moc"
