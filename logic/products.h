#pragma once

#include "core/outcome.h"
#include "core/table.h"
#include "logic/document_line.h"

#include <QString>
#include <QStringList>

class Database;

// The product table as the products master keeps it: every product with its
// stock, prices, barcode and quantity price tiers. Values are stored as
// typed; every one is bound.
namespace products {

// The master's list columns, in the order of its boxes.
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

// One product as the master types it. The figures are texts as typed: an
// empty one is stored empty, and checkNumbers() rewrites each number as the
// program writes numbers before it is stored.
struct Product {
    QString code;
    QString name;
    QString category;
    // The figures are stored as typed: an empty box stays empty in the file.
    Figure stock;
    QString unit;
    Figure cost;     // HargaPokok
    Figure price;    // HargaJual
    Figure discount; // Diskon
    QString barcode;
    QString tiers; // the quantity price tiers as price_tiers writes them

    friend bool operator==(const Product&, const Product&) = default;
};

// A product from a row of the master's list (missing cells empty), and back.
Product fromRow(const QStringList& row);
QStringList rowOf(const Product& product);

// The captions of the master's list; Grosir is the screen's own store.
QList<Table::Column> columns();

// Every product ordered by code, in the master's columns.
Outcome<Table> loadAll(Database& db);

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

// Stock, HargaPokok, HargaJual and Diskon of `product` must each be empty or
// a plain number within the cashier's limit: the cashier would read "Rp
// 15.000" as 0 and the database would store "15.000" as 15. Rewrites each
// number as the program writes numbers and returns why the first wrong one is
// refused (`HargaJual bukan angka: "Rp 15.000"`); empty when every one is right.
QString checkNumbers(Product& product);

// Why `code` cannot be a new product's code, empty when it can: a code that
// is empty or only spaces could never be scanned or typed at the counter,
// and a NUL character would cut it short wherever it is read.
QString checkCode(const QString& code);

// Whether a product has `code`.
Outcome<bool> exists(Database& db, const QString& code);

// Stores a new product, tiers included; refused when checkCode refuses its
// code, checkNumbers its numbers, or its tiers hold an empty price (which
// would sell at nothing).
Outcome<> add(Database& db, Product product);

// The product with `product.code` takes the other values; its stored tiers
// stay as they are unless `withTiers`. Refused as add is, the code aside.
Outcome<> update(Database& db, Product product, bool withTiers);

Outcome<> remove(Database& db, const QString& code);
// Every product goes; only the administrator `user` may do it.
Outcome<> removeAll(Database& db, const QString& user);

} // namespace products
