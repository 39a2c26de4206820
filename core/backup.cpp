#include "core/backup.h"

#include "core/database.h"
#include "core/file_lock.h"
#include "core/file_system.h"
#include "core/shop_tables.h"
#include "core/shop_upgrade.h"

#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace backup {

namespace {

// The data before a restore, under a name no earlier safety copy has.
Outcome<QString> keepSafetyCopy(Database& db, const QDateTime& now, const Progress& progress)
{
    const QString name = db.path() + QStringLiteral(".sebelum-restore-") +
                         now.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QString temporary = filesystem::temporaryName(name);
    // Everything in the log goes into the database file first.
    db.checkpoint();
    Outcome<> copied = db.copyTo(temporary, progress);
    for (int n = 1; copied && n <= 100; ++n) {
        // QFile::rename never replaces a file: two restores in one second keep both copies.
        const QString candidate = n == 1 ? name : name + u'-' + QString::number(n);
        if (QFile::rename(temporary, candidate))
            return candidate;
    }
    filesystem::removeDatabaseFiles(temporary);
    return Failure{QStringLiteral("salinan pengaman gagal: ") +
                   (copied ? QStringLiteral("nama file sudah terpakai") : copied.reason())};
}

// Writes `from` into the new file `to` and syncs it to the medium, then
// drops its pages from memory so that reading it again reads the medium.
Outcome<> writeSynced(const QString& from, const QString& to, const Progress& progress)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        return Failure{source.fileName() + QStringLiteral(": ") + source.errorString()};
    QFile copy(to);
    if (!copy.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return Failure{copy.fileName() + QStringLiteral(": ") + copy.errorString()};
    const qint64 total = source.size();
    constexpr qint64 chunk = 4 << 20;
    for (qint64 done = 0; done < total;) {
        const QByteArray bytes = source.read(chunk);
        if (bytes.isEmpty() || copy.write(bytes) != bytes.size())
            return Failure{(bytes.isEmpty() ? source : copy).errorString()};
        done += bytes.size();
        if (progress)
            progress(done, total);
    }
    if (!copy.flush() || fsync(copy.handle()) != 0)
        return Failure{QStringLiteral("tidak dapat disimpan ke media: ") + copy.errorString()};
    posix_fadvise(copy.handle(), 0, 0, POSIX_FADV_DONTNEED);
    return {};
}

// Makes a rename in `folder` last through a power cut or a pulled stick.
bool syncFolder(const QString& folder)
{
    const int handle = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (handle < 0)
        return false;
    const bool synced = fsync(handle) == 0;
    ::close(handle);
    return synced;
}

} // namespace

QString automaticFileName(const QDateTime& at)
{
    return QStringLiteral("Otomatis") + at.toString(QStringLiteral("yyyy_MM_dd_HHmmss")) +
           QStringLiteral(".datatoko");
}

qint64 device(const QString& path)
{
    struct stat facts {
    };
    if (stat(QFile::encodeName(path).constData(), &facts) != 0)
        return -1;
    return static_cast<qint64>(facts.st_dev);
}

Outcome<> copyToMedium(const QString& from, const QString& target, const Progress& progress)
{
    const QString folder = QFileInfo(target).absolutePath();
    filesystem::removeLeftovers(folder);
    const QString temporary = filesystem::temporaryName(target);
    QFile::remove(temporary);
    Outcome<> copied = writeSynced(from, temporary, progress);
    if (copied)
        copied = replaceFile(temporary, target);
    if (copied && !syncFolder(folder))
        copied = Failure{QStringLiteral("folder tidak dapat disinkronkan: ") + folder};
    if (copied) {
        copied = checkShopFile(target, progress);
        if (!copied)
            QFile::remove(target);
    }
    QFile::remove(temporary);
    return copied;
}

Outcome<> replaceFile(const QString& from, const QString& to)
{
    std::error_code failure;
    std::filesystem::rename(from.toStdString(), to.toStdString(), failure);
    if (failure)
        return Failure{QString::fromLocal8Bit(failure.message())};
    return {};
}

QString fileName(const QDate& day)
{
    return QStringLiteral("BackUp") + day.toString(QStringLiteral("yyyy_MM_dd")) +
           QStringLiteral(".datatoko");
}

