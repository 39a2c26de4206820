#include "documents/amount_words.h"

#include <QTest>

#include <limits>

class TestAmountWords final : public QObject
{
    Q_OBJECT
private slots:
    void words_data();
    void words();
    void fieldAmounts_data();
    void fieldAmounts();
};

void TestAmountWords::words_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("expected");
    QTest::newRow("0") << 0 << u" "_qs;
    QTest::newRow("10") << 10 << u" sepuluh"_qs;
    QTest::newRow("11") << 11 << u" sebelas"_qs;
    QTest::newRow("19") << 19 << u" sembilan belas"_qs;
    QTest::newRow("20") << 20 << u" dua puluh "_qs;
    QTest::newRow("25") << 25 << u" dua puluh lima"_qs;
    QTest::newRow("100") << 100 << u" seratus "_qs;
    QTest::newRow("101") << 101 << u" seratus satu"_qs;
    QTest::newRow("110") << 110 << u" seratus sepuluh"_qs;
    QTest::newRow("1000") << 1000 << u" seribu "_qs;
    QTest::newRow("1235") << 1235 << u" seribu dua ratus tiga puluh lima"_qs;
    QTest::newRow("2000") << 2000 << u" dua ribu "_qs;
    QTest::newRow("1000000") << 1000000 << u" satu juta "_qs;
    QTest::newRow("1001000") << 1001000 << u" satu juta seribu "_qs;
    QTest::newRow("1100000") << 1100000 << u" satu juta seratus  ribu "_qs;
    QTest::newRow("999999999")
        << 999999999
        << u" sembilan ratus sembilan puluh sembilan juta sembilan ratus sembilan puluh "
           u"sembilan ribu sembilan ratus sembilan puluh sembilan"_qs;
    QTest::newRow("1000000000") << 1000000000 << QString();
    QTest::newRow("int max") << std::numeric_limits<int>::max() << QString();
    QTest::newRow("-25") << -25 << u" minus dua puluh lima"_qs;
    QTest::newRow("int min") << std::numeric_limits<int>::min() << QString();
}

void TestAmountWords::words()
{
    QFETCH(int, n);
    QFETCH(QString, expected);
    QCOMPARE(amount::words(n), expected);
}

void TestAmountWords::fieldAmounts_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << u"12365"_qs
                           << u" dua belas ribu tiga ratus enam puluh lima"_qs;
    QTest::newRow("half rounds to even") << u"2.5"_qs << u" dua"_qs;
    QTest::newRow("2^31") << u"2147483648"_qs << QString();
    QTest::newRow("eleven digits") << u"99999999999"_qs << QString();
    QTest::newRow("huge negative") << u"-99999999999"_qs << QString();
    QTest::newRow("letters") << u"abc"_qs << u" "_qs;
    QTest::newRow("negative") << u"-1000"_qs << u" minus seribu "_qs;
}

void TestAmountWords::fieldAmounts()
{
    QFETCH(QString, field);
    QFETCH(QString, expected);
    QCOMPARE(amount::wordsOf(field), expected);
}

QTEST_APPLESS_MAIN(TestAmountWords)
#include "test_amount_words.moc"
