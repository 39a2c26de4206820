#include "documents/page_printer.h"
#include "documents/receipt_layout.h"
#include "documents/voucher.h"
#include "support/pdf_text.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QTest>

// A receipt and a voucher through the real print path: CUPS with a PDF printer
// as the default destination, the PDF it writes read back with pdftotext.
// Where no such printer is set up this says so and skips; under CI it must run.
class TestRealPrinting final : public QObject
{
    Q_OBJECT
private slots:
    void pagesReachThePrinter();
};

void TestRealPrinting::pagesReachThePrinter()
{
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    const QString model = printer.makeAndModel() + u' ' + printer.printerName();
    if (!model.contains(u"PDF"_qs, Qt::CaseInsensitive) ||
        QStandardPaths::findExecutable(u"pdftotext"_qs).isEmpty()) {
        const char* why = "no PDF printer is the default destination, or pdftotext is missing "
                          "(.ci/run sets both up: CUPS with printer-driver-cups-pdf)";
        if (qEnvironmentVariable("CI") == u"true")
            QFAIL(why);
        QSKIP(why);
    }
    // Where the PDF printer writes: .ci/run says so, else cups-pdf's own default.
    const QDir output(qEnvironmentVariable("TOKO_PDF_PRINTER_DIR", QDir::home().filePath(u"PDF"_qs)));
    ReceiptSource sale;
    sale.shop = {u"Toko Sumber Makmur"_qs, u"Jl. Pahlawan No. 17"_qs, u"0274-555123"_qs};
    sale.rows = {{u"1000"_qs, u"Minyak Goreng 2 L"_qs, u"3"_qs, u"pouch"_qs, u"34000"_qs,
                  u"0"_qs, u"102000"_qs}};
    sale.total = sale.net = sale.paid = u"102000"_qs;
    sale.discount = sale.change = u"0"_qs;
    // The printer names a file after its job: a receipt's title carries the operator.
    sale.operatorName = u"ujicetak"_qs + QString::number(QDateTime::currentMSecsSinceEpoch());
    const vouchers::Voucher voucher{u"00000000000042"_qs, u"Bu Siti"_qs, u"Pembayaran"_qs,
                                    204000, u"Sisa"_qs, vouchers::receiverAfterSaving};
    const QList<std::tuple<PrintedPage, QString, QStringList>> jobs = {
        {receipts::page(1, sale, ReceiptSettings{}), sale.operatorName,
         {u"Toko Sumber Makmur"_qs, u"Minyak Goreng 3x 34000= 102000"_qs, u"Total : 102000"_qs}},
        {vouchers::voucherPage(voucher, sale.shop, {2024, 3, 7}), u"Struk"_qs,
         {u"TOKO SUMBER MAKMUR"_qs, u"No. : 00000000000042"_qs,
          u"Terbilang : dua ratus empat ribu rupiah"_qs, u": Rp. 204000"_qs}}};
    QTemporaryDir shop;
    for (const auto& [page, title, expected] : jobs) {
        const QStringList before = output.entryList({u"*.pdf"_qs}, QDir::Files);
        const PrintOutcome outcome = PagePrinter(QDir(shop.path()), printer.printerName()).print(page);
        QVERIFY(outcome.printed && outcome.error.isEmpty());
        QString pdf;
        QElapsedTimer clock;
        clock.start();
        while (pdf.isEmpty() && clock.elapsed() < 60000) {
            QTest::qWait(200);
            for (const QString& name : output.entryList({u"*.pdf"_qs}, QDir::Files))
                if (!before.contains(name) && name.startsWith(title))
                    pdf = output.filePath(name);
        }
        QVERIFY2(!pdf.isEmpty(), "the PDF printer wrote nothing within a minute");
        QTest::qWait(500); // it writes the file in one go; give it a moment to finish
        const QString text = pdfWords(pdf);
        for (const QString& line : expected)
            QVERIFY2(text.contains(line), qPrintable(line + u"\n---\n"_qs + text));
    }
}

QTEST_MAIN(TestRealPrinting)
#include "test_real_printing.moc"
