#include "core/table_model.h"
#include "documents/debt_report_dialog.h"
#include "documents/document_list_dialog.h"
#include "documents/low_stock_dialog.h"
#include "documents/month_report_dialog.h"
#include "documents/today_sales_dialog.h"
#include "report_month.h"
#include "support/modal.h"
#include "support/test_shop.h"
#include "ui/list_view.h"
#include "ui/month_tree.h"

#include <QClipboard>
#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include <functional>

using namespace Qt::StringLiterals;

// The report screens: what they show on opening and on each choice, their keys and focus.
class TestReportScreens final : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void opening_data();
    void opening();
    void monthReports();
    void lowStock();
    void documentList();

private:
    std::unique_ptr<TestShop> m_shop;
};

namespace {

using Open = std::function<ReportDialog*(AppContext&)>;

QStringList column(QWidget& screen, int column)
{
    const TableModel* model = screen.findChild<ListView*>()->tableModel();
    QStringList cells;
    for (int row = 0; row < model->rowCount(); ++row)
        cells.append(model->cell(row, column));
    return cells;
}

template <typename Screen, typename... Args> Open opener(Args... args)
{
    return [=](AppContext& context) -> ReportDialog* { return new Screen(context, args...); };
}

void showAndWait(QWidget& screen)
{
    screen.show();
    screen.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&screen));
}

} // namespace

void TestReportScreens::initTestCase()
{
    m_shop = std::make_unique<TestShop>(TestShop::Data::Demo);
    QVERIFY(addReportMonth(m_shop->db()));
}

void TestReportScreens::opening_data()
{
    QTest::addColumn<Open>("open");
    QTest::addColumn<QString>("shown"); // heading, party column, then the first column
    QTest::addColumn<QString>("focus"); // class of the focused control
    using Kind = MonthReportDialog::Kind;
    QTest::newRow("profit and loss")
        << opener<MonthReportDialog>(Kind::ProfitLoss) << u"||"_s << u"MonthTree"_s;
    QTest::newRow("turnover") << opener<MonthReportDialog>(Kind::Turnover) << u"|Nama Barang|"_s
                              << u"MonthTree"_s;
    QTest::newRow("today's sales")
        << opener<TodaySalesDialog>() << u"|Nama Barang|2001,9999"_s << u"ListView"_s;
    QTest::newRow("minimum stock")
        << opener<LowStockDialog>() << u"|Item Barang|"_s << u"QTreeWidget"_s;
    QTest::newRow("receivables") << opener<DebtReportDialog>(Side::Sales)
                                 << u"Laporan Piutang|Pelanggan|2024-03-05,2024-03-06"_s
                                 << u"ListView"_s;
    QTest::newRow("payables") << opener<DebtReportDialog>(Side::Purchase)
                              << u"Laporan Hutang|Supplier|2024-03-04,2024-03-07"_s
                              << u"ListView"_s;
    QTest::newRow("purchases") << opener<DocumentListDialog>(Side::Purchase)
                               << u"Daftar Transaksi Pembelian|Supplier|2024-03-04,2024-03-07"_s
                               << u"QDateEdit"_s;
}

void TestReportScreens::opening()
{
    QFETCH(Open, open);
    QFETCH(QString, shown);
    QFETCH(QString, focus);
    std::unique_ptr<ReportDialog> screen(open(m_shop->context()));
    showAndWait(*screen);
    QVERIFY(screen->isModal());
    QCOMPARE(QString::fromLatin1(QApplication::focusWidget()->metaObject()->className()), focus);
    const auto* heading = screen->findChild<QLabel*>(u"heading"_s);
    QCOMPARE((heading ? heading->text() : QString()) + u'|' +
                 screen->findChild<ListView*>()->model()->headerData(1, Qt::Horizontal).toString() +
                 u'|' + column(*screen, 0).join(u','),
             shown);
    // Every export button writes its file (the tests never open it); Esc closes the screen.
    m_shop->messages.clear();
    for (QPushButton* button : screen->findChildren<QPushButton*>()) {
        if (button->text().startsWith(u"Cetak"))
            QTest::mouseClick(button, Qt::LeftButton);
    }
    QVERIFY(!m_shop->messages.texts().isEmpty());
    QCOMPARE(m_shop->messages.texts().filter(u"Laporan disimpan di:"_s), m_shop->messages.texts());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(!screen->isVisible());
}

