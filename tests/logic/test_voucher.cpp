#include "logic/cash_book.h"
#include "logic/payments.h"
#include "logic/voucher.h"

#include <QFile>
#include <QTest>

// The payment voucher: a 66-column page in Courier New, one line every 100 units.
class TestVoucher final : public QObject
{
    Q_OBJECT
private slots:
    void page();
    void amountPrintedExactly();
};

void TestVoucher::page()
{
    const auto print = [](const QString& shopName) {
        return vouchers::voucherPage(
            {u"KK-2403-0007"_qs, u"Budi Santoso"_qs, u"Pelunasan faktur PJ-0312"_qs, 0,
             u"bulan Maret"_qs, u"budi"_qs},
            {shopName, u"Jl. Merdeka No. 12, Bandung"_qs, u"022-4231567"_qs}, QDate(2024, 3, 7),
            QLocale(QLocale::Indonesian));
    };
    const PrintedPage page = print(u"Toko Sumber Rejeki"_qs);
    QCOMPARE(page.documentName + u'|' + page.fontFace + u'|' + QString::number(page.fontPoints),
             u"Struk|Courier New|10"_qs);
    QString texts;
    for (qsizetype i = 0; i < page.lines.size(); ++i) {
        QCOMPARE(QPoint(page.lines[i].x, page.lines[i].y), QPoint(10, 150 + 100 * int(i)));
        texts += page.lines[i].text + u'\n';
    }
    QFile expected(QFINDTESTDATA("../data/voucher_page.txt"));
    QVERIFY(expected.open(QIODevice::ReadOnly));
    QCOMPARE(texts, QString::fromUtf8(expected.readAll()));
    // A shop name wider than the page starts at its left edge and is not cut.
    QCOMPARE(print(QString(67, u'w')).lines.first().text, QString(67, u'W'));
}

void TestVoucher::amountPrintedExactly()
{
    const QDate day(2024, 3, 7);
    const PrintedPage cash = vouchers::voucherPage(
        cashbook::voucher({cashbook::Flow::Out, {}, {}, {}, u"5000000000"_qs, {}}, {}), {}, day);
    QCOMPARE(cash.lines[11].text, u" Terbilang        :  lima miliar  rupiah"_qs);
    QCOMPARE(cash.lines[13].text, u"                  : Rp. 5000000000"_qs);
    // 500 typed when 400 was open: 400 recorded, and only that printed.
    const PrintedPage paid = vouchers::voucherPage(
        payments::voucher({Side::Sales, {}, {}, {}, {}, 400, u"400"_qs, u"500"_qs, {}}, 400, {},
                          {}),
        {}, day);
    QCOMPARE(paid.lines[8].text, u" Untuk Pembayaran : Pembayaran Piutang Sebesar : 400"_qs);
    QCOMPARE(paid.lines[13].text, u"                  : Rp.        400"_qs);
}

QTEST_APPLESS_MAIN(TestVoucher)
#include "test_voucher.moc"
