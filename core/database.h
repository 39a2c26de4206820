#pragma once

#include "core/file_lock.h"
#include "core/file_system.h"
#include "core/outcome.h"
#include "core/server_connection.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>

struct sqlite3;
struct sqlite3_stmt;

// The one connection to the shop's database: an SQLite file, or a shop on a
// PostgreSQL server when the path is a postgresql:// address. Every value
// travels as a bound parameter; only identifiers from a fixed set are ever
// spliced into the statement text. Each distinct statement text is prepared
// once and reused, so the lookups that run on every keystroke cost no parsing.
//
// The program's statements are written once, for both: where the two
// engines say a thing differently, a member below gives the text for the
// open one.
//
// A failed statement keeps SQLite's own message; failure() gives it as the
// reason a logic call reports ("SQL error: " + message). The database never
// shows anything itself: logic returns, screens show.
class Database final
{
public:
    // One result row: the column values as texts, a NULL as a null QString.
    using RowHandler = std::function<void(const QStringList& row)>;

    Database();
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // What the folder of a database file is, asked at every open (statfs by default).
    using FileSystemProbe = std::function<filesystem::Facts(const QString& folder)>;
    void setFileSystemProbe(FileSystemProbe probe) { m_probe = std::move(probe); }

    enum class Access { ReadWrite, ReadOnly };

    // Opens the file at `path` and, once it is open, replaces the current
    // connection (whose statements are finalised first). SQLite creates an
    // empty file when none exists; a path that is a folder or not a database
    // fails here, with SQLite's message in errorMessage(), and the current
    // connection stays as it was. Refused while a statement is running.
    // Shows nothing.
    //
    // A writable database runs with synchronous=FULL, a commit survives a
    // power cut: on a local disk with the write-ahead log (one sync per
    // commit), on a network folder or small disk blocks with the rollback
    // journal (see filesystem::journalFor). Another program writing at that
    // moment is waited for (up to three seconds), from the very first
    // statement on. A database that can only be read (read-only media, no
    // right to write) still opens, and isReadOnly() says so; one left there
    // with a log that cannot be applied is read from a private copy.
    //
    // While a file is open for writing, lockPath(path) is held shared.
    //
    // A server address connects to the server instead (see
    // ServerConnection::connect); path() is then the address without its
    // password.
    bool open(const QString& path, Access access = Access::ReadWrite);
    // Leaves the database as one file: the log is written into it and
    // removed, and the file is put back in rollback-journal mode, unless
    // another program still has it open. A private copy is removed.
    void close();
    bool isOpen() const { return m_connection != nullptr || m_server != nullptr; }
    // Whether the shop lies on a server rather than in a file.
    bool isServer() const { return m_server != nullptr; }
    bool isReadOnly() const { return m_readOnly; }
    const QString& path() const { return m_path; }
    // How the open file is written, decided from its folder.
    const filesystem::Choice& journal() const { return m_journal; }
    // The private copy read instead of the file, or empty.
    const QString& privateCopy() const { return m_copy; }
    // The lock every toko holds while it has the database at `path` open.
    static QString lockPath(const QString& path);

    // Writes everything in the log into the database file and empties the log.
    bool checkpoint();

    // Write transactions committed by this connection, counted over every
    // database it opens.
    qint64 commits() const { return m_commits; }
    // Calls `committed` at each commit of a write transaction, as it is made
    // (a file's commit hook; a server's at Transaction::commit). It must not
    // use the database.
    void watchCommits(std::function<void()> committed);

    // SQLite's message of the last failure.
    const QString& errorMessage() const { return m_error; }
    // The last failure as a logic call reports it: "SQL error: " + message.
    Failure failure() const;
    // Success, or the last failure, as a logic call gives it back.
    Outcome<> outcome(bool ok) const;

    // One statement without result rows.
    bool exec(const QString& sql, const QVariantList& params = {});
    // One statement, `handler` called once per result row.
    bool query(const QString& sql, const QVariantList& params, const RowHandler& handler);
    // The first column of the first row; empty when there is no row, the
    // value is NULL or the statement failed.
    QString scalar(const QString& sql, const QVariantList& params = {});
    // The first column of the first row; empty when there is no row or the
    // value is NULL.
    Outcome<QString> value(const QString& sql, const QVariantList& params = {});
    // Every result row, in the query's column order.
    Outcome<QList<QStringList>> select(const QString& sql, const QVariantList& params = {});
    // Several statements separated by ";", no parameters (schema scripts).
    bool execScript(const QString& sql);

    // Rows into `table`'s `columns` (a fixed name of the shop's), a null
    // QString as NULL: a server takes them in one COPY, a file one prepared
    // insert each. Inside the caller's transaction.
    bool insertRows(const QString& table, const QStringList& columns,
                    const QList<QStringList>& rows);

    // Number of rows changed by the last insert, update or delete.
    int changes() const;

