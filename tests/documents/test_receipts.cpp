#include "documents/page_printer.h"
#include "documents/receipt_printing.h"
#include "documents/receipt_settings.h"
#include "documents/receipt_settings_dialog.h"
#include "support/modal.h"
#include "support/pdf_text.h"
#include "support/test_shop.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

// Receipts: their layouts line by line (the expected ones are in tests/data),
// printing them to a PDF or the line printer, and the "Setting Struk" screen.
class TestReceipts final : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void layouts_data();
    void layouts();
    void pageLinesStayOnThePage();
    void sizeAndFooterFile();
    void withoutPrinterPagesBecomeNumberedPdfs();
    void lineSizesGoRawToTheDeviceOnceSaved();
    void unusableDeviceFallsBackToAPage();
    void settingsScreen_data();
    void settingsScreen();

private:
    std::unique_ptr<TestShop> m_shop;
};

namespace {

// A sale of two lines for 3102000, paid `paid`, by `operatorName`.
ReceiptSource sale(const QString& paid = u"3200000"_s, const QString& changeLabel = u"Kembali"_s,
                   const QString& operatorName = u"kasir"_s)
{
    ReceiptSource source;
    source.shop = {u"Toko Makmur"_s, u"Jl. Pasar 1"_s, u"0274-555"_s};
    source.rows = {
        {u"1002"_s, u"Minyak Goreng 2 L"_s, u"3"_s, u"pouch"_s, u"34000"_s, u"0"_s, u"102000"_s},
        {u"2001"_s, u"Mi"_s, u"1000"_s, u"pcs"_s, u"3200"_s, u"200"_s, u"3000000"_s}};
    source.total = source.net = u"3102000"_s;
    source.discount = u"0"_s;
    source.paid = paid;
    source.change = QString::number(std::abs(paid.toInt() - 3102000));
    source.changeLabel = changeLabel;
    source.date = u"2024-03-07"_s;
    source.dueDate = u"2024-04-07"_s;
    source.dayCount = 4; // the "No. #" line prints 5
    source.operatorName = operatorName;
    source.currentDate = u"March 07, 2024"_s;
    source.currentTime = u"10:15:00"_s;
    source.lastSavedNumber = u"00000000000123"_s;
    source.footer = {u"Terima kasih"_s};
    return source;
}

} // namespace

void TestReceipts::init()
{
    m_shop = std::make_unique<TestShop>();
    QCOMPARE(m_shop->error(), QString());
    qputenv("TOKO_PRINTER", "none"); // as on a machine without a printer: no paper is used
}

void TestReceipts::cleanup()
{
    qunsetenv("TOKO_LINE_PRINTER");
    m_shop.reset();
}

void TestReceipts::layouts_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<ReceiptSource>("source");
    QTest::addColumn<QString>("file");
    const ReceiptSource exact = sale(u"3102000"_s, u"Kembali"_s, u"kasir1"_s);
    // The purchase cashier's caption has no trailing space; the figures stay in their column.
    const ReceiptSource purchaseShort = sale(u"3000000"_s, u"Kurang"_s, u"Supervisor"_s);
    ReceiptSource empty = sale(u"0"_s, u"Kurang "_s);
    empty.shop.name = QString(50, u'N');
    empty.rows.clear();
    empty.footer.clear();
    QTest::newRow("size 1") << 1 << sale() << u"receipt-1.txt"_s;
    QTest::newRow("size 1, purchase short")
        << 1 << purchaseShort << u"receipt-1-purchase-short.txt"_s;
    QTest::newRow("size 2, paid exactly") << 2 << exact << u"receipt-2-exact.txt"_s;
    QTest::newRow("size 3, empty cart, long name") << 3 << empty << u"receipt-3-empty.txt"_s;
    QTest::newRow("size 4, purchase short: due date")
        << 4 << purchaseShort << u"receipt-4-purchase-short.txt"_s;
    QTest::newRow("size 5, paid exactly: no due date") << 5 << exact << u"receipt-5-exact.txt"_s;
}

void TestReceipts::layouts()
{
    QFETCH(int, size);
    QFETCH(ReceiptSource, source);
    QFETCH(QString, file);
    QFile expected(QStringLiteral(TOKO_TEST_DATA "/") + file);
    QVERIFY2(expected.open(QIODevice::ReadOnly), qPrintable(expected.fileName()));
    const QStringList lines = size <= 3 ? receipts::page(size, source, ReceiptSettings{}).texts()
                                        : receipts::textLines(size, source);
    QCOMPARE(lines.join(u'\n') + u'\n', QString::fromUtf8(expected.readAll()));
}

