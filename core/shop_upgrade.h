#pragma once

#include "core/backup.h"
#include "core/outcome.h"

#include <QStringList>

class Database;

// Helper objects the program keeps in the shop file beside the shop's own
// tables: indexes and the product search index with its triggers. They are
// added after every open of a shop file, all in one transaction, and never
// change, drop or rename a table or a column of the shop's own, nor any row
// of them. A file that already has them is left untouched; a file that
// cannot be written, or where adding them fails, keeps working without them.
//
// Another program that writes products into a file with the helpers needs an
// SQLite that has the search index's tokenizer (3.34 or later). For such a
// program the owner keeps the file plain: without any helper, and marked so
// in the file's header (application_id holds plainMark), so the mark travels
// with the file, its backups and copies. A plain file works as one that can
// only be read: the searches read the tables themselves.
namespace shopfile {

// "TkPl" in the header's application_id field, which SQLite keeps for the
// program a file belongs to; toko-initdb leaves it 0.
inline constexpr qint64 plainMark = 0x546b506c;

// Adds the helpers the open shop file lacks, and makes anew those left
// unusable; a plain file is left as it is. Gives the names of the helpers
// made (empty when nothing was missing, or the file cannot be written or is
// plain); a failure leaves the file as it was. Shows nothing; while the
// helpers are made (seconds on a large shop) `progress` is called often, with
// a total of 0.
Outcome<QStringList> upgrade(Database& db, const backup::Progress& progress = {});

// Removes every helper by its name and marks the file plain, in one
// transaction, then gives the freed pages back to the disk (VACUUM). The
// shop's tables, their own indexes and their rows stay as they were. Gives
// the names of the helpers removed. Refuses a file whose header already names
// another program.
Outcome<QStringList> makePlain(Database& db);

// Takes the plain mark away and adds the helpers: upgrade() from then on.
Outcome<QStringList> allowHelpers(Database& db);

// Whether the open file is marked plain.
bool isPlain(Database& db);

// Whether the product search index is whole: every product in it, in code
// order. Until it is, product searches read the table itself.
bool productSearchReady(Database& db);

// The cash a document of transaksi moved, as an expression over its row. A
// sale's Tunai holds what was handed over, change included; a return's Tunai
// its whole value, although the party's open documents may have taken part
// of it. "+0" reads a stored text as a number: '' or letters count as 0,
// never as a text above every number. The cash index holds this very text:
// a statement that uses it reads the amounts from the index.
QString cashMoved(const Database& db);

// The cost price of the product whose code is the expression `code`, as an
// expression: NULL for a product no longer in the master data. Read from the
// cost index where the file has it (SQLite's planner would read the wider
// product rows), from the table where it has not (a plain file).
QString costOf(Database& db, const QString& code);

} // namespace shopfile
