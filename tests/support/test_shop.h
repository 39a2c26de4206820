#pragma once

#include "core/app_context.h"
#include "core/clock.h"
#include "support/scripted_messages.h"

#include <QTemporaryDir>

#include <memory>

// A shop of its own for one test: a temporary folder with a database made by
// the real schema, conn.txt and toko.txt, and a started AppContext over it
// with scripted messages and a fixed clock (2024-03-07 10:00).
//
// When TOKO_TEST_SERVER holds the address of a test server's database, the
// shop's database lies on that server instead, in a schema of its own, and
// conn.txt names it: the same tests then run on the server.
class TestShop final
{
public:
    enum class Data { Empty, Demo };
    // On a server, a shop in a schema shares its database with other tests;
    // one in a database of its own can be restored (no other till connected).
    enum class Server { Schema, Database };
    explicit TestShop(Data data = Data::Empty, Server server = Server::Schema);

    // Empty when the shop started; else what went wrong.
    const QString& error() const { return m_error; }
    QDir folder() const { return QDir(m_dir.path()); }
    // The database conn.txt names: the file, or the server's address.
    QString databasePath() const { return m_database; }
    // Whether the tests run on a server (TOKO_TEST_SERVER is set).
    static bool onServer();
    // A new, empty schema on the test server, as the address of a database
    // whose tables are made there; empty with the reason in `error`.
    static QString serverAddress(QString& error);
    // A new, empty database of its own on the test server (no other test
    // connects to it), as its address; empty with the reason in `error`.
    static QString serverDatabase(QString& error);
    // What the database says of a statement on a table that is not there.
    static QString noSuchTable(const QString& table);

    // Makes `table` refuse a row with `message` `when` ("before insert",
    // "after insert", "before update of stock") it is stored and `condition`
    // holds of new. After the insert a file keeps the row, as a failing
    // constraint would: the program must undo it itself.
    static bool refuse(Database& db, const QString& when, const QString& table,
                       const QString& condition, const QString& message);
    // Lifts what refuse() set on `table`.
    static bool allow(Database& db, const QString& table);
    // The texts of `expression` over the rows joined by ",": on a file in the
    // order the rows are read, on a server by `order`.
    static QString joined(const Database& db, const QString& expression, const QString& order);
    // How a number in `column` is stored: "integer" when whole, "real" when not.
    static QString typeOf(const Database& db, const QString& column);

    AppContext& context() { return *m_context; }
    Database& db() { return m_context->db(); }

    ScriptedMessages messages;
    FixedClock clock;

private:
    void waitForTheOnlyConnection();

    QTemporaryDir m_dir;
    QString m_database;
    std::unique_ptr<AppContext> m_context;
    QString m_error;
};
