#include "logic/shop_copy.h"

#include "core/database.h"
#include "core/file_system.h"
#include "core/shop_tables.h"
#include "core/text_ops.h"
#include "logic/shop_database.h"

#include <QFile>
#include <QFileInfo>

#include <cmath>
#include <numeric>

using namespace Qt::StringLiterals;

namespace shopcopy {

namespace {

// Rows written to the target at a time.
constexpr int batchRows = 5000;

QStringList words(const char* text)
{
    return QString::fromLatin1(text).split(u' ', Qt::SkipEmptyParts);
}

// Quoted, so that "User" keeps its capital on a server.
QStringList quoted(const QStringList& names)
{
    QStringList all;
    for (const QString& name : names)
        all.append(u'"' + name + u'"');
    return all;
}

// The select that reads `table` from `db`: a file's number column gives the
// number its arithmetic reads in a text, a server's is a number already.
QString reading(const Database& db, const shoptables::Table& table)
{
    const QStringList numbers = words(table.numbers);
    QStringList columns;
    for (const QString& column : words(table.columns)) {
        const QString name = u'"' + column + u'"';
        columns.append(
            !db.isServer() && numbers.contains(column)
                ? u"case when typeof(%1) in ('text','blob') then %1+0 else %1 end"_s.arg(name)
                : name);
    }
    const QString order = table.documents ? db.storedOrder() : u"1"_s;
    return u"select "_s + columns.join(u", "_s) + u" from "_s + QString::fromLatin1(table.name) +
           u" order by "_s + order;
}

// Calls `take` with the rows of `table` in batches. A server's rows come
// through a cursor, never all at once.
bool readRows(Database& db, const shoptables::Table& table,
              const std::function<bool(const QList<QStringList>&)>& take)
{
    QList<QStringList> batch;
    if (!db.isServer()) {
        bool ok = true;
        const bool read = db.query(reading(db, table), {}, [&](const QStringList& row) {
            batch.append(row);
            if (ok && batch.size() == batchRows) {
                ok = take(batch);
                batch.clear();
            }
        });
        return read && ok && (batch.isEmpty() || take(batch));
    }
    if (!db.exec(u"declare salinan no scroll cursor for "_s + reading(db, table)))
        return false;
    const QString fetch = u"fetch %1 from salinan"_s.arg(batchRows);
    do {
        const Outcome<QList<QStringList>> rows = db.select(fetch);
        if (!rows)
            return false;
        batch = *rows;
        if (!batch.isEmpty() && !take(batch))
            return false;
    } while (batch.size() == batchRows);
    return db.exec(u"close salinan"_s);
}

// Each table's row count and each number column's sum, in one list.
Outcome<QList<double>> tally(Database& db)
{
    QList<double> figures;
    for (const shoptables::Table& table : shoptables::all) {
        QStringList parts{u"count(*)"_s};
        for (const QString& column : words(table.numbers))
            parts.append(u"coalesce(sum(\"%1\"+0), 0)"_s.arg(column));
        const Outcome<QList<QStringList>> row = db.select(
            u"select "_s + parts.join(u", "_s) + u" from "_s + QString::fromLatin1(table.name));
        if (!row)
            return row.failure();
        for (const QString& value : row->value(0))
            figures.append(text::textToNumber(value));
    }
    return figures;
}

// The row count of each table in a tally, table by table.
QList<double> rowCounts(const QList<double>& tallied)
{
    QList<double> counts;
    qsizetype figure = 0;
    for (const shoptables::Table& table : shoptables::all) {
        counts.append(tallied.value(figure));
        figure += 1 + words(table.numbers).size();
    }
    return counts;
}

bool same(double a, double b)
{
    // Sums of the same doubles added in another order.
    return std::abs(a - b) <= 1e-9 * std::max({1.0, std::abs(a), std::abs(b)});
}

// What a server's number column would not take from a file: texts.
Outcome<QStringList> textsInNumbers(Database& file)
{
    QStringList changed;
    for (const shoptables::Table& table : shoptables::all) {
        for (const QString& column : words(table.numbers)) {
            const Outcome<QString> count =
                file.value(u"select count(*) from %1 where typeof(\"%2\") in ('text','blob')"_s.arg(
                    QString::fromLatin1(table.name), column));
            if (!count)
                return count.failure();
            if (*count != u"0")
                changed.append(u"%1.%2: %3 teks dibaca sebagai angka"_s.arg(
                    QString::fromLatin1(table.name), column, *count));
        }
    }
    return changed;
}

// Ends the read snapshot whatever happens.
class Snapshot final
{
public:
    explicit Snapshot(Database& db) : m_db(db)
    {
        m_open = m_db.exec(m_db.isServer()
                               ? u"begin transaction isolation level repeatable read, read only"_s
                               : u"begin"_s);
    }
    ~Snapshot()
    {
        if (m_open)
            m_db.exec(u"rollback"_s);
    }
    Snapshot(const Snapshot&) = delete;
    Snapshot& operator=(const Snapshot&) = delete;
    bool open() const { return m_open; }

private:
    Database& m_db;
    bool m_open;
};

} // namespace

// Every row of `from` into `to`, inside the caller's transaction and
// snapshot, then the tallies compared with `before`.
Outcome<> copyRows(Database& from, Database& to, const QList<double>& before, qint64 total,
                   const backup::Progress& progress, Copied& copied);

Outcome<Copied> copy(Database& from, Database& to, const backup::Progress& progress)
{
    Snapshot snapshot(from);
    if (!snapshot.open())
        return from.failure();
    const Outcome<QList<double>> before = tally(from);
    if (!before)
        return before.failure();
    const Outcome<QList<double>> target = tally(to);
    if (!target)
        return target.failure();
    const QList<double> present = rowCounts(*target);
    for (qsizetype i = 0; i < present.size(); ++i) {
        if (present.at(i) != 0)
            return Failure{u"Database tujuan sudah berisi data (%1 baris di tabel %2), tidak "
                           "diubah."_s.arg(text::numberToText(present.at(i)),
                                           QString::fromLatin1(shoptables::all[i].name))};
    }
    const QList<double> counts = rowCounts(*before);
    const auto total = qint64(std::accumulate(counts.begin(), counts.end(), 0.0));
    Copied copied;
    if (to.isServer() && !from.isServer()) {
        const Outcome<QStringList> changed = textsInNumbers(from);
        if (!changed)
            return changed.failure();
        copied.changed = *changed;
    }

    Database::Transaction transaction(to);
    if (!transaction.active())
        return to.failure();
    if (Outcome<> rows = copyRows(from, to, *before, total, progress, copied); !rows)
        return rows.failure();
    if (!transaction.commit())
        return to.failure();
    return copied;
}

Outcome<> copyRows(Database& from, Database& to, const QList<double>& before, qint64 total,
                   const backup::Progress& progress, Copied& copied)
{
    for (const shoptables::Table& table : shoptables::all) {
        const QString name = QString::fromLatin1(table.name);
        const QStringList columns = quoted(words(table.columns));
        const bool read = readRows(from, table, [&](const QList<QStringList>& rows) {
            copied.rows += rows.size();
            if (progress)
                progress(copied.rows, total);
            return to.insertRows(name, columns, rows);
        });
        if (!read)
            return to.errorMessage().isEmpty() ? from.failure() : to.failure();
    }
    const Outcome<QList<double>> after = tally(to);
    if (!after)
        return after.failure();
    for (qsizetype i = 0; i < before.size(); ++i) {
        if (!same(before.at(i), after->at(i)))
            return Failure{u"Salinan tidak sama dengan asalnya, tidak disimpan."_s};
    }
    return {};
}

Outcome<Copied> copy(const QString& from, const QString& to, const backup::Progress& progress)
{
    const bool toServer = ServerConnection::isAddress(to);
    if (!toServer && QFileInfo::exists(to))
        return Failure{u"File sudah ada, tidak ditimpa: "_s + to};
    Database source;
    if (!ServerConnection::isAddress(from) && !QFileInfo(from).isFile())
        return Failure{u"File tidak ada: "_s + from};
    if (!source.open(from, Database::Access::ReadOnly))
        return Failure{u"Tidak dapat membuka database: "_s + source.errorMessage()};
    // A new file, or a server database without the shop's tables yet.
    Database target;
    if (toServer && !target.open(to))
        return Failure{u"Tidak dapat membuka database: "_s + target.errorMessage()};
    if (!toServer || target.value(u"select to_regclass('barang') is null"_s).value() == u"1") {
        if (Outcome<> made = shopdb::createTables(to); !made)
            return made.failure();
    }
    if (!target.isOpen() && !target.open(to))
        return Failure{u"Tidak dapat membuka database: "_s + target.errorMessage()};
    Outcome<Copied> copied = copy(source, target, progress);
    if (!copied && !toServer) {
        target.close();
        filesystem::removeDatabaseFiles(to);
    }
    return copied;
}

Outcome<> save(Database& db, const QString& target, const backup::Progress& progress)
{
    if (!db.isServer())
        return backup::save(db, target, progress);
    filesystem::removeLeftovers(QFileInfo(target).absolutePath());
    const QString temporary = filesystem::temporaryName(target);
    Outcome<> saved = shopdb::createTables(temporary);
    if (saved) {
        Database file;
        saved = file.open(temporary) ? Outcome<>() : Outcome<>(file.failure());
        if (saved) {
            const Outcome<Copied> copied = copy(db, file, progress);
            saved = copied ? Outcome<>() : Outcome<>(copied.failure());
        }
    }
    if (saved)
        saved = backup::replaceFile(temporary, target);
    if (!saved)
        filesystem::removeDatabaseFiles(temporary);
    return saved;
}

Outcome<int> otherTills(Database& db)
{
    if (!db.isServer())
        return 0;
    const Outcome<QString> others =
        db.value(u"select count(*) from pg_stat_activity where datname = current_database() and "
                 "pid <> pg_backend_pid() and backend_type = 'client backend'"_s);
    if (!others)
        return others.failure();
    return others->toInt();
}

Outcome<QString> restore(Database& db, const QString& source, const QDateTime& now,
                         const QDir& shopFolder, const backup::Progress& progress)
{
    if (!db.isServer())
        return backup::restore(db, source, now, progress);
    // Another till would go on working with rows that are no longer there.
    const Outcome<int> others = otherTills(db);
    if (!others)
        return others.failure();
    if (*others != 0)
        return Failure{u"Masih ada %1 kasir lain yang terhubung ke server; tutup toko di kasir "
                       "lain dulu."_s.arg(*others)};
    if (Outcome<> checked = backup::checkShopFile(source, progress); !checked)
        return checked.failure();
    const QString safety = shopFolder.filePath(u"sebelum-restore-"_s +
                                               now.toString(u"yyyyMMdd-HHmmss"_s) + u".datatoko"_s);
    if (QFileInfo::exists(safety))
        return Failure{u"Salinan pengaman sudah ada: "_s + safety};
    if (Outcome<> saved = save(db, safety, progress); !saved)
        return Failure{u"salinan pengaman gagal: "_s + saved.reason()};

    Database file;
    if (!file.open(source, Database::Access::ReadOnly))
        return file.failure();
    Snapshot snapshot(file);
    if (!snapshot.open())
        return file.failure();
    const Outcome<QList<double>> before = tally(file);
    if (!before)
        return before.failure();
    const QList<double> counts = rowCounts(*before);
    Database::Transaction transaction(db);
    if (!transaction.active())
        return db.failure();
    for (const shoptables::Table& table : shoptables::all) {
        if (!db.exec(u"delete from "_s + QString::fromLatin1(table.name)))
            return db.failure();
    }
    Copied copied;
    const Outcome<> rows =
        copyRows(file, db, *before, qint64(std::accumulate(counts.begin(), counts.end(), 0.0)),
                 progress, copied);
    if (!rows)
        return rows.failure();
    if (!transaction.commit())
        return db.failure();
    return safety;
}

} // namespace shopcopy
