#include "support/test_shop.h"

#include "core/config_files.h"
#include "core/database.h"
#include "core/startup.h"
#include "logic/shop_database.h"

#include <QCoreApplication>

using namespace Qt::StringLiterals;

TestShop::TestShop(Data data) : clock(QDateTime(QDate(2024, 3, 7), QTime(10, 0)))
{
    m_context = std::make_unique<AppContext>(messages, clock, folder());
    if (!m_dir.isValid()) {
        m_error = QStringLiteral("no temporary folder");
        return;
    }
    m_database = onServer() ? serverAddress(m_error) : folder().filePath(u"toko.db3"_s);
    if (!m_error.isEmpty())
        return;
    m_error = shopdb::create(m_database, data == Data::Demo).reason();
    if (!m_error.isEmpty())
        return;
    config::writeConnection(folder(),
                            {onServer() ? m_database : QStringLiteral("toko.db3"), {}, {}});
    config::writeFileAtomically(folder().filePath(QStringLiteral("toko.txt")),
                                QByteArrayLiteral("Toko Uji;Jl. Contoh 1;0274-000000\n"));
    m_error = startUp(*m_context).reason();
}

bool TestShop::onServer()
{
    return qEnvironmentVariableIsSet("TOKO_TEST_SERVER");
}

QString TestShop::serverAddress(QString& error)
{
    static int made = 0;
    const QString base = qEnvironmentVariable("TOKO_TEST_SERVER");
    const QString schema = u"t%1_%2"_s.arg(QCoreApplication::applicationPid()).arg(++made);
    Database server;
    if (!server.open(base) || !server.exec(u"create schema "_s + schema)) {
        error = u"test server: "_s + server.errorMessage();
        return {};
    }
    // The server's text search lives in public, made once with the cluster.
    return base + u"&options=-c%20search_path%3D"_s + schema + u"%2Cpublic"_s;
}

QString TestShop::noSuchTable(const QString& table)
{
    return onServer() ? u"relation \"%1\" does not exist"_s.arg(table)
                      : u"no such table: "_s + table;
}
