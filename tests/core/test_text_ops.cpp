#include "core/text_ops.h"

#include <QTest>

class TestTextOps final : public QObject
{
    Q_OBJECT
private slots:
    void fields();
    void numbers_data();
    void numbers();
};

void TestTextOps::fields()
{
    QCOMPARE(text::nthField(u"PL-00001; Bu Siti"_qs, 2), u" Bu Siti"_qs);
    QCOMPARE(text::nthField(u";;c"_qs, 3) + text::nthField(u"a;b"_qs, 3), u"c"_qs);
    QCOMPARE(text::numberToText(-0.0) + text::numberToText(std::nan("")), u"00"_qs);
}

// A field's text read as a number (text that does not start with one is 0),
// as a whole number (halves to the even neighbour), and written back.
void TestTextOps::numbers_data()
{
    QTest::addColumn<double>("number");
    QTest::addColumn<int>("whole");
    QTest::addColumn<QString>("written");
    const auto row = [](const char* text, double number, int whole, const char* written) {
        QTest::newRow(text) << number << whole << QString::fromLatin1(written);
    };
    row("1000.5", 1000.5, 1000, "1000.5");
    row(" -3.5", -3.5, -4, "-3.5");
    row("+2.5", 2.5, 2, "2.5");
    row("12abc", 12, 12, "12");
    row("1,5", 1, 1, "1");
    row("2e", 2, 2, "2");
    row("1e20", 1e20, std::numeric_limits<int>::max(), "100000000000000000000");
    row("0.30000000000000004", 0.1 + 0.2, 0, "0.3");
    row("0.3333333333333333", 1.0 / 3.0, 0, "0.3333333333333333");
    row("-0.000125", -0.000125, 0, "-0.000125");
    for (const char* zero : {"-", ".", "inf", "0x1A", "1e999"})
        row(zero, 0, 0, "0");
}

void TestTextOps::numbers()
{
    QFETCH(double, number);
    const QString text = QString::fromLatin1(QTest::currentDataTag());
    QCOMPARE(text::textToNumber(text), number);
    QTEST(text::textToInt(text), "whole");
    QTEST(text::numberToText(number), "written");
}

QTEST_APPLESS_MAIN(TestTextOps)
#include "test_text_ops.moc"