void TestReportScreens::monthReports()
{
    MonthReportDialog statement(m_shop->context(), MonthReportDialog::Kind::ProfitLoss);
    showAndWait(statement);
    auto* months = statement.findChild<MonthTree*>();
    const auto result = [&] { return column(statement, 2).join(u' ').simplified(); };
    // March, the clock's month, is the last; R starts from 0 each time it is chosen.
    QTest::keyClick(months, Qt::Key_End);
    QCOMPARE(column(statement, 0).value(1) + u' ' + result(),
             u"BULAN : MARCH 2024 175602 150602"_s);
    QTest::keyClick(months, Qt::Key_Up);
    QCOMPARE(result(), u"4000 4000"_s);
    QTest::keyClick(months, Qt::Key_Home); // the root "Bulan" changes nothing
    QCOMPARE(result(), u"4000 4000"_s);
    QTest::keyClick(months, Qt::Key_End);
    QCOMPARE(result(), u"175602 150602"_s);

    MonthReportDialog turnover(m_shop->context(), MonthReportDialog::Kind::Turnover);
    showAndWait(turnover);
    QTest::keyClick(turnover.findChild<MonthTree*>(), Qt::Key_End);
    QCOMPARE(column(turnover, 1).last() + column(turnover, 2).last(), u"Jumlah 214002"_s);
    QTest::mouseClick(buttonWithText<QPushButton>(&turnover, u"Esc - Tutup"_s), Qt::LeftButton);
    QVERIFY(!turnover.isVisible());
}

void TestReportScreens::lowStock()
{
    LowStockDialog screen(m_shop->context());
    showAndWait(screen);
    auto* tree = screen.findChild<QTreeWidget*>();
    auto* box = screen.findChild<QLineEdit*>();
    m_shop->messages.clear();
    // A category chosen while the box is empty: a message and nothing listed.
    tree->setCurrentItem(tree->findItems(u"Kue 'Bu Ani'"_s, Qt::MatchRecursive).value(0));
    QCOMPARE(m_shop->messages.texts(), QStringList{u"Isi dulu angka Stock dibawah."_s});
    QVERIFY(column(screen, 0).isEmpty());
    // Digits only, typed or pasted.
    QTest::keyClicks(box, u"1a0"_s);
    QApplication::clipboard()->setText(u"5x"_s);
    box->paste();
    QCOMPARE(box->text(), u"10"_s);
    QTest::mouseClick(screen.findChild<QToolButton*>(), Qt::LeftButton);
    QCOMPARE(column(screen, 0), (QStringList{u"K1"_s, u"K2"_s}));
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(column(screen, 0), QStringList{u"K1"_s});
    QVERIFY(screen.isVisible());
}

void TestReportScreens::documentList()
{
    DocumentListDialog screen(m_shop->context(), Side::Sales);
    showAndWait(screen);
    const QList<QDateEdit*> dates = screen.findChildren<QDateEdit*>();
    QCOMPARE(dates[0]->text() + u' ' + dates[1]->text(), u"2024-03-01 2024-03-07"_s);
    // "Dibayar": the cash at the counter, then after "Tampilkan" the total less what is open.
    QCOMPARE(column(screen, 5).join(u','), u"5000,100000,0,50000"_s);
    QTest::mouseClick(buttonWithText<QPushButton>(&screen, u"Tampilkan"_s), Qt::LeftButton);
    QCOMPARE(column(screen, 5).join(u','), u"10000,107000,0,47000"_s);
    // Enter in a date picker shows the dates typed; the walk-in sale of the 7th is there.
    dates[0]->setFocus();
    dates[0]->setDate(QDate(2024, 3, 7));
    QTest::keyClick(dates[0], Qt::Key_Return);
    QCOMPARE(column(screen, 1).join(u','), u"Bebas"_s);
    QVERIFY(screen.isVisible());
}

QTEST_MAIN(TestReportScreens)
#include "test_report_screens.moc"
