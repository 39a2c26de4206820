#pragma once

#include "core/config_files.h"
#include "logic/document_line.h"
#include "logic/printed_page.h"

#include <QDir>
#include <QList>
#include <QString>
#include <QStringList>

// Everything a receipt shows, taken from the cashier screen as it stands.
struct ReceiptSource {
    QList<DocumentLine> lines;
    QString total;
    QString discount;
    QString net;
    QString paid;
    QString change;
    QString changeLabel; // "Kembali", or the shortfall caption
    QString date;        // yyyy-MM-dd
    QString dueDate;     // yyyy-MM-dd
    int dayCount = 0;    // documents of this kind already stored on the date
    QString operatorName;
    QString currentDate; // "MMMM dd, yyyy"
    QString currentTime; // "HH:mm:ss"
    QString lastSavedNumber;
    ShopIdentity shop;
    QStringList footer;
};

// The five receipt sizes: 1 to 3 are graphics pages drawn at page-unit
// positions in the receipt font, 4 and 5 are plain text lines for a line
// printer. Columns are filled with spaces: Right() keeps a value's last
// characters, so a value too wide loses its leftmost digits.
namespace receipts {

// 1 to 5 for "Struk 1" … "Struk 5" exactly, else 0 (nothing is printed).
int sizeOf(const QString& listText);

// SPACE(half − floor(LEN(text)/2)) + text; no spaces when that is negative.
QString centre(const QString& text, int half);
// The last n characters of (n spaces + text).
QString right(const QString& text, int n);
// SPACE(10 − LEN(text)) + text, never cut.
QString pad10(const QString& text);

// A receipt of size 1, 2 or 3.
PrintedPage page(int size, const ReceiptSource& source, const ReceiptSettings& settings);
// A receipt of size 4 or 5, one text line per printed line.
QStringList textLines(int size, const ReceiptSource& source);

// The lines of footer.txt in the shop folder; none when it is missing.
QStringList readFooter(const QDir& shopFolder);

} // namespace receipts
