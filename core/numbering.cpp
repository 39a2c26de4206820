#include "core/numbering.h"

#include "core/database.h"
#include "core/side.h"
#include "core/users.h"

namespace numbering {

namespace {

// The greatest number among the documents and among the lines they leave
// behind (a reset deletes documents, not their lines): a new document must
// never take the code of stored lines. Every part walks an index backwards
// from the top and stops at the first well-formed code: transaksi and
// itemkoreksi by their index on substr(kode,4,14), each line table by its
// index on kode within the range of the one kind its lines belong to.
// A code the sequence counts: two capitals, "-" and 14 digits. Anything else
// ("KM-5", a code typed by hand) is skipped, or it would steer the numbering.
struct LastNumberQuery {
    QString sql;
    QVariantList params;
};

LastNumberQuery transactionsQuery(const Database& db)
{
    LastNumberQuery query{
        QStringLiteral("select max(n) from (select (select substr(Kode,4,14) from transaksi "
                       "where ") +
            db.isDocumentCode(QStringLiteral("Kode")) +
            QStringLiteral(" order by substr(Kode,4,14) desc limit 1) as n"),
        {}};
    for (const Side side : {Side::Sales, Side::Purchase}) {
        const SideInfo& info = sideInfo(side);
        for (const auto& [table, kind] : {std::pair{info.lineTable, info.documentKind},
                                          std::pair{info.returnLineTable, info.returnKind}}) {
            query.sql += QStringLiteral(" union all select (select substr(Kode,4,14) from ") +
                         table +
                         QStringLiteral(" where Kode between ? and ? and length(Kode)=17 and ") +
                         db.isDocumentNumber(QStringLiteral("substr(Kode,4,14)")) +
                         QStringLiteral(" order by Kode desc limit 1)");
            query.params.append(QString(kind + QStringLiteral("-00000000000000")));
            query.params.append(QString(kind + QStringLiteral("-99999999999999")));
        }
    }
    query.sql += QStringLiteral(") as numbers");
    return query;
}

} // namespace

Outcome<qint64> lastNumber(Database& db, Sequence sequence)
{
    const LastNumberQuery query =
        sequence == Sequence::Transactions
            ? transactionsQuery(db)
            : LastNumberQuery{QStringLiteral("select substr(Kode,4,14) from itemkoreksi where ") +
                                  db.isDocumentCode(QStringLiteral("Kode")) +
                                  QStringLiteral(" order by substr(Kode,4,14) desc limit 1"),
                              {}};
    QString last;
    if (!db.query(query.sql, query.params, [&](const QStringList& row) { last = row.value(0); }))
        return db.failure();
    return last.toLongLong();
}

QString numberText(qint64 number)
{
    return QString::number(number).rightJustified(14, u'0');
}

Outcome<QString> nextCode(Database& db, const QString& kind, Sequence sequence)
{
    const Outcome<qint64> last = lastNumber(db, sequence);
    if (!last)
        return last.failure();
    if (*last >= largestNumber)
        return Failure{QStringLiteral("Nomor dokumen sudah habis, transaksi tidak disimpan.")};
    return QString(kind + u'-' + numberText(*last + 1));
}

QString countOfDay(Database& db, const QString& kind, const QString& date)
{
    return db.scalar(
        QStringLiteral("select count(*) from transaksi where substr(kode,1,2)=? and tanggal=?"),
        {kind, date});
}

Outcome<> deleteAllTransactions(Database& db, const QString& user)
{
    if (Outcome<> allowed = users::administratorOnly(user); !allowed)
        return allowed;
    return db.outcome(db.exec(QStringLiteral("delete from transaksi")));
}

} // namespace numbering
