#include "master/products.h"

#include "core/database.h"
#include "core/table_model.h"

namespace products {

void setMasterColumns(TableModel& model)
{
    model.setColumns({{QStringLiteral("Kode"), 100, Qt::AlignLeft},
                      {QStringLiteral("Nama"), 250, Qt::AlignLeft},
                      {QStringLiteral("Kategori"), 100, Qt::AlignLeft},
                      {QStringLiteral("Stock"), 100, Qt::AlignHCenter},
                      {QStringLiteral("Satuan"), 50, Qt::AlignHCenter},
                      {QStringLiteral("HargaPokok"), 100, Qt::AlignRight},
                      {QStringLiteral("HargaJual"), 100, Qt::AlignRight},
                      {QStringLiteral("Diskon"), 100, Qt::AlignRight},
                      {QStringLiteral("Barcode"), 100, Qt::AlignHCenter},
                      {QStringLiteral("Grosir"), 0, Qt::AlignHCenter}});
}

bool loadAll(Database& db, TableModel& model)
{
    return db.fill(model, QStringLiteral("select kode, nama, kategori, stock, satuan, hpp, "
                                         "hargajual, diskon, barcode, FunctSQL FROM barang "
                                         "Order By Kode"));
}

QString priceFromCost(const QString& cost)
{
    bool number = false;
    double c = cost.trimmed().toDouble(&number);
    if (!number)
        c = 0;
    return QString::number(c * 30 / 100 + c, 'g', 16);
}

Outcome<bool> exists(Database& db, const QString& code)
{
    const QString count =
        db.scalar(QStringLiteral("select count(*) from barang where kode=?"), {code});
    if (count.isEmpty())
        return Failure{};
    return count != QStringLiteral("0");
}

Outcome<> add(Database& db, const QStringList& cells)
{
    return stored(
        db.exec(QStringLiteral("insert into barang (kode, jenis, nama, kategori, stock, "
                               "satuan, hpp, hargajual, diskon, barcode, FunctSQL) "
                               "values (?, 'barang', ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                {cells.value(Code), cells.value(Name), cells.value(Category), cells.value(Stock),
                 cells.value(Unit), cells.value(Cost), cells.value(Price), cells.value(Discount),
                 cells.value(Barcode), cells.value(Tiers)}));
}

Outcome<> update(Database& db, const QStringList& cells, bool withTiers)
{
    QVariantList values = {cells.value(Name),     cells.value(Category), cells.value(Stock),
                           cells.value(Unit),     cells.value(Cost),     cells.value(Price),
                           cells.value(Discount), cells.value(Barcode)};
    QString sql = QStringLiteral("update barang set nama=?, kategori=?, stock=?, satuan=?, hpp=?, "
                                 "hargajual=?, diskon=?, barcode=?");
    if (withTiers) {
        sql += QStringLiteral(", FunctSQL=?");
        values.append(cells.value(Tiers));
    }
    values.append(cells.value(Code));
    return stored(db.exec(sql + QStringLiteral(" where kode=?"), values));
}

Outcome<> remove(Database& db, const QString& code)
{
    return stored(db.exec(QStringLiteral("delete from barang where kode=?"), {code}));
}

Outcome<> removeAll(Database& db)
{
    return stored(db.exec(QStringLiteral("delete from barang")));
}

} // namespace products
