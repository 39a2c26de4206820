#include "core/database.h"
#include "core/text_ops.h"
#include "logic/cash_book.h"
#include "logic/dashboard.h"
#include "logic/reports.h"
#include "support/report_month.h"
#include "support/test_shop.h"

#include <QTest>

#include <numeric>

using namespace Qt::StringLiterals;

// The owner's summary agrees with the reports it sums up, on a month of
// documents of every kind.
class TestDashboard final : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void agreesWithReports_data();
    void agreesWithReports();
    void monthsInOneReading();
    void failureSaysWhy();

private:
    std::unique_ptr<TestShop> m_shop;
};

namespace {

// The sum of `column` over the rows of `table`; with `match`, over those whose
// column `match` holds `value`.
double sumOf(const Outcome<Table>& table, int column, int match = -1, const QString& value = {})
{
    double sum = 0;
    for (const QStringList& row : table ? table->rows : QList<QStringList>())
        sum += match < 0 || row.value(match) == value ? text::textToNumber(row.value(column)) : 0;
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
    QCOMPARE(summary->weekAgo.date.daysTo(today), 7);
    for (const dashboard::Day& day : {summary->today, summary->weekAgo}) {
        QCOMPARE(day.sales, sumOf(reports::todaysSales(db, day.date), 6));
        const Outcome<Table> documents =
            reports::documents(db, Side::Sales, day.date.toString(Qt::ISODate),
                               day.date.toString(Qt::ISODate), today, reports::Paid::AtCounter);
        QCOMPARE(day.count, int(documents->rows.size()));
    }
    QCOMPARE(summary->today.cash,
             sumOf(book, cashbook::In, cashbook::Date, today.toString(Qt::ISODate)));

    // The month to date and the same days before, as profit and loss counts them.
    if (today.day() == today.daysInMonth()) {
        const Outcome<Table> march = reports::profitLoss(db, u"2024-03"_s, u"March"_s);
        QCOMPARE(summary->month.net, statementLine(march, u"TOTAL BERSIH"_s));
        QCOMPARE(summary->month.rest, statementLine(march, u"SISA AKHIR"_s));
        const Outcome<Table> february = reports::profitLoss(db, u"2024-02"_s, u"February"_s);
        QCOMPARE(summary->lastMonth.net, statementLine(february, u"TOTAL BERSIH"_s));
    }
    QCOMPARE(summary->dailySales.size(), today.day());
    QCOMPARE(std::accumulate(summary->dailySales.cbegin(), summary->dailySales.cend(), 0.0),
             summary->month.sales);

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
            const bool past = row.value(7) == u"Ya";
            open += rest;
            overdue += past ? rest : 0;
            overdueDocuments += past ? 1 : 0;
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
        const Outcome<QList<dashboard::Product>> best = dashboard::bestSellers(db, today);
        QCOMPARE(best->size(), rows.size());
        for (qsizetype i = 0; i < rows.size(); ++i) {
            QCOMPARE(best->at(i).code, rows.at(i).value(0));
            QCOMPARE(best->at(i).amount, text::textToNumber(rows.at(i).value(2)));
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
        QCOMPARE(month.cost, alone->value(0).cost);
        QCOMPARE(month.rest, alone->value(0).rest);
    }
    // Only the days asked for: the walk-in sale of the 7th, not the cash in of the 2nd.
    const Outcome<QList<reports::MonthFigures>> days =
        reports::monthFigures(db, QDate(2024, 3, 7), QDate(2024, 3, 9));
    QCOMPARE(days->value(0).sales, 47000);
    QCOMPARE(days->value(0).income.size(), 0);
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
