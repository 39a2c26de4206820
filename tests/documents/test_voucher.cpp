#include "documents/voucher.h"

#include <QFile>
#include <QTest>

// The payment voucher's 66-column page: the whole page once, then single
// lines (found by their y) for unusual shop names and amounts.
class TestVoucher final : public QObject
{
    Q_OBJECT
private slots:
    void lines_data();
    void lines();
};

void TestVoucher::lines_data()
{
    QTest::addColumn<QString>("shopName");
    QTest::addColumn<qint32>("amount");
    QTest::addColumn<int>("y"); // 0: the whole page
    QTest::addColumn<QString>("expected");
    const QString name = u"Toko Sumber Rejeki"_qs;
    QFile page(QFINDTESTDATA("../data/voucher_page.txt"));
    QVERIFY(page.open(QIODevice::ReadOnly));
    QTest::newRow("whole page") << name << 1235000 << 0 << QString::fromUtf8(page.readAll());
    QTest::newRow("zero") << name << 0 << 1250 << u" Terbilang        :   rupiah\n"_qs;
    QTest::newRow("wider than the page, not cut")
        << QString(67, u'W') << 0 << 150 << QString(67, u'W') + u'\n';
    QTest::newRow("odd length centres on the half rounded down")
        << u"abc"_qs << 0 << 150 << QString(32, u' ') + u"ABC\n";
}

void TestVoucher::lines()
{
    QFETCH(QString, shopName);
    QFETCH(qint32, amount);
    QFETCH(int, y);
    QFETCH(QString, expected);
    const PrintedPage page = vouchers::voucherPage(
        {u"KK-2403-0007"_qs, u"Budi Santoso"_qs, u"Pelunasan faktur PJ-0312"_qs, amount,
         u"bulan Maret"_qs, u"budi"_qs},
        {shopName, u"Jl. Merdeka No. 12, Bandung"_qs, u"022-4231567"_qs}, QDate(2024, 3, 7),
        QLocale(QLocale::Indonesian));
    QCOMPARE(page.documentName + u'|' + page.fontFace + u'|' + QString::number(page.fontPoints),
             u"Struk|Courier New|10"_qs);
    QString texts;
    for (qsizetype i = 0; i < page.lines.size(); ++i) {
        QCOMPARE(QPoint(page.lines[i].x, page.lines[i].y), QPoint(10, 150 + 100 * int(i)));
        if (!y || page.lines[i].y == y)
            texts += page.lines[i].text + u'\n';
    }
    QCOMPARE(texts, expected);
}

QTEST_APPLESS_MAIN(TestVoucher)
#include "test_voucher.moc"
