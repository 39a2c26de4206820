#include "support/test_shop.h"

#include "core/config_files.h"
#include "core/database.h"
#include "core/startup.h"
#include "logic/shop_database.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

using namespace Qt::StringLiterals;

TestShop::TestShop(Data data, Server server) : clock(QDateTime(QDate(2024, 3, 7), QTime(10, 0)))
{
    m_context = std::make_unique<AppContext>(messages, clock, folder());
    if (!m_dir.isValid()) {
        m_error = QStringLiteral("no temporary folder");
        return;
    }
    if (!onServer())
        m_database = folder().filePath(u"toko.db3"_s);
    else
        m_database = server == Server::Schema ? serverAddress(m_error) : serverDatabase(m_error);
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
    if (m_error.isEmpty() && onServer() && server == Server::Database)
        waitForTheOnlyConnection();
}

void TestShop::waitForTheOnlyConnection()
{
    // The server ends a connection a moment after it was closed: the one
    // that made the tables may still be counted.
    const QString others =
        u"select count(*) from pg_stat_activity where datname = current_database() and "
        "pid <> pg_backend_pid() and backend_type = 'client backend'"_s;
    QDeadlineTimer deadline(10'000);
    while (db().scalar(others) != u"0" && !deadline.hasExpired())
        QThread::msleep(10);
}

bool TestShop::onServer()
{
    return qEnvironmentVariableIsSet("TOKO_TEST_SERVER");
}

namespace {

// Makes `what` ("schema" or "database") on the test server under a name of
// its own; gives the name, or empty with the reason in `error`.
QString made(const QString& what, QString& error)
{
    static int count = 0;
    const QString name =
        u"%1%2_%3"_s.arg(what.at(0)).arg(QCoreApplication::applicationPid()).arg(++count);
    Database server;
    if (!server.open(qEnvironmentVariable("TOKO_TEST_SERVER")) ||
        !server.exec(u"create %1 %2"_s.arg(what, name))) {
        error = u"test server: "_s + server.errorMessage();
        return {};
    }
    return name;
}

} // namespace

QString TestShop::serverAddress(QString& error)
{
    const QString schema = made(u"schema"_s, error);
    // The server's text search lives in public, made once with the cluster.
    return schema.isEmpty() ? QString()
                            : qEnvironmentVariable("TOKO_TEST_SERVER") +
                                  u"&options=-c%20search_path%3D"_s + schema + u"%2Cpublic"_s;
}

QString TestShop::serverDatabase(QString& error)
{
    const QString name = made(u"database"_s, error);
    return name.isEmpty() ? QString()
                          : qEnvironmentVariable("TOKO_TEST_SERVER")
                                .replace(u"@/toko?"_s, u"@/"_s + name + u'?');
}

QString TestShop::noSuchTable(const QString& table)
{
    return onServer() ? u"relation \"%1\" does not exist"_s.arg(table)
                      : u"no such table: "_s + table;
}

bool TestShop::refuse(Database& db, const QString& when, const QString& table,
                      const QString& condition, const QString& message)
{
    const QString name = u"refuse_"_s + table;
    if (!db.isServer()) {
        const QString kind = when.startsWith(u"after"_s) ? u"fail"_s : u"abort"_s;
        return db.exec(
            u"create trigger %1 %2 on %3 when %4 begin select raise(%5, '%6'); end"_s.arg(
                name, when, table, condition, kind, message));
    }
    return db.execScript(
        u"create function %1() returns trigger language plpgsql as $$ begin "
        "raise exception '%2'; end $$; create trigger %1 %3 on %4 for each row when (%5) "
        "execute function %1();"_s.arg(name, message, when, table, condition));
}

bool TestShop::allow(Database& db, const QString& table)
{
    return db.exec(db.isServer() ? u"drop trigger refuse_%1 on %1"_s.arg(table)
                                 : u"drop trigger refuse_"_s + table);
}

QString TestShop::joined(const Database& db, const QString& expression, const QString& order)
{
    return db.isServer() ? u"string_agg((%1)::text, ',' order by %2)"_s.arg(expression, order)
                         : u"group_concat(%1)"_s.arg(expression);
}

QString TestShop::typeOf(const Database& db, const QString& column)
{
    // A server's number columns hold doubles: what counts is whether it is whole.
    return db.isServer() ? u"case when %1 = trunc(%1) then 'integer' else 'real' end"_s.arg(column)
                         : u"typeof(%1)"_s.arg(column);
}
