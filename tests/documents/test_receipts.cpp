#include "documents/receipt_layout.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Receipt layouts, line by line.
class TestReceipts final : public QObject
{
    Q_OBJECT
private slots:
    void columnHelpers_data();
    void columnHelpers();
    void sizeFromTheList();
    void sizeOnePage();
    void sizeThreeCutsLongNamesAndStartsAmountsUnderAnEmptyCart();
    void operatorLineGrowsWithLongNames_data();
    void operatorLineGrowsWithLongNames();
    void lineReceipts_data();
    void lineReceipts();
    void footerFile();
};

namespace {

QString sp(int n)
{
    return QString(n, u' ');
}

ReceiptSource sale()
{
    ReceiptSource source;
    source.shop = {u"Toko Makmur"_qs, u"Jl. Pasar 1"_qs, u"0274-555"_qs};
    source.rows = {{u"1002"_qs, u"Minyak Goreng 2 L"_qs, u"3"_qs, u"pouch"_qs, u"34000"_qs,
                    u"0"_qs, u"102000"_qs},
                   {u"2001"_qs, u"Mi"_qs, u"1000"_qs, u"pcs"_qs, u"3200"_qs, u"200"_qs,
                    u"3000000"_qs}};
    source.total = u"3102000"_qs;
    source.discount = u"0"_qs;
    source.net = u"3102000"_qs;
    source.paid = u"3200000"_qs;
    source.change = u"98000"_qs;
    source.changeLabel = u"Kembali"_qs;
    source.date = u"2024-03-07"_qs;
    source.dueDate = u"2024-04-07"_qs;
    source.dayCount = 4;
    source.operatorName = u"kasir"_qs;
    source.currentDate = u"March 07, 2024"_qs;
    source.currentTime = u"10:15:00"_qs;
    source.lastSavedNumber = u"00000000000123"_qs;
    source.footer = {u"Terima kasih"_qs};
    return source;
}

} // namespace

void TestReceipts::columnHelpers_data()
{
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("expected");
    QTest::newRow("centre odd") << receipts::centre(u"abc"_qs, 16) << sp(15) + u"abc"_qs;
    QTest::newRow("centre even") << receipts::centre(u"abcd"_qs, 16) << sp(14) + u"abcd"_qs;
    QTest::newRow("centre too wide") << receipts::centre(QString(40, u'x'), 16) << QString(40, u'x');
    QTest::newRow("right pads") << receipts::right(u"5"_qs, 3) << u"  5"_qs;
    QTest::newRow("right cuts the left") << receipts::right(u"1000"_qs, 3) << u"000"_qs;
    QTest::newRow("pad10") << receipts::pad10(u"12345"_qs) << sp(5) + u"12345"_qs;
    QTest::newRow("pad10 never cuts") << receipts::pad10(u"12345678901"_qs) << u"12345678901"_qs;
}

void TestReceipts::columnHelpers()
{
    QFETCH(QString, result);
    QFETCH(QString, expected);
    QCOMPARE(result, expected);
}

void TestReceipts::sizeFromTheList()
{
    QCOMPARE(receipts::sizeOf(u"Struk 1"_qs), 1);
    QCOMPARE(receipts::sizeOf(u"Struk 5"_qs), 5);
    QCOMPARE(receipts::sizeOf(u"struk 3"_qs), 0);
    QCOMPARE(receipts::sizeOf(u"Struk 6"_qs), 0);
    QCOMPARE(receipts::sizeOf(QString()), 0);
}

void TestReceipts::sizeOnePage()
{
    const ReceiptSettings settings; // 15;150;0;Courier New;6
    const PrintedPage page = receipts::page(1, sale(), settings);
    QCOMPARE(page.documentName, u"kasir_March 07, 2024_10:15:00"_qs);
    QCOMPARE(page.fontFace, u"Courier New"_qs);
    QCOMPARE(page.fontPoints, 6);
    const QStringList expected = {
        sp(11) + u"Toko Makmur"_qs,
        sp(9) + u"Telp. 0274-555"_qs,
        sp(11) + u"Jl. Pasar 1"_qs,
        QString(32, u'-'),
        u"Minyak Goreng  3x  34000= 102000"_qs,
        u"Mi           000x   3200=3000000"_qs, // a quantity of 1000 keeps its last 3 digits
        sp(13) + QString(19, u'-'),
        sp(7) + u"Total  :"_qs + sp(7) + u"   3102000"_qs,
        sp(7) + u"Diskon :"_qs + sp(7) + u"         0"_qs,
        sp(7) + u"Jumlah :"_qs + sp(7) + u"   3102000"_qs,
        sp(7) + u"Bayar  :"_qs + sp(7) + u"   3200000"_qs,
        sp(7) + u"Kembali:"_qs + sp(7) + u"     98000"_qs,
        QString(32, u'-'),
        sp(7) + u"Total Items: "_qs + sp(11) + u"2"_qs,
        sp(7) + u"No. #      : "_qs + sp(11) + u"5"_qs,
        u"2024-03-07 kasir 10:15:00"_qs,
        sp(10) + u"Terima kasih"_qs,
    };
    QCOMPARE(page.texts(), expected);
    for (int k = 0; k < page.lines.size(); ++k) {
        QCOMPARE(page.lines.at(k).x, 25);
        QCOMPARE(page.lines.at(k).y, 15 + 150 * k);
    }
    // Every item line fills the width exactly.
    QCOMPARE(page.lines.at(4).text.size(), 32);
}

