#pragma once

#include "core/outcome.h"

#include <QList>
#include <QString>
#include <QStringList>

class Database;

// Price labels for the shelves. A label carries the product's code as a bar
// code, so that the counter's scanner types the code into its code box; its
// name and selling price are printed beside it. The code box takes digits
// only: a code holding anything else would never be found again, so it is
// never printed.
namespace labels {

enum class Symbology { Ean13, Code128 };

// The check digit of an EAN-13 whose first twelve digits are `twelve`.
int ean13CheckDigit(QStringView twelve);
// Whether `code` can be printed: not empty and digits only.
bool scannable(QStringView code);
// EAN-13 for 13 digits whose last one is their check digit, else Code 128.
Symbology symbologyFor(QStringView code);

// One row of the label list: a product and how many labels it gets.
struct Item {
    QString code;
    QString name;
    QString price; // the selling price, as the receipts write numbers
    int count = 1;

    friend bool operator==(const Item&, const Item&) = default;
};

// The most labels one row may ask for.
inline constexpr int mostPerItem = 9999;

// The product with `code` as a row of one label; none when no product has it.
Outcome<QList<Item>> product(Database& db, const QString& code);
// The lines of the stored purchase `document` ("BL-" and its 14 digits, or
// the 14 digits alone), in the order they were entered, one row each with
// as many labels as pieces bought (a part of a piece counts as one). The
// product's name and price as the products master keeps them now. Lines of
// products deleted since are left out. None when no purchase has the code.
Outcome<QList<Item>> purchase(Database& db, const QString& document);

// The labels to print, each item's code as many times as its count, and the
// codes refused (each once, in list order) because they could not be scanned.
struct Plan {
    QList<Item> labels; // one per label, count 1
    QStringList refused;
};
Plan plan(const QList<Item>& items);

enum class Layout { Sheet, Roll };

// An A4 sheet of 3 columns and 10 rows, filled row by row; a roll holds one
// label per page.
inline constexpr int sheetColumns = 3;
inline constexpr int sheetRows = 10;
inline constexpr int perSheet = sheetColumns * sheetRows;

// Where a label lands: its page, and on a sheet its row and column (0-based).
struct Place {
    int page = 0;
    int row = 0;
    int column = 0;

    friend bool operator==(const Place&, const Place&) = default;
};

// The place of label `index` (0-based, in print order). On a sheet the first
// label goes to position `start` (1 to 30, row by row: the labels before it
// were used already), and the next sheets are filled from their first label.
// A start outside 1 to 30 counts as 1.
Place placeOf(int index, Layout layout, int start);

// The layouts as toko.ini keeps them ("a4", "roll"); anything else is a sheet.
QString layoutName(Layout layout);
Layout layoutFrom(const QString& name);

} // namespace labels