    // The first column of every result row of a statement asked once (an
    // upgrade's checks): prepared for this call alone, it stays out of the
    // cache that keeps what the screens ask again. Shows nothing; a failure
    // ends the list.
    QStringList column(const QString& sql, const QVariantList& params = {});
    // Calls `tick` every `steps` of SQLite's steps while statements run on the
    // open connection, so that a box stays painted during long work; an
    // empty `tick` stops it.
    void setProgress(std::function<void()> tick, int steps = 1000);
    // Calls `seen` with the text of every statement as it starts on the open
    // connection; an empty `seen` stops it.
    void traceStatements(std::function<void(const QString& sql)> seen);
    // The texts of the statements kept prepared.
    QStringList cachedStatements() const;

    // How far a copy has come: `done` of `total` pages.
    using Progress = std::function<void(qint64 done, qint64 total)>;
    // Copies the open database page by page into `file`, made anew, while
    // others may read and write it. The copy stands alone in rollback-journal
    // mode.
    Outcome<> copyTo(const QString& file, const Progress& progress = {});

    // What the two engines say differently, one place each.
    // ORDER BY text for the order rows were stored in.
    QString storedOrder() const;
    // A condition true when `column` is two capital letters, '-' and 14 digits.
    QString isDocumentCode(const QString& column) const;
    // A condition true when `column` is 14 digits.
    QString isDocumentNumber(const QString& column) const;
    // A condition true when the text of `column` matches the pattern
    // `parameter` ('%' any text, '_' one character), ASCII letters in either
    // case, every other character as it is.
    enum class Holds { Text, Number };
    QString like(const QString& column, const QString& parameter, Holds holds = Holds::Text) const;
    // The value `parameter` read as a number where nothing else says its
    // type (a server reads the values of a VALUES list as texts).
    QString asNumber(const QString& parameter) const;
    // The smaller of two numbers; NULL when either is NULL.
    QString smaller(const QString& a, const QString& b) const;
    // The product search index's condition: rows holding every piece of
    // `pieces` (three characters or longer) in one of `columns`; the
    // question is bound as `parameter`. Empty question when no piece is long
    // enough.
    static QString textIndexQuestion(const QStringList& pieces, const QStringList& columns);
    static QString textIndexMatches(const QString& index, const QString& parameter);

    // All statements between construction and commit() as one unit: the
    // destructor rolls back unless commit() succeeded. Check active() before
    // writing: when the transaction could not begin, or SQLite rolled it back
    // after an error, the statements that follow fail instead of being
    // stored one by one.
    class Transaction final
    {
    public:
        explicit Transaction(Database& db);
        ~Transaction();
        Transaction(const Transaction&) = delete;
        Transaction& operator=(const Transaction&) = delete;
        bool active() const { return m_active; }
        bool commit();

    private:
        Database& m_db;
        int m_generation;
        bool m_active = false;
    };

    // One step inside a transaction that can be undone alone: the statements
    // between construction and release() are kept by release(); otherwise the
    // destructor rolls back to the savepoint and releases it, and the rest of
    // the transaction stays as it was. Check active() before writing.
    class Savepoint final
    {
    public:
        explicit Savepoint(Database& db);
        ~Savepoint();
        Savepoint(const Savepoint&) = delete;
        Savepoint& operator=(const Savepoint&) = delete;
        bool active() const { return m_active; }
        bool release();

    private:
        Database& m_db;
        int m_generation;
        bool m_active = false;
    };

private:
    struct ConnectionCloser {
        void operator()(sqlite3* db) const;
    };
    struct StatementFinalizer {
        void operator()(sqlite3_stmt* statement) const;
    };
    using StatementPtr = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

    // Opens `name` into `connection`, runs `setup` and reads its schema;
    // SQLite's extended code, with the message in m_error on a failure.
    bool openServer(const QString& address);
    int openConnection(const QByteArray& name, int flags,
                       std::unique_ptr<sqlite3, ConnectionCloser>& connection,
                       const char* setup = nullptr);

    // `maxRows` stops stepping after that many rows (-1: all).
    // `cache` false prepares the statement for this call alone.
    bool run(const QString& sql, const QVariantList& params, const RowHandler* handler,
             int maxRows = -1, bool cache = true);
    bool fail();
    bool fail(const QString& message);
    // Counts a write transaction's commit and tells the watcher.
    void committed();
    // Whether no transaction is open on the connection right now.
    bool autocommit() const;

    FileSystemProbe m_probe = filesystem::of;
    QString m_path;
    filesystem::Choice m_journal;
    QString m_copy;
    FileLock m_lock;
    // Statements being stepped right now (a row handler may run another one):
    // the connection cannot be closed or replaced under them.
    int m_running = 0;
    // Counts connections, so a transaction never touches a later one.
    int m_generation = 0;
    bool m_inTransaction = false;
    bool m_readOnly = false;
    qint64 m_commits = 0;
    std::function<void()> m_committed;
    QString m_error;
    std::function<void()> m_tick;
    std::function<void(const QString&)> m_trace;
    // Declared before the cache: statements must be finalised before their
    // connection closes, and members are destroyed in reverse order.
    std::unique_ptr<sqlite3, ConnectionCloser> m_connection;
    std::unordered_map<QString, StatementPtr> m_statements;
    std::unique_ptr<ServerConnection> m_server;
};
