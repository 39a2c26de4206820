#include "core/shop_upgrade.h"
#include "logic/profit_loss.h"
#include "logic/reports.h"
#include "support/report_month.h"
#include "support/test_shop.h"

#include <QFile>
#include <QTest>
#include <QTimeZone>

using namespace Qt::StringLiterals;

// The reports' figures and rows on a month of documents of every kind.
class TestReports final : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void profitLoss_data();
    void profitLoss();
    void turnoverAndToday();
    void lowStock_data();
    void lowStock();
    void documents_data();
    void documents();

private:
    std::unique_ptr<TestShop> m_shop;
};

namespace {

// The rows of a report, cells joined by "|", or why it could not be read.
QString text(const Outcome<Table>& table)
{
    if (!table)
        return u"failed: "_s + table.reason();
    QStringList lines;
    for (const QStringList& row : table->rows) {
        QString line = row.join(u'|');
        while (line.endsWith(u'|'))
            line.chop(1);
        lines.append(line);
    }
    return lines.join(u'\n');
}

// The statement of `month` in tests/data/profit-loss.txt: the lines after "# " + month.
QString expectedStatement(const QString& month)
{
    QFile in(QStringLiteral(TOKO_TEST_DATA "/profit-loss.txt"));
    const QString all = in.open(QIODevice::ReadOnly) ? QString::fromUtf8(in.readAll()) : QString();
    const qsizetype start = all.indexOf(u'\n', all.indexOf(u"# "_s + month + u' ')) + 1;
    return all.mid(start, all.indexOf(u"\n# "_s, start) - start).trimmed();
}

} // namespace

// One shop for all: nothing adds rows, and the failure is rolled back.
void TestReports::initTestCase()
{
    m_shop = std::make_unique<TestShop>(TestShop::Data::Demo);
    QVERIFY(addReportMonth(m_shop->db()));
    QVERIFY(addReportMonth(m_shop->db(), u"report-fractions.sql"_s));
    // 06:30 in Jakarta: SQLite's UTC day is still the 6th.
    m_shop->clock.set(QDateTime(QDate(2024, 3, 7), QTime(6, 30), QTimeZone(7 * 3600)));
}

void TestReports::profitLoss_data()
{
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("name");
    QTest::newRow("every kind") << u"2024-03"_s << u"March"_s;
    QTest::newRow("leap February") << u"2024-02"_s << u"February"_s;
    QTest::newRow("empty month") << u"2024-01"_s << u"January"_s;
    QTest::newRow("sold by weight") << u"2024-05"_s << u"May"_s;
}

void TestReports::profitLoss()
{
    QFETCH(QString, month);
    QFETCH(QString, name);
    QCOMPARE(text(reports::profitLoss(m_shop->db(), month, name)), expectedStatement(month));
    Database::Transaction undone(m_shop->db());
    if (!TestShop::onServer()) {
        // Each line's cost comes from the narrow index; a file without it (plain) reads the table.
        QStringList plan;
        QVERIFY(m_shop->db().query(
            u"explain query plan select "_s + shopfile::costOf(m_shop->db(), u"?"_s), {u"1001"_s},
            [&](const QStringList& step) { plan.append(step.value(3)); }));
        QVERIFY2(plan.join(u' ').contains(u"COVERING INDEX barang_hpp"_s),
                 qPrintable(plan.join(u' ')));
        QVERIFY(m_shop->db().exec(u"drop index barang_hpp"_s));
        QCOMPARE(text(reports::profitLoss(m_shop->db(), month, name)), expectedStatement(month));
    }
    // A statement that fails is no success, and says why.
    QVERIFY(m_shop->db().exec(u"drop table itempenjualan"_s));
    QCOMPARE(reports::profitLoss(m_shop->db(), month, name).reason(),
             u"SQL error: "_s + TestShop::noSuchTable(u"itempenjualan"_s));
}

