#include "documents/voucher.h"

#include <QTest>

namespace {

const QString pad30(30, u' ');

ShopIdentity shop(const QString& name = u"Toko Sumber Rejeki"_qs)
{
    return {name, u"Jl. Merdeka No. 12, Bandung"_qs, u"022-4231567"_qs};
}

vouchers::Voucher voucher(qint32 amount = 1235000,
                          const QString& receiver = vouchers::receiverAfterSaving)
{
    return {u"KK-2403-0007"_qs,
            u"Budi Santoso"_qs,
            u"Pelunasan faktur PJ-0312"_qs,
            amount,
            u"bulan Maret"_qs,
            receiver};
}

} // namespace

class TestVoucher final : public QObject
{
    Q_OBJECT
private slots:
    void wholePage_data();
    void wholePage();
    void edges_data();
    void edges();
};

void TestVoucher::wholePage_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("date");
    QTest::newRow("Indonesian") << QLocale(QLocale::Indonesian, QLocale::Indonesia)
                                << u"07 Maret 2024"_qs;
    QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedStates)
                             << u"07 March 2024"_qs;
}

void TestVoucher::wholePage()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, date);
    const QString rule(66, u'-');
    const QStringList expected = {
        QString(24, u' ') + u"TOKO SUMBER REJEKI",
        QString(20, u' ') + u"Jl. Merdeka No. 12, Bandung",
        QString(25, u' ') + u"Telp. 022-4231567",
        rule,
        u" No.              : KK-2403-0007"_qs,
        QString(),
        u" Terima dari.     : Budi Santoso"_qs,
        QString(),
        u" Untuk Pembayaran : Pelunasan faktur PJ-0312"_qs,
        u"                  : bulan Maret"_qs,
        rule,
        u" Terbilang        :  satu juta dua ratus tiga puluh lima ribu  rupiah"_qs,
        rule,
        u"                  : Rp.    1235000"_qs,
        pad30 + u"_______________, " + date,
        pad30 + u"Penerima",
        QString(),
        QString(),
        QString(),
        pad30 + u"_________________",
    };

    const PrintedPage page = vouchers::voucherPage(voucher(), shop(), QDate(2024, 3, 7), locale);
    QCOMPARE(page.documentName, u"Struk"_qs);
    QCOMPARE(page.fontFace, u"Courier New"_qs);
    QCOMPARE(page.fontPoints, 10);
    QCOMPARE(page.lines.size(), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i) {
        QCOMPARE(page.lines[i].x, 10);
        QCOMPARE(page.lines[i].y, 150 + 100 * int(i));
        QCOMPARE(page.lines[i].text, expected[i]);
    }
}

// One line of the page (found by its y) for an unusual shop name, amount or receiver.
void TestVoucher::edges_data()
{
    QTest::addColumn<QString>("shopName");
    QTest::addColumn<qint32>("amount");
    QTest::addColumn<QString>("receiver");
    QTest::addColumn<int>("y");
    QTest::addColumn<QString>("expected");

    const QString name = u"Toko Sumber Rejeki"_qs;
    const QString blank = u"_________________"_qs;
    const QString wide =
        u"toko serba ada sumber rejeki makmur sentosa jaya abadi cabang bandung"_qs;
    QTest::newRow("zero in words")
        << name << 0 << blank << 1250 << u" Terbilang        :   rupiah"_qs;
    QTest::newRow("zero in digits")
        << name << 0 << blank << 1450 << u"                  : Rp.          0"_qs;
    QTest::newRow("thousand million has no words")
        << name << 1000000000 << blank << 1250 << u" Terbilang        :  rupiah"_qs;
    QTest::newRow("ten digits fill the column")
        << name << 1000000000 << blank << 1450 << u"                  : Rp. 1000000000"_qs;
    QTest::newRow("negative in digits")
        << name << -500 << blank << 1450 << u"                  : Rp.       -500"_qs;
    QTest::newRow("wider than the page, not cut") << wide << 0 << blank << 150 << wide.toUpper();
    QTest::newRow("odd length centres on the half rounded down")
        << u"abc"_qs << 0 << blank << 150 << QString(32, u' ') + u"ABC";
    QTest::newRow("even length") << u"abcd"_qs << 0 << blank << 150 << QString(31, u' ') + u"ABCD";
    QTest::newRow("receiver upper-cased") << name << 0 << u"budi"_qs << 2050 << pad30 + u"BUDI";
}

void TestVoucher::edges()
{
    QFETCH(QString, shopName);
    QFETCH(qint32, amount);
    QFETCH(QString, receiver);
    QFETCH(int, y);
    QFETCH(QString, expected);
    const PrintedPage page =
        vouchers::voucherPage(voucher(amount, receiver), shop(shopName), QDate(2024, 3, 7));
    const auto line = std::find_if(page.lines.cbegin(), page.lines.cend(),
                                   [y](const PlacedLine& l) { return l.y == y; });
    QVERIFY(line != page.lines.cend());
    QCOMPARE(line->text, expected);
}

QTEST_APPLESS_MAIN(TestVoucher)
#include "test_voucher.moc"
