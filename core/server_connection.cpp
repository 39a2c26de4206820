#include "core/server_connection.h"

#include "core/text_ops.h"

#include <QUrl>

#include <libpq-fe.h>

namespace {

// Type numbers of the server's catalogue that the program reads or binds.
constexpr Oid boolType = 16;
constexpr Oid realType = 700;
constexpr Oid doubleType = 701;
constexpr Oid numericType = 1700;

bool isNumber(Oid type)
{
    return type == realType || type == doubleType || type == numericType;
}

// libpq's message without its trailing newline; its first line says what failed.
QString messageOf(const char* text)
{
    return QString::fromUtf8(text).trimmed();
}

// What the server says of a failed statement: its primary message, without
// the position and hints made for a terminal.
QString failureOf(const PGresult* result, pg_conn* connection)
{
    const char* primary = result ? PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY) : nullptr;
    if (primary)
        return QString::fromUtf8(primary);
    return messageOf(PQerrorMessage(connection)).section(u'\n', 0, 0);
}

QString cellText(const PGresult* result, int row, int column)
{
    if (PQgetisnull(result, row, column))
        return {};
    const char* text = PQgetvalue(result, row, column);
    const Oid type = PQftype(result, column);
    if (isNumber(type))
        return text::numberToText(std::strtod(text, nullptr));
    if (type == boolType)
        return text[0] == 't' ? QStringLiteral("1") : QStringLiteral("0");
    return QString::fromUtf8(text, PQgetlength(result, row, column));
}

// A value as the text the server reads; a null QByteArray is NULL.
QByteArray parameterText(const QVariant& value, Oid type)
{
    switch (value.typeId()) {
    case QMetaType::UnknownType:
    case QMetaType::Nullptr:
        return {};
    case QMetaType::Bool:
        return value.toBool() ? QByteArrayLiteral("1") : QByteArrayLiteral("0");
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return QByteArray::number(value.toLongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return QByteArray::number(value.toDouble(), 'g', 17);
    default:
        break;
    }
    if (value.isNull())
        return {};
    const QString text = value.toString();
    // A number column holds no text: an amount left empty is no amount.
    if (isNumber(type) && text.trimmed().isEmpty())
        return {};
    QByteArray utf8 = text.toUtf8();
    if (utf8.isNull())
        utf8 = QByteArray("", 0);
    return utf8;
}

struct ResultFree {
    void operator()(PGresult* result) const { PQclear(result); }
};
using Result = std::unique_ptr<PGresult, ResultFree>;

bool succeeded(const PGresult* result)
{
    const ExecStatusType status = PQresultStatus(result);
    return status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK;
}

} // namespace

ServerConnection::ServerConnection(pg_conn* connection) : m_connection(connection) {}

ServerConnection::~ServerConnection()
{
    PQfinish(m_connection);
}

bool ServerConnection::isAddress(const QString& text)
{
    return text.startsWith(QStringLiteral("postgresql://")) ||
           text.startsWith(QStringLiteral("postgres://"));
}

QString ServerConnection::shown(const QString& address)
{
    return QUrl(address).toString(QUrl::RemovePassword);
}

std::unique_ptr<ServerConnection> ServerConnection::connect(const QString& address, QString& error)
{
    const QByteArray uri = address.toUtf8();
    // Defaults first: what the address itself sets wins.
    const char* keys[] = {"connect_timeout",  "keepalives",
                          "keepalives_idle",  "keepalives_interval",
                          "keepalives_count", "tcp_user_timeout",
                          "application_name", "client_encoding",
                          "dbname",           nullptr};
    const char* values[] = {"5",    "1", "10", "5", "3", "15000", "toko", "UTF8", uri.constData(),
                            nullptr};
    pg_conn* raw = PQconnectdbParams(keys, values, 1);
    if (PQstatus(raw) != CONNECTION_OK) {
        const char* host = PQhost(raw);
        const char* database = PQdb(raw);
        error = QStringLiteral("server %1, database %2: %3")
                    .arg(QString::fromUtf8(host && *host ? host : "localhost"),
                         QString::fromUtf8(database ? database : ""),
                         messageOf(PQerrorMessage(raw)).section(u'\n', 0, 0));
        PQfinish(raw);
        return nullptr;
    }
    auto connection = std::unique_ptr<ServerConnection>(new ServerConnection(raw));
    connection->settle();
    return connection;
}

