#include "screens/printing/receipt_printing.h"

#include "core/app_context.h"
#include "core/messages.h"
#include "logic/escpos.h"
#include "logic/line_printer.h"
#include "screens/printing/page_printer.h"

#include <QPrintPreviewDialog>
#include <QPrinter>

namespace {

// Tells the cashier where a page went when it did not reach a printer.
void report(Messages& messages, const Outcome<QString>& printed)
{
    if (!printed)
        messages.info(QStringLiteral("Struk tidak dapat dicetak: ") + printed.reason());
    else if (!printed->isEmpty())
        messages.info(QStringLiteral("Tidak ada printer. Struk disimpan sebagai PDF di ") +
                      QDir::toNativeSeparators(*printed));
}

} // namespace

void printReceipt(AppContext& context, int size, const ReceiptSource& source, bool stored)
{
    if (size < 1 || size > 5)
        return;
    Messages& messages = context.messages();
    PagePrinter printer(context.shopFolder());
    if (size <= 3) {
        report(messages, printer.print(receipts::page(size, source, context.receipt)));
    } else {
        if (!stored) {
            messages.info(QStringLiteral(
                "Transaksi ini belum disimpan, simpan dahulu sebelum print struk.."));
            return;
        }
        const QStringList lines = receipts::textLines(size, source);
        const lineprinter::Printer linePrinter = lineprinter::configured(context.shopFolder());
        const QString& device = linePrinter.device;
        if (!device.isEmpty()) {
            const Outcome<> written =
                lineprinter::send(linePrinter, lineprinter::receiptBytes(linePrinter, lines));
            if (written)
                return;
            if (written.partlyDone()) {
                // Half a receipt is out already: a second copy elsewhere would confuse.
                messages.info(QStringLiteral("Printer struk ") + device +
                              QStringLiteral(" berhenti di tengah struk (") + written.reason() +
                              QStringLiteral("). Periksa printer, lalu cetak ulang dengan F8."));
                return;
            }
            messages.info(QStringLiteral("Printer struk ") + device +
                          QStringLiteral(" tidak dapat dipakai (") + written.reason() +
                          QStringLiteral("), struk dicetak ke printer biasa."));
        }
        report(messages, printer.printText(QStringLiteral("Struk"), lines));
    }
}

void openCashDrawer(AppContext& context, Drawer why)
{
    const lineprinter::Printer printer = lineprinter::configured(context.shopFolder());
    if (printer.device.isEmpty() || !printer.escPos) {
        if (why == Drawer::OnRequest)
            context.messages().info(
                QStringLiteral("Laci kas dibuka lewat printer struk ESC/POS. Atur printernya di "
                               "Lainnya > Pengaturan Toko."));
        return;
    }
    const Outcome<> sent = lineprinter::send(printer, escpos::drawerPulse(printer.drawerPin),
                                             lineprinter::Late::Cancel);
    if (sent)
        return;
    const QString problem = QStringLiteral("Laci kas tidak dapat dibuka lewat printer ") +
                            printer.device + QStringLiteral(" (") + sent.reason() +
                            QStringLiteral(").");
    context.messages().info(why == Drawer::AfterStoring
                                ? QStringLiteral("Transaksi sudah tersimpan. ") + problem
                                : problem);
}

void printVoucher(AppContext& context, const vouchers::Voucher& voucher)
{
    PagePrinter printer(context.shopFolder());
    report(context.messages(),
           printer.print(vouchers::voucherPage(voucher, context.shop, context.clock().today())));
}

void previewReceipt(AppContext& context, int size, const ReceiptSource& source, bool stored,
                    QWidget* owner)
{
    if (size < 1 || size > 5)
        return;
    // The preview can print too: the same rule as F8.
    if (size >= 4 && !stored) {
        context.messages().info(
            QStringLiteral("Transaksi ini belum disimpan, simpan dahulu sebelum print struk.."));
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    const PrintedPage page =
        size <= 3 ? receipts::page(size, source, context.receipt) : PrintedPage{};
    const QStringList lines = size <= 3 ? QStringList() : receipts::textLines(size, source);
    printer.setDocName(size <= 3 ? page.documentName : QStringLiteral("Struk"));
    QPrintPreviewDialog preview(&printer, owner);
    preview.setWindowTitle(QStringLiteral("Pratinjau Struk"));
    preview.setObjectName(QStringLiteral("pratinjauStruk"));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&](QPrinter* target) {
                         if (size <= 3)
                             PagePrinter::draw(*target, page);
                         else
                             PagePrinter::drawText(*target, lines);
                     });
    preview.exec();
}
