#include "pos/product_search.h"

#include "core/database.h"
#include "core/table_model.h"

namespace products {

void setSearchColumns(TableModel& model, Side side)
{
    model.setColumns({{QStringLiteral("Kode"), 100, Qt::AlignLeft},
                      {QStringLiteral("Nama"), 220, Qt::AlignLeft},
                      {side == Side::Sales ? QStringLiteral("Harga Jual") : QStringLiteral("HPP"),
                       150, Qt::AlignRight},
                      {QStringLiteral("Stock"), 50, Qt::AlignHCenter}});
}

bool search(Database& db, Side side, const QString& text, TableModel& model)
{
    // LIKE with a leading % reads the whole table: only on Enter, never per keystroke.
    const QString sql =
        side == Side::Sales
            ? QStringLiteral("select kode, nama, HargaJual, stock FROM barang where kode like ?1 "
                             "or barcode like ?1 or nama like ?1 or HargaJual like ?1 LIMIT 0,500")
            : QStringLiteral("select kode, nama, hpp, stock FROM barang where kode like ?1 "
                             "or barcode like ?1 or nama like ?1 or hpp like ?1 LIMIT 0,500");
    return db.fill(model, sql, {QString(u'%' + text + u'%')});
}

bool boughtBy(Database& db, Side side, const QString& partyCode, TableModel& model)
{
    const QString sql =
        side == Side::Sales
            ? QStringLiteral("select KodeBarang, NamaBarang from ItemPenjualan where kodeSP=? "
                             "group by KodeBarang, NamaBarang")
            : QStringLiteral("select KodeBarang, NamaBarang from ItemPembelian where kodeSP=? "
                             "group by KodeBarang, NamaBarang");
    return db.fill(model, sql, {partyCode});
}

} // namespace products