void ServerConnection::settle()
{
    // The server's notices ("already exists, skipping") are no failures and
    // no business of the screen.
    PQsetNoticeProcessor(
        m_connection, [](void*, const char*) {}, nullptr);
    // Numbers read the same on every server: every digit of a double. The
    // shop's statements are short: compiling them to machine code (JIT)
    // costs more than it saves.
    PQclear(PQexec(m_connection, "set extra_float_digits = 1; set jit = off"));
}

bool ServerConnection::reconnect(QString& error)
{
    if (PQstatus(m_connection) == CONNECTION_OK)
        return true;
    // Prepared statements die with the old connection.
    m_statements.clear();
    PQreset(m_connection);
    if (PQstatus(m_connection) != CONNECTION_OK) {
        error = QStringLiteral("koneksi ke server terputus: ") +
                messageOf(PQerrorMessage(m_connection)).section(u'\n', 0, 0);
        return false;
    }
    settle();
    return true;
}

bool ServerConnection::inTransaction() const
{
    const PGTransactionStatusType status = PQtransactionStatus(m_connection);
    return status == PQTRANS_INTRANS || status == PQTRANS_INERROR || status == PQTRANS_ACTIVE;
}

QString ServerConnection::numbered(const QString& sql)
{
    QString out;
    out.reserve(sql.size() + 8);
    int next = 0;
    QChar quote;
    for (qsizetype i = 0; i < sql.size(); ++i) {
        const QChar c = sql.at(i);
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            out.append(c);
            continue;
        }
        if (c == u'\'' || c == u'"') {
            quote = c;
            out.append(c);
            continue;
        }
        if (c != u'?') {
            out.append(c);
            continue;
        }
        qsizetype end = i + 1;
        while (end < sql.size() && sql.at(end).isDigit())
            ++end;
        const int number = end > i + 1 ? sql.mid(i + 1, end - i - 1).toInt() : next + 1;
        next = std::max(next, number);
        out.append(u'$' + QString::number(number));
        i = end - 1;
    }
    return out;
}

bool ServerConnection::run(const QString& sql, const QVariantList& params,
                           const RowHandler* handler, int maxRows, QString& error)
{
    const bool inside = inTransaction();
    if (runOnce(sql, params, handler, maxRows, error))
        return true;
    if (PQstatus(m_connection) == CONNECTION_OK)
        return false;
    // The server went away (restarted, switched off, the cable out). What
    // began a transaction or only read had no effect: once the connection
    // is made again it runs as if nothing happened. A transaction under way
    // is lost whole; its save reports this and can be made again.
    const bool harmless = !inside && (sql.startsWith(QStringLiteral("begin")) ||
                                      sql.startsWith(QStringLiteral("select")));
    if (harmless && reconnect(error))
        return runOnce(sql, params, handler, maxRows, error);
    error = QStringLiteral("koneksi ke server terputus: ") + error;
    return false;
}

