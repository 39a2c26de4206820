#include "core/startup.h"

#include "core/app_context.h"

bool startUp(AppContext& context, QString& error)
{
    const QDir& shop = context.shopFolder();
    context.connection = config::readConnection(shop);
    context.shop = config::readShop(shop);
    QString path = context.connection.databasePath;
    if (!path.isEmpty())
        path = shop.absoluteFilePath(path);
    if (!context.db().open(path)) {
        error = QStringLiteral("Tidak dapat membuka database: ") + context.db().errorMessage();
        return false;
    }
    context.startDate = context.clock().today().toString(QStringLiteral("yyyy-MM-dd"));
    context.receipt = config::readReceiptSettings(shop);
    return true;
}
