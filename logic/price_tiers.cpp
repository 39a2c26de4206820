#include "logic/price_tiers.h"

#include "core/text_ops.h"

#include <QStringList>

namespace tiers {

QString discount(double quantity, const QString& price, const QString& tierText)
{
    if (!tierText.contains(u'|'))
        return QStringLiteral("0");
    const QStringList pieces = tierText.split(u'|');
    double tierPrice = 0;
    for (qsizetype k = 0; k < pieces.size() && k < 10; ++k) {
        // An empty threshold or price reads as 0.
        const QString& piece = pieces.at(k);
        if (text::textToNumber(text::nthField(piece, 1)) < quantity) {
            tierPrice = text::textToNumber(text::nthField(piece, 2));
            break;
        }
    }
    return text::numberToText(text::textToNumber(price) - tierPrice);
}

QList<Tier> read(const QString& tierText, const QString& price)
{
    QList<Tier> rows(rowCount, Tier{QStringLiteral("0"), price});
    if (!tierText.contains(u'|'))
        return rows;
    const QStringList pieces = tierText.split(u'|');
    for (qsizetype k = 0; k < pieces.size() && k < rowCount; ++k) {
        const QString& piece = pieces.at(k);
        const qsizetype separator = piece.indexOf(u';');
        rows[k] = separator < 0 ? Tier{QString(), piece}
                                : Tier{piece.left(separator), piece.mid(separator + 1)};
    }
    return rows;
}

QString write(const QList<Tier>& rows)
{
    QStringList pieces;
    for (const Tier& row : rows)
        pieces.append(row.quantity + u';' + row.price);
    return pieces.join(u'|');
}

int rowWithoutPrice(const QList<Tier>& rows)
{
    for (int row = 0; row < rows.size(); ++row) {
        if (rows.at(row).price.isEmpty())
            return row;
    }
    return -1;
}

QString noPriceText(int row)
{
    return QStringLiteral("Harga ") + QString::number(row + 1) + QStringLiteral(" belum diisi.");
}

} // namespace tiers