void TestReceipts::pageLinesStayOnThePage()
{
    ReceiptSettings settings; // 15;150;0;Courier New;6
    const PrintedPage page = receipts::page(1, sale(), settings);
    QCOMPARE(page.documentName + u'|' + page.fontFace + u'|' + QString::number(page.fontPoints),
             u"kasir_March 07, 2024_10:15:00|Courier New|6"_s);
    QCOMPARE(page.lines.at(16), (PlacedLine{25, 15 + 16 * 150, u"          Terima kasih"_s}));
    // Huge or negative settings are brought into the page: no overflow, nothing above it.
    for (const auto& [margin, y] :
         {std::pair{2000000000, receipt::largestPageUnit * 17}, {-20, 0}}) {
        settings.topMargin = settings.lineSpacing = margin;
        QCOMPARE(receipts::page(1, sale(), settings).lines.at(16).y, y);
    }
}

void TestReceipts::sizeAndFooterFile()
{
    QCOMPARE(receipts::sizeOf(u"Struk 1"_s) * 10 + receipts::sizeOf(u"Struk 5"_s), 15);
    for (const QString& other : {u"struk 3"_s, u"Struk 6"_s, QString()})
        QCOMPARE(receipts::sizeOf(other), 0);
    QVERIFY(receipts::readFooter(m_shop->folder()).isEmpty());
    QFile file(m_shop->folder().filePath(u"footer.txt"_s));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("Terima kasih\r\n\r\nBarang tidak dapat ditukar\r\n");
    file.close();
    QCOMPARE(receipts::readFooter(m_shop->folder()),
             (QStringList{u"Terima kasih"_s, QString(), u"Barang tidak dapat ditukar"_s}));
}

void TestReceipts::withoutPrinterPagesBecomeNumberedPdfs()
{
    const QDir struk(m_shop->folder().filePath(u"struk"_s));
    QCOMPARE(QFileInfo(PagePrinter::pdfPathFor(m_shop->folder(), u"../../etc/x"_s)).fileName(),
             u"______etc_x_1.pdf"_s); // safe names
    printReceipt(m_shop->context(), 1, sale());
    printReceipt(m_shop->context(), 1, sale()); // never over an earlier file
    const QString second = struk.filePath(u"kasir_March 07_ 2024_10_15_00_2.pdf"_s);
    QCOMPARE(m_shop->messages.lastText(), u"Tidak ada printer. Struk disimpan sebagai PDF di "_s +
                                              QDir::toNativeSeparators(second));
    printVoucher(m_shop->context(), vouchers::Voucher{});
    QVERIFY(QFileInfo(struk.filePath(u"Struk_1.pdf"_s)).size() > 0);
    const QString text = pdfWords(second); // read back when the tool is there
    for (const QString& expected : {u"Toko Makmur Telp. 0274-555 Jl. Pasar 1"_s,
                                    u"Minyak Goreng 3x 34000= 102000"_s, u"Kembali: 98000"_s})
        QVERIFY2(text.isNull() || text.contains(expected), qPrintable(text));
}

void TestReceipts::lineSizesGoRawToTheDeviceOnceSaved()
{
    const QString device = m_shop->folder().filePath(u"lp0"_s);
    QFile file(device);
    QVERIFY(file.open(QIODevice::WriteOnly)); // a plain file stands in for the printer
    file.close();
    qputenv("TOKO_LINE_PRINTER", device.toLocal8Bit());
    QByteArray expected;
    for (const bool saved : {false, true}) {
        m_shop->context().saved = saved;
        if (!saved) // the preview could print it too
            previewReceipt(m_shop->context(), 4, sale(), nullptr);
        for (int size : {4, 5}) {
            printReceipt(m_shop->context(), size, sale());
            for (const QString& line : saved ? receipts::textLines(size, sale()) : QStringList())
                expected += line.toUtf8() + "\r\n";
        }
    }
    QCOMPARE(
        m_shop->messages.texts(),
        QStringList(3, u"Transaksi ini belum disimpan, simpan dahulu sebelum print struk.."_s));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), expected);
    QVERIFY(expected.startsWith("\r\n       TOKO MAKMUR\r\n"));
}

