#include "support/test_shop.h"

#include "core/config_files.h"
#include "core/startup.h"
#include "logic/shop_database.h"

TestShop::TestShop(Data data) : clock(QDateTime(QDate(2024, 3, 7), QTime(10, 0)))
{
    m_context = std::make_unique<AppContext>(messages, clock, folder());
    if (!m_dir.isValid()) {
        m_error = QStringLiteral("no temporary folder");
        return;
    }
    m_error = shopdb::create(databasePath(), data == Data::Demo).reason();
    if (!m_error.isEmpty())
        return;
    config::writeConnection(folder(), {QStringLiteral("toko.db3"), {}, {}});
    config::writeFileAtomically(folder().filePath(QStringLiteral("toko.txt")),
                                QByteArrayLiteral("Toko Uji;Jl. Contoh 1;0274-000000\n"));
    m_error = startUp(*m_context).reason();
}
