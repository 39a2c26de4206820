#include "logic/voucher.h"
#include "screens/printing/page_printer.h"
#include "support/needs_part.h"
#include "support/pdf_text.h"

#include <QDateTime>
#include <QDir>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QTest>

// A page through the real print path: CUPS with a PDF printer as the default
// destination, the PDF it writes read back with pdftotext. Where no such
// printer is set up this says so and skips; under CI it must run.
class TestRealPrinting final : public QObject
{
    Q_OBJECT
private slots:
    void pageReachesThePrinter();
};

void TestRealPrinting::pageReachesThePrinter()
{
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    TOKO_NEEDS_PART(QString(printer.makeAndModel() + printer.printerName()).contains(u"PDF"_qs) &&
                        !QStandardPaths::findExecutable(u"pdftotext"_qs).isEmpty(),
                    "no PDF printer is the default destination, or pdftotext is missing "
                    "(.ci/run sets both up: CUPS with printer-driver-cups-pdf)");
    // Where the PDF printer writes: .ci/run says so, else cups-pdf's own default.
    const QDir output(
        qEnvironmentVariable("TOKO_PDF_PRINTER_DIR", QDir::home().filePath(u"PDF"_qs)));
    const QDateTime start = QDateTime::currentDateTime().addSecs(-1);
    const PrintedPage page = vouchers::voucherPage(
        {u"00000000000042"_qs, u"Bu Siti"_qs, u"Pembayaran"_qs, 204000, u"Sisa"_qs, u"x"_qs},
        {u"Toko Sumber Makmur"_qs, u"Jl. Pahlawan No. 17"_qs, u"0274-555123"_qs}, {2024, 3, 7});
    QTemporaryDir shop;
    const Outcome<QString> printed =
        PagePrinter(QDir(shop.path()), printer.printerName()).print(page);
    QVERIFY2(printed.ok(), qPrintable(printed.reason()));
    QCOMPARE(*printed, QString()); // on the printer, not into a PDF file
    // The printer names the file after the job, "Struk", writing over an older one.
    const auto pdf = [&] {
        const auto files = output.entryInfoList({u"Struk*.pdf"_qs}, QDir::Files, QDir::Time);
        return files.isEmpty() || files[0].lastModified() < start ? QString() : files[0].filePath();
    };
    QTRY_VERIFY_WITH_TIMEOUT(!pdf().isEmpty(), 60000);
    QTest::qWait(500); // it writes the file in one go; give it a moment to finish
    const QString text = pdfWords(pdf());
    for (const QString& line : {u"TOKO SUMBER MAKMUR"_qs, u"No. : 00000000000042"_qs,
                                u"Terbilang : dua ratus empat ribu rupiah"_qs, u": Rp. 204000"_qs})
        QVERIFY2(text.contains(line), qPrintable(line + u"\n---\n"_qs + text));
}

QTEST_MAIN(TestRealPrinting)
#include "test_real_printing.moc"
