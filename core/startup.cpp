#include "core/startup.h"

#include "core/app_context.h"
#include "core/file_system.h"
#include "core/shop_upgrade.h"

namespace {

// Every open of a shop file ends with its upgrade: an older file, or one
// restored from an older backup, gets the helpers it lacks; a file that
// cannot take them works without them.
bool openShopFile(Database& db, const QString& path, const backup::Progress& progress = {})
{
    if (!db.open(path))
        return false;
    (void)shopfile::upgrade(db, progress);
    return true;
}

Outcome<QString> openDatabase(AppContext& context, const QString& path,
                              const backup::Progress& progress)
{
    // An empty path is SQLite's private temporary database; a server's
    // address is no file.
    const QString file = path.isEmpty() || ServerConnection::isAddress(path)
                             ? path
                             : context.shopFolder().absoluteFilePath(path);
    if (!openShopFile(context.db(), file, progress)) {
        return Failure{QStringLiteral("Tidak dapat membuka database: ") +
                       context.db().errorMessage()};
    }
    const Database& db = context.db();
    if (db.isReadOnly())
        return readOnlyNotice(db);
    if (!db.journal().network.isEmpty()) {
        return QStringLiteral("Database ada di folder jaringan (%1): hanya satu kasir yang boleh "
                              "memakai file ini, jangan buka dari komputer lain bersamaan.")
            .arg(db.journal().network);
    }
    return QString();
}

} // namespace

QString readOnlyNotice(const Database& db)
{
    const QString notice =
        QStringLiteral("Database hanya dapat dibaca, transaksi dan perubahan data tidak akan "
                       "tersimpan: ") +
        db.path();
    if (db.privateCopy().isEmpty())
        return notice;
    return notice + QStringLiteral(" (log-nya diterapkan pada salinan sementara ") +
           db.privateCopy() + u')';
}

QString preparingNotice()
{
    return QStringLiteral("Menyiapkan file data toko, mohon tunggu..");
}

Outcome<QString> startUp(AppContext& context, const backup::Progress& progress)
{
    const QDir& shop = context.shopFolder();
    context.connection = config::readConnection(shop);
    context.shop = config::readShop(shop);
    const Outcome<QString> opened =
        openDatabase(context, context.connection.databasePath, progress);
    if (!opened)
        return opened;
    // What a toko killed in the middle of a backup or restore left behind.
    QStringList folders = {shop.path(), QDir::tempPath()};
    if (!context.db().isServer())
        folders.append(QFileInfo(context.db().path()).absolutePath());
    for (const QString& folder : folders)
        filesystem::removeLeftovers(folder);
    context.startDate = context.clock().today().toString(QStringLiteral("yyyy-MM-dd"));
    context.receipt = config::readReceiptSettings(shop);
    return opened;
}

Outcome<QString> connectDatabase(AppContext& context, const QString& path,
                                 const backup::Progress& progress)
{
    // conn.txt separates its fields with ";": such a path would come back as
    // another file at the next start.
    if (path.contains(u';'))
        return Failure{QStringLiteral("Path database tidak boleh memuat tanda ; (titik koma).")};
    const QString previousPath = context.db().path();
    const Outcome<QString> opened = openDatabase(context, path, progress);
    if (!opened)
        return opened;
    ConnectionSettings connection = context.connection;
    connection.databasePath = path;
    if (!config::writeConnection(context.shopFolder(), connection)) {
        openShopFile(context.db(), previousPath);
        return Failure{
            QStringLiteral("conn.txt tidak dapat ditulis, koneksi database tidak diubah.")};
    }
    context.connection = connection;
    return opened;
}