bool ServerConnection::runOnce(const QString& sql, const QVariantList& params,
                               const RowHandler* handler, int maxRows, QString& error)
{
    if (!inTransaction() && !reconnect(error))
        return false;
    auto found = m_statements.find(sql);
    if (found == m_statements.end()) {
        Prepared prepared{"s" + QByteArray::number(m_statements.size() + 1), {}};
        const QByteArray text = numbered(sql).toUtf8();
        Result made(
            PQprepare(m_connection, prepared.name.constData(), text.constData(), 0, nullptr));
        if (!succeeded(made.get())) {
            error = failureOf(made.get(), m_connection);
            return false;
        }
        Result described(PQdescribePrepared(m_connection, prepared.name.constData()));
        if (!succeeded(described.get())) {
            error = failureOf(described.get(), m_connection);
            return false;
        }
        for (int i = 0; i < PQnparams(described.get()); ++i)
            prepared.parameterTypes.append(PQparamtype(described.get(), i));
        found = m_statements.emplace(sql, std::move(prepared)).first;
    }
    const Prepared& prepared = found->second;
    if (prepared.parameterTypes.size() != params.size()) {
        error = QStringLiteral("%1 values given for %2 parameters in: %3")
                    .arg(params.size())
                    .arg(prepared.parameterTypes.size())
                    .arg(sql);
        return false;
    }
    QList<QByteArray> texts;
    std::vector<const char*> values;
    texts.reserve(params.size());
    for (int i = 0; i < params.size(); ++i)
        texts.append(parameterText(params.at(i), prepared.parameterTypes.at(i)));
    for (const QByteArray& text : texts)
        values.push_back(text.isNull() ? nullptr : text.constData());
    Result result(PQexecPrepared(m_connection, prepared.name.constData(),
                                 static_cast<int>(values.size()), values.data(), nullptr, nullptr,
                                 0));
    if (!succeeded(result.get())) {
        error = failureOf(result.get(), m_connection);
        return false;
    }
    m_changes = QByteArray(PQcmdTuples(result.get())).toInt();
    if (!handler || !*handler)
        return true;
    const int columns = PQnfields(result.get());
    const int rows =
        maxRows < 0 ? PQntuples(result.get()) : std::min(maxRows, PQntuples(result.get()));
    for (int r = 0; r < rows; ++r) {
        QStringList row;
        row.reserve(columns);
        for (int c = 0; c < columns; ++c)
            row.append(cellText(result.get(), r, c));
        (*handler)(row);
    }
    return true;
}

bool ServerConnection::execScript(const QString& sql, QString& error)
{
    if (!inTransaction() && !reconnect(error))
        return false;
    Result result(PQexec(m_connection, sql.toUtf8().constData()));
    if (!succeeded(result.get())) {
        error = failureOf(result.get(), m_connection);
        return false;
    }
    return true;
}

bool ServerConnection::copyIn(const QString& table, const QStringList& columns,
                              const QList<QStringList>& rows, QString& error)
{
    // COPY's text form: tab between values, \N for NULL, and a backslash,
    // tab, newline or carriage return inside a value escaped.
    QByteArray data;
    for (const QStringList& row : rows) {
        for (qsizetype c = 0; c < row.size(); ++c) {
            if (c > 0)
                data.append('\t');
            if (row.at(c).isNull()) {
                data.append("\\N");
                continue;
            }
            for (const char byte : row.at(c).toUtf8()) {
                switch (byte) {
                case '\\':
                    data.append("\\\\");
                    break;
                case '\t':
                    data.append("\\t");
                    break;
                case '\n':
                    data.append("\\n");
                    break;
                case '\r':
                    data.append("\\r");
                    break;
                default:
                    data.append(byte);
                }
            }
        }
        data.append('\n');
    }
    // Only the fixed names of the shop's tables reach this statement.
    const QByteArray statement =
        "copy " + table.toUtf8() + " (" + columns.join(u", ").toUtf8() + ") from stdin";
    Result started(PQexec(m_connection, statement.constData()));
    if (PQresultStatus(started.get()) != PGRES_COPY_IN) {
        error = failureOf(started.get(), m_connection);
        return false;
    }
    const bool sent =
        PQputCopyData(m_connection, data.constData(), static_cast<int>(data.size())) == 1;
    PQputCopyEnd(m_connection, sent ? nullptr : "copy cut short");
    Result finished(PQgetResult(m_connection));
    const bool ok = succeeded(finished.get());
    if (!ok)
        error = failureOf(finished.get(), m_connection);
    while (PGresult* rest = PQgetResult(m_connection))
        PQclear(rest);
    return ok;
}

QStringList ServerConnection::cachedStatements() const
{
    QStringList texts;
    for (const auto& [sql, prepared] : m_statements)
        texts.append(sql);
    return texts;
}
