#include "core/database.h"

#include "core/outcome.h"
#include "core/text_ops.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include <sqlite3.h>

#include <utility>

namespace {

QString columnText(sqlite3_stmt* statement, int column)
{
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_NULL:
        return {};
    case SQLITE_FLOAT:
        // SQLite would write 15 digits or an exponent; numbers read as the screens write them.
        return text::numberToText(sqlite3_column_double(statement, column));
    default:
        break;
    }
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
    return QString::fromUtf8(text, sqlite3_column_bytes(statement, column));
}

int bindValue(sqlite3_stmt* statement, int index, const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::UnknownType:
    case QMetaType::Nullptr:
        return sqlite3_bind_null(statement, index);
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return sqlite3_bind_int64(statement, index, value.toLongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return sqlite3_bind_double(statement, index, value.toDouble());
    default:
        if (value.isNull())
            return sqlite3_bind_null(statement, index);
        const QByteArray utf8 = value.toString().toUtf8();
        return sqlite3_bind_text(statement, index, utf8.constData(), static_cast<int>(utf8.size()),
                                 SQLITE_TRANSIENT);
    }
}

bool onlyWhitespace(const char* text)
{
    for (; text && *text; ++text) {
        if (*text != ' ' && *text != '\n' && *text != '\r' && *text != '\t' && *text != ';')
            return false;
    }
    return true;
}

// A copy of the database at `path` and its log in the temporary folder, for
// this process alone, or why it cannot be made.
Outcome<QString> makePrivateCopy(const QString& path)
{
    const QString folder = QDir::tempPath();
    const QString log = path + QStringLiteral("-wal");
    const qint64 needed = QFileInfo(path).size() + QFileInfo(log).size();
    if (filesystem::freeBytes(folder) < needed) {
        constexpr qint64 megabyte = 1 << 20;
        return Failure{QStringLiteral("ruang kosong tidak cukup untuk salinan sementara database: "
                                      "perlu %1 MB di %2")
                           .arg((needed + megabyte - 1) / megabyte)
                           .arg(folder)};
    }
    QString copy;
    int n = 0;
    do {
        copy = filesystem::temporaryName(QDir(folder).filePath(
            QFileInfo(path).fileName() + u'.' + QString::number(++n) + QStringLiteral(".salinan")));
    } while (QFile::exists(copy));
    const auto own = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    const QString copyLog = copy + QStringLiteral("-wal");
    if (!QFile::copy(path, copy) || !QFile::copy(log, copyLog) ||
        !QFile::setPermissions(copy, own) || !QFile::setPermissions(copyLog, own)) {
        filesystem::removeDatabaseFiles(copy);
        return Failure{QStringLiteral("salinan sementara database tidak dapat dibuat di ") +
                       folder};
    }
    return copy;
}

} // namespace

void Database::ConnectionCloser::operator()(sqlite3* db) const
{
    sqlite3_close_v2(db);
}

void Database::StatementFinalizer::operator()(sqlite3_stmt* statement) const
{
    sqlite3_finalize(statement);
}

Database::Database() = default;

Database::~Database()
{
    close();
}

QString Database::lockPath(const QString& path)
{
    // One lock however the file is reached (relative path, link).
    const QString file = QFileInfo(path).canonicalFilePath();
    return (file.isEmpty() ? path : file) + QStringLiteral(".kunci");
}

