#pragma once

#include "logic/receipt_layout.h"
#include "logic/voucher.h"

class AppContext;
class QWidget;

// Prints a receipt of `size` (1 to 5; anything else prints nothing): sizes 1
// to 3 as a page on the default printer, sizes 4 and 5 as text on the line
// printer, or as a teletype page when there is none. Only a `stored`
// transaction prints in sizes 4 and 5. With no printer at all the page is
// kept as a PDF in struk/ and the cashier is told where.
void printReceipt(AppContext& context, int size, const ReceiptSource& source, bool stored);

// The same receipt in a print preview over `owner`, printable from there.
// Sizes 4 and 5 show as the teletype page a printer without a line printer gets.
void previewReceipt(AppContext& context, int size, const ReceiptSource& source, bool stored,
                    QWidget* owner);

// Why the cash drawer is opened: a stored document took or paid out cash,
// or the administrator asked ("Buka Laci").
enum class Drawer { AfterStoring, OnRequest };

// Opens the cash drawer behind the ESC/POS line printer, whether or not a
// receipt is printed. Without one nothing happens after storing; on request
// the administrator is told where to set it up. A printer that is off is
// said after the document was stored, never in its way.
void openCashDrawer(AppContext& context, Drawer why);

// A payment voucher on the default printer, dated today (the clock's day),
// or kept as a PDF in struk/ when there is no printer.
void printVoucher(AppContext& context, const vouchers::Voucher& voucher);
