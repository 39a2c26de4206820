#include "core/table_model.h"
#include "pos/product_search.h"
#include "support/test_shop.h"

#include <QTest>

class TestProductSearch final : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup() { m_shop.reset(); }
    void search_data();
    void search();
    void boughtItemsOfOneParty();

private:
    std::unique_ptr<TestShop> m_shop;
};

void TestProductSearch::init()
{
    m_shop = std::make_unique<TestShop>(TestShop::Data::Demo);
    QCOMPARE(m_shop->error(), QString());
}

void TestProductSearch::search_data()
{
    QTest::addColumn<int>("side");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("codes");
    QTest::newRow("name in any case") << int(Side::Sales) << u"SABUN"_qs
                                      << QStringList{u"4001"_qs, u"4002"_qs};
    QTest::newRow("selling price digits") << int(Side::Sales) << u"3500"_qs
                                          << QStringList{u"3001"_qs};
    QTest::newRow("cost price on the purchase side")
        << int(Side::Purchase) << u"2500"_qs << QStringList{u"1004"_qs, u"3001"_qs, u"3003"_qs};
    QTest::newRow("code or price") << int(Side::Sales) << u"200"_qs
                                   << QStringList{u"1005"_qs, u"2001"_qs, u"2002"_qs, u"2003"_qs};
    QTest::newRow("a quote finds nothing") << int(Side::Sales) << u"'"_qs << QStringList{};
    QTest::newRow("empty lists all") << int(Side::Sales) << QString()
                                     << QStringList{u"1001"_qs, u"1002"_qs, u"1003"_qs,
                                                    u"1004"_qs, u"1005"_qs, u"2001"_qs,
                                                    u"2002"_qs, u"2003"_qs, u"3001"_qs,
                                                    u"3002"_qs, u"3003"_qs, u"4001"_qs,
                                                    u"4002"_qs};
}

void TestProductSearch::search()
{
    QFETCH(int, side);
    QFETCH(QString, text);
    QFETCH(QStringList, codes);
    TableModel model;
    products::setSearchColumns(model, Side(side));
    QCOMPARE(model.headerData(2, Qt::Horizontal).toString(),
             Side(side) == Side::Sales ? u"Harga Jual"_qs : u"HPP"_qs);
    QVERIFY(products::search(m_shop->db(), Side(side), text, model));
    QStringList found;
    for (int row = 0; row < model.rowCount(); ++row)
        found.append(model.cell(row, 0));
    QCOMPARE(found, codes);
}

void TestProductSearch::boughtItemsOfOneParty()
{
    Database& db = m_shop->db();
    for (const char* line : {"JL-1|1001|PL-00001", "JL-2|1001|PL-00001", "JL-2|2001|PL-00001",
                             "JL-3|3001|PL-00002"}) {
        const QStringList parts = QString::fromLatin1(line).split(u'|');
        QVERIFY(db.exec(u"insert into itempenjualan (Kode, KodeBarang, NamaBarang, kodeSP) "
                        "values (?, ?, (select nama from barang where kode=?2), ?)"_qs,
                        {parts[0], parts[1], parts[2]}));
    }
    TableModel model;
    QVERIFY(products::boughtBy(db, Side::Sales, u"PL-00001"_qs, model));
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.row(0), (QStringList{u"1001"_qs, u"Beras Pandan Wangi 5 kg"_qs}));
    QVERIFY(products::boughtBy(db, Side::Sales, u"PL-00003"_qs, model));
    QCOMPARE(model.rowCount(), 0);
    QVERIFY(products::boughtBy(db, Side::Purchase, u"PL-00001"_qs, model));
    QCOMPARE(model.rowCount(), 0);
}

QTEST_GUILESS_MAIN(TestProductSearch)
#include "test_product_search.moc"
