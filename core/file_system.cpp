#include "core/file_system.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSysInfo>

#include <climits>
#include <csignal>
#include <sys/statvfs.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace filesystem {

namespace {

// Filesystems whose files other computers reach over the network.
constexpr std::pair<quint32, const char*> networkFileSystems[] = {
    {0x6969, "NFS"},      {0x517B, "SMB"},      {0xFF534D42, "CIFS"}, {0xFE534D42, "SMB2"},
    {0x65735546, "FUSE"}, {0x01021997, "9P"},   {0x00C36400, "Ceph"}, {0x5346414F, "AFS"},
    {0x6B414653, "AFS"},  {0x73757245, "Coda"}, {0x564C, "NCP"},      {0x786F4256, "vboxsf"},
};

// This computer's name as it goes into a file name.
QString host()
{
    static const QString name = QSysInfo::machineHostName()
                                    .section(u'.', 0, 0)
                                    .remove(QRegularExpression(QStringLiteral("[^A-Za-z0-9-]")));
    return name;
}

bool running(qint64 pid)
{
    if (pid <= 0 || pid > INT_MAX)
        return false;
    return kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

} // namespace

Facts of(const QString& folder)
{
    struct statfs facts {
    };
    if (statfs(QFile::encodeName(folder).constData(), &facts) != 0)
        return {};
    return {static_cast<qint64>(facts.f_type), static_cast<qint64>(facts.f_bsize),
            sysconf(_SC_PAGESIZE)};
}

Choice journalFor(const Facts& facts)
{
    for (const auto& [type, name] : networkFileSystems) {
        if (static_cast<quint32>(facts.type) == type)
            return {false, QString::fromLatin1(name)};
    }
    // SQLite grows the index by writing one byte at the end of each memory
    // page: with smaller blocks the rest of the page is a hole, and a full
    // disk turns the first write into it into SIGBUS.
    if (facts.blockSize < facts.pageSize)
        return {false, {}};
    return {true, {}};
}

qint64 freeBytes(const QString& folder)
{
    struct statvfs facts {
    };
    if (statvfs(QFile::encodeName(folder).constData(), &facts) != 0)
        return 0;
    return static_cast<qint64>(facts.f_bavail) * static_cast<qint64>(facts.f_frsize);
}

void removeDatabaseFiles(const QString& path)
{
    for (const char* suffix : {"", "-journal", "-wal", "-shm"})
        QFile::remove(path + QString::fromLatin1(suffix));
}

QString temporaryName(const QString& stem)
{
    return stem + u'.' + host() + u'-' + QString::number(getpid()) + QStringLiteral(".tmp");
}

void removeLeftovers(const QString& folder)
{
    // The backup's copy (by hand or automatic), the backup coming in at a
    // restore, the data kept before it, and the private copy of a file on
    // read-only media.
    static const QRegularExpression ours(QStringLiteral(
        "^(?:(?:BackUp|Otomatis).*\\.datatoko|.+\\.restore|.+\\.sebelum-restore-[0-9-]+|"
        ".+\\.salinan)\\.([A-Za-z0-9-]*)-([0-9]+)\\.tmp(?:-journal|-wal|-shm)?$"));
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        const QRegularExpressionMatch match = ours.match(name);
        if (match.hasMatch() && match.captured(1) == host() &&
            !running(match.captured(2).toLongLong()))
            QFile::remove(dir.filePath(name));
    }
}

} // namespace filesystem
