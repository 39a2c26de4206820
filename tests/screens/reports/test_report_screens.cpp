#include "core/shop_settings.h"
#include "screens/reports/debt_report_dialog.h"
#include "screens/reports/document_list_dialog.h"
#include "screens/reports/low_stock_dialog.h"
#include "support/modal.h"
#include "support/report_month.h"
#include "support/test_shop.h"
#include "ui/list_view.h"
#include "ui/table_model.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

// The report screens: what they show on each choice, their keys, and their export buttons.
class TestReportScreens final : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void lowStock();
    void documentList();
    void unreadListSaysWhy();

private:
    std::unique_ptr<TestShop> m_shop;
};

namespace {

QStringList column(QWidget& screen, int column)
{
    const TableModel* model = screen.findChild<ListView*>()->tableModel();
    QStringList cells;
    for (int row = 0; row < model->rowCount(); ++row)
        cells.append(model->cell(row, column));
    return cells;
}

} // namespace

void TestReportScreens::initTestCase()
{
    m_shop = std::make_unique<TestShop>(TestShop::Data::Demo);
    QVERIFY(addReportMonth(m_shop->db()));
}

void TestReportScreens::lowStock()
{
    LowStockDialog screen(m_shop->context());
    showActive(screen);
    auto* tree = screen.findChild<QTreeWidget*>();
    auto* box = screen.findChild<QLineEdit*>();
    tree->setCurrentItem(tree->findItems(u"Kue 'Bu Ani'"_s, Qt::MatchRecursive).value(0));
    QTest::keyClicks(box, u"1a0"_s); // digits only
    QTest::mouseClick(screen.findChild<QToolButton*>(), Qt::LeftButton);
    QCOMPARE(column(screen, 0), (QStringList{u"K1"_s, u"K2"_s}));
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(column(screen, 0), QStringList{u"K1"_s});
    QVERIFY(screen.isVisible());
    // The threshold last used is remembered for the owner's summary.
    QCOMPARE(ShopSettings::read(m_shop->folder()).text(setting::lowStockBelow), u"1"_s);
    // An empty box empties the list and says why, once.
    m_shop->messages.clear();
    box->clear();
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(column(screen, 0), QStringList());
    QCOMPARE(m_shop->messages.texts(), QStringList{u"Isi dulu angka Stock dibawah."_s});
}

void TestReportScreens::documentList()
{
    DocumentListDialog screen(m_shop->context(), Side::Sales);
    showActive(screen);
    const QList<QDateEdit*> dates = screen.findChildren<QDateEdit*>();
    QCOMPARE(dates[0]->text(), u"2024-03-01"_s);
    QCOMPARE(dates[1]->text(), u"2024-03-07"_s);
    // "Dibayar": the cash at the counter, then after "Tampilkan" the total less what is open.
    QCOMPARE(column(screen, 5).join(u','), u"5000,100000,0,50000"_s);
    QTest::mouseClick(buttonWithText<QPushButton>(&screen, u"Tampilkan"_s), Qt::LeftButton);
    QCOMPARE(column(screen, 5).join(u','), u"10000,107000,0,47000"_s);
    // Enter in a date picker shows the dates typed; the walk-in sale of the 7th is there.
    dates[0]->setFocus();
    dates[0]->setDate(QDate(2024, 3, 7));
    QTest::keyClick(dates[0], Qt::Key_Return);
    QCOMPARE(column(screen, 1).join(u','), u"Bebas"_s);
    // Its export buttons write the list (the tests never open it); Esc closes the screen.
    m_shop->messages.clear();
    for (QPushButton* button : screen.findChildren<QPushButton*>()) {
        if (button->text().startsWith(u"Cetak"))
            QTest::mouseClick(button, Qt::LeftButton);
    }
    QVERIFY(!m_shop->messages.texts().isEmpty());
    QCOMPARE(m_shop->messages.texts().filter(u"Laporan disimpan di:"_s), m_shop->messages.texts());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(!screen.isVisible());
}

// A list that cannot be read is emptied and its reason said once.
void TestReportScreens::unreadListSaysWhy()
{
    m_shop->messages.clear();
    Database::Transaction undone(m_shop->db());
    QVERIFY(m_shop->db().exec(u"drop table pelanggan"_s));
    DebtReportDialog debts(m_shop->context(), Side::Sales);
    QCOMPARE(column(debts, 0), QStringList());
    QCOMPARE(m_shop->messages.texts(),
             QStringList{u"SQL error: "_s + TestShop::noSuchTable(u"pelanggan"_s)});
}

QTEST_MAIN(TestReportScreens)
#include "test_report_screens.moc"
