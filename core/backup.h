#pragma once

#include "core/outcome.h"

#include <QDate>
#include <QDateTime>
#include <QString>

#include <functional>

class Database;

// Backups of the shop database and their restore. Copies are taken with
// SQLite's online backup API, page by page, so they are consistent while the
// program has the database open, and land under their final name only when
// complete. A copy is one self-contained file in rollback-journal mode,
// whatever mode the shop runs in, so it opens and restores from read-only
// media such as a CD or a write-protected stick.
namespace backup {

// How far long work has come: `done` of `total` pages. A total of 0 means
// the work cannot be measured (checking a file): it still goes on.
using Progress = std::function<void(qint64 done, qint64 total)>;

// "BackUp" + the day as yyyy_MM_dd + ".datatoko": BackUp2024_03_07.datatoko.
QString fileName(const QDate& day);

// "Otomatis" + the moment as yyyy_MM_dd_HHmmss + ".datatoko": the backup toko
// makes by itself as it closes, Otomatis2024_03_07_173005.datatoko.
QString automaticFileName(const QDateTime& at);

// The device that holds `path` (stat's st_dev), or -1 when it cannot be read.
qint64 device(const QString& path);

// Moves `from` over `to` in one step: the old file stays whole until then.
Outcome<> replaceFile(const QString& from, const QString& to);

// Copies the open database file to `target`, replacing an older file of that
// name only once the copy is complete. A server's shop is saved by
// shopcopy::save.
Outcome<> save(Database& db, const QString& target, const Progress& progress = {});

// Copies the backup file `from` to `target` on removable media (a stick):
// under a temporary name, synced to the medium and renamed, the folder
// synced, the copy's pages dropped from memory and then read back from the
// medium by checkShopFile. Once it succeeds the medium may be pulled; on a
// failure no file of that name is left.
Outcome<> copyToMedium(const QString& from, const QString& target, const Progress& progress = {});

// Whether `path` holds an undamaged shop database: SQLite's quick check of
// every page, and the ten tables with the columns the program uses.
Outcome<> checkShopFile(const QString& path, const Progress& progress = {});

// Replaces the open database by the backup at `source`: checks it first,
// keeps a copy of the current data beside the database under a name no
// earlier copy has, then closes, swaps and reopens the database. Gives the
// path of that safety copy. On any failure the current data stay in use.
Outcome<QString> restore(Database& db, const QString& source, const QDateTime& now,
                         const Progress& progress = {});

} // namespace backup
