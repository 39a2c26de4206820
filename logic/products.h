#pragma once

#include "core/outcome.h"

#include <QString>
#include <QStringList>

class Database;
class TableModel;

// The product table as the products master keeps it: every product with its
// stock, prices, barcode and quantity price tiers. Values are stored as
// typed; every one is bound.
namespace products {

// The master's list columns, in the order of its boxes and of `cells` below.
enum Column {
    Code,
    Name,
    Category,
    Stock,
    Unit,
    Cost,
    Price,
    Discount,
    Barcode,
    Tiers,
    ColumnCount
};

void setMasterColumns(TableModel& model);

// Every product ordered by code, in the master's columns.
bool loadAll(Database& db, TableModel& model);

// The default selling price of a product costing `cost`: cost plus 30
// percent, at most 16 significant digits ("1001" gives "1301.3"). A cost that
// is empty or not a number counts as 0.
QString priceFromCost(const QString& cost);

// Whether a Stock, HargaPokok, HargaJual or Diskon text reads as exactly one
// number: an optional "-", digits, and optionally "." and digits not ending
// in 0, as the program writes numbers; spaces around it are allowed.
// "Rp 15.000", "1,500", "15.000" (fifteen thousand written with a thousands
// dot), "abc" and the empty text are not.
bool isPlainNumber(QStringView text);

// Stock, HargaPokok, HargaJual and Diskon of `cells` must each be empty or a
// plain number within the cashier's limit: the cashier would read "Rp 15.000"
// as 0 and the database would store "15.000" as 15. Rewrites each number as
// the program writes numbers and returns why the first wrong cell is refused
// (`HargaJual bukan angka: "Rp 15.000"`); empty when every cell is right.
QString checkNumbers(QStringList& cells);

// Why `code` cannot be a new product's code, empty when it can: a code that
// is empty or only spaces could never be scanned or typed at the counter,
// and a NUL character would cut it short wherever it is read.
QString checkCode(const QString& code);

// Whether a product has `code`; a failed query has shown its error.
Outcome<bool> exists(Database& db, const QString& code);

// A new product from `cells` (ColumnCount texts, tiers included); refused
// when checkCode refuses its code, checkNumbers its numbers, or its tiers
// hold an empty price (which would sell at nothing).
Outcome<> add(Database& db, QStringList cells);

// The product with cells[Code] takes the other cells; its stored tiers stay
// as they are unless `withTiers`. Refused as add is, the code aside.
Outcome<> update(Database& db, QStringList cells, bool withTiers);

Outcome<> remove(Database& db, const QString& code);
// Every product goes; only the administrator `user` may do it.
Outcome<> removeAll(Database& db, const QString& user);

} // namespace products