void TestReceipts::sizeThreeCutsLongNamesAndStartsAmountsUnderAnEmptyCart()
{
    ReceiptSource source = sale();
    source.shop.name = QString(50, u'N');
    source.rows.clear();
    source.changeLabel = u"Kurang "_qs;
    source.footer.clear();
    const QStringList lines = receipts::page(3, source, ReceiptSettings{}).texts();
    QCOMPARE(lines.at(0), QString(44, u'N')); // cut to the width, no indent
    QCOMPARE(lines.at(3), QString(44, u'-'));
    QCOMPARE(lines.at(4), sp(19) + QString(25, u'-'));
    QCOMPARE(lines.at(5), sp(19) + u"Total  :"_qs + sp(7) + u"   3102000"_qs);
    QCOMPARE(lines.at(9), sp(19) + u"Kurang :"_qs + sp(7) + u"     98000"_qs);
    QCOMPARE(lines.at(10), sp(44));
    QCOMPARE(lines.at(11), QString(44, u'-'));
    QCOMPARE(lines.at(12), sp(19) + u"Total Items: "_qs + sp(11) + u"0"_qs);
    QCOMPARE(lines.at(14), u"2024-03-07 kasir 10:15:00"_qs);
    QCOMPARE(lines.at(15), sp(44));
    QCOMPARE(lines.size(), 16);

    // Size 2: the same block at its own indent, items with wider number columns.
    const QStringList two = receipts::page(2, sale(), ReceiptSettings{}).texts();
    QCOMPARE(two.at(4), u"Minyak Goreng   3x    34000=    102000"_qs);
    QCOMPARE(two.at(4).size(), 38);
    QCOMPARE(two.at(6), sp(13) + QString(25, u'-'));
}

void TestReceipts::operatorLineGrowsWithLongNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("line");
    QTest::newRow("five characters") << u"Rina5"_qs << u"2024-03-07 Rina5 10:15:00"_qs;
    QTest::newRow("six characters") << u"kasir1"_qs << u"2024-03-07 kasir1 10:15:00"_qs;
    QTest::newRow("ten characters") << u"Supervisor"_qs
                                    << u"2024-03-07 Supervisor     10:15:00"_qs;
}

void TestReceipts::operatorLineGrowsWithLongNames()
{
    QFETCH(QString, name);
    QFETCH(QString, line);
    ReceiptSource source = sale();
    source.operatorName = name;
    QCOMPARE(receipts::page(1, source, ReceiptSettings{}).lines.at(15).text, line);
}

void TestReceipts::lineReceipts_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("paid");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("size 4, short paid: due date")
        << 4 << u"3000000"_qs
        << QStringList{QString(),
                       sp(7) + u"TOKO MAKMUR"_qs,
                       sp(7) + u"Jl. Pasar 1"_qs,
                       sp(5) + u"Telp. 0274-555"_qs,
                       u"No.: 0123"_qs + sp(6) + u"2024-03-07"_qs,
                       u"Jatuh Tempo:2024-04-07"_qs,
                       QString(25, u'-'),
                       u"Minyak Goreng 2 L"_qs,
                       u"3x34000 :"_qs + sp(6) + u"    102000"_qs,
                       u"Mi"_qs,
                       u"1000x3000 :"_qs + sp(4) + u"   3000000"_qs,
                       QString(25, u'-'),
                       u"2 Items Jm:"_qs + sp(4) + u"         2"_qs,
                       u"  Total   :       3102000"_qs,
                       u"  Diskon  :             0"_qs,
                       u"  Jml. Net:       3102000"_qs,
                       u"  Bayar   :       3000000"_qs,
                       u"  Kembali :         98000"_qs};
    QTest::newRow("size 5, paid in full: no due date")
        << 5 << u"3200000"_qs
        << QStringList{QString(),
                       sp(14) + u"TOKO MAKMUR"_qs,
                       sp(14) + u"Jl. Pasar 1"_qs,
                       sp(12) + u"Telp. 0274-555"_qs,
                       u"No.: 0123"_qs + sp(19) + u"2024-03-07"_qs,
                       QString(38, u'-'),
                       u"Minyak Goreng 2 L"_qs,
                       u"3x34000 :"_qs + sp(19) + u"    102000"_qs,
                       u"Mi"_qs,
                       u"1000x3000 :"_qs + sp(17) + u"   3000000"_qs,
                       QString(38, u'-'),
                       u"2 Items Jm:"_qs + sp(17) + u"         2"_qs,
                       u"  Total   :       3102000"_qs,
                       u"  Diskon  :             0"_qs,
                       u"  Jml. Net:       3102000"_qs,
                       u"  Bayar   :       3200000"_qs,
                       u"  Kembali :         98000"_qs};
}

void TestReceipts::lineReceipts()
{
    QFETCH(int, size);
    QFETCH(QString, paid);
    QFETCH(QStringList, expected);
    ReceiptSource source = sale();
    source.paid = paid;
    QCOMPARE(receipts::textLines(size, source), expected);
}

void TestReceipts::footerFile()
{
    QTemporaryDir dir;
    QVERIFY(receipts::readFooter(QDir(dir.path())).isEmpty());
    QFile file(QDir(dir.path()).filePath(u"footer.txt"_qs));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("Terima kasih\r\n\r\nBarang tidak dapat ditukar\r\n");
    file.close();
    QCOMPARE(receipts::readFooter(QDir(dir.path())),
             (QStringList{u"Terima kasih"_qs, QString(), u"Barang tidak dapat ditukar"_qs}));
}

QTEST_APPLESS_MAIN(TestReceipts)
#include "test_receipts.moc"
