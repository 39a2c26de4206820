#pragma once

#include "core/outcome.h"
#include "core/side.h"
#include "core/table.h"

#include <QString>

class Database;

// A customer or a supplier as the screens hand it around.
struct Party {
    QString name;
    QString address;
    QString contact;
    QString note;
    QString code;

    friend bool operator==(const Party&, const Party&) = default;
};

// Customers (table pelanggan, codes "PL-…") and suppliers (table supplier,
// codes "SP-…"): their codes and statements. Every value is bound; only the
// two fixed table names are spliced into the statements.
namespace parties {

// The two screens number new parties differently: the master screen gives
// suppliers three digits, the cashiers' picker gives everybody five.
enum class Screen { Master, Picker };

// The customer or supplier who is nobody in particular: "Bebas" in name,
// address, contact and note, with code "PL-00000" or "SP-00000". Not a row
// of the tables.
Party walkIn(Side side);

// The greatest code stored in text order; empty when the table has none.
Outcome<QString> lastCode(Database& db, Side side);

// The code that follows `last` on `screen`'s numbering ("" when the table is
// empty). Empty when the next number has no room in the code's digits: cut
// to its last digits it would repeat a code already given.
QString codeAfter(Side side, Screen screen, const QString& last);

// The information text when codeAfter() has run out of numbers.
QString outOfCodesText(Side side, const QString& last);

// The captions of the parties' list: Kode, Nama, Alamat, Kontak, Keterangan.
QList<Table::Column> columns();

// The whole table ordered by code, columns kode, nama, alamat, kontak, catatan.
Outcome<Table> load(Database& db, Side side);

// The parties whose code, name, address or contact contains `text` (ASCII
// letters in any case), in load()'s columns. The two screens list the
// conditions in their own order.
Outcome<Table> search(Database& db, Side side, Screen screen, const QString& text);

// Whether a party has this code.
Outcome<bool> exists(Database& db, Side side, const QString& code);

// Stores `party` under a new code numbered as `screen` numbers them; its own
// code is not used. Gives the new code; when the numbers have run out,
// nothing is stored and the reason says so.
Outcome<QString> add(Database& db, Side side, Screen screen, const Party& party);

// Name, address, contact and note of the party with `party.code`.
Outcome<> update(Database& db, Side side, const Party& party);

Outcome<> remove(Database& db, Side side, const QString& code);
Outcome<> removeAll(Database& db, Side side);

} // namespace parties
