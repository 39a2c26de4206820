#include "logic/auto_backup.h"

#include "core/clock.h"
#include "core/database.h"
#include "core/shop_settings.h"
#include "core/shop_tables.h"
#include "logic/shop_copy.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 megabyte = 1 << 20;

// The automatic backups in `folder`, oldest first: their names sort by time.
QStringList automaticBackups(const QString& folder)
{
    static const QRegularExpression automatic(
        u"^Otomatis[0-9]{4}_[0-9]{2}_[0-9]{2}_[0-9]{6}\\.datatoko$"_s);
    QStringList names;
    for (const QString& name : QDir(folder).entryList(QDir::Files, QDir::Name)) {
        if (automatic.match(name).hasMatch())
            names.append(name);
    }
    return names;
}

// Removes the oldest automatic backups of `folder` beyond the newest `kept`.
void rotate(const QString& folder, int kept)
{
    const QStringList names = automaticBackups(folder);
    for (qsizetype i = 0; i < names.size() - kept; ++i)
        QFile::remove(QDir(folder).filePath(names.at(i)));
}

QString megabytes(qint64 bytes)
{
    return QString::number((std::max<qint64>(bytes, 0) + megabyte - 1) / megabyte) + u" MB"_s;
}

// The rows the server inserted, changed and deleted in the shop's tables
// since its statistics began: it changes whenever any till stores anything.
Outcome<QString> serverFigure(Database& db)
{
    // This till's own counts reach the statistics once it is idle: now
    // (PostgreSQL 15 on; an older server counts them a moment later).
    (void)db.exec(u"select pg_stat_force_next_flush()"_s);
    QStringList tables;
    for (const shoptables::Table& table : shoptables::all)
        tables.append(QString::fromLatin1(table.name));
    return db.value(u"select coalesce(sum(n_tup_ins + n_tup_upd + n_tup_del), 0) from "
                    "pg_stat_user_tables where schemaname = current_schema() and "
                    "relname::text = any(string_to_array(?, ' '))"_s,
                    {tables.join(u' ')});
}

QString readText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).trimmed() : QString();
}

} // namespace

AutoBackup::AutoBackup(Database& db, const Clock& clock, const QDir& shopFolder)
    : m_db(db), m_clock(clock), m_shopFolder(shopFolder), m_commitsBackedUp(db.commits())
{
}

AutoBackup::~AutoBackup()
{
    m_db.watchCommits({});
}

void AutoBackup::watch()
{
    m_db.watchCommits([this] {
        if (m_marked)
            return;
        // Written before the commit is made: a toko killed right after it
        // still leaves the mark. A mark that cannot be written leaves the count.
        m_marked = true;
        QFile mark(m_shopFolder.filePath(QString::fromLatin1(markName)));
        if (mark.open(QIODevice::WriteOnly))
            mark.write(u"Data berubah sejak %1, belum dibackup otomatis.\n"_s
                           .arg(m_clock.now().toString(u"yyyy-MM-dd HH:mm:ss"_s))
                           .toUtf8());
    });
}

QString AutoBackup::firstFolder() const
{
    return m_shopFolder.absoluteFilePath(QString::fromLatin1(folderName));
}

QString AutoBackup::secondFolder() const
{
    const QString folder =
        ShopSettings::read(m_shopFolder).text(setting::backupSecondFolder).trimmed();
    return folder.isEmpty() ? QString() : m_shopFolder.absoluteFilePath(folder);
}

Outcome<bool> AutoBackup::due()
{
    const bool changed =
        m_db.commits() != m_commitsBackedUp || m_shopFolder.exists(QString::fromLatin1(markName));
    if (!m_db.isServer())
        return changed;
    // The till that closes last backs up what every till stored.
    const Outcome<int> others = shopcopy::otherTills(m_db);
    if (!others)
        return others.failure();
    if (*others > 0)
        return false;
    const Outcome<QString> figure = serverFigure(m_db);
    if (!figure)
        return figure.failure();
    m_serverFigure = *figure;
    return changed ||
           *figure != readText(QDir(firstFolder()).filePath(QString::fromLatin1(serverFigureName)));
}

AutoBackup::Result AutoBackup::atClose(const backup::Progress& progress)
{
    Result result;
    if (!m_db.isOpen() || m_db.isReadOnly())
        return result;
    const Outcome<bool> due = this->due();
    if (!due) {
        result.failures.append(m_db.path() + u": "_s + due.reason());
        record(result.failures);
        return result;
    }
    if (!*due)
        return result;
    const int kept = std::max(1, ShopSettings::read(m_shopFolder).number(setting::backupsKept, 30));
    const QString name = backup::automaticFileName(m_clock.now());
    const QString first = firstFolder();
    const Outcome<QString> written = writeFirst(first, name, kept, progress);
    if (written) {
        result.written.append(*written);
        done();
    } else {
        result.failures.append(first + u": "_s + written.reason());
    }
    if (const QString second = secondFolder(); !second.isEmpty()) {
        const Outcome<QString> copied =
            written ? copySecond(second, *written, kept, progress)
                    : Outcome<QString>(Failure{u"tidak disalin, backup pertama gagal"_s});
        if (copied) {
            result.written.append(*copied);
            result.mayPull = second;
        } else {
            result.failures.append(second + u": "_s + copied.reason());
        }
    }
    record(result.failures);
    return result;
}

