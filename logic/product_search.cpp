#include "logic/product_search.h"

#include "core/database.h"
#include "core/shop_upgrade.h"
#include "core/table_model.h"

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

bool run(Database& db, const Search& search, const QString& text, TableModel& model)
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
            QStringLiteral(" and (") + prefixed(search.searched, QStringLiteral(" like ?1 or ")) +
            QStringLiteral(" like ?1) order by f.") + Database::storedOrder() +
            QStringLiteral(" LIMIT 500");
        if (db.fill(model, sql, {pattern, query}))
            return true;
    }
    // LIKE with a leading % reads the whole table: only on Enter, never per keystroke.
    const QString sql = QStringLiteral("select ") + search.shown.join(QStringLiteral(", ")) +
                        QStringLiteral(" FROM barang where ") +
                        search.searched.join(QStringLiteral(" like ?1 or ")) +
                        QStringLiteral(" like ?1 LIMIT 500");
    return db.fill(model, sql, {pattern});
}

} // namespace

void setSearchColumns(TableModel& model, Side side)
{
    model.setColumns({{QStringLiteral("Kode"), 100, Qt::AlignLeft},
                      {QStringLiteral("Nama"), 220, Qt::AlignLeft},
                      {sideInfo(side).priceCaption, 150, Qt::AlignRight},
                      {QStringLiteral("Stock"), 50, Qt::AlignHCenter}});
}

bool search(Database& db, Side side, const QString& text, TableModel& model)
{
    const QString& price = sideInfo(side).priceColumn;
    const Search search{
        {QStringLiteral("kode"), QStringLiteral("nama"), price, QStringLiteral("stock")},
        {QStringLiteral("kode"), QStringLiteral("barcode"), QStringLiteral("nama"), price}};
    return run(db, search, text, model);
}

bool searchMaster(Database& db, const QString& text, TableModel& model)
{
    static const Search search{
        {QStringLiteral("kode"), QStringLiteral("nama"), QStringLiteral("kategori"),
         QStringLiteral("stock"), QStringLiteral("satuan"), QStringLiteral("hpp"),
         QStringLiteral("hargajual"), QStringLiteral("diskon"), QStringLiteral("barcode"),
         QStringLiteral("FunctSQL")},
        {QStringLiteral("kode"), QStringLiteral("barcode"), QStringLiteral("kategori"),
         QStringLiteral("nama"), QStringLiteral("hargajual")}};
    return run(db, search, text, model);
}

bool boughtBy(Database& db, Side side, const QString& partyCode, TableModel& model)
{
    constexpr int batch = 5000;
    model.clear();
    int added = batch;
    while (added == batch)
        added = boughtByNext(db, side, partyCode, model, batch);
    return added >= 0;
}

int boughtByNext(Database& db, Side side, const QString& partyCode, TableModel& model, int count)
{
    const QString& table = sideInfo(side).lineTable;
    const int last = model.rowCount() - 1;
    QList<QStringList> rows;
    const auto append = [&](const QStringList& row) { rows.append(row); };
    bool ok = false;
    if (last < 0) {
        ok = db.query(QStringLiteral("select KodeBarang, NamaBarang from ") + table +
                          QStringLiteral(" where kodeSP=? group by KodeBarang, NamaBarang "
                                         "limit ?"),
                      {partyCode, count}, append);
    } else {
        // Walks on from the last product listed: its code again for its
        // other names, then the codes after it.
        ok = db.query(QStringLiteral("select KodeBarang, NamaBarang from ") + table +
                          QStringLiteral(" where kodeSP=?1 and KodeBarang>=?2 and "
                                         "(KodeBarang>?2 or NamaBarang>?3) "
                                         "group by KodeBarang, NamaBarang limit ?4"),
                      {partyCode, model.cell(last, 0), model.cell(last, 1), count}, append);
    }
    if (!ok)
        return -1;
    model.appendRows(rows);
    return int(rows.size());
}

} // namespace products
