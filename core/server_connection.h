#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>

#include <functional>
#include <memory>
#include <unordered_map>

struct pg_conn;

// One connection to a shop on a PostgreSQL server, as Database drives it:
// the statements are the program's own, written with "?" and "?N"
// parameters, sent once to be prepared and then only their values. Values
// travel as text and the server reads each as the type its place needs.
//
// A connection that broke (the server restarted, the cable came out) is made
// again before the next statement outside a transaction, so a till carries on
// once the server is back.
class ServerConnection final
{
public:
    using RowHandler = std::function<void(const QStringList& row)>;

    ~ServerConnection();
    ServerConnection(const ServerConnection&) = delete;
    ServerConnection& operator=(const ServerConnection&) = delete;

    // Connects to the server `address` names (a postgresql:// or postgres://
    // URI). Waits 5 s for the server unless the address sets its own
    // connect_timeout, and keeps the connection alive so that a server that
    // went away is noticed within seconds. Null with the reason in `error`.
    static std::unique_ptr<ServerConnection> connect(const QString& address, QString& error);

    // Whether `text` names a server rather than a file.
    static bool isAddress(const QString& text);
    // The address without its password: what messages and the title may show.
    static QString shown(const QString& address);

    // One statement; `handler` gets at most `maxRows` rows (-1: all).
    // Numbers read as the screens write them, NULL as a null QString.
    bool run(const QString& sql, const QVariantList& params, const RowHandler* handler, int maxRows,
             QString& error);
    // Several statements separated by ";", no parameters.
    bool execScript(const QString& sql, QString& error);
    // Rows into `table`'s `columns` in one COPY; a null QString is NULL.
    bool copyIn(const QString& table, const QStringList& columns, const QList<QStringList>& rows,
                QString& error);
    // Rows changed by the last insert, update or delete.
    int changes() const { return m_changes; }
    // Whether a transaction is open (also one that failed and awaits its rollback).
    bool inTransaction() const;
    QStringList cachedStatements() const;

    // The statement text the server reads: "?N" becomes "$N" and each bare
    // "?" the next number, outside quoted texts and names.
    static QString numbered(const QString& sql);

private:
    explicit ServerConnection(pg_conn* connection);
    bool reconnect(QString& error);
    bool runOnce(const QString& sql, const QVariantList& params, const RowHandler* handler,
                 int maxRows, QString& error);
    // What every new connection is told first.
    void settle();

    struct Prepared {
        QByteArray name;
        QList<unsigned> parameterTypes;
    };
    pg_conn* m_connection = nullptr;
    std::unordered_map<QString, Prepared> m_statements;
    int m_changes = 0;
};
