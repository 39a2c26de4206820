#pragma once

#include "core/outcome.h"

#include <QStringList>

class Database;

// Helper objects the program keeps in the shop file beside the shop's own
// tables: indexes and the product search index with its triggers. They are
// added after every open of a shop file, all in one transaction, and never
// change, drop or rename a table or a column of the shop's own, nor any row
// of them. A file that already has them is left untouched; a file that
// cannot be written, or where adding them fails, keeps working without them.
namespace shopfile {

// Adds the helpers the open shop file lacks, and makes anew those left
// unusable. Gives the names of the helpers made (empty when nothing was
// missing, or the file cannot be written); a failure leaves the file as it
// was. Shows nothing.
Outcome<QStringList> upgrade(Database& db);

// Whether the product search index is whole: every product in it, in code
// order. Until it is, product searches read the table itself.
bool productSearchReady(Database& db);

// The cash a document of transaksi moved, as an expression over its row. A
// sale's Tunai holds what was handed over, change included; a return's Tunai
// its whole value, although the party's open documents may have taken part
// of it. "+0" reads a stored text as a number: '' or letters count as 0,
// never as a text above every number. The cash index holds this very text:
// a statement that uses it reads the amounts from the index.
QString cashMoved();

} // namespace shopfile
