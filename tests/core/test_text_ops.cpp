#include "core/text_ops.h"

#include <QTest>

class TestTextOps final : public QObject
{
    Q_OBJECT
private slots:
    void nthField_data();
    void nthField();
    void replaceAll_data();
    void replaceAll();
    void numberToText_data();
    void numberToText();
    void textToNumber_data();
    void textToNumber();
    void roundHalfEven_data();
    void roundHalfEven();
};

void TestTextOps::nthField_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("expected");
    QTest::newRow("first") << u"a;b;c"_qs << 1 << u";"_qs << u"a"_qs;
    QTest::newRow("last") << u"a;b;c"_qs << 3 << u";"_qs << u"c"_qs;
    QTest::newRow("beyond") << u"a;b;c"_qs << 4 << u";"_qs << QString();
    QTest::newRow("zero") << u"a;b"_qs << 0 << u";"_qs << QString();
    QTest::newRow("empty middle") << u"a;;c"_qs << 2 << u";"_qs << QString();
    QTest::newRow("empty text") << QString() << 1 << u";"_qs << QString();
    QTest::newRow("no separator") << u"abc"_qs << 1 << u";"_qs << u"abc"_qs;
    QTest::newRow("trailing") << u"a;"_qs << 2 << u";"_qs << QString();
    QTest::newRow("chooser code") << u"PL-00001; Bu Siti"_qs << 1 << u";"_qs << u"PL-00001"_qs;
    QTest::newRow("chooser name") << u"PL-00001; Bu Siti"_qs << 2 << u";"_qs << u" Bu Siti"_qs;
    QTest::newRow("long separator") << u"x; y; z"_qs << 3 << u"; "_qs << u"z"_qs;
}

void TestTextOps::nthField()
{
    QFETCH(QString, text);
    QFETCH(int, n);
    QFETCH(QString, separator);
    QFETCH(QString, expected);
    QCOMPARE(text::nthField(text, n, separator), expected);
}

void TestTextOps::replaceAll_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("expected");
    QTest::newRow("side swap") << u"select sum(piutang) from pelanggan where Piutang>0"_qs
                               << u"piutang"_qs << u"hutang"_qs
                               << u"select sum(hutang) from pelanggan where Piutang>0"_qs;
    QTest::newRow("no rescan") << u"aaa"_qs << u"a"_qs << u"aa"_qs << u"aaaaaa"_qs;
    QTest::newRow("left to right") << u"aaaa"_qs << u"aa"_qs << u"b"_qs << u"bb"_qs;
    QTest::newRow("overlap") << u"aaa"_qs << u"aa"_qs << u"b"_qs << u"ba"_qs;
    QTest::newRow("empty from") << u"abc"_qs << QString() << u"x"_qs << u"abc"_qs;
    QTest::newRow("to empty") << u"a-b-c"_qs << u"-"_qs << QString() << u"abc"_qs;
}

void TestTextOps::replaceAll()
{
    QFETCH(QString, text);
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QString, expected);
    QCOMPARE(text::replaceAll(text, from, to), expected);
}

void TestTextOps::numberToText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("integer") << 12365.0 << u"12365"_qs;
    QTest::newRow("no separators") << 1234567890.0 << u"1234567890"_qs;
    QTest::newRow("negative") << -500.0 << u"-500"_qs;
    QTest::newRow("zero") << 0.0 << u"0"_qs;
    QTest::newRow("negative zero") << -0.0 << u"0"_qs;
    QTest::newRow("half") << 1000.5 << u"1000.5"_qs;
    QTest::newRow("shortest") << 0.1 + 0.2 << u"0.3"_qs;
    QTest::newRow("sixteen digits") << 1.0 / 3.0 << u"0.3333333333333333"_qs;
    QTest::newRow("large integer") << 99999999999.0 << u"99999999999"_qs;
    QTest::newRow("not a number") << std::nan("") << u"0"_qs;
    QTest::newRow("beyond 64 bits") << 1e20 << u"100000000000000000000"_qs;
    QTest::newRow("small") << 0.00001 << u"0.00001"_qs;
    QTest::newRow("small negative") << -0.000125 << u"-0.000125"_qs;
    QTest::newRow("large fraction") << 123456789.25 << u"123456789.25"_qs;
}

void TestTextOps::numberToText()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(text::numberToText(value), expected);
}

void TestTextOps::textToNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("plain") << u"12365"_qs << 12365.0;
    QTest::newRow("decimal") << u"1000.5"_qs << 1000.5;
    QTest::newRow("leading number") << u"12abc"_qs << 12.0;
    QTest::newRow("leading spaces") << u"  42"_qs << 42.0;
    QTest::newRow("negative") << u"-7"_qs << -7.0;
    QTest::newRow("empty") << QString() << 0.0;
    QTest::newRow("dash") << u"-"_qs << 0.0;
    QTest::newRow("letters") << u"abc"_qs << 0.0;
    QTest::newRow("comma is no decimal mark") << u"1,5"_qs << 1.0;
    QTest::newRow("thousands dots") << u"1.000.000"_qs << 1.0;
    QTest::newRow("point only") << u"."_qs << 0.0;
    QTest::newRow("trailing point") << u"5."_qs << 5.0;
    QTest::newRow("leading point") << u".5"_qs << 0.5;
    QTest::newRow("exponent") << u"1e3"_qs << 1000.0;
    QTest::newRow("dangling exponent") << u"2e"_qs << 2.0;
    QTest::newRow("infinity word") << u"inf"_qs << 0.0;
    QTest::newRow("nan word") << u"nan"_qs << 0.0;
    QTest::newRow("hexadecimal") << u"0x1A"_qs << 0.0;
    QTest::newRow("overflow") << u"1e999"_qs << 0.0;
    QTest::newRow("minus zero") << u"-0"_qs << 0.0;
}

void TestTextOps::textToNumber()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    const double value = text::textToNumber(text);
    QCOMPARE(value, expected);
    QVERIFY(!std::signbit(value) || value < 0);
}

void TestTextOps::roundHalfEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expected");
    QTest::newRow("half down to even") << 1000.5 << 1000.0;
    QTest::newRow("half up to even") << 1001.5 << 1002.0;
    QTest::newRow("2000.5") << 2000.5 << 2000.0;
    QTest::newRow("1236.5") << 1236.5 << 1236.0;
    QTest::newRow("below half") << 2.49 << 2.0;
    QTest::newRow("above half") << 2.51 << 3.0;
    QTest::newRow("negative half") << -2.5 << -2.0;
    QTest::newRow("negative odd half") << -3.5 << -4.0;
    QTest::newRow("minus a half") << -0.5 << 0.0;
    QTest::newRow("whole") << 7.0 << 7.0;
}

void TestTextOps::roundHalfEven()
{
    QFETCH(double, value);
    QFETCH(double, expected);
    QCOMPARE(text::roundHalfEven(value), expected);
}

QTEST_APPLESS_MAIN(TestTextOps)
#include "test_text_ops.moc"
