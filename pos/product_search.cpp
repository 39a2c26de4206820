#include "pos/product_search.h"

#include "core/database.h"
#include "core/table_model.h"

namespace products {

void setSearchColumns(TableModel& model, Side side)
{
    model.setColumns({{QStringLiteral("Kode"), 100, Qt::AlignLeft},
                      {QStringLiteral("Nama"), 220, Qt::AlignLeft},
                      {sideInfo(side).priceCaption, 150, Qt::AlignRight},
                      {QStringLiteral("Stock"), 50, Qt::AlignHCenter}});
}

bool search(Database& db, Side side, const QString& text, TableModel& model)
{
    // LIKE with a leading % reads the whole table: only on Enter, never per keystroke.
    const QString& price = sideInfo(side).priceColumn;
    const QString sql = QStringLiteral("select kode, nama, ") + price +
                        QStringLiteral(", stock FROM barang where kode like ?1 or barcode like ?1 "
                                       "or nama like ?1 or ") +
                        price + QStringLiteral(" like ?1 LIMIT 0,500");
    return db.fill(model, sql, {QString(u'%' + text + u'%')});
}

bool searchMaster(Database& db, const QString& text, TableModel& model)
{
    return db.fill(model,
                   QStringLiteral("select kode, nama, kategori, stock, satuan, hpp, hargajual, "
                                  "diskon, barcode, FunctSQL FROM barang where kode like ?1 or "
                                  "barcode like ?1 or kategori like ?1 or nama like ?1 or "
                                  "hargajual like ?1 LIMIT 0,500"),
                   {QString(u'%' + text + u'%')});
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
