#pragma once

#include "core/outcome.h"
#include "core/side.h"
#include "core/table.h"

#include <QList>
#include <QString>
#include <QStringList>

class Database;

// Finding products by something other than their exact code.
namespace products {

// The columns of the product search: Kode, Nama, the side's price, Stock.
QList<Table::Column> searchColumns(Side side);

// Products whose code, barcode, name or the side's price (selling price for
// sales, cost price for purchases, compared as text) contains `text`, ASCII
// letters in any case, "%" and "_" as LIKE reads them; at most 500, in the
// table's own order; the rows in the order of searchColumns.
Outcome<QList<QStringList>> search(Database& db, Side side, const QString& text);

// The products master's search: code, barcode, category, name or selling
// price containing `text`, as search() matches. Rows of all ten columns of
// the master's list (kode, nama, kategori, stock, satuan, hpp, hargajual,
// diskon, barcode, FunctSQL), at most 500, in the table's own order.
Outcome<QList<QStringList>> searchMaster(Database& db, const QString& text);

// The products one customer bought (sales) or one supplier delivered
// (purchase), each once: code and name, by code and then name. The next
// `count` of them after `last` (the code and name of the last one listed,
// none for the first batch). Each batch walks the party's index from where
// the last one stopped, so the first rows of the walk-in customer's hundred
// thousand show at once.
Outcome<QList<QStringList>> boughtByNext(Database& db, Side side, const QString& partyCode,
                                         const QStringList& last, int count);

} // namespace products
