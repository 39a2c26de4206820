#include "logic/voucher.h"

#include "logic/amount_words.h"

#include <algorithm>

namespace vouchers {

namespace {

constexpr int pageColumns = 66;
constexpr int signatureIndent = 30;

// Centred in the page's columns, rounding the half length down; a text wider
// than the page starts at the left edge and is printed whole.
QString centred(const QString& text)
{
    const qsizetype indent = pageColumns / 2 - text.size() / 2;
    return QString(std::max<qsizetype>(indent, 0), u' ') + text;
}

} // namespace

PrintedPage voucherPage(const Voucher& voucher, const ShopIdentity& shop, const QDate& today,
                        const QLocale& locale)
{
    const QString rule(pageColumns, u'-');
    const QString signature(signatureIndent, u' ');
    const QString texts[] = {
        centred(shop.name.toUpper()),
        centred(shop.address),
        centred(u"Telp. " + shop.phone),
        rule,
        u" No.              : " + voucher.number,
        QString(),
        u" Terima dari.     : " + voucher.receivedFrom,
        QString(),
        u" Untuk Pembayaran : " + voucher.purpose1,
        u"                  : " + voucher.purpose2,
        rule,
        u" Terbilang        : " + amount::words(voucher.amount) + u" rupiah",
        rule,
        u"                  : Rp. " + QString::number(voucher.amount).rightJustified(10, u' '),
        signature + u"_______________, " + locale.toString(today, u"dd MMMM yyyy"),
        signature + u"Penerima",
        QString(),
        QString(),
        QString(),
        signature + voucher.receiver.toUpper(),
    };

    PrintedPage page;
    page.documentName = QStringLiteral("Struk");
    page.fontFace = QStringLiteral("Courier New");
    page.fontPoints = 10;
    int y = 150;
    for (const QString& text : texts) {
        page.lines.append({10, y, text});
        y += 100;
    }
    return page;
}

} // namespace vouchers
