#include "core/database.h"
#include "core/text_ops.h"
#include "logic/cash_book.h"
#include "logic/dashboard.h"
#include "logic/reports.h"
#include "support/report_month.h"
#include "support/test_shop.h"

#include <QTest>

using namespace Qt::StringLiterals;

// The owner's summary agrees with the reports it sums up, on a month of
// documents of every kind and on an empty shop.
class TestDashboard final : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void agreesWithReports_data();
    void agreesWithReports();
    void monthsInOneReading();
    void emptyShop();
    void failureSaysWhy();

private:
    std::unique_ptr<TestShop> m_shop;
};

namespace {

double sumOf(const Outcome<Table>& table, int column, int skipLast = 0)
{
    double sum = 0;
    for (qsizetype row = 0; table && row < table->rows.size() - skipLast; ++row)
        sum += text::textToNumber(table->rows.at(row).value(column));
    return sum;
}

// The result column of the statement's line `caption`.
double statementLine(const Outcome<Table>& statement, const QString& caption)
{
    for (const QStringList& row : statement ? statement->rows : QList<QStringList>()) {
        if (row.value(0) == caption)
            return text::textToNumber(row.value(2));
    }
    return -1;
}

} // namespace

void TestDashboard::initTestCase()
{
    m_shop = std::make_unique<TestShop>(TestShop::Data::Demo);
    QVERIFY(addReportMonth(m_shop->db()));
    QVERIFY(addReportMonth(m_shop->db(), u"report-fractions.sql"_s));
}

void TestDashboard::agreesWithReports_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QString>("below");
    QTest::newRow("a walk-in sale today, debts overdue") << QDate(2024, 3, 7) << u"10"_s;
    // The whole month to date; February's 29 days are its same days.
    QTest::newRow("the month's last day") << QDate(2024, 3, 31) << u"4"_s;
    QTest::newRow("no sale today, no threshold yet") << QDate(2024, 3, 8) << QString();
}

void TestDashboard::agreesWithReports()
{
    QFETCH(QDate, today);
    QFETCH(QString, below);
    Database& db = m_shop->db();
    const Outcome<dashboard::Summary> summary = dashboard::read(db, today, below);
    QVERIFY2(summary, qPrintable(summary.reason()));

    // Today and a week ago as today's sales report sums them and the cash book takes the cash.
    const Outcome<Table> book = cashbook::load(db, today.year(), today.month());
    for (const dashboard::Day& day : {summary->today, summary->weekAgo}) {
        QCOMPARE(day.sales, sumOf(reports::todaysSales(db, day.date), 6));
        const Outcome<Table> documents =
            reports::documents(db, Side::Sales, day.date.toString(Qt::ISODate),
                               day.date.toString(Qt::ISODate), today, reports::Paid::AtCounter);
        QCOMPARE(day.count, int(documents->rows.size()));
    }
    double cashToday = 0;
    for (const QStringList& row : book->rows.mid(1)) {
        if (row.value(cashbook::Date) == today.toString(Qt::ISODate))
            cashToday += text::textToNumber(row.value(cashbook::In));
    }
    QCOMPARE(summary->today.cash, cashToday);

    // The month to date and the same days before, as profit and loss counts them.
    if (today.day() == today.daysInMonth()) {
        const Outcome<Table> march = reports::profitLoss(db, u"2024-03"_s, u"March"_s);
        QCOMPARE(summary->month.net, statementLine(march, u"TOTAL BERSIH"_s));
        QCOMPARE(summary->month.rest, statementLine(march, u"SISA AKHIR"_s));
        const Outcome<Table> february = reports::profitLoss(db, u"2024-02"_s, u"February"_s);
        QCOMPARE(summary->lastMonth.net, statementLine(february, u"TOTAL BERSIH"_s));
    }
    double daily = 0;
    for (const double sales : summary->dailySales)
        daily += sales;
    QCOMPARE(summary->dailySales.size(), today.day());
    QCOMPARE(daily, summary->month.sales);

    // Open debts as the debt report lists them: net less cash at the counter, nothing paid since.
    const QList<std::pair<Side, dashboard::Debts>> sides{{Side::Sales, summary->receivable},
                                                         {Side::Purchase, summary->payable}};
    for (const auto& [side, debts] : sides) {
        const Outcome<Table> report = reports::debts(db, side, today);
        QVERIFY(report);
        double open = 0, overdue = 0;
        int overdueDocuments = 0;
        for (const QStringList& row : report->rows) {
            const double rest = text::textToNumber(row.value(4)) - text::textToNumber(row.value(5));
            open += rest;
            if (row.value(7) == u"Ya") {
                overdue += rest;
                ++overdueDocuments;
            }
        }
        QCOMPARE(debts.documents, int(report->rows.size()));
        QCOMPARE(debts.open, open);
        QCOMPARE(debts.overdueDocuments, overdueDocuments);
        QCOMPARE(debts.overdue, overdue);
    }

    // The best sellers are the turnover's greatest, with its amounts.
    if (today.day() == today.daysInMonth()) {
        const Outcome<Table> turnover = reports::turnover(db, u"2024-03"_s);
        QList<QStringList> rows = turnover->rows.mid(0, turnover->rows.size() - 2);
        std::stable_sort(rows.begin(), rows.end(), [](const QStringList& a, const QStringList& b) {
            return text::textToNumber(a.value(2)) > text::textToNumber(b.value(2));
        });
        QCOMPARE(summary->bestSellers.size(), rows.size());
        for (qsizetype i = 0; i < rows.size(); ++i) {
            QCOMPARE(summary->bestSellers.at(i).code, rows.at(i).value(0));
            QCOMPARE(summary->bestSellers.at(i).amount, text::textToNumber(rows.at(i).value(2)));
        }
    }

    // Below the threshold in every category, as the minimum stock report lists them.
    int low = 0;
    const Outcome<QStringList> categories = reports::categories(db);
    for (const QString& category : *categories) {
        const Outcome<Table> listed = reports::lowStock(db, category, below);
        low += listed ? int(listed->rows.size()) : 0;
    }
    QCOMPARE(summary->lowStock, low);
}

