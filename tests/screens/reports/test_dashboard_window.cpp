#include "core/shop_settings.h"
#include "logic/cash_book.h"
#include "screens/reports/dashboard_window.h"
#include "support/modal.h"
#include "support/pdf_text.h"
#include "support/report_month.h"
#include "support/test_shop.h"

#include <QImage>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

// The summary screen: its twelve months filled in after it shows, F5, the
// saved picture and the printed page.
class TestDashboardWindow final : public QObject
{
    Q_OBJECT
private slots:
    void fillsAndRefreshes();
    void savesAndPrints();
    void emptyShop();
};

void TestDashboardWindow::fillsAndRefreshes()
{
    TestShop shop(TestShop::Data::Demo);
    QVERIFY(addReportMonth(shop.db()));
    ShopSettings settings;
    settings.setText(setting::lowStockBelow, u"10"_s);
    QVERIFY(settings.write(shop.folder()));

    DashboardWindow screen(shop.context());
    screen.show();
    QVERIFY(!screen.filled()); // the months come after the screen shows
    QTRY_VERIFY(screen.filled());
    const charts::Board& board = screen.board();
    QCOMPARE(board.months.first().month, u"2023-04"_s);
    QCOMPARE(board.months.last().month, u"2024-03"_s);
    // This month to date, as the figures show it: not the returns of the 10th.
    QCOMPARE(board.months.last().profit, board.summary.month.net);
    QCOMPARE(board.months.at(10).profit,
             reports::monthFigures(shop.db(), QDate(2024, 2, 1), QDate(2024, 2, 29))->value(0).net);
    QCOMPARE(board.summary.lowStockBelow, u"10"_s); // the threshold toko.ini remembers

    // Cash taken after the screen opened shows on F5.
    const double cash = board.summary.today.cash;
    QVERIFY(cashbook::store(shop.db(), {cashbook::Flow::In, u"2024-03-07"_s, u"Pak RT"_s, u"sewa"_s,
                                        u"2500"_s, u"admin"_s}));
    QTest::keyClick(&screen, Qt::Key_F5);
    QCOMPARE(screen.board().summary.today.cash, cash + 2500);
    QTRY_VERIFY(screen.filled());
    QVERIFY(shop.messages.shown().isEmpty());
}

void TestDashboardWindow::savesAndPrints()
{
    qputenv("TOKO_PRINTER", "none"); // the page becomes a PDF in the shop's struk/
    TestShop shop(TestShop::Data::Demo);
    QVERIFY(addReportMonth(shop.db()));
    DashboardWindow screen(shop.context());
    QTRY_VERIFY(screen.filled());

    const QString picture = shop.folder().filePath(u"ringkasan"_s);
    shop.messages.setNextFileName(picture);
    QTest::mouseClick(buttonWithText<QPushButton>(&screen, u"Simpan Gambar"_s), Qt::LeftButton);
    QCOMPARE(QImage(picture + u".png"_s).size(), QSize(2400, 1600));
    QCOMPARE(shop.messages.lastText(), u"Gambar disimpan di:\n"_s + picture + u".png"_s);

    QTest::mouseClick(buttonWithText<QPushButton>(&screen, u"Cetak"_s), Qt::LeftButton);
    const QString pdf = shop.folder().filePath(u"struk/Ringkasan Toko_1.pdf"_s);
    QCOMPARE(shop.messages.lastText(),
             u"Tidak ada printer. Ringkasan disimpan sebagai PDF di "_s + pdf);
    const QString words = pdfWords(pdf); // null without pdftotext
    QVERIFY2(words.isNull() || words.contains(u"Piutang dan Hutang"_s), qPrintable(words));
}

// Every figure 0 and the charts empty, never an error.
void TestDashboardWindow::emptyShop()
{
    TestShop shop;
    DashboardWindow screen(shop.context());
    QTRY_VERIFY(screen.filled());
    const charts::Board& board = screen.board();
    for (const double figure :
         {board.summary.today.sales, board.summary.today.cash, board.summary.month.rest,
          board.summary.receivable.open, board.months.last().sales})
        QCOMPARE(figure, 0);
    QCOMPARE(board.summary.dailySales, QList<double>(7, 0.0));
    QVERIFY(board.bestSellers.isEmpty());
    QVERIFY(!screen.picture().isNull());
    QVERIFY(shop.messages.shown().isEmpty());
}

QTEST_MAIN(TestDashboardWindow)
#include "test_dashboard_window.moc"
