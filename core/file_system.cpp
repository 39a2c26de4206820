#include "core/file_system.h"

#include <QFile>

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

} // namespace filesystem