Outcome<> save(Database& db, const QString& target, const Progress& progress)
{
    if (!db.isOpen())
        return Failure{QStringLiteral("database belum terbuka")};
    if (db.isServer())
        return Failure{QStringLiteral("toko di server dibackup dengan shopcopy::save")};
    filesystem::removeLeftovers(QFileInfo(target).absolutePath());
    const QString temporary = filesystem::temporaryName(target);
    Outcome<> saved = db.copyTo(temporary, progress);
    if (saved)
        saved = replaceFile(temporary, target);
    if (!saved)
        filesystem::removeDatabaseFiles(temporary);
    return saved;
}

Outcome<> checkShopFile(const QString& path, const Progress& progress)
{
    Database file;
    if (!file.open(path, Database::Access::ReadOnly))
        return Failure{file.errorMessage()};
    // The quick check reads every page: seconds on a large shop, reported as it goes.
    if (progress)
        file.setProgress([&progress] { progress(0, 0); }, 100000);
    QStringList problems;
    if (!file.query(QStringLiteral("pragma quick_check"), {},
                    [&](const QStringList& row) { problems.append(row.value(0)); }))
        return Failure{QStringLiteral("file rusak: ") + file.errorMessage()};
    if (problems != QStringList{QStringLiteral("ok")})
        return Failure{QStringLiteral("file rusak: ") + problems.value(0)};
    for (const shoptables::Table& table : shoptables::all) {
        const QString name = QString::fromLatin1(table.name);
        QStringList present;
        file.query(QStringLiteral("select lower(name) from pragma_table_info(?)"), {name},
                   [&](const QStringList& row) { present.append(row.value(0)); });
        for (const QString& column : QString::fromLatin1(table.columns).toLower().split(u' ')) {
            if (!present.contains(column)) {
                return Failure{QStringLiteral("tabel data toko tidak lengkap: ") + name +
                               (present.isEmpty() ? QString() : u'.' + column)};
            }
        }
    }
    return {};
}

Outcome<QString> restore(Database& db, const QString& source, const QDateTime& now,
                         const Progress& progress)
{
    const QString path = db.path();
    if (!db.isOpen() || path.isEmpty())
        return Failure{QStringLiteral("database belum terbuka")};
    if (db.isServer())
        return Failure{QStringLiteral("toko di server dipulihkan oleh shopcopy::restore")};
    if (db.isReadOnly())
        return Failure{QStringLiteral("database hanya dapat dibaca")};
    filesystem::removeLeftovers(QFileInfo(path).absolutePath());
    if (const Outcome<> checked = checkShopFile(source, progress); !checked)
        return checked.failure();

    // One bar for both copies: the backup coming in, then the data before going out.
    const auto half = [&progress](qint64 which) -> Progress {
        if (!progress)
            return {};
        return [&progress, which](qint64 done, qint64 total) {
            progress(which * total + done, 2 * total);
        };
    };
    // The backup comes in beside the database first, so the swap is one rename.
    const QString incoming = filesystem::temporaryName(path + QStringLiteral(".restore"));
    {
        Database file;
        if (!file.open(source, Database::Access::ReadOnly))
            return Failure{file.errorMessage()};
        if (const Outcome<> copied = file.copyTo(incoming, half(0)); !copied) {
            filesystem::removeDatabaseFiles(incoming);
            return copied.failure();
        }
    }
    const Outcome<QString> safetyCopy = keepSafetyCopy(db, now, half(1));
    if (!safetyCopy) {
        filesystem::removeDatabaseFiles(incoming);
        return safetyCopy;
    }

    db.close();
    // Every toko holds the lock while it has the file open, in either journal
    // mode; a log that outlived the close belongs to another program still
    // using the file. A file swapped in under either would lose what they
    // store next, or be mixed with that log.
    FileLock alone(Database::lockPath(path), FileLock::Mode::Alone);
    Outcome<> swapped =
        !alone.held() || QFile::exists(path + QStringLiteral("-wal"))
            ? Outcome<>(Failure{QStringLiteral("database masih dibuka program lain")})
            : replaceFile(incoming, path);
    alone.release();
    if (swapped) {
        QFile::remove(path + QStringLiteral("-shm"));
        if (db.open(path)) {
            // An older backup comes back without the helpers of the shop file.
            (void)shopfile::upgrade(db, progress);
            return safetyCopy;
        }
        // Cannot happen after the check; put the shop's data back.
        swapped = Failure{db.errorMessage()};
        QFile::remove(path);
        QFile::copy(*safetyCopy, path);
    } else {
        filesystem::removeDatabaseFiles(incoming);
        QFile::remove(*safetyCopy);
    }
    if (db.open(path))
        (void)shopfile::upgrade(db, progress);
    return swapped.failure();
}

} // namespace backup