void TestDashboard::monthsInOneReading()
{
    Database& db = m_shop->db();
    const Outcome<QList<reports::MonthFigures>> range =
        reports::monthFigures(db, QDate(2024, 1, 1), QDate(2024, 5, 31));
    QVERIFY(range);
    QCOMPARE(range->size(), 5);
    for (const reports::MonthFigures& month : *range) {
        const QDate first = QDate::fromString(month.month + u"-01"_s, Qt::ISODate);
        const Outcome<QList<reports::MonthFigures>> alone =
            reports::monthFigures(db, first, first.addMonths(1).addDays(-1));
        QCOMPARE(month.sales, alone->value(0).sales);
        QCOMPARE(month.cost, alone->value(0).cost);
        QCOMPARE(month.rest, alone->value(0).rest);
    }
    // Only the days asked for: the walk-in sale of the 7th and a week without documents.
    const Outcome<QList<reports::MonthFigures>> days =
        reports::monthFigures(db, QDate(2024, 3, 7), QDate(2024, 3, 9));
    QCOMPARE(days->value(0).sales, 47000);
    QCOMPARE(days->value(0).income.size(), 0);
    QCOMPARE(reports::monthFigures(db, QDate(2024, 6, 1), QDate(2024, 6, 7))->value(0).rest, 0);
}

void TestDashboard::emptyShop()
{
    TestShop shop;
    const Outcome<dashboard::Summary> summary =
        dashboard::read(shop.db(), QDate(2024, 3, 7), u"5"_s);
    QVERIFY2(summary, qPrintable(summary.reason()));
    QCOMPARE(summary->today.sales, 0);
    QCOMPARE(summary->today.cash, 0);
    QCOMPARE(summary->month.rest, 0);
    QCOMPARE(summary->receivable.open, 0);
    QCOMPARE(summary->dailySales, QList<double>(7, 0.0));
    QVERIFY(summary->bestSellers.isEmpty());
    QCOMPARE(summary->lowStock, 0);
}

void TestDashboard::failureSaysWhy()
{
    Database& db = m_shop->db();
    Database::Transaction undone(db);
    QVERIFY(db.exec(u"drop table itempenjualan"_s));
    QCOMPARE(dashboard::read(db, QDate(2024, 3, 7), {}).reason(),
             u"SQL error: "_s + TestShop::noSuchTable(u"itempenjualan"_s));
}

QTEST_GUILESS_MAIN(TestDashboard)
#include "test_dashboard.moc"
