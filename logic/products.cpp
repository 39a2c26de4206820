#include "logic/products.h"

#include "core/database.h"
#include "core/shop_upgrade.h"
#include "core/table_model.h"
#include "core/text_ops.h"
#include "core/users.h"
#include "logic/cart.h"
#include "logic/price_tiers.h"

#include <cmath>

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

bool isPlainNumber(QStringView text)
{
    text = text.trimmed();
    qsizetype i = 0;
    const qsizetype size = text.size();
    const auto digits = [&] {
        const qsizetype from = i;
        while (i < size && text[i] >= u'0' && text[i] <= u'9')
            ++i;
        return i - from;
    };
    if (i < size && text[i] == u'-')
        ++i;
    if (digits() == 0)
        return false;
    if (i < size && text[i] == u'.') {
        ++i;
        // "15.000" is fifteen thousand to whoever typed it; the program
        // never writes a trailing zero after the point.
        if (digits() == 0 || text[i - 1] == u'0')
            return false;
    }
    return i == size;
}

QString checkNumbers(QStringList& cells)
{
    static constexpr Column numbers[] = {Stock, Cost, Price, Discount};
    static const QStringList headers = {QStringLiteral("Stock"), QStringLiteral("HargaPokok"),
                                        QStringLiteral("HargaJual"), QStringLiteral("Diskon")};
    for (int i = 0; i < 4; ++i) {
        QString& cell = cells[numbers[i]];
        if (cell.isEmpty())
            continue;
        if (!isPlainNumber(cell))
            return headers[i] + QStringLiteral(" bukan angka: \"") + text::shortened(cell) + u'"';
        const double value = text::textToNumber(cell);
        if (std::fabs(value) > largestLineValue)
            return headers[i] + QStringLiteral(" melebihi ") + text::numberToText(largestLineValue);
        cell = text::numberToText(value);
    }
    return {};
}

QString checkCode(const QString& code)
{
    if (code.trimmed().isEmpty())
        return QStringLiteral("Kode barang kosong");
    if (code.contains(QChar(u'\0')))
        return QStringLiteral("Kode barang memuat karakter NUL");
    return {};
}

namespace {

// Why the tiers `cells` would store are refused, as the "Set Harga" box
// refuses them; empty when they are right or the product has none.
QString checkTiers(const QStringList& cells)
{
    const QString& text = cells.at(Tiers);
    if (!text.contains(u'|'))
        return {};
    const int row = tiers::rowWithoutPrice(tiers::read(text, cells.at(Price)));
    return row < 0 ? QString() : QStringLiteral("Grosir: ") + tiers::noPriceText(row);
}

} // namespace

Outcome<bool> exists(Database& db, const QString& code)
{
    const QString count =
        db.scalar(QStringLiteral("select count(*) from barang where kode=?"), {code});
    if (count.isEmpty())
        return Failure{};
    return count != QStringLiteral("0");
}

Outcome<> add(Database& db, QStringList cells)
{
    cells.resize(ColumnCount);
    if (const QString wrong = checkCode(cells.at(Code)); !wrong.isEmpty())
        return Failure{wrong};
    if (const QString wrong = checkNumbers(cells); !wrong.isEmpty())
        return Failure{wrong};
    if (const QString wrong = checkTiers(cells); !wrong.isEmpty())
        return Failure{wrong};
    return db.outcome(
        db.exec(QStringLiteral("insert into barang (kode, jenis, nama, kategori, stock, "
                               "satuan, hpp, hargajual, diskon, barcode, FunctSQL) "
                               "values (?, 'barang', ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                {cells.value(Code), cells.value(Name), cells.value(Category), cells.value(Stock),
                 cells.value(Unit), cells.value(Cost), cells.value(Price), cells.value(Discount),
                 cells.value(Barcode), cells.value(Tiers)}));
}

Outcome<> update(Database& db, QStringList cells, bool withTiers)
{
    cells.resize(ColumnCount);
    if (const QString wrong = checkNumbers(cells); !wrong.isEmpty())
        return Failure{wrong};
    if (const QString wrong = withTiers ? checkTiers(cells) : QString(); !wrong.isEmpty())
        return Failure{wrong};
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
    return db.outcome(db.exec(sql + QStringLiteral(" where kode=?"), values));
}

Outcome<> remove(Database& db, const QString& code)
{
    return db.outcome(db.exec(QStringLiteral("delete from barang where kode=?"), {code}));
}

Outcome<> removeAll(Database& db, const QString& user)
{
    if (Outcome<> allowed = users::administratorOnly(user); !allowed)
        return allowed;
    // Emptying the search index at once spares its trigger a bookkeeping
    // step per product, which takes a minute on a million products.
    Database::Transaction transaction(db);
    if (shopfile::productSearchReady(db) &&
        (!db.exec(QStringLiteral("insert into barang_cari (barang_cari) values ('delete-all')")) ||
         !db.exec(QStringLiteral("delete from barang_cari_nomor"))))
        return Failure{};
    if (!db.exec(QStringLiteral("delete from barang")))
        return Failure{};
    return db.outcome(transaction.commit());
}

} // namespace products
