#pragma once

#include "core/app_context.h"

#include <QString>

class Database;
class TableModel;

// Finding products by something other than their exact code.
namespace products {

// Column headers of the product search: Kode, Nama, the side's price, Stock.
void setSearchColumns(TableModel& model, Side side);

// Products whose code, barcode, name or the side's price (selling price for
// sales, cost price for purchases, compared as text) contains `text`, ASCII
// letters in any case, "%" and "_" as LIKE reads them; at most 500, in the
// table's own order.
bool search(Database& db, Side side, const QString& text, TableModel& model);

// The products master's search: code, barcode, category, name or selling
// price containing `text`, as search() matches. Fills all ten columns of the
// master's list (kode, nama, kategori, stock, satuan, hpp, hargajual, diskon,
// barcode, FunctSQL), at most 500 rows, in the table's own order.
bool searchMaster(Database& db, const QString& text, TableModel& model);

// The products one customer bought (sales) or one supplier delivered
// (purchase), each once: code and name, by code and then name.
bool boughtBy(Database& db, Side side, const QString& partyCode, TableModel& model);

// The next `count` of those products after the last row `model` holds,
// appended to it; how many were appended, -1 when the query failed. Each
// batch walks the party's index from where the last one stopped, so the
// first rows of the walk-in customer's hundred thousand show at once.
int boughtByNext(Database& db, Side side, const QString& partyCode, TableModel& model, int count);

} // namespace products
