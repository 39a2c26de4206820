#include "core/database.h"
#include "logic/price_tiers.h"
#include "logic/products.h"
#include "support/test_shop.h"

#include <QTest>

using namespace Qt::StringLiterals;

// The products master's statements and the tier texts the "Set Harga" box reads and writes.
class TestProducts final : public QObject
{
    Q_OBJECT
private slots:
    void priceFromCost_data();
    void priceFromCost();
    void tierText_data();
    void tierText();
    void updateKeepsOtherTiers();
    void newProduct_data();
    void newProduct();
};

void TestProducts::priceFromCost_data()
{
    QTest::addColumn<QString>("cost");
    QTest::addColumn<QString>("price");
    QTest::newRow("tenths") << u"1001"_s << u"1301.3"_s;
    QTest::newRow("empty") << QString() << u"0"_s;
    QTest::newRow("not a number") << u"12abc"_s << u"0"_s;
    QTest::newRow("large") << u"123456789012"_s << u"160493825715.6"_s;
}

void TestProducts::priceFromCost()
{
    QFETCH(QString, cost);
    QTEST(products::priceFromCost(cost), "price");
}

void TestProducts::tierText_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("rows"); // the ten rows read at normal price 1500, written back
    const QString untouched = u"|0;1500|0;1500|0;1500|0;1500|0;1500|0;1500|0;1500"_s;
    QTest::newRow("no tiers") << QString() << u"0;1500|0;1500|0;1500"_s + untouched;
    QTest::newRow("no bar") << u"5;1400"_s << u"0;1500|0;1500|0;1500"_s + untouched;
    QTest::newRow("short text") << u"24;1300|;1400|1450"_s << u"24;1300|;1400|;1450"_s + untouched;
    const QString full =
        u"100;2800|40;2900|10;3000|0;3200|0;3200|0;3200|0;3200|0;3200|0;3200|0;3200"_s;
    QTest::newRow("ten rows") << full << full;
    QTest::newRow("beyond ten") << full + u"|1;1"_s << full;
}

void TestProducts::tierText()
{
    QFETCH(QString, stored);
    const QList<tiers::Tier> read = tiers::read(stored, u"1500"_s);
    QCOMPARE(read.size(), tiers::rowCount);
    QTEST(tiers::write(read), "rows");
}

void TestProducts::updateKeepsOtherTiers()
{
    TestShop shop(TestShop::Data::Demo);
    Database& db = shop.db();
    const auto stored = [&] {
        return db.scalar(u"select nama || '|' || hargajual || '|' || FunctSQL from barang "
                         "where kode='2001'"_s);
    };
    products::Product product = {u"2001"_s, u"Mi 'Goreng'"_s, u"Makanan"_s, u"200"_s,  u"bungkus"_s,
                                 u"2700"_s, u"3300"_s,        u"0"_s,       u"2001"_s, u"1;1"_s};
    QVERIFY(products::update(db, product, false));
    QVERIFY(stored().startsWith(u"Mi 'Goreng'|3300|100;2800|40;2900|10;3000|0;3200"_s));
    QVERIFY(products::update(db, product, true));
    QCOMPARE(stored(), u"Mi 'Goreng'|3300|1;1"_s);
    // Tiers with an empty price are refused where they would be written, and only there.
    product.tiers = u"100;2800|40;"_s;
    QCOMPARE(products::update(db, product, true).reason(), u"Grosir: Harga 2 belum diisi."_s);
    QVERIFY(products::update(db, product, false));
    QCOMPARE(stored(), u"Mi 'Goreng'|3300|1;1"_s);
}

void TestProducts::newProduct_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("tiers");
    QTest::addColumn<QString>("refused"); // empty: stored
    QTest::newRow("empty code") << QString() << QString() << u"Kode barang kosong"_s;
    QTest::newRow("spaces only") << u"  "_s << QString() << u"Kode barang kosong"_s;
    QTest::newRow("NUL") << u"A\0B"_s << QString() << u"Kode barang memuat karakter NUL"_s;
    QTest::newRow("plain") << u" A1"_s << QString() << QString();
    // The cashier would sell at 0 above 5 pieces.
    QTest::newRow("tier without price")
        << u"T1"_s << u"5;|0;3000"_s << u"Grosir: Harga 1 belum diisi."_s;
    QTest::newRow("tiers priced") << u"T2"_s << u"5;2900|0;3000"_s << QString();
}

void TestProducts::newProduct()
{
    QFETCH(QString, code);
    QFETCH(QString, tiers);
    QFETCH(QString, refused);
    TestShop shop;
    const products::Product product{code, {}, {}, {}, {}, {}, u"3000"_s, {}, {}, tiers};
    QCOMPARE(products::add(shop.db(), product).reason(), refused);
    QCOMPARE(shop.db().scalar(u"select count(*) from barang where kode=?"_s, {code}),
             refused.isEmpty() ? u"1"_s : u"0"_s);
}

QTEST_GUILESS_MAIN(TestProducts)
#include "test_products.moc"
