#include "logic/labels.h"

#include <QTest>

using namespace Qt::StringLiterals;
using labels::Layout;
using labels::Symbology;

// Which bar code a label gets, which codes are refused, and where each label
// lands on the paper.
class TestLabels final : public QObject
{
    Q_OBJECT
private slots:
    void symbology_data();
    void symbology();
    void placeOnPaper_data();
    void placeOnPaper();
};

void TestLabels::symbology_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("check"); // of the first twelve digits, -1 for fewer
    QTest::addColumn<bool>("scannable");
    QTest::addColumn<Symbology>("symbology");
    QTest::newRow("EAN-13") << u"4006381333931"_s << 1 << true << Symbology::Ean13;
    QTest::newRow("EAN-13 check 0") << u"0000000000000"_s << 0 << true << Symbology::Ean13;
    QTest::newRow("wrong check") << u"4006381333932"_s << 1 << true << Symbology::Code128;
    QTest::newRow("12 digits") << u"400638133393"_s << 1 << true << Symbology::Code128;
    QTest::newRow("14 digits") << u"40063813339310"_s << 1 << true << Symbology::Code128;
    QTest::newRow("letters") << u"BRG-01"_s << -1 << false << Symbology::Code128;
    QTest::newRow("other digits") << u"\u0661\u0662"_s << -1 << false << Symbology::Code128;
    QTest::newRow("empty") << QString() << -1 << false << Symbology::Code128;
}

void TestLabels::symbology()
{
    QFETCH(QString, code);
    QFETCH(int, check);
    if (check >= 0)
        QCOMPARE(labels::ean13CheckDigit(QStringView(code).first(12)), check);
    QTEST(labels::scannable(code), "scannable");
    QTEST(labels::symbologyFor(code), "symbology");
}

void TestLabels::placeOnPaper_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<Layout>("layout");
    QTest::addColumn<int>("start");
    QTest::addColumn<labels::Place>("place");
    QTest::newRow("start 5") << 0 << Layout::Sheet << 5 << labels::Place{0, 1, 1};
    QTest::newRow("last of sheet") << 0 << Layout::Sheet << 30 << labels::Place{0, 9, 2};
    QTest::newRow("next sheet from 1") << 1 << Layout::Sheet << 30 << labels::Place{1, 0, 0};
    QTest::newRow("31st") << 30 << Layout::Sheet << 1 << labels::Place{1, 0, 0};
    QTest::newRow("start 0 as 1") << 4 << Layout::Sheet << 0 << labels::Place{0, 1, 1};
    QTest::newRow("roll") << 7 << Layout::Roll << 5 << labels::Place{7, 0, 0};
}

void TestLabels::placeOnPaper()
{
    QFETCH(int, index);
    QFETCH(Layout, layout);
    QFETCH(int, start);
    QTEST(labels::placeOf(index, layout, start), "place");
}

QTEST_GUILESS_MAIN(TestLabels)
#include "test_labels.moc"
