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
    const QString sql = QStringLiteral("select KodeBarang, NamaBarang from ") +
                        sideInfo(side).lineTable +
                        QStringLiteral(" where kodeSP=? group by KodeBarang, NamaBarang");
    return db.fill(model, sql, {partyCode});
}

} // namespace products
