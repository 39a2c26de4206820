#pragma once

#include "core/config_files.h"
#include "logic/printed_page.h"

#include <QDate>
#include <QLatin1StringView>
#include <QLocale>
#include <QString>
#include <QtGlobal>

// The payment voucher: a 66-column page with the shop's heading,
// the document number, who paid, what for, the amount in words and digits,
// and a signature block dated today.
namespace vouchers {

// The receiver line under "Penerima" is a blank to sign on; its length tells
// which screen printed the voucher.

// The payment screen, on saving.
inline constexpr QLatin1StringView receiverAfterSaving("_________________");
// The payment screen, reprinting a saved payment.
inline constexpr QLatin1StringView receiverOnReprint("________________________");
// The cash entry screen.
inline constexpr QLatin1StringView receiverCashEntry("_________________________");

struct Voucher {
    QString number;
    QString receivedFrom;
    QString purpose1;
    qint64 amount = 0; // whole rupiah
    QString purpose2;
    QString receiver;
};

// The voucher laid out as print job "Struk" in Courier New 10: every line at
// x = 10, y from 150 to 2050 in steps of 100, blank lines included. The date
// is `today` (not the document's date) in `locale`'s full month names.
PrintedPage voucherPage(const Voucher& voucher, const ShopIdentity& shop, const QDate& today,
                        const QLocale& locale = QLocale());

} // namespace vouchers
