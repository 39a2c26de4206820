#include "core/startup.h"

#include "core/app_context.h"

namespace {

bool openDatabase(AppContext& context, const QString& path, QString& error)
{
    // An empty path is SQLite's private temporary database.
    const QString file = path.isEmpty() ? path : context.shopFolder().absoluteFilePath(path);
    if (context.db().open(file))
        return true;
    error = QStringLiteral("Tidak dapat membuka database: ") + context.db().errorMessage();
    return false;
}

} // namespace

bool startUp(AppContext& context, QString& error)
{
    const QDir& shop = context.shopFolder();
    context.connection = config::readConnection(shop);
    context.shop = config::readShop(shop);
    if (!openDatabase(context, context.connection.databasePath, error))
        return false;
    context.startDate = context.clock().today().toString(QStringLiteral("yyyy-MM-dd"));
    context.receipt = config::readReceiptSettings(shop);
    return true;
}

bool connectDatabase(AppContext& context, const QString& path, QString& error)
{
    // conn.txt separates its fields with ";": such a path would come back as
    // another file at the next start.
    if (path.contains(u';')) {
        error = QStringLiteral("Path database tidak boleh memuat tanda ; (titik koma).");
        return false;
    }
    const QString previousPath = context.db().path();
    if (!openDatabase(context, path, error))
        return false;
    ConnectionSettings connection = context.connection;
    connection.databasePath = path;
    if (!config::writeConnection(context.shopFolder(), connection)) {
        context.db().open(previousPath);
        error = QStringLiteral("conn.txt tidak dapat ditulis, koneksi database tidak diubah.");
        return false;
    }
    context.connection = connection;
    return true;
}
