#include "core/table_model.h"
#include "documents/profit_loss.h"
#include "documents/reports.h"
#include "report_month.h"
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
    void sameRowsAsPlainStatements();

private:
    std::unique_ptr<TestShop> m_shop;
    TableModel m_model;
};

namespace {

QString text(const TableModel& model)
{
    QStringList lines;
    for (int row = 0; row < model.rowCount(); ++row) {
        QString line = model.row(row).join(u'|');
        while (line.endsWith(u'|'))
            line.chop(1);
        lines.append(line);
    }
    return lines.join(u'\n');
}

// The sections of a file under tests/data, each after a line `mark` + name,
// by the first word of their name.
QMap<QString, QString> sections(const QString& file, const QString& mark)
{
    QFile in(QStringLiteral(TOKO_TEST_DATA "/") + file);
    if (!in.open(QIODevice::ReadOnly))
        return {};
    QMap<QString, QString> found;
    QString name;
    for (const QString& line : QString::fromUtf8(in.readAll()).split(u'\n')) {
        if (line.startsWith(mark))
            name = line.mid(mark.size()).section(u' ', 0, 0);
        else if (!line.isEmpty())
            found[name] += (found[name].isEmpty() ? u""_s : u"\n"_s) + line;
    }
    return found;
}

} // namespace

// One shop for all: only the last test adds rows, and the failure is rolled back.
void TestReports::initTestCase()
{
    m_shop = std::make_unique<TestShop>(TestShop::Data::Demo);
    QVERIFY(addReportMonth(m_shop->db()));
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
}

void TestReports::profitLoss()
{
    QFETCH(QString, month);
    QFETCH(QString, name);
    QVERIFY(reports::fillProfitLoss(m_shop->db(), month, name, m_model).ok());
    QCOMPARE(text(m_model), sections(u"profit-loss.txt"_s, u"# "_s).value(month));
    // A statement that fails counts nothing, says why, and the others still run.
    const auto amounts = [&] {
        QString found;
        for (int row = 0; row < m_model.rowCount(); ++row) {
            if (m_model.cell(row, 0) == u"Penjualan" || m_model.cell(row, 0) == u"Harga Pokok")
                found += m_model.cell(row, 1) + u' ';
        }
        return found;
    };
    const QString sales = amounts().section(u' ', 0, 0);
    Database::Transaction undone(m_shop->db());
    QVERIFY(m_shop->db().exec(u"drop table itempenjualan"_s));
    QVERIFY(!reports::fillProfitLoss(m_shop->db(), month, name, m_model).ok());
    QCOMPARE(amounts(), sales + u" (0) "_s);
    QVERIFY(m_shop->messages.lastText().startsWith(u"SQL error: no such table"_s));
}

void TestReports::turnoverAndToday()
{
    QVERIFY(reports::fillTurnover(m_shop->db(), u"2024-03"_s, m_model).ok());
    // Sold under two names in the month, the product shows one of them.
    QVERIFY(m_model.cell(1, 1) == u"Mi Instan Goreng" || m_model.cell(1, 1) == u"Mi Goreng Pedas");
    m_model.setCell(1, 1, u"Mi"_s);
    QCOMPARE(text(m_model), u"1001|Beras Pandan Wangi 5 kg|137000\n2001|Mi|47002.5\n"
                            "3002|Teh Celup isi 25|5000\n4001|Sabun Mandi Batang|10000\n"
                            "9999|Barang Lama|15000\n\n|Jumlah |214002"_s);

    // The shop's own day, not SQLite's: the walk-in sale of the 7th, at today's cost.
    QVERIFY(reports::fillTodaysSales(m_shop->db(), m_shop->clock.today(), m_model).ok());
    QCOMPARE(text(m_model), u"2001|Mi Instan Goreng|2700|3200|10|27000|32000|5000\n"
                            "9999|Barang Lama||5000|3||15000"_s);
}

void TestReports::lowStock_data()
{
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("threshold");
    QTest::addColumn<QString>("codes");
    QTest::newRow("under 10") << u"Kue 'Bu Ani'"_s << u"10"_s << u"K1 K2"_s;
    QTest::newRow("20 digits") << u"Kue 'Bu Ani'"_s << u"99999999999999999999"_s
                               << u"K1 K2 K3 K4"_s;
    QTest::newRow("under 0") << u"Kue 'Bu Ani'"_s << u"0"_s << QString();
    QTest::newRow("the tree's root") << u"Kategori"_s << u"1000"_s << QString();
    QTest::newRow("empty box") << u"Lainnya"_s << QString() << u"Isi dulu angka Stock dibawah."_s;
    QTest::newRow("not a number") << u"Lainnya"_s << u"5 or 1=1"_s
                                  << u"Isi dulu angka Stock dibawah."_s;
}

void TestReports::lowStock()
{
    QFETCH(QString, category);
    QFETCH(QString, threshold);
    QFETCH(QString, codes);
    m_model.appendRow({u"stale"_s});
    const Outcome<> filled = reports::fillLowStock(m_shop->db(), category, threshold, m_model);
    QStringList found;
    for (int row = 0; row < m_model.rowCount(); ++row)
        found.append(m_model.cell(row, 0));
    QCOMPARE(filled.ok() ? found.join(u' ') : filled.reason(), codes);
    QVERIFY(filled.ok() || m_model.rowCount() == 0);
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
    QTest::newRow("purchases paid so far")
        << Side::Purchase << int(reports::Paid::SoFar)
        << supplier + u"0|2024-03-06|Ya\n"_s + walkInSupplier + u"15000|2024-03-07|Tidak"_s;
}

