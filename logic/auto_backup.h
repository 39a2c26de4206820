#pragma once

#include "core/backup.h"
#include "core/file_system.h"
#include "core/outcome.h"

#include <QDir>
#include <QStringList>

#include <functional>

class Clock;
class Database;

// The backups toko makes by itself as it closes: Otomatis…datatoko in the
// "backup" folder of the shop folder, and a synced, checked copy in the
// second folder the settings name (a stick or another disk). One is made
// only when something was stored since the last: a commit of this toko, or
// the mark a toko killed before it could back up left in the shop folder.
// A server's shop is backed up by the till that closes while no other is
// connected, when any till stored something since the last backup.
class AutoBackup final
{
public:
    // In the shop folder: the automatic backups' folder, the mark of data not
    // yet backed up, and the failures of the last close, said at the next start.
    static constexpr auto folderName = "backup";
    static constexpr auto markName = "perlu_backup.txt";
    static constexpr auto failureName = "backup_gagal.txt";
    // Beside a server's backups: the server's count of changed rows at the last one.
    static constexpr auto serverFigureName = "perubahan_server.txt";

    AutoBackup(Database& db, const Clock& clock, const QDir& shopFolder);
    ~AutoBackup();
    AutoBackup(const AutoBackup&) = delete;
    AutoBackup& operator=(const AutoBackup&) = delete;

    // Bytes free in a folder; tests give their own figure.
    std::function<qint64(const QString& folder)> freeBytes = filesystem::freeBytes;
    // What must stay free after a backup is written: this, or the backup's
    // size when that is larger. Older automatic backups make way for it.
    qint64 reserve = qint64(100) << 20;

    // From now on the first commit after each backup leaves the mark. One
    // AutoBackup watches a database at a time; its destructor stops it.
    void watch();

    struct Result {
        QStringList written;  // the backups made, first folder first
        QStringList failures; // "folder: what failed", also kept for the next start
        QString mayPull;      // the second folder, once its copy lies safe on it
    };
    // Makes the automatic backup when one is due, then keeps the newest
    // backup.keep (30) automatic ones in each folder. Backups made by hand
    // are never touched.
    Result atClose(const backup::Progress& progress = {});
    // What to tell the user of a close: empty when all went quietly.
    static QString message(const Result& result);

    // Removes what a backup killed in the middle left in the backup folders,
    // and gives the failures of the last closes, once.
    QString atStart();

private:
    QString firstFolder() const;
    QString secondFolder() const;
    Outcome<bool> due();
    Outcome<QString> writeFirst(const QString& folder, const QString& name, int kept,
                                const backup::Progress& progress);
    Outcome<QString> copySecond(const QString& folder, const QString& backupFile, int kept,
                                const backup::Progress& progress);
    Outcome<> makeRoom(const QString& folder, qint64 size);
    void done();
    void record(const QStringList& failures);

    Database& m_db;
    const Clock& m_clock;
    QDir m_shopFolder;
    qint64 m_commitsBackedUp;
    bool m_marked = false;
    QString m_serverFigure;
};
