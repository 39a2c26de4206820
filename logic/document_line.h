#pragma once

#include "core/table.h"
#include "core/text_ops.h"

#include <QString>
#include <QStringList>

// A figure of a document: the text as it was typed or shown, which lists and
// receipts print, and the number it reads as, which sums and storage use.
struct Figure {
    Figure() = default;
    Figure(const QString& typed) : text(typed), value(text::textToNumber(typed)) {}

    QString text;
    double value = 0;

    friend bool operator==(const Figure&, const Figure&) = default;
};

// One line of a sale, a purchase or a return.
struct DocumentLine {
    QString code;
    QString name;
    Figure quantity;
    QString unit;
    Figure price;
    Figure discount;
    Figure amount;

    // The line's cells in list order: Kode, Nama Barang, Qty, Satuan, Harga,
    // Diskon, Jumlah.
    QStringList cells() const
    {
        return {code, name, quantity.text, unit, price.text, discount.text, amount.text};
    }
};

// The columns a list of lines shows, in the order of DocumentLine::cells.
QList<Table::Column> lineColumns();

// The largest quantity, price, discount or amount a line may hold. Far
// below what a double keeps exactly (9e15), so totals of many such lines and
// the stock arithmetic stay exact too.
inline constexpr double largestLineValue = 1e12;
// Whether the quantity, price, discount and amount of `line` are all within
// largestLineValue in magnitude.
bool lineWithinRange(const DocumentLine& line);
// Why a line beyond it is refused, ending in what was not done.
QString lineTooLargeText(const QString& notDone);
