#include "logic/product_search.h"

#include "core/database.h"
#include "core/shop_upgrade.h"

#include <QRegularExpression>

namespace products {

namespace {

// What a product search shows and where it looks.
struct Search {
    QStringList shown;
    QStringList searched; // always with kode and barcode: the index keeps a barcode
                          // equal to its code in the code column only
};

// The search index's question for `text`: every piece between the wildcards
// of LIKE must occur in one of the searched columns. Empty when the index
// cannot narrow it down.
QString indexQuery(const QString& text, const QStringList& columns)
{
    static const QRegularExpression wildcards(QStringLiteral("[%_]"));
    return Database::textIndexQuestion(text.split(wildcards), columns);
}

QString prefixed(const QStringList& columns, const QString& separator)
{
    return QStringLiteral("b.") + columns.join(separator + QStringLiteral("b."));
}

// Rows where one of `columns` holds the pattern ?1.
QString holding(const Database& db, const QStringList& columns, const QString& prefix = {})
{
    QStringList conditions;
    for (const QString& column : columns) {
        // The prices are the numbers a product search reads as text.
        const bool price = column.compare(u"hargajual", Qt::CaseInsensitive) == 0 ||
                           column.compare(u"hpp", Qt::CaseInsensitive) == 0;
        conditions.append(db.like(prefix + column, QStringLiteral("?1"),
                                  price ? Database::Holds::Number : Database::Holds::Text));
    }
    return conditions.join(QStringLiteral(" or "));
}

Outcome<QList<QStringList>> run(Database& db, const Search& search, const QString& text)
{
    const QString pattern = u'%' + text + u'%';
    const QString query = indexQuery(text, search.searched);
    // The index gives the candidates in code order, the table's own; LIKE
    // still decides, so the rows are those the table scan below would give.
    if (!query.isEmpty() && shopfile::productSearchReady(db)) {
        const QString sql =
            QStringLiteral("select ") + prefixed(search.shown, QStringLiteral(", ")) +
            QStringLiteral(" FROM barang_cari f join barang_cari_nomor n on n.id = f.rowid "
                           "join barang b on b.kode = n.kode where ") +
            Database::textIndexMatches(QStringLiteral("barang_cari"), QStringLiteral("?2")) +
            QStringLiteral(" and (") + holding(db, search.searched, QStringLiteral("b.")) +
            QStringLiteral(") order by f.rowid LIMIT 500");
        if (Outcome<QList<QStringList>> rows = db.select(sql, {pattern, query}))
            return rows;
    }
    // LIKE with a leading % reads the whole table: only on Enter, never per
    // keystroke. In code order, the table's own, as the index gives it above.
    const QString select = QStringLiteral("select ") + search.shown.join(QStringLiteral(", ")) +
                           QStringLiteral(" FROM %1 where ") + holding(db, search.searched) +
                           QStringLiteral(" order by kode LIMIT 500");
    if (db.isServer()) {
        // A server's text indexes give every product holding a common word
        // before the first 500 by code are kept. When the first products by
        // code already hold 500, those are the list.
        Outcome<QList<QStringList>> first = db.select(
            select.arg(QStringLiteral("(select * from barang order by kode limit 20000) as b")),
            {pattern});
        if (!first || first->size() == 500)
            return first;
    }
    return db.select(select.arg(QStringLiteral("barang")), {pattern});
}

} // namespace

QList<Table::Column> searchColumns(Side side)
{
    return {{QStringLiteral("Kode"), Qt::AlignLeft},
            {QStringLiteral("Nama"), Qt::AlignLeft},
            {sideInfo(side).priceCaption, Qt::AlignRight},
            {QStringLiteral("Stock"), Qt::AlignHCenter}};
}

Outcome<QList<QStringList>> search(Database& db, Side side, const QString& text)
{
    const QString& price = sideInfo(side).priceColumn;
    const Search search{
        {QStringLiteral("kode"), QStringLiteral("nama"), price, QStringLiteral("stock")},
        {QStringLiteral("kode"), QStringLiteral("barcode"), QStringLiteral("nama"), price}};
    return run(db, search, text);
}

Outcome<QList<QStringList>> searchMaster(Database& db, const QString& text)
{
    static const Search search{
        {QStringLiteral("kode"), QStringLiteral("nama"), QStringLiteral("kategori"),
         QStringLiteral("stock"), QStringLiteral("satuan"), QStringLiteral("hpp"),
         QStringLiteral("hargajual"), QStringLiteral("diskon"), QStringLiteral("barcode"),
         QStringLiteral("FunctSQL")},
        {QStringLiteral("kode"), QStringLiteral("barcode"), QStringLiteral("kategori"),
         QStringLiteral("nama"), QStringLiteral("hargajual")}};
    return run(db, search, text);
}

Outcome<QList<QStringList>> boughtByNext(Database& db, Side side, const QString& partyCode,
                                         const QStringList& last, int count)
{
    const QString& table = sideInfo(side).lineTable;
    if (last.isEmpty()) {
        return db.select(QStringLiteral("select KodeBarang, NamaBarang from ") + table +
                             QStringLiteral(" where kodeSP=? group by KodeBarang, NamaBarang "
                                            "order by KodeBarang, NamaBarang limit ?"),
                         {partyCode, count});
    }
    // Walks on from the last product listed: its code again for its other
    // names, then the codes after it.
    return db.select(QStringLiteral("select KodeBarang, NamaBarang from ") + table +
                         QStringLiteral(" where kodeSP=?1 and KodeBarang>=?2 and "
                                        "(KodeBarang>?2 or NamaBarang>?3) "
                                        "group by KodeBarang, NamaBarang "
                                        "order by KodeBarang, NamaBarang limit ?4"),
                     {partyCode, last.value(0), last.value(1), count});
}

} // namespace products
