#include "logic/receipt_layout.h"

#include "core/text_ops.h"
#include "logic/receipt_settings.h"

#include <QFile>

#include <algorithm>
#include <limits>

namespace receipts {

namespace {

QString spaces(qsizetype count)
{
    return QString(std::max<qsizetype>(count, 0), u' ');
}

QString repeated(QChar c, int count)
{
    return QString(count, c);
}

// Column widths of the graphics sizes 1, 2 and 3.
struct PageWidths {
    int width;     // characters per line
    int name;      // item name column
    int quantity;  // item quantity column
    int price;     // item price column
    int total;     // item total column
    int indent;    // labelled amount lines
    int separator; // indent of the short rule above the amounts
};

PageWidths pageWidths(int size)
{
    switch (size) {
    case 1:
        return {32, 13, 3, 6, 7, 7, 13};
    case 2:
        return {38, 13, 4, 8, 10, 13, 13};
    default:
        return {44, 19, 4, 8, 10, 19, 19};
    }
}

// "Kembali", "Kurang " and the purchase cashier's "Kurang" take the same
// seven columns, so the figures after them stay in one column.
QString changeLabel(const ReceiptSource& source)
{
    return source.changeLabel.leftJustified(7);
}

// Date, operator and time; names longer than six characters push the time right.
QString operatorLine(const ReceiptSource& source)
{
    return source.date + u' ' + source.operatorName + spaces(source.operatorName.size() - 6) +
           u' ' + source.currentTime;
}

} // namespace

int sizeOf(const QString& listText)
{
    for (int size = 1; size <= 5; ++size) {
        if (listText == QStringLiteral("Struk ") + QString::number(size))
            return size;
    }
    return 0;
}

QString centre(const QString& text, int half)
{
    return spaces(half - text.size() / 2) + text;
}

QString right(const QString& text, int n)
{
    return QString(spaces(n) + text).right(n);
}

QString pad10(const QString& text)
{
    return spaces(10 - text.size()) + text;
}

PrintedPage page(int size, const ReceiptSource& source, const ReceiptSettings& settings)
{
    const PageWidths w = pageWidths(size);
    const int half = w.width / 2;
    QStringList lines = {
        centre(source.shop.name.left(w.width), half),
        centre(QString(QStringLiteral("Telp. ") + source.shop.phone).left(w.width), half),
        centre(source.shop.address.left(w.width), half),
        repeated(u'-', w.width),
    };
    for (const DocumentLine& line : source.lines) {
        lines.append(line.name.left(w.name).leftJustified(w.name) +
                     right(line.quantity.text, w.quantity) + QStringLiteral("x ") +
                     right(line.price.text, w.price) + u'=' + right(line.amount.text, w.total));
    }
    const QString indent = spaces(w.indent);
    const auto amount = [&](const QString& label, const QString& value) -> QString {
        return indent + label + spaces(7) + right(value, 10);
    };
    const QString items =
        indent + QStringLiteral("Total Items: ") + right(QString::number(source.lines.size()), 12);
    const QString number =
        indent + QStringLiteral("No. #      : ") + right(QString::number(source.dayCount + 1), 12);
    lines.append(spaces(w.separator) + repeated(u'-', size == 1 ? 19 : 25));
    lines.append(amount(QStringLiteral("Total  :"), source.total));
    lines.append(amount(QStringLiteral("Diskon :"), source.discount));
    lines.append(amount(QStringLiteral("Jumlah :"), source.net));
    lines.append(amount(QStringLiteral("Bayar  :"), source.paid));
    lines.append(amount(changeLabel(source) + u':', source.change));
    if (size == 1) {
        lines.append(repeated(u'-', w.width));
        lines.append(items);
        lines.append(number);
        lines.append(operatorLine(source));
    } else {
        lines.append(repeated(u' ', w.width));
        lines.append(repeated(u'-', w.width));
        lines.append(items);
        lines.append(number);
        lines.append(operatorLine(source));
        lines.append(repeated(u' ', w.width));
    }
    for (const QString& footer : source.footer)
        lines.append(centre(footer, half));

    PrintedPage printed;
    printed.documentName =
        source.operatorName + u'_' + source.currentDate + u'_' + source.currentTime;
    printed.fontFace = settings.fontName;
    printed.fontPoints = settings.fontSize;
    const ReceiptSettings placed = receipts::clamped(settings);
    for (int k = 0; k < lines.size(); ++k) {
        const qint64 y = placed.topMargin + qint64(k) * placed.lineSpacing;
        printed.lines.append(
            {25, static_cast<int>(std::min<qint64>(y, std::numeric_limits<int>::max())),
             lines.at(k)});
    }
    return printed;
}

QStringList textLines(int size, const ReceiptSource& source)
{
    const int width = size == 4 ? 25 : 38;
    const int detail = size == 4 ? 12 : 27;
    const int column = size == 4 ? 15 : 28;
    const int numberPad = size == 4 ? 16 : 29;
    const int half = width / 2;

    QStringList lines = {
        QString(),
        centre(source.shop.name.left(width).toUpper(), half),
        centre(source.shop.address, half),
        centre(QStringLiteral("Telp. ") + source.shop.phone, half),
        QStringLiteral("No.: ") + source.lastSavedNumber.right(4) +
            spaces(numberPad - source.date.size()) + source.date,
    };
    // Left unpaid: the customer is told when the rest falls due.
    if (text::textToNumber(source.net) > text::textToNumber(source.paid))
        lines.append(QStringLiteral("Jatuh Tempo:") + source.dueDate);
    lines.append(repeated(u'-', width));
    for (const DocumentLine& line : source.lines) {
        lines.append(line.name.left(width));
        const QString each = text::numberToText(line.price.value - line.discount.value);
        const QString detailText = line.quantity.text + u'x' + each + QStringLiteral(" :");
        lines.append(detailText.left(detail).leftJustified(column) + pad10(line.amount.text));
    }
    lines.append(repeated(u'-', width));
    const QString count = QString::number(source.lines.size());
    lines.append(QString(count + QStringLiteral(" Items Jm:")).leftJustified(column) +
                 pad10(count));
    const auto amount = [&](const QString& label, const QString& value) -> QString {
        return label + spaces(14 - value.size()) + value;
    };
    lines.append(amount(QStringLiteral("  Total   :"), source.total));
    lines.append(amount(QStringLiteral("  Diskon  :"), source.discount));
    lines.append(amount(QStringLiteral("  Jml. Net:"), source.net));
    lines.append(amount(QStringLiteral("  Bayar   :"), source.paid));
    lines.append(
        amount(QStringLiteral("  ") + changeLabel(source) + QStringLiteral(" :"), source.change));
    return lines;
}

QStringList readFooter(const QDir& shopFolder)
{
    QFile file(shopFolder.filePath(QStringLiteral("footer.txt")));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    for (QString& line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
    }
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast(); // the line end after the last line
    return lines;
}

} // namespace receipts
