#include "documents/page_printer.h"
#include "documents/receipt_printing.h"
#include "support/pdf_text.h"
#include "support/test_shop.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTest>

#include <sys/stat.h>

// Receipts leaving the program: to a PDF when there is no printer, to the
// line printer device for sizes 4 and 5.
class TestReceiptPrinting final : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void pdfNamesAreSafeAndNeverReused();
    void withoutPrinterThePageBecomesAPdf();
    void voucherIsDatedTodayAndNamedStruk();
    void lineSizesNeedASavedTransaction();
    void lineSizesGoRawToTheDevice();
    void unusableDeviceFallsBackToAPage();

private:
    ReceiptSource source() const;
    std::unique_ptr<TestShop> m_shop;
};

void TestReceiptPrinting::init()
{
    m_shop = std::make_unique<TestShop>();
    QCOMPARE(m_shop->error(), QString());
    m_shop->context().shop = {u"Toko Uji"_qs, u"Jl. Contoh 1"_qs, u"0274-000000"_qs};
    qunsetenv("TOKO_LINE_PRINTER");
    // As on a machine without a printer, whatever this one has: no paper is used.
    qputenv("TOKO_PRINTER", "none");
}

void TestReceiptPrinting::cleanup()
{
    qunsetenv("TOKO_LINE_PRINTER");
    qunsetenv("TOKO_PRINTER");
    m_shop.reset();
}

namespace {

QString sp30()
{
    return QString(30, u' ');
}

} // namespace

ReceiptSource TestReceiptPrinting::source() const
{
    ReceiptSource source;
    source.shop = m_shop->context().shop;
    source.rows = {{u"1002"_qs, u"Minyak Goreng 2 L"_qs, u"3"_qs, u"pouch"_qs, u"34000"_qs,
                    u"0"_qs, u"102000"_qs}};
    source.total = source.net = u"102000"_qs;
    source.discount = u"0"_qs;
    source.paid = u"110000"_qs;
    source.change = u"8000"_qs;
    source.changeLabel = u"Kembali"_qs;
    source.date = source.dueDate = u"2024-03-07"_qs;
    source.operatorName = u"kasir"_qs;
    source.currentDate = u"March 07, 2024"_qs;
    source.currentTime = u"10:15:00"_qs;
    source.lastSavedNumber = u"00000000000042"_qs;
    return source;
}

void TestReceiptPrinting::pdfNamesAreSafeAndNeverReused()
{
    const QDir shop = m_shop->folder();
    const QString first = PagePrinter::pdfPathFor(shop, u"kasir_March 07, 2024_10:15:00"_qs);
    QCOMPARE(QFileInfo(first).fileName(), u"kasir_March 07_ 2024_10_15_00_1.pdf"_qs);
    QCOMPARE(QFileInfo(PagePrinter::pdfPathFor(shop, u"../../etc/x"_qs)).fileName(),
             u"______etc_x_1.pdf"_qs);
    QVERIFY(shop.mkpath(u"struk"_qs));
    QFile taken(first);
    QVERIFY(taken.open(QIODevice::WriteOnly));
    taken.close();
    QCOMPARE(QFileInfo(PagePrinter::pdfPathFor(shop, u"kasir_March 07, 2024_10:15:00"_qs)).fileName(),
             u"kasir_March 07_ 2024_10_15_00_2.pdf"_qs);
}

void TestReceiptPrinting::withoutPrinterThePageBecomesAPdf()
{
    // As on a machine without a printer, whatever this one has.
    PagePrinter printer(m_shop->folder(), QString());
    const PrintedPage page = receipts::page(1, source(), ReceiptSettings{});
    const PrintOutcome first = printer.print(page);
    const QString pdf = m_shop->folder().filePath(u"struk/kasir_March 07_ 2024_10_15_00_1.pdf"_qs);
    QCOMPARE(first.pdfFile, pdf);
    QVERIFY(!first.printed);
    QVERIFY(QFileInfo(pdf).size() > 0);
    QCOMPARE(printer.print(page).pdfFile,
             m_shop->folder().filePath(u"struk/kasir_March 07_ 2024_10_15_00_2.pdf"_qs));
    const PrintOutcome teletype = printer.printText(u"Struk"_qs, receipts::textLines(4, source()));
    QVERIFY(QFileInfo(teletype.pdfFile).size() > 0);

    // And the cashier is told where the page went.
    QVERIFY(PagePrinter::defaultPrinterName().isEmpty());
    printReceipt(m_shop->context(), 1, source());
    const QString third = m_shop->folder().filePath(u"struk/kasir_March 07_ 2024_10_15_00_3.pdf"_qs);
    QCOMPARE(m_shop->messages.lastText(),
             u"Tidak ada printer. Struk disimpan sebagai PDF di "_qs + QDir::toNativeSeparators(third));

    // Read it back when the tool is there: the columns as laid out.
    const QString text = pdfWords(pdf);
    if (text.isNull())
        return;
    for (const QString& expected : {u"Toko Uji Telp. 0274-000000 Jl. Contoh 1"_qs,
                                    u"Minyak Goreng 3x 34000= 102000"_qs,
                                    u"Kembali: 8000"_qs, u"2024-03-07 kasir 10:15:00"_qs})
        QVERIFY2(text.contains(expected), qPrintable(text));
}