Outcome<QString> AutoBackup::writeFirst(const QString& folder, const QString& name, int kept,
                                        const backup::Progress& progress)
{
    if (!QDir().mkpath(folder))
        return Failure{u"folder tidak dapat dibuat"_s};
    filesystem::removeLeftovers(folder);
    // A file's copy has its pages; a server's is about the size of the last one.
    qint64 size = 0;
    if (m_db.isServer()) {
        const QStringList old = automaticBackups(folder);
        if (!old.isEmpty())
            size = QFileInfo(QDir(folder).filePath(old.last())).size();
    } else {
        const Outcome<QString> pages = m_db.value(u"pragma page_count"_s);
        const Outcome<QString> pageSize = m_db.value(u"pragma page_size"_s);
        if (!pages || !pageSize)
            return m_db.failure();
        size = pages->toLongLong() * pageSize->toLongLong();
    }
    if (const Outcome<> room = makeRoom(folder, size); !room)
        return room.failure();
    const QString target = QDir(folder).filePath(name);
    if (const Outcome<> saved = shopcopy::save(m_db, target, progress); !saved)
        return saved.failure();
    rotate(folder, kept);
    return target;
}

Outcome<QString> AutoBackup::copySecond(const QString& folder, const QString& backupFile, int kept,
                                        const backup::Progress& progress)
{
    if (!QFileInfo(folder).isDir())
        return Failure{u"folder tidak ditemukan, flashdisk tidak terpasang?"_s};
    // An unplugged stick's mount point is an empty folder on the computer's own disk.
    const QString data = m_db.isServer() ? QFileInfo(backupFile).absolutePath() : m_db.path();
    if (backup::device(folder) == backup::device(data)) {
        return Failure{u"flashdisk tidak terpasang: folder ini ada di disk yang sama dengan "_s +
                       (m_db.isServer() ? u"backup pertama"_s : u"database"_s)};
    }
    if (const Outcome<> room = makeRoom(folder, QFileInfo(backupFile).size()); !room)
        return room.failure();
    const QString target = QDir(folder).filePath(QFileInfo(backupFile).fileName());
    if (const Outcome<> copied = backup::copyToMedium(backupFile, target, progress); !copied)
        return copied.failure();
    rotate(folder, kept);
    return target;
}

Outcome<> AutoBackup::makeRoom(const QString& folder, qint64 size)
{
    const qint64 needed = size + std::max(reserve, size);
    QStringList old = automaticBackups(folder);
    // The newest stays: should this backup fail, it is the latest there is.
    while (freeBytes(folder) < needed && old.size() > 1)
        QFile::remove(QDir(folder).filePath(old.takeFirst()));
    if (const qint64 free = freeBytes(folder); free < needed)
        return Failure{u"ruang disk tidak cukup (perlu %1, tersedia %2)"_s.arg(megabytes(needed),
                                                                               megabytes(free))};
    return {};
}

// What was stored until now lies in a backup.
void AutoBackup::done()
{
    m_commitsBackedUp = m_db.commits();
    m_marked = false;
    m_shopFolder.remove(QString::fromLatin1(markName));
    if (!m_db.isServer())
        return;
    QFile figure(QDir(firstFolder()).filePath(QString::fromLatin1(serverFigureName)));
    if (figure.open(QIODevice::WriteOnly))
        figure.write(m_serverFigure.toUtf8() + '\n');
}

void AutoBackup::record(const QStringList& failures)
{
    if (failures.isEmpty())
        return;
    QFile file(m_shopFolder.filePath(QString::fromLatin1(failureName)));
    if (!file.open(QIODevice::Append))
        return;
    const QString at = m_clock.now().toString(u"yyyy-MM-dd HH:mm:ss"_s);
    for (const QString& failure : failures)
        file.write((at + u"  "_s + failure + u'\n').toUtf8());
}

QString AutoBackup::message(const Result& result)
{
    QStringList said;
    if (!result.failures.isEmpty())
        said.append(u"Backup otomatis gagal:\n"_s + result.failures.join(u'\n'));
    if (!result.mayPull.isEmpty())
        said.append(u"Backup otomatis sudah tersimpan di %1. Flashdisk boleh dicabut."_s.arg(
            QDir::toNativeSeparators(result.mayPull)));
    return said.join(u"\n\n"_s);
}

QString AutoBackup::atStart()
{
    filesystem::removeLeftovers(firstFolder());
    if (const QString second = secondFolder(); !second.isEmpty())
        filesystem::removeLeftovers(second);
    const QString path = m_shopFolder.filePath(QString::fromLatin1(failureName));
    const QString failures = readText(path);
    QFile::remove(path);
    if (failures.isEmpty())
        return {};
    return u"Backup otomatis terakhir gagal:\n"_s + failures;
}
