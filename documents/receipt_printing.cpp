#include "documents/receipt_printing.h"

#include "core/app_context.h"
#include "core/messages.h"
#include "documents/line_printer.h"
#include "documents/page_printer.h"

void printReceipt(AppContext& context, int size, const ReceiptSource& source)
{
    if (size < 1 || size > 5)
        return;
    Messages& messages = context.messages();
    PagePrinter printer(context.shopFolder());
    PrintOutcome outcome;
    if (size <= 3) {
        outcome = printer.print(receipts::page(size, source, context.receipt));
    } else {
        if (!context.saved) {
            messages.info(
                QStringLiteral("Transaksi ini belum disimpan, simpan dahulu sebelum print struk.."));
            return;
        }
        const QStringList lines = receipts::textLines(size, source);
        const QString device = lineprinter::devicePath(context.shopFolder());
        if (!device.isEmpty()) {
            const QString error = lineprinter::write(device, lines);
            if (error.isEmpty())
                return;
            messages.info(QStringLiteral("Printer struk ") + device +
                          QStringLiteral(" tidak dapat dipakai (") + error +
                          QStringLiteral("), struk dicetak ke printer biasa."));
        }
        outcome = printer.printText(QStringLiteral("Struk"), lines);
    }
    if (!outcome.pdfFile.isEmpty())
        messages.info(QStringLiteral("Tidak ada printer. Struk disimpan sebagai PDF di ") +
                      QDir::toNativeSeparators(outcome.pdfFile));
    else if (!outcome.error.isEmpty())
        messages.info(QStringLiteral("Struk tidak dapat dicetak: ") + outcome.error);
}
