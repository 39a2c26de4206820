#include "documents/page_printer.h"
#include "documents/receipt_layout.h"
#include "documents/voucher.h"
#include "support/pdf_text.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// Pages through the real print path: CUPS with a PDF printer as the default
// destination, the PDF it writes read back with pdftotext. Where no such
// printer is set up this says so and skips; under CI it must run.
class TestRealPrinting final : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void pagesReachThePrinter_data();
    void pagesReachThePrinter();

private:
    QString waitForNewPdf(const QStringList& before, const QString& token) const;
    QDir m_output;
    QTemporaryDir m_shop;
};

namespace {

ReceiptSource sampleSale(int lines)
{
    ReceiptSource source;
    source.shop = {u"Toko Sumber Makmur"_qs, u"Jl. Pahlawan No. 17"_qs, u"0274-555123"_qs};
    for (int i = 0; i < lines; ++i)
        source.rows.append({QString::number(1000 + i), u"Minyak Goreng 2 L"_qs, u"3"_qs,
                            u"pouch"_qs, u"34000"_qs, u"0"_qs, u"102000"_qs});
    source.total = source.net = QString::number(102000 * lines);
    source.discount = u"0"_qs;
    source.paid = source.total;
    source.change = u"0"_qs;
    source.changeLabel = u"Kembali"_qs;
    source.date = source.dueDate = u"2024-03-07"_qs;
    source.operatorName = u"kasir"_qs;
    source.currentDate = u"Maret 07, 2024"_qs;
    source.currentTime = QTime::currentTime().toString(u"HH:mm:ss.zzz"_qs);
    return source;
}

// Where the PDF printer writes: TOKO_PDF_PRINTER_DIR, else its own
// configuration's "Out" folder, else ~/PDF.
QString pdfPrinterFolder()
{
    const QString chosen = qEnvironmentVariable("TOKO_PDF_PRINTER_DIR");
    if (!chosen.isEmpty())
        return chosen;
    QFile configuration(u"/etc/cups/cups-pdf.conf"_qs);
    if (configuration.open(QIODevice::ReadOnly)) {
        for (const QString& line : QString::fromUtf8(configuration.readAll()).split(u'\n')) {
            if (line.startsWith(u"Out "_qs))
                return line.mid(4).trimmed().replace(u"${HOME}"_qs, QDir::homePath());
        }
    }
    return QDir::home().filePath(u"PDF"_qs);
}

} // namespace

void TestRealPrinting::initTestCase()
{
    const bool ci = qEnvironmentVariable("CI") == u"true";
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    const bool pdfPrinter = !printer.isNull() &&
                            (printer.makeAndModel().contains(u"PDF"_qs, Qt::CaseInsensitive) ||
                             printer.printerName().contains(u"PDF"_qs, Qt::CaseInsensitive));
    m_output = QDir(pdfPrinterFolder());
    if (!pdfPrinter || QStandardPaths::findExecutable(u"pdftotext"_qs).isEmpty()) {
        const char* why = "no PDF printer is the default destination, or pdftotext is missing "
                          "(.ci/run sets both up: CUPS with printer-driver-cups-pdf)";
        if (ci)
            QFAIL(why);
        QSKIP(why);
    }
}

QString TestRealPrinting::waitForNewPdf(const QStringList& before, const QString& token) const
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 60000) {
        const QStringList now = m_output.entryList({u"*.pdf"_qs}, QDir::Files, QDir::Time);
        for (const QString& name : now) {
            // The printer names its files after the job's title.
            if (!before.contains(name) && name.startsWith(token)) {
                const QString path = m_output.filePath(name);
                // The printer writes it in one go; give it a moment to finish.
                QTest::qWait(500);
                return path;
            }
        }
        QTest::qWait(200);
    }
    return {};
}

void TestRealPrinting::pagesReachThePrinter_data()
{
    QTest::addColumn<int>("size"); // 0: the payment voucher
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("size 1") << 1
                            << QStringList{u"Toko Sumber Makmur"_qs,
                                           u"Minyak Goreng 3x 34000= 102000"_qs,
                                           u"Total : 204000"_qs, u"Total Items: 2"_qs};
    QTest::newRow("size 2") << 2
                            << QStringList{u"Telp. 0274-555123"_qs,
                                           u"Minyak Goreng 3x 34000= 102000"_qs,
                                           u"Kembali: 0"_qs};
    QTest::newRow("size 3") << 3
                            << QStringList{u"Jl. Pahlawan No. 17"_qs,
                                           u"Minyak Goreng 2 L 3x 34000= 102000"_qs,
                                           u"Bayar : 204000"_qs};
    QTest::newRow("voucher") << 0
                             << QStringList{u"TOKO SUMBER MAKMUR"_qs,
                                            u"No. : 00000000000042"_qs,
                                            u"Terbilang : dua ratus empat ribu rupiah"_qs,
                                            u": Rp. 204000"_qs, u"Penerima"_qs};
}

void TestRealPrinting::pagesReachThePrinter()
{
    QFETCH(int, size);
    QFETCH(QStringList, expected);
    ReceiptSource source = sampleSale(2);
    // A title of its own, to know this job's file among the printer's others.
    source.operatorName = u"ujicetak"_qs + QString::number(size) +
                          QString::number(QDateTime::currentMSecsSinceEpoch());
    PrintedPage page;
    if (size > 0) {
        page = receipts::page(size, source, ReceiptSettings{});
    } else {
        vouchers::Voucher voucher;
        voucher.number = u"00000000000042"_qs;
        voucher.receivedFrom = u"Bu Siti"_qs;
        voucher.purpose1 = u"Pembayaran Piutang Sebesar : 204000"_qs;
        voucher.amount = 204000;
        voucher.purpose2 = u"Sisa Piutang Sebesar : 0"_qs;
        voucher.receiver = QString(vouchers::receiverAfterSaving);
        page = vouchers::voucherPage(voucher, source.shop, QDate(2024, 3, 7));
    }
    const QStringList before = m_output.entryList({u"*.pdf"_qs}, QDir::Files);
    // The system's default printer, whatever TOKO_PRINTER says.
    PagePrinter printer(QDir(m_shop.path()), QPrinterInfo::defaultPrinter().printerName());
    const PrintOutcome outcome = printer.print(page);
    QVERIFY(outcome.printed);
    QVERIFY(outcome.error.isEmpty());
    const QString pdf = waitForNewPdf(before, size > 0 ? source.operatorName : u"Struk"_qs);
    QVERIFY2(!pdf.isEmpty(), "the PDF printer wrote nothing within a minute");
    const QString text = pdfWords(pdf);
    for (const QString& line : expected)
        QVERIFY2(text.contains(line), qPrintable(line + u"\n---\n"_qs + text));
}

QTEST_MAIN(TestRealPrinting)
#include "test_real_printing.moc"