void TestReports::turnoverAndToday()
{
    Outcome<Table> turnover = reports::turnover(m_shop->db(), u"2024-03"_s);
    QVERIFY(turnover);
    // Sold under two names in the month, the product shows the greatest.
    QCOMPARE(text(*turnover),
             u"1001|Beras Pandan Wangi 5 kg|137000\n2001|Mi Instan Goreng|47002.5\n"
             "3002|Teh Celup isi 25|5000\n4001|Sabun Mandi Batang|10000\n"
             "9999|Barang Lama|15000\n\n|Jumlah |214002"_s);

    // Sold by weight: the total adds each product's figure and rounds it, halves to even.
    turnover = reports::turnover(m_shop->db(), u"2024-05"_s);
    QVERIFY(turnover);
    QCOMPARE(turnover->rows.last().value(2), u"8434541"_s);

    // The shop's own day, not SQLite's: the walk-in sale of the 7th, at today's cost.
    QCOMPARE(text(reports::todaysSales(m_shop->db(), m_shop->clock.today())),
             u"2001|Mi Instan Goreng|2700|3200|10|27000|32000|5000\n"
             "9999|Barang Lama||5000|3||15000"_s);
}

void TestReports::lowStock_data()
{
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("threshold");
    QTest::addColumn<QString>("codes");
    QTest::newRow("under 10") << u"Kue 'Bu Ani'"_s << u"10"_s << u"K1 K2"_s;
    QTest::newRow("under 0") << u"Kue 'Bu Ani'"_s << u"0"_s << QString();
    QTest::newRow("empty box") << u"Lainnya"_s << QString() << u"Isi dulu angka Stock dibawah."_s;
    QTest::newRow("not a number") << u"Lainnya"_s << u"5 or 1=1"_s
                                  << u"Isi dulu angka Stock dibawah."_s;
}

void TestReports::lowStock()
{
    QFETCH(QString, category);
    QFETCH(QString, threshold);
    const Outcome<Table> found = reports::lowStock(m_shop->db(), category, threshold);
    QStringList listed;
    for (const QStringList& row : found ? found->rows : QList<QStringList>())
        listed.append(row.value(0));
    QTEST(found ? listed.join(u' ') : found.reason(), "codes");
    QVERIFY(reports::categories(m_shop->db())->contains(u"Kue 'Bu Ani'"_s));
}

void TestReports::documents_data()
{
    QTest::addColumn<Side>("side");
    QTest::addColumn<int>("paid"); // -1: the debts report
    QTest::addColumn<QString>("rows");
    const QString budi = u"2024-03-06|Pak Budi Santoso|Jl. Kenanga 3|JL-06|15002.5|"_s;
    const QString siti = u"2024-03-05|Bu Siti Aminah|Jl. Melati 12|JL-04|130000|"_s;
    const QString yati = u"2024-03-01|Warung Bu Yati|Gg. Mawar 7|JL-12|10000|"_s;
    const QString walkIn = u"2024-03-07|Bebas|Bebas|JL-05|47000|"_s;
    const QString supplier = u"2024-03-04|CV Sumber Rejeki|Jl. Pasar Baru 21|BL-02|62000|"_s;
    const QString walkInSupplier = u"2024-03-07|Bebas|Bebas|BL-14|20000|"_s;
    // Due yesterday is overdue, due today is not; a customer no longer kept is not listed.
    QTest::newRow("receivables") << Side::Sales << -1
                                 << siti + u"100000|2024-03-06|Ya\n"_s + budi +
                                        u"0|2024-03-07|Tidak"_s;
    QTest::newRow("payables") << Side::Purchase << -1
                              << supplier + u"0|2024-03-06|Ya\n"_s + walkInSupplier +
                                     u"15000|2024-03-07|Tidak"_s;
    // A sale paid off since is never overdue; the walk-in sale is listed.
    QTest::newRow("sales paid so far")
        << Side::Sales << int(reports::Paid::SoFar)
        << yati + u"10000|2024-03-02|Tidak\n"_s + siti + u"107000|2024-03-06|Ya\n"_s + budi +
               u"0|2024-03-07|Tidak\n"_s + walkIn + u"47000|2024-03-07|Tidak"_s;
}

void TestReports::documents()
{
    QFETCH(Side, side);
    QFETCH(int, paid);
    const QDate today = m_shop->clock.today();
    QTEST(text(paid < 0 ? reports::debts(m_shop->db(), side, today)
                        : reports::documents(m_shop->db(), side, u"2024-03-01"_s, u"2024-03-07"_s,
                                             today, reports::Paid(paid))),
          "rows");
}

QTEST_GUILESS_MAIN(TestReports)
#include "test_reports.moc"
