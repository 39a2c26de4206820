#include "core/backup.h"

#include "core/database.h"

#include <QFile>

#include <sqlite3.h>

#include <filesystem>
#include <memory>

namespace backup {

namespace {

struct Closer
{
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using Connection = std::unique_ptr<sqlite3, Closer>;

Connection openFile(const QString& path, int flags, QString& error)
{
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &raw, flags, nullptr);
    Connection connection(raw);
    if (rc != SQLITE_OK) {
        error = QString::fromUtf8(raw ? sqlite3_errmsg(raw) : sqlite3_errstr(rc));
        connection.reset();
    }
    return connection;
}

// Moves `from` over `to` in one step: the old file stays whole until then.
QString replaceFile(const QString& from, const QString& to)
{
    std::error_code failure;
    std::filesystem::rename(from.toStdString(), to.toStdString(), failure);
    return failure ? QString::fromLocal8Bit(failure.message()) : QString();
}

QString copyDatabase(sqlite3* source, const QString& target)
{
    const QString temporary = target + QStringLiteral(".tmp");
    QFile::remove(temporary);
    QString error;
    {
        Connection destination =
            openFile(temporary, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, error);
        if (!destination)
            return error;
        sqlite3_backup* copy = sqlite3_backup_init(destination.get(), "main", source, "main");
        if (!copy)
            return QString::fromUtf8(sqlite3_errmsg(destination.get()));
        const int rc = sqlite3_backup_step(copy, -1);
        sqlite3_backup_finish(copy);
        if (rc != SQLITE_DONE)
            error = QString::fromUtf8(sqlite3_errstr(rc));
    }
    if (error.isEmpty())
        error = replaceFile(temporary, target);
    if (!error.isEmpty())
        QFile::remove(temporary);
    return error;
}

} // namespace

QString fileName(const QString& startDate)
{
    return QStringLiteral("BackUp") + QString(startDate).replace(u'-', u'_') +
           QStringLiteral(".datatoko");
}

QString save(Database& db, const QString& target)
{
    if (!db.isOpen())
        return QStringLiteral("database belum terbuka");
    return copyDatabase(db.handle(), target);
}

QString checkShopFile(const QString& path)
{
    QString error;
    Connection file = openFile(path, SQLITE_OPEN_READONLY, error);
    if (!file)
        return error;
    sqlite3_stmt* raw = nullptr;
    const char* sql = "select count(*) from sqlite_master where type='table' and lower(name) in "
                      "('barang','pelanggan','supplier','transaksi','itempenjualan',"
                      "'itempembelian','itemreturjual','itemreturbeli','itemkoreksi','useradmin')";
    if (sqlite3_prepare_v2(file.get(), sql, -1, &raw, nullptr) != SQLITE_OK)
        return QString::fromUtf8(sqlite3_errmsg(file.get()));
    const bool complete = sqlite3_step(raw) == SQLITE_ROW && sqlite3_column_int(raw, 0) == 10;
    sqlite3_finalize(raw);
    return complete ? QString() : QStringLiteral("tabel data toko tidak lengkap");
}

QString restore(Database& db, const QString& source, const QDateTime& now, QString& safetyCopy)
{
    const QString path = db.path();
    if (!db.isOpen() || path.isEmpty())
        return QStringLiteral("database belum terbuka");
    if (const QString problem = checkShopFile(source); !problem.isEmpty())
        return problem;

    safetyCopy = path + QStringLiteral(".sebelum-restore-") +
                 now.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    if (const QString error = copyDatabase(db.handle(), safetyCopy); !error.isEmpty())
        return QStringLiteral("salinan pengaman gagal: ") + error;

    // Bring the backup in beside the database first, so the swap is one rename.
    const QString incoming = path + QStringLiteral(".restore.tmp");
    QFile::remove(incoming);
    if (!QFile::copy(source, incoming))
        return QStringLiteral("file backup tidak dapat disalin");

    db.close();
    QString error = replaceFile(incoming, path);
    if (error.isEmpty() && !db.open(path)) {
        // Should never happen after the check; put the shop's data back.
        error = db.errorMessage();
        QFile::remove(path);
        QFile::copy(safetyCopy, path);
    }
    if (!error.isEmpty()) {
        QFile::remove(incoming);
        db.open(path);
    }
    return error;
}

} // namespace backup
