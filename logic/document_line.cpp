#include "logic/document_line.h"

#include <cmath>

QList<Table::Column> lineColumns()
{
    return {
        {QStringLiteral("Kode"), Qt::AlignLeft},   {QStringLiteral("Nama Barang"), Qt::AlignLeft},
        {QStringLiteral("Qty"), Qt::AlignHCenter}, {QStringLiteral("Satuan"), Qt::AlignRight},
        {QStringLiteral("Harga"), Qt::AlignRight}, {QStringLiteral("Diskon"), Qt::AlignRight},
        {QStringLiteral("Jumlah"), Qt::AlignRight}};
}

bool lineWithinRange(const DocumentLine& line)
{
    for (const Figure& figure : {line.quantity, line.price, line.discount, line.amount}) {
        if (!(std::fabs(figure.value) <= largestLineValue))
            return false;
    }
    return true;
}

QString lineTooLargeText(const QString& notDone)
{
    return QStringLiteral("Qty, harga, diskon atau jumlah barang melebihi ") +
           text::numberToText(largestLineValue) + QStringLiteral(", ") + notDone;
}
