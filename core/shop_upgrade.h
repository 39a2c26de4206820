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

} // namespace shopfile