void TestReports::documents()
{
    QFETCH(Side, side);
    QFETCH(int, paid);
    QFETCH(QString, rows);
    const QDate today = m_shop->clock.today();
    m_shop->messages.clear();
    QVERIFY(paid < 0 ? reports::fillDebts(m_shop->db(), side, today, m_model).ok()
                     : reports::fillDocuments(m_shop->db(), side, u"2024-03-01"_s, u"2024-03-07"_s,
                                              today, reports::Paid(paid), m_model)
                           .ok());
    QCOMPARE(text(m_model), rows);
    // "Dari" after "s/d": nothing, and no error.
    QVERIFY(reports::fillDocuments(m_shop->db(), side, u"2024-03-08"_s, u"2024-03-01"_s, today,
                                   reports::Paid::SoFar, m_model)
                .ok());
    QCOMPARE(m_model.rowCount() + m_shop->messages.shown().size(), 0);
}

// Where walk-in parties are rows and the clock is on SQLite's day, the
// reports give the rows of their plain statements.
void TestReports::sameRowsAsPlainStatements()
{
    Database& db = m_shop->db();
    const QDate today = QDateTime::currentDateTimeUtc().date();
    const QString day = today.toString(Qt::ISODate),
                  yesterday = today.addDays(-1).toString(Qt::ISODate);
    QVERIFY(db.exec(
        u"insert into pelanggan (kode, nama, alamat) values ('PL-00000','Bebas','Bebas')"_s));
    QVERIFY(db.exec(
        u"insert into supplier (kode, nama, alamat) values ('SP-00000','Bebas','Bebas')"_s));
    QVERIFY(db.exec(
        u"insert into transaksi (Kode, Ref, Tanggal, KodeSP, Jumlah, Potongan, Tunai, "
        "Piutang, JatuhTempo) values ('JL-20','Masuk',?1,'PL-00001',68500,0,67500,1000,?1), "
        "('JL-21','Masuk',?1,'PL-00000',6400,0,5900,500,?2)"_s,
        {day, yesterday}));
    QVERIFY(db.exec(
        u"insert into itempenjualan (Kode, KodeBarang, NamaBarang, Qty, Harga, Jumlah) "
        "values ('JL-20','1001','Beras',1,68500,68500), ('JL-21','2001','Mi',2,3200,6400)"_s));

    const QMap<QString, QString> plain = sections(u"report-reference.sql"_s, u"-- "_s);
    TableModel expected;
    const auto compare = [&](const QString& name, Side side, QMap<QString, QString> values) {
        QString sql = plain.value(name);
        for (const auto& [key, value] : values.asKeyValueRange())
            sql.replace(u'{' + key + u'}', QString(value).replace(u"'"_s, u"''"_s));
        if (side == Side::Purchase)
            sql.replace(u"pelanggan"_s, u"supplier"_s).replace(u"piutang"_s, u"hutang"_s);
        QVERIFY(db.fill(expected, sql));
        // In their own order: the plain statements leave it to the database.
        QStringList ours = text(m_model).split(u'\n'), theirs = text(expected).split(u'\n');
        ours.sort();
        theirs.sort();
        QCOMPARE(ours, theirs);
    };
    for (const QString& month : {u"2024-03"_s, day.left(7)}) {
        QVERIFY(reports::fillTurnover(db, month, m_model).ok());
        m_model.removeRows(m_model.rowCount() - 2, 2); // the total
        compare(u"turnover"_s, Side::Sales, {{u"month"_s, month}});
    }
    QVERIFY(reports::fillTodaysSales(db, today, m_model).ok());
    compare(u"today"_s, Side::Sales, {});
    QVERIFY(reports::fillLowStock(db, u"Kue 'Bu Ani'"_s, u"10"_s, m_model).ok());
    compare(u"lowstock"_s, Side::Sales,
            {{u"category"_s, u"Kue 'Bu Ani'"_s}, {u"threshold"_s, u"10"_s}});
    for (const Side side : {Side::Sales, Side::Purchase}) {
        const QMap<QString, QString> values = {
            {u"kind"_s, QString(sideInfo(side).documentKind + u'-')},
            {u"from"_s, u"2024-03-01"_s},
            {u"to"_s, day}};
        QVERIFY(reports::fillDebts(db, side, today, m_model).ok());
        compare(u"debts"_s, side, values);
        QVERIFY(reports::fillDocuments(db, side, u"2024-03-01"_s, day, today,
                                       reports::Paid::AtCounter, m_model)
                    .ok());
        compare(u"counter"_s, side, values);
        QVERIFY(reports::fillDocuments(db, side, u"2024-03-01"_s, day, today, reports::Paid::SoFar,
                                       m_model)
                    .ok());
        compare(u"paid"_s, side, values);
    }
}

QTEST_GUILESS_MAIN(TestReports)
#include "test_reports.moc"
