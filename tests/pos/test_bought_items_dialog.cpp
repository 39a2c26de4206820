#include "pos/bought_items_dialog.h"
#include "support/modal.h"
#include "support/test_shop.h"

#include <QPushButton>
#include <QTableView>

// The returns screen's picker of what a party bought.
class TestBoughtItemsDialog final : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup() { m_shop.reset(); }
    void listsEachProductOnceAndHandsBackTheCode();
    void partyWhoBoughtNothingGetsAnEmptyList();

private:
    std::unique_ptr<TestShop> m_shop;
};

void TestBoughtItemsDialog::init()
{
    m_shop = std::make_unique<TestShop>(TestShop::Data::Demo);
    QCOMPARE(m_shop->error(), QString());
    for (const char* product : {"1001", "1001", "3002"})
        QVERIFY(m_shop->db().exec(u"insert into itempembelian (Kode, KodeBarang, NamaBarang, kodeSP) "
                                  "select 'BL-1', kode, nama, 'SP-001' from barang where kode=?"_qs,
                                  {QString::fromLatin1(product)}));
}

void TestBoughtItemsDialog::listsEachProductOnceAndHandsBackTheCode()
{
    QString seen;
    int rows = 0;
    whenModalOpens(seen, [&](QWidget* picker) {
        auto* list = picker->findChild<QTableView*>();
        rows = list->model()->rowCount();
        list->selectRow(1);
        buttonWithText<QPushButton>(picker, u"Pilih"_qs)->click();
    });
    const QString code = BoughtItemsDialog::choose(m_shop->context(), Side::Purchase, u"SP-001"_qs,
                                                   QPoint(100, 400), nullptr);
    QCOMPARE(seen, u"FORM_TOKO_FORM24_CLASS"_qs);
    QCOMPARE(rows, 2);
    QCOMPARE(code, u"3002"_qs);

    // A mouse release over the list picks the row under it.
    whenModalOpens(seen, [](QWidget* picker) {
        auto* list = picker->findChild<QTableView*>();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(list->model()->index(0, 1)).center());
    });
    QCOMPARE(BoughtItemsDialog::choose(m_shop->context(), Side::Purchase, u"SP-001"_qs, QPoint(),
                                       nullptr),
             u"1001"_qs);
}

void TestBoughtItemsDialog::partyWhoBoughtNothingGetsAnEmptyList()
{
    BoughtItemsDialog picker(m_shop->context(), Side::Sales, u"SP-001"_qs);
    QCOMPARE(picker.findChild<QTableView*>()->model()->rowCount(), 0);
    QCOMPARE(picker.windowTitle(), u"List Item Barang"_qs);
    picker.pick();
    QCOMPARE(picker.chosenCode(), QString());
}

QTEST_MAIN(TestBoughtItemsDialog)
#include "test_bought_items_dialog.moc"
