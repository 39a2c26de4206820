#pragma once

#include <QDateTime>
#include <QString>

class Database;

// Backups of the shop database and their restore. Copies are taken with
// SQLite's online backup API, so they are consistent while the program has
// the database open, and land under their final name only when complete.
namespace backup {

// "BackUp" + the date with "-" turned into "_" + ".datatoko": BackUp2024_03_07.datatoko.
QString fileName(const QString& startDate);

// Copies the open database to `target`, replacing an older file of that
// name. Returns an empty text on success, else the reason.
QString save(Database& db, const QString& target);

// Empty when `path` is an SQLite database holding the shop's ten tables,
// else what is wrong with it.
QString checkShopFile(const QString& path);

// Replaces the open database by the backup at `source`: checks it first,
// keeps a copy of the current database beside it (its path goes to
// `safetyCopy`), then closes, replaces and reopens the database. On any
// failure the current data stay in use and the reason is returned.
QString restore(Database& db, const QString& source, const QDateTime& now, QString& safetyCopy);

} // namespace backup
