#pragma once

#include "core/backup.h"
#include "core/outcome.h"

#include <QDir>
#include <QStringList>

class Database;

// A whole shop moved between a file and a server, either way, and a
// server's backup into a file.
namespace shopcopy {

struct Copied {
    qint64 rows = 0;
    // What the copy made of values a server's number column cannot hold, one
    // line a column: "transaksi.tunai: 3 teks dibaca sebagai angka".
    QStringList changed;
};

// Copies every row of the shop's ten tables from `from` into `to`, whose
// tables must be empty: read from one snapshot of `from`, written in one
// transaction on `to`, the documents in the order they were stored. A text
// in a file's number column (an empty amount stored as '') goes to a server
// as the number a file's arithmetic reads in it ('' and letters: 0). Before
// the commit, each table's row count and each number column's sum are
// compared on both sides; any difference stores nothing.
Outcome<Copied> copy(Database& from, Database& to, const backup::Progress& progress = {});

// Opens the shop at `from` and copies it into `to`: a new file (refused
// when the file exists), or a server database without the shop's tables
// (made here) or with them all empty.
Outcome<Copied> copy(const QString& from, const QString& to, const backup::Progress& progress = {});

// The backup of the open shop into `target`: for a file, backup::save; for a
// server, the same kind of self-contained file, made from one snapshot under
// a temporary name and renamed when whole.
Outcome<> save(Database& db, const QString& target, const backup::Progress& progress = {});

// How many other tills are connected to the server's database of `db` (0 for a file).
Outcome<int> otherTills(Database& db);

// Replaces the open shop by the backup at `source` and gives the safety copy
// of the data before it. For a file, backup::restore. For a server: refused
// while another till is connected; the backup is checked, the server's data
// saved to `shopFolder`/sebelum-restore-yyyyMMdd-HHmmss.datatoko, then every
// row replaced in one transaction.
Outcome<QString> restore(Database& db, const QString& source, const QDateTime& now,
                         const QDir& shopFolder, const backup::Progress& progress = {});

} // namespace shopcopy
