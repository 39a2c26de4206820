#include "logic/amount_words.h"

#include <QTest>

// Amounts in words keep their leading space and the single spaces of zero parts.
class TestAmountWords final : public QObject
{
    Q_OBJECT
private slots:
    void words_data();
    void words();
};

void TestAmountWords::words_data()
{
    QTest::addColumn<QString>("expected"); // of the field text in the row's name
    const QString nine = u" sembilan ratus sembilan puluh sembilan"_qs;
    QTest::newRow("11") << u" sebelas"_qs;
    QTest::newRow("1235") << u" seribu dua ratus tiga puluh lima"_qs;
    QTest::newRow("2000") << u" dua ribu "_qs;
    QTest::newRow("1100000") << u" satu juta seratus  ribu "_qs;
    QTest::newRow("999999999") << nine + u" juta" + nine + u" ribu" + nine;
    // Every amount the cashier's limit lets through reads in words.
    QTest::newRow("1000000000") << u" satu miliar "_qs;
    QTest::newRow("1000000000000") << u" satu triliun "_qs;
    QTest::newRow("999999999999999")
        << nine + u" triliun" + nine + u" miliar" + nine + u" juta" + nine + u" ribu" + nine;
    QTest::newRow("1000000000000000") << QString();
    QTest::newRow("-25") << u" minus dua puluh lima"_qs;
    QTest::newRow("-5000000000") << u" minus lima miliar "_qs;
    QTest::newRow("-1000000000000000") << QString();
    QTest::newRow("2.5") << u" dua"_qs; // halves go to the even neighbour
}

void TestAmountWords::words()
{
    QFETCH(QString, expected);
    const QString field = QString::fromLatin1(QTest::currentDataTag());
    bool whole = false;
    const qint64 n = field.toLongLong(&whole);
    if (whole)
        QCOMPARE(amount::words(n), expected);
    QCOMPARE(amount::wordsOf(field), expected);
}

QTEST_APPLESS_MAIN(TestAmountWords)
#include "test_amount_words.moc"
