#pragma once

#include <QString>

// The folders the shop's files lie in: what kind of disk holds them, how much
// room is left there, and the temporary files toko writes beside them.
namespace filesystem {

// What statfs tells of a folder: the filesystem's magic number and its block
// size in bytes (both 0 when the folder cannot be read); and the size of a
// memory page.
struct Facts {
    qint64 type = 0;
    qint64 blockSize = 0;
    qint64 pageSize = 4096;
};
Facts of(const QString& folder);

// How a database file in such a folder is written. The log's index is a
// memory-mapped file: on blocks smaller than a memory page a write into a
// nearly full disk kills the program (SIGBUS), and over a network the index
// cannot be shared between computers. There the rollback journal is used.
struct Choice {
    bool log = false; // the write-ahead log, else the rollback journal
    QString network;  // why not: the network filesystem's name ("NFS"), else small blocks
};
Choice journalFor(const Facts& facts);

// Bytes an unprivileged user may still write in `folder` (0 when unknown).
qint64 freeBytes(const QString& folder);

// Removes a database file with what its journal or log left beside it.
void removeDatabaseFiles(const QString& path);

// A temporary file of this process: `stem` + "." + host + "-" + process id
// + ".tmp", so that two tills never write one file and a later start can
// tell whose it is.
QString temporaryName(const QString& stem);
// Removes from `folder` the temporary files of ours (and what SQLite left
// beside them) whose writer is gone: written on this computer by a process
// that no longer runs. Another running toko's files, and files written on
// another computer, stay.
void removeLeftovers(const QString& folder);

} // namespace filesystem
