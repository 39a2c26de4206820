#include "core/shop_folder.h"

#include "core/config_files.h"
#include "core/server_connection.h"

#include <QFileInfo>

namespace shopfolder {

namespace {

QString shown(const QDir& folder)
{
    return QDir::toNativeSeparators(folder.absolutePath());
}

} // namespace

QString openProblem(const QDir& folder)
{
    if (!folder.exists())
        return QStringLiteral("Folder tidak ditemukan: ") + shown(folder);
    if (!QFileInfo(folder.filePath(QString::fromLatin1(config::connectionFile))).isFile())
        return QStringLiteral("Folder ini bukan folder toko (tidak ada conn.txt): ") +
               shown(folder);
    const QString database = config::readConnection(folder).databasePath;
    // A server is asked at start, which says why it cannot be reached.
    if (ServerConnection::isAddress(database))
        return {};
    // An empty or missing database would be made afresh, empty, and every
    // statement would then fail.
    if (database.isEmpty() || !QFileInfo(folder.absoluteFilePath(database)).isFile())
        return QStringLiteral("Database yang disebut conn.txt tidak ditemukan: ") +
               QDir::toNativeSeparators(folder.absoluteFilePath(database));
    return {};
}

QString writeProblem(const QDir& folder)
{
    const QFileInfo info(folder.absolutePath());
    if (info.isDir() && info.isWritable())
        return {};
    return QStringLiteral("Folder tidak dapat ditulis, pilih folder lain: ") + shown(folder);
}

Outcome<StartFolder> forStart(const QString& requested, const QDir& current,
                              const QString& remembered)
{
    if (!requested.isEmpty()) {
        const QDir folder(requested);
        const QString problem = openProblem(folder);
        if (!problem.isEmpty())
            return Failure{problem};
        return StartFolder{folder.absolutePath(), {}};
    }
    if (QFileInfo(current.filePath(QString::fromLatin1(config::connectionFile))).isFile())
        return StartFolder{current.absolutePath(), {}};
    if (remembered.isEmpty())
        return StartFolder{};
    const QString problem = openProblem(QDir(remembered));
    return problem.isEmpty() ? StartFolder{QDir(remembered).absolutePath(), {}}
                             : StartFolder{{}, problem};
}

} // namespace shopfolder
