#include "core/document_number.h"

#include "core/database.h"
#include "core/text_ops.h"

namespace documents {

std::optional<qint64> lastNumber(Database& db, Sequence sequence)
{
    // Served by the index on substr(kode,4,14): 14-digit texts sort as numbers.
    const QString sql =
        sequence == Sequence::Transactions
            ? QStringLiteral("select substr(kode,4,14) from transaksi "
                             "order by substr(kode,4,14) desc limit 0,1")
            : QStringLiteral("select substr(kode,4,14) from itemkoreksi "
                             "order by substr(kode,4,14) desc limit 0,1");
    QString last;
    if (!db.query(sql, {}, [&](const QStringList& row) { last = row.value(0); }))
        return std::nullopt;
    return static_cast<qint64>(text::roundHalfEven(text::textToNumber(last)));
}

QString numberText(qint64 number)
{
    return QString::number(number).rightJustified(14, u'0');
}

QString countOfDay(Database& db, const QString& kind, const QString& date)
{
    return db.scalar(
        QStringLiteral("select count(*) from transaksi where substr(kode,1,2)=? and tanggal=?"),
        {kind, date});
}

bool deleteAllTransactions(Database& db)
{
    return db.exec(QStringLiteral("delete from transaksi"));
}

} // namespace documents
