#include "logic/receipt_settings.h"
#include "screens/printing/page_printer.h"
#include "screens/printing/receipt_printing.h"
#include "screens/printing/receipt_settings_dialog.h"
#include "support/modal.h"
#include "support/test_shop.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

// Receipt layouts (as in tests/data), printing to a PDF or the line printer, "Setting Struk".
class TestReceipts final : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void layouts_data();
    void layouts();
    void pageLines();
    void lineSizesGoRawToTheDeviceOnceSaved();
    void filesKeepWhatWasWritten();

private:
    std::unique_ptr<TestShop> m_shop;
};

namespace {

// A sale of two lines for 3102000, paid `paid`, by `operatorName`; the "No. #" line prints 5.
ReceiptSource sale(const QString& paid = u"3200000"_s, const QString& changeLabel = u"Kembali"_s,
                   const QString& operatorName = u"kasir"_s)
{
    const QList<DocumentLine> lines{
        {u"1002"_s, u"Minyak Goreng 2 L"_s, u"3"_s, u"pouch"_s, u"34000"_s, u"0"_s, u"102000"_s},
        {u"2001"_s, u"Mi"_s, u"1000"_s, u"pcs"_s, u"3200"_s, u"200"_s, u"3000000"_s}};
    // Total, discount, net, paid, change, its label, date, due date, day count, operator, clock.
    return ReceiptSource(lines, u"3102000"_s, u"0"_s, u"3102000"_s, paid,
                         QString::number(std::abs(paid.toInt() - 3102000)), changeLabel,
                         u"2024-03-07"_s, u"2024-04-07"_s, 4, operatorName, u"March 07, 2024"_s,
                         u"10:15:00"_s, u"00000000000123"_s,
                         ShopIdentity{u"Toko Makmur"_s, u"Jl. Pasar 1"_s, u"0274-555"_s},
                         QStringList(u"Terima kasih"_s));
}

} // namespace

void TestReceipts::init()
{
    m_shop = std::make_unique<TestShop>();
    QCOMPARE(m_shop->error(), QString());
    qputenv("TOKO_PRINTER", "none"); // as on a machine without a printer: no paper is used
}

void TestReceipts::layouts_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<ReceiptSource>("source");
    QTest::addColumn<QString>("file");
    const ReceiptSource exact = sale(u"3102000"_s, u"Kembali"_s, u"kasir1"_s);
    // The purchase cashier's caption has no trailing space; the figures stay in their column.
    const ReceiptSource purchaseShort = sale(u"3000000"_s, u"Kurang"_s, u"Supervisor"_s);
    QTest::newRow("size 1") << 1 << sale() << u"receipt-1.txt"_s;
    QTest::newRow("size 1, purchase short") << 1 << purchaseShort << u"receipt-1-short.txt"_s;
    QTest::newRow("size 2, paid exactly") << 2 << exact << u"receipt-2-exact.txt"_s;
    QTest::newRow("size 4, short: due date") << 4 << purchaseShort << u"receipt-4-short.txt"_s;
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

void TestReceipts::pageLines()
{
    ReceiptSettings settings; // 15;150;0;Courier New;6
    const PrintedPage page = receipts::page(1, sale(), settings);
    QCOMPARE(page.lines.at(16), (PlacedLine{25, 15 + 16 * 150, u"          Terima kasih"_s}));
    // Huge or negative settings are brought into the page: no overflow, nothing above it.
    for (const auto& [margin, y] :
         {std::pair{2000000000, receipts::largestPageUnit * 17}, {-20, 0}}) {
        settings.topMargin = settings.lineSpacing = margin;
        QCOMPARE(receipts::page(1, sale(), settings).lines.at(16).y, y);
    }
}

void TestReceipts::lineSizesGoRawToTheDeviceOnceSaved()
{
    const QString device = m_shop->folder().filePath(u"lp0"_s);
    QVERIFY(config::writeFileAtomically(device, {})); // a plain file stands in for the printer
    qputenv("TOKO_LINE_PRINTER", device.toLocal8Bit());
    QByteArray expected;
    for (const bool saved : {false, true}) {
        if (!saved) // the preview could print it too
            previewReceipt(m_shop->context(), 4, sale(), saved, nullptr);
        for (int size : {4, 5}) {
            printReceipt(m_shop->context(), size, sale(), saved);
            for (const QString& line : saved ? receipts::textLines(size, sale()) : QStringList())
                expected += line.toUtf8() + "\r\n";
        }
    }
    QCOMPARE(
        m_shop->messages.texts(),
        QStringList(3, u"Transaksi ini belum disimpan, simpan dahulu sebelum print struk.."_s));
    QFile file(device);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), expected);
    // A device nobody is behind: the receipt goes to a page at once.
    const QString fifo = m_shop->folder().filePath(u"lp-mati"_s); // no reader: refused at once
    QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    qputenv("TOKO_LINE_PRINTER", fifo.toLocal8Bit());
    QElapsedTimer clock;
    clock.start();
    printReceipt(m_shop->context(), 5, sale(), true);
    QVERIFY2(clock.elapsed() < 1500, "the counter waited on a dead printer");
    QCOMPARE(m_shop->messages.texts().size(), 5);
    QVERIFY(m_shop->messages.texts().at(3).startsWith(u"Printer struk "_s + fifo +
                                                      u" tidak dapat dipakai ("_s));
    QVERIFY(m_shop->messages.lastText().startsWith(u"Tidak ada printer. Struk disimpan"_s));
}

void TestReceipts::filesKeepWhatWasWritten()
{
    // Without a printer, the same receipt printed twice is two PDF files.
    for (int copy = 0; copy < 2; ++copy)
        printReceipt(m_shop->context(), 1, sale(), false);
    QCOMPARE(QDir(m_shop->folder().filePath(u"struk"_s)).entryList({u"*.pdf"_s}).size(), 2);
    // A ";" typed into "Setting Struk" would shift every field of its file.
    QComboBox sizes;
    ReceiptSettingsDialog dialog(m_shop->context(), &sizes);
    for (QLineEdit* box : dialog.findChildren<QLineEdit*>())
        QTest::keyClicks(box, u";7"_s);
    buttonWithText<QPushButton>(&dialog, u"Tutup dan Simpan"_s)->click();
    QFile file(m_shop->folder().filePath(u"setting_struk.txt"_s));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), "157;1507;-1;Courier New;67\n");
}

QTEST_MAIN(TestReceipts)
#include "test_receipts.moc"