void TestReceipts::unusableDeviceFallsBackToAPage()
{
    const QString fifo =
        m_shop->folder().filePath(u"lp-mati"_s); // a pipe with no reader refuses at once
    QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    m_shop->context().saved = true;
    for (const QString& device : {u"/no/such/folder/lp0"_s, fifo}) {
        qputenv("TOKO_LINE_PRINTER", device.toLocal8Bit());
        m_shop->messages.clear();
        QElapsedTimer clock;
        clock.start();
        printReceipt(m_shop->context(), 5, sale());
        QVERIFY2(clock.elapsed() < 1500, "the counter waited on a dead printer");
        const QStringList texts = m_shop->messages.texts();
        QCOMPARE(texts.size(), 2);
        QVERIFY(
            texts.first().startsWith(u"Printer struk "_s + device + u" tidak dapat dipakai ("_s));
        QVERIFY(texts.last().startsWith(u"Tidak ada printer. Struk disimpan sebagai PDF di "_s));
    }
}

void TestReceipts::settingsScreen_data()
{
    QTest::addColumn<QString>("storedFace");
    QTest::addColumn<QString>("fontShown"); // none when no entry begins with the stored face
    QTest::addColumn<QStringList>("typed"); // margin, spacing, font size
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("inMemory"); // context.receipt afterwards, as a file line
    QTest::newRow("a prefix twin: Courier, not Courier New")
        << u"Courier"_s << u"Courier"_s << QStringList{u"20"_s, u"140"_s, u"8"_s}
        << u"20;140;2;Courier;8\n"_s << u"20;140;2;Courier;8"_s;
    QTest::newRow("kept as typed, read as numbers, a ; refused")
        << u"consolas"_s << u"Consolas"_s << QStringList{u"abc"_s, u" 12.5"_s, u"7;6"_s}
        << u"abc; 12.5;2;Consolas;76\n"_s << u"0;12;2;Consolas;76"_s;
    QTest::newRow("no entry begins with it; off the page: clamped in memory")
        << u"Arial"_s << QString() << QStringList{u"99999999999"_s, u"-2.6"_s}
        << u"99999999999;-2.6;2;;6\n"_s << u"10000;0;2;;6"_s;
    QTest::newRow("cannot be written: nothing changes")
        << u"Courier New"_s << u"Courier New"_s << QStringList{u"30"_s} << QString()
        << u"15;150;0;Courier New;6"_s;
}

void TestReceipts::settingsScreen()
{
    QFETCH(QString, storedFace);
    QFETCH(QString, fontShown);
    QFETCH(QStringList, typed);
    QFETCH(QString, file);
    QFETCH(QString, inMemory);
    const QString path = m_shop->folder().filePath(u"setting_struk.txt"_s);
    if (file.isEmpty()) // a folder in the file's place cannot be replaced, even by root
        QVERIFY(QFile::remove(path) && m_shop->folder().mkdir(u"setting_struk.txt"_s));
    m_shop->context().receipt.fontName = storedFace;
    QComboBox cashierSizes;
    for (int size = 1; size <= 5; ++size)
        cashierSizes.addItem(u"Struk "_s + QString::number(size));
    ReceiptSettingsDialog dialog(m_shop->context(), &cashierSizes);
    const QList<QLineEdit*> boxes = dialog.findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly);
    const QList<QComboBox*> lists = dialog.findChildren<QComboBox*>();
    QCOMPARE(dialog.objectName() + boxes.at(0)->text() + boxes.at(1)->text() + boxes.at(2)->text() +
                 lists.at(0)->currentText() + lists.at(1)->currentText() +
                 cashierSizes.currentText(),
             u"FORM_TOKO_FORM23_CLASS151506"_s + fontShown + u"Struk 1Struk 1"_s);
    for (qsizetype box = 0; box < typed.size(); ++box) {
        boxes.at(box)->selectAll();
        QTest::keyClicks(boxes.at(box), typed.at(box));
    }
    if (!file.isEmpty()) { // "Default Struk" moves the cashier's list at once
        lists.at(1)->setCurrentIndex(2);
        QCOMPARE(cashierSizes.currentIndex(), 2);
    }
    QTest::mouseClick(buttonWithText<QPushButton>(&dialog, u"Tutup dan Simpan"_s), Qt::LeftButton);
    QCOMPARE(m_shop->messages.texts(),
             file.isEmpty() ? QStringList(u"Setting struk tidak dapat disimpan: "_s + path)
                            : QStringList());
    QCOMPARE(dialog.result(), int(file.isEmpty() ? QDialog::Rejected : QDialog::Accepted));
    QFile saved(path);
    QCOMPARE(saved.open(QIODevice::ReadOnly) ? QString::fromUtf8(saved.readAll()) : QString(),
             file);
    QCOMPARE(config::receiptSettingsLine(m_shop->context().receipt), inMemory);
}

QTEST_MAIN(TestReceipts)
#include "test_receipts.moc"