bool Database::open(const QString& path, Access access)
{
    if (m_running > 0) {
        m_error = QStringLiteral("database tidak dapat diganti selagi perintah berjalan");
        return false;
    }
    // conn.txt may hold anything: a NUL would cut the path short and make another file.
    if (path.contains(QChar(u'\0'))) {
        m_error = QStringLiteral("path database memuat karakter NUL");
        return false;
    }
    if (ServerConnection::isAddress(path))
        return openServer(path);
    // Taken before the file is opened: a restore that swaps the file holds
    // it alone until the new one lies there.
    FileLock lock;
    const bool writing = access == Access::ReadWrite && !path.isEmpty();
    if (writing) {
        lock = FileLock(lockPath(path), FileLock::Mode::Shared, std::chrono::seconds(3));
        if (lock.busy()) {
            m_error = QStringLiteral("database sedang diganti program lain (restore)");
            return false;
        }
    }
    std::unique_ptr<sqlite3, ConnectionCloser> connection;
    const int flags = access == Access::ReadOnly ? SQLITE_OPEN_READONLY
                                                 : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    const int rc = openConnection(path.toUtf8(), flags, connection);
    bool readOnly = access == Access::ReadOnly || (writing && !lock.held());
    QString copy;
    if (((rc & 0xff) == SQLITE_READONLY || (rc & 0xff) == SQLITE_CANTOPEN) &&
        QFileInfo(path).isFile()) {
        // A file left in log mode on read-only media: the log and its index
        // cannot be made there. Without a log the file is read as it lies;
        // a log is applied to a private copy, never left out.
        const QString firstError = m_error;
        const QString absolute = QFileInfo(path).absoluteFilePath();
        if (QFileInfo(path + QStringLiteral("-wal")).size() > 0) {
            const Outcome<QString> copied = makePrivateCopy(absolute);
            if (!copied) {
                m_error = copied.reason();
                return false;
            }
            copy = *copied;
            // SQLite applies the log as it opens the copy. Held alone, the
            // log's index lives in memory: no -shm beside the copy.
            if (openConnection(copy.toUtf8(), SQLITE_OPEN_READWRITE, connection,
                               "pragma locking_mode=exclusive; pragma query_only=1") != SQLITE_OK) {
                m_error =
                    QStringLiteral("salinan sementara database tidak dapat dibaca: ") + m_error;
                filesystem::removeDatabaseFiles(copy);
                return false;
            }
            // Removed at close: the log need not be written into it first.
            sqlite3_db_config(connection.get(), SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
        } else {
            const QByteArray uri = QUrl::fromLocalFile(absolute).toEncoded() + "?immutable=1";
            if (openConnection(uri, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, connection) !=
                SQLITE_OK) {
                m_error = firstError;
                return false;
            }
        }
        readOnly = true;
    } else if (rc != SQLITE_OK) {
        return false;
    }

    sqlite3* raw = connection.get();
    readOnly = readOnly || sqlite3_db_readonly(raw, "main") == 1;
    const filesystem::Choice journal =
        filesystem::journalFor(m_probe(QFileInfo(path).absolutePath()));
    if (!readOnly) {
        // One sync per commit with the log, and with synchronous=FULL a commit
        // still survives a power cut. A folder where no file can be made
        // refuses the log as it refuses a journal.
        const int set = sqlite3_exec(
            raw, journal.log ? "pragma journal_mode=wal" : "pragma journal_mode=delete", nullptr,
            nullptr, nullptr);
        readOnly = (set & 0xff) == SQLITE_READONLY || (set & 0xff) == SQLITE_CANTOPEN;
        sqlite3_exec(raw, "pragma synchronous=FULL", nullptr, nullptr, nullptr);
    }
    // A 64 MB page cache halves the month reports on a large shop.
    sqlite3_exec(raw, "pragma cache_size=-65536", nullptr, nullptr, nullptr);
    // SQLite calls it for write transactions alone, autocommitted ones included.
    sqlite3_commit_hook(
        raw,
        [](void* self) {
            static_cast<Database*>(self)->committed();
            return 0;
        },
        this);
    close();
    m_connection = std::move(connection);
    m_lock = std::move(lock);
    m_path = path;
    m_journal = journal;
    m_copy = copy;
    m_readOnly = readOnly;
    m_error.clear();
    return true;
}

bool Database::openServer(const QString& address)
{
    QString error;
    std::unique_ptr<ServerConnection> server = ServerConnection::connect(address, error);
    if (!server)
        return fail(error);
    close();
    m_server = std::move(server);
    m_path = ServerConnection::shown(address);
    m_journal = {};
    m_error.clear();
    return true;
}

int Database::openConnection(const QByteArray& name, int flags,
                             std::unique_ptr<sqlite3, ConnectionCloser>& connection,
                             const char* setup)
{
    sqlite3* raw = nullptr;
    int rc = sqlite3_open_v2(name.constData(), &raw, flags, nullptr);
    connection.reset(raw);
    if (rc == SQLITE_OK) {
        // Before the first statement: another program writing at this moment
        // is waited for, not taken for a broken database.
        sqlite3_busy_timeout(raw, 3000);
        if (setup)
            rc = sqlite3_exec(raw, setup, nullptr, nullptr, nullptr);
    }
    if (rc == SQLITE_OK) {
        // SQLite opens files lazily: read the schema now so that a folder or a
        // file that is no database fails at start-up, not at the first sale.
        rc = sqlite3_exec(raw, "select count(*) from sqlite_master", nullptr, nullptr, nullptr);
    }
    if (rc != SQLITE_OK) {
        m_error = QString::fromUtf8(raw ? sqlite3_errmsg(raw) : sqlite3_errstr(rc));
        rc = raw ? sqlite3_extended_errcode(raw) : rc;
        connection.reset();
    }
    return rc;
}

void Database::close()
{
    if (m_running > 0)
        return;
    m_statements.clear();
    if (m_connection && !m_readOnly) {
        // At rest the file is whole by itself and opens anywhere, even from
        // read-only media. Another program still using the log keeps it: the
        // change is refused at once rather than waited for.
        sqlite3_busy_timeout(m_connection.get(), 0);
        sqlite3_exec(m_connection.get(), "pragma journal_mode=delete", nullptr, nullptr, nullptr);
    }
    m_connection.reset();
    m_server.reset();
    if (!m_copy.isEmpty())
        filesystem::removeDatabaseFiles(std::exchange(m_copy, QString()));
    m_lock.release();
    m_readOnly = false;
    m_inTransaction = false;
    ++m_generation;
}

bool Database::checkpoint()
{
    return m_readOnly || m_server || exec(QStringLiteral("pragma wal_checkpoint(TRUNCATE)"), {});
}

void Database::watchCommits(std::function<void()> committed)
{
    m_committed = std::move(committed);
}

void Database::committed()
{
    ++m_commits;
    if (m_committed)
        m_committed();
}

int Database::changes() const
{
    if (m_server)
        return m_server->changes();
    return m_connection ? sqlite3_changes(m_connection.get()) : 0;
}

bool Database::insertRows(const QString& table, const QStringList& columns,
                          const QList<QStringList>& rows)
{
    if (m_server)
        return m_server->copyIn(table, columns, rows, m_error);
    const QString sql = QStringLiteral("insert into %1 (%2) values (%3)")
                            .arg(table, columns.join(QStringLiteral(", ")),
                                 QStringList(columns.size(), QStringLiteral("?")).join(u','));
    for (const QStringList& row : rows) {
        QVariantList values;
        values.reserve(row.size());
        for (const QString& value : row)
            values.append(value.isNull() ? QVariant() : QVariant(value));
        if (!exec(sql, values))
            return false;
    }
    return true;
}

bool Database::autocommit() const
{
    if (m_server)
        return !m_server->inTransaction();
    return !m_connection || sqlite3_get_autocommit(m_connection.get());
}

QStringList Database::column(const QString& sql, const QVariantList& params)
{
    QStringList values;
    const RowHandler handler = [&](const QStringList& row) { values.append(row.value(0)); };
    run(sql, params, &handler, -1, false);
    return values;
}

void Database::setProgress(std::function<void()> tick, int steps)
{
    m_tick = std::move(tick);
    const auto report = [](void* self) {
        static_cast<Database*>(self)->m_tick();
        return 0;
    };
    if (m_connection)
        sqlite3_progress_handler(m_connection.get(), m_tick ? steps : 0, m_tick ? +report : nullptr,
                                 this);
}

void Database::traceStatements(std::function<void(const QString& sql)> seen)
{
    m_trace = std::move(seen);
    const auto report = [](unsigned, void* self, void*, void* sql) {
        static_cast<Database*>(self)->m_trace(QString::fromUtf8(static_cast<const char*>(sql)));
        return 0;
    };
    if (m_connection)
        sqlite3_trace_v2(m_connection.get(), m_trace ? SQLITE_TRACE_STMT : 0,
                         m_trace ? +report : nullptr, this);
}

QStringList Database::cachedStatements() const
{
    if (m_server)
        return m_server->cachedStatements();
    QStringList texts;
    for (const auto& [sql, statement] : m_statements)
        texts.append(sql);
    return texts;
}

Outcome<> Database::copyTo(const QString& file, const Progress& progress)
{
    if (!m_connection)
        return Failure{QStringLiteral("tidak ada database yang terbuka")};
    // Pages copied between two reports of progress: 4 MB with 4 KB pages.
    constexpr int pagesPerStep = 1024;
    filesystem::removeDatabaseFiles(file);
    std::unique_ptr<sqlite3, ConnectionCloser> destination;
    sqlite3* raw = nullptr;
    const int opened = sqlite3_open_v2(file.toUtf8().constData(), &raw,
                                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    destination.reset(raw);
    if (opened != SQLITE_OK)
        return Failure{QString::fromUtf8(raw ? sqlite3_errmsg(raw) : sqlite3_errstr(opened))};
    // Held alone, a log the copy takes over from the shop keeps its index in
    // memory: no memory-mapped -shm beside the copy.
    sqlite3_exec(raw, "pragma locking_mode=exclusive", nullptr, nullptr, nullptr);
    sqlite3_backup* copy = sqlite3_backup_init(raw, "main", m_connection.get(), "main");
    if (!copy)
        return Failure{QString::fromUtf8(sqlite3_errmsg(raw))};
    int rc = SQLITE_OK;
    while (rc == SQLITE_OK) {
        rc = sqlite3_backup_step(copy, pagesPerStep);
        if (progress) {
            const int total = sqlite3_backup_pagecount(copy);
            progress(total - sqlite3_backup_remaining(copy), total);
        }
    }
    sqlite3_backup_finish(copy);
    if (rc != SQLITE_DONE)
        return Failure{QString::fromUtf8(sqlite3_errstr(rc))};
    // The page copy carries the shop's log mode over; the file handed out
    // stands alone.
    if (sqlite3_exec(raw, "pragma journal_mode=delete", nullptr, nullptr, nullptr) != SQLITE_OK)
        return Failure{QString::fromUtf8(sqlite3_errmsg(raw))};
    return {};
}

QString Database::storedOrder() const
{
    // A server's document tables number their rows as they are stored.
    return m_server ? QStringLiteral("urutan") : QStringLiteral("rowid");
}

QString Database::isDocumentCode(const QString& column) const
{
    if (m_server)
        return column + QStringLiteral(" ~ '^[A-Z][A-Z]-[0-9]{14}$'");
    return column + QStringLiteral(" glob '[A-Z][A-Z]-") + QStringLiteral("[0-9]").repeated(14) +
           u'\'';
}

QString Database::isDocumentNumber(const QString& column) const
{
    if (m_server)
        return column + QStringLiteral(" ~ '^[0-9]{14}$'");
    return column + QStringLiteral(" glob '") + QStringLiteral("[0-9]").repeated(14) + u'\'';
}

QString Database::like(const QString& column, const QString& parameter, Holds holds) const
{
    if (!m_server)
        return column + QStringLiteral(" like ") + parameter;
    // The server's LIKE minds case and reads a backslash as an escape; ILIKE
    // would also fold letters beyond ASCII. ILIKE finds the candidates (its
    // index serves it), the ASCII fold decides. A number is read as the text
    // its index holds.
    const QString fold = QStringLiteral("translate(%1, 'ABCDEFGHIJKLMNOPQRSTUVWXYZ', "
                                        "'abcdefghijklmnopqrstuvwxyz')");
    const QString text =
        holds == Holds::Number ? QStringLiteral("teks_angka(%1)").arg(column) : column;
    return QStringLiteral("(%1 ilike %2 escape '' and %3 like %4 escape '')")
        .arg(text, parameter, fold.arg(text), fold.arg(parameter));
}

QString Database::asNumber(const QString& parameter) const
{
    return m_server ? QStringLiteral("cast(%1 as double precision)").arg(parameter) : parameter;
}

QString Database::smaller(const QString& a, const QString& b) const
{
    if (m_server)
        return QStringLiteral("case when (%1) < (%2) then (%1) else (%2) end").arg(a, b);
    return QStringLiteral("min(%1, %2)").arg(a, b);
}

QString Database::textIndexQuestion(const QStringList& pieces, const QStringList& columns)
{
    // The trigram index finds pieces of three characters or more.
    const QString inColumns = u'{' + columns.join(u' ') + QStringLiteral("} : \"");
    QStringList phrases;
    for (const QString& piece : pieces) {
        if (piece.toUcs4().size() < 3)
            continue;
        const QString phrase =
            inColumns + QString(piece).replace(u'"', QStringLiteral("\"\"")) + u'"';
        if (!phrases.contains(phrase))
            phrases.append(phrase);
    }
    return phrases.join(QStringLiteral(" AND "));
}

QString Database::textIndexMatches(const QString& index, const QString& parameter)
{
    return index + QStringLiteral(" match ") + parameter;
}

bool Database::fail()
{
    return fail(QString::fromUtf8(sqlite3_errmsg(m_connection.get())));
}

bool Database::fail(const QString& message)
{
    m_error = message;
    return false;
}

Failure Database::failure() const
{
    return Failure{QStringLiteral("SQL error: ") + m_error, true};
}

Outcome<> Database::outcome(bool ok) const
{
    return ok ? Outcome<>() : Outcome<>(failure());
}

bool Database::run(const QString& sql, const QVariantList& params, const RowHandler* handler,
                   int maxRows, bool cache)
{
    if (!isOpen())
        return fail(QStringLiteral("tidak ada database yang terbuka"));
    // An error such as a full disk makes SQLite roll the whole transaction
    // back; the statements after it must not be stored one by one.
    if (m_inTransaction && autocommit())
        return fail(QStringLiteral("the transaction was rolled back"));
    if (m_server) {
        if (m_trace)
            m_trace(sql);
        ++m_running;
        const bool ok = m_server->run(sql, params, handler, maxRows, m_error);
        --m_running;
        return ok;
    }

    sqlite3_stmt* statement = nullptr;
    StatementPtr temporary;
    auto cached = cache ? m_statements.find(sql) : m_statements.end();
    if (cached != m_statements.end() && !sqlite3_stmt_busy(cached->second.get())) {
        statement = cached->second.get();
    } else {
        // Not seen yet, or busy because a row handler runs the same statement
        // again: prepare it (and keep it unless it is the nested copy).
        const QByteArray utf8 = sql.toUtf8();
        const char* tail = nullptr;
        const bool keep = cache && cached == m_statements.end();
        if (sqlite3_prepare_v3(m_connection.get(), utf8.constData(), static_cast<int>(utf8.size()),
                               keep ? SQLITE_PREPARE_PERSISTENT : 0, &statement,
                               &tail) != SQLITE_OK)
            return fail();
        if (!statement)
            return true; // only whitespace or comments
        StatementPtr owned(statement);
        if (!onlyWhitespace(tail))
            return fail(QStringLiteral("one statement at a time: ") + sql);
        if (keep)
            m_statements.emplace(sql, std::move(owned));
        else
            temporary = std::move(owned);
    }

    struct ResetOnExit {
        sqlite3_stmt* statement;
        int& running;
        ~ResetOnExit()
        {
            sqlite3_reset(statement);
            sqlite3_clear_bindings(statement);
            --running;
        }
    } reset{statement, ++m_running};

    if (sqlite3_bind_parameter_count(statement) != params.size())
        return fail(QStringLiteral("%1 values given for %2 parameters in: %3")
                        .arg(params.size())
                        .arg(sqlite3_bind_parameter_count(statement))
                        .arg(sql));
    for (int i = 0; i < params.size(); ++i) {
        if (bindValue(statement, i + 1, params.at(i)) != SQLITE_OK)
            return fail();
    }

    const int columns = sqlite3_column_count(statement);
    for (int rows = 0; maxRows < 0 || rows < maxRows; ++rows) {
        const int rc = sqlite3_step(statement);
        if (rc == SQLITE_DONE)
            return true;
        if (rc != SQLITE_ROW)
            return fail();
        if (handler && *handler) {
            QStringList row;
            row.reserve(columns);
            for (int c = 0; c < columns; ++c)
                row.append(columnText(statement, c));
            (*handler)(row);
        }
    }
    return true;
}

bool Database::exec(const QString& sql, const QVariantList& params)
{
    return run(sql, params, nullptr);
}

bool Database::query(const QString& sql, const QVariantList& params, const RowHandler& handler)
{
    return run(sql, params, &handler);
}

QString Database::scalar(const QString& sql, const QVariantList& params)
{
    QString result;
    const RowHandler handler = [&](const QStringList& row) { result = row.value(0); };
    run(sql, params, &handler, 1);
    return result;
}

Outcome<QList<QStringList>> Database::select(const QString& sql, const QVariantList& params)
{
    QList<QStringList> rows;
    const RowHandler handler = [&](const QStringList& row) { rows.append(row); };
    if (!run(sql, params, &handler))
        return failure();
    return rows;
}

Outcome<QString> Database::value(const QString& sql, const QVariantList& params)
{
    QString result;
    const RowHandler handler = [&](const QStringList& row) { result = row.value(0); };
    if (!run(sql, params, &handler, 1))
        return failure();
    return result;
}

bool Database::execScript(const QString& sql)
{
    if (m_server)
        return m_server->execScript(sql, m_error);
    if (!m_connection)
        return fail(QStringLiteral("tidak ada database yang terbuka"));
    if (sqlite3_exec(m_connection.get(), sql.toUtf8().constData(), nullptr, nullptr, nullptr) !=
        SQLITE_OK)
        return fail();
    return true;
}

Database::Transaction::Transaction(Database& db) : m_db(db), m_generation(db.m_generation)
{
    // Saves run one at a time, each locked from its first statement to its
    // commit: two saves never both read the last number, the same stock or
    // the same open debts. A file locks itself for writing at once; tills on
    // a server take one lock of the shop's, released with the transaction.
    // Reading never waits for it.
    if (db.isServer()) {
        m_active = m_db.exec(QStringLiteral("begin")) &&
                   m_db.exec(QStringLiteral("select pg_advisory_xact_lock(21611)"));
        if (!m_active)
            m_db.exec(QStringLiteral("rollback"));
    } else {
        m_active = m_db.exec(QStringLiteral("begin immediate"));
    }
    m_db.m_inTransaction = m_active;
}

Database::Transaction::~Transaction()
{
    if (!m_active || m_generation != m_db.m_generation)
        return;
    m_db.m_inTransaction = false;
    if (!m_db.autocommit())
        m_db.exec(QStringLiteral("rollback"), {});
}

bool Database::Transaction::commit()
{
    if (!m_active)
        return false;
    if (m_generation != m_db.m_generation)
        return m_db.fail(QStringLiteral("the database was replaced during the transaction"));
    m_db.m_inTransaction = false;
    if (!m_db.exec(QStringLiteral("commit"))) {
        m_db.m_inTransaction = true; // still open: the destructor rolls it back
        return false;
    }
    m_active = false;
    if (m_db.isServer())
        m_db.committed();
    return true;
}

Database::Savepoint::Savepoint(Database& db) : m_db(db), m_generation(db.m_generation)
{
    m_active = m_db.exec(QStringLiteral("savepoint step"));
}

Database::Savepoint::~Savepoint()
{
    if (!m_active || m_generation != m_db.m_generation)
        return;
    // Nested savepoints share the name: each statement acts on the innermost.
    m_db.exec(QStringLiteral("rollback to step"), {});
    m_db.exec(QStringLiteral("release step"), {});
}

bool Database::Savepoint::release()
{
    if (!m_active)
        return false;
    if (m_generation != m_db.m_generation)
        return m_db.fail(QStringLiteral("the database was replaced during the transaction"));
    if (!m_db.exec(QStringLiteral("release step")))
        return false; // still open: the destructor rolls it back
    m_active = false;
    return true;
}