void TestReceiptPrinting::voucherIsDatedTodayAndNamedStruk()
{
    vouchers::Voucher voucher;
    voucher.number = u"KM-00000000000007"_qs;
    voucher.receivedFrom = u"Pak Budi"_qs;
    voucher.purpose1 = u"Sewa etalase"_qs;
    voucher.amount = 150000;
    voucher.purpose2 = u"-"_qs;
    voucher.receiver = QString(vouchers::receiverCashEntry);
    const PrintedPage page =
        vouchers::voucherPage(voucher, m_shop->context().shop, m_shop->clock.today());
    QCOMPARE(page.documentName, u"Struk"_qs);
    QVERIFY(page.texts().contains(sp30() + u"_______________, 07 "_qs +
                                  QLocale().monthName(3) + u" 2024"_qs));
    printVoucher(m_shop->context(), voucher);
    QVERIFY(QFile::exists(m_shop->folder().filePath(u"struk/Struk_1.pdf"_qs)));
    QVERIFY(m_shop->messages.lastText().startsWith(u"Tidak ada printer."_qs));
}

void TestReceiptPrinting::lineSizesNeedASavedTransaction()
{
    const QString device = m_shop->folder().filePath(u"lp0"_qs);
    QFile file(device);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    qputenv("TOKO_LINE_PRINTER", device.toLocal8Bit());
    m_shop->context().saved = false;
    for (int size : {4, 5}) {
        printReceipt(m_shop->context(), size, source());
        QCOMPARE(m_shop->messages.lastText(),
                 u"Transaksi ini belum disimpan, simpan dahulu sebelum print struk.."_qs);
    }
    QCOMPARE(QFileInfo(device).size(), 0);
    QVERIFY(!QFile::exists(m_shop->folder().filePath(u"struk"_qs)));
}

void TestReceiptPrinting::lineSizesGoRawToTheDevice()
{
    const QString device = m_shop->folder().filePath(u"lp0"_qs);
    QFile file(device);
    QVERIFY(file.open(QIODevice::WriteOnly)); // a plain file stands in for the printer
    file.close();
    qputenv("TOKO_LINE_PRINTER", device.toLocal8Bit());
    m_shop->context().saved = true;
    for (int size : {4, 5})
        printReceipt(m_shop->context(), size, source());
    QVERIFY(m_shop->messages.shown().isEmpty());
    QByteArray expected;
    for (int size : {4, 5}) {
        for (const QString& line : receipts::textLines(size, source()))
            expected += line.toUtf8() + "\r\n";
    }
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), expected);
    QVERIFY(expected.startsWith("\r\n        TOKO UJI\r\n"));
}

void TestReceiptPrinting::unusableDeviceFallsBackToAPage()
{
    // A device nobody is behind: a pipe with no reader refuses at once.
    const QString fifo = m_shop->folder().filePath(u"lp-mati"_qs);
    QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    for (const QString& device : {u"/no/such/folder/lp0"_qs, fifo}) {
        qputenv("TOKO_LINE_PRINTER", device.toLocal8Bit());
        m_shop->context().saved = true;
        m_shop->messages.clear();
        QElapsedTimer clock;
        clock.start();
        printReceipt(m_shop->context(), 5, source());
        QVERIFY2(clock.elapsed() < 1500, "the counter waited on a dead printer");
        const QStringList texts = m_shop->messages.texts();
        QCOMPARE(texts.size(), 2);
        QVERIFY(texts.first().startsWith(u"Printer struk "_qs + device + u" tidak dapat dipakai ("_qs));
        QVERIFY(texts.last().startsWith(u"Tidak ada printer. Struk disimpan sebagai PDF di "_qs));
    }
}

QTEST_MAIN(TestReceiptPrinting)
#include "test_receipt_printing.moc"
