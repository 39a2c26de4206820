#include "logic/products.h"

#include "core/database.h"
#include "core/shop_upgrade.h"
#include "core/text_ops.h"
#include "core/users.h"
#include "logic/cart.h"
#include "logic/price_tiers.h"

#include <cmath>

namespace products {

Product fromRow(const QStringList& row)
{
    return {row.value(Code),    row.value(Name), row.value(Category), row.value(Stock),
            row.value(Unit),    row.value(Cost), row.value(Price),    row.value(Discount),
            row.value(Barcode), row.value(Tiers)};
}

QStringList rowOf(const Product& product)
{
    return {product.code,    product.name,      product.category,   product.stock.text,
            product.unit,    product.cost.text, product.price.text, product.discount.text,
            product.barcode, product.tiers};
}

QList<Table::Column> columns()
{
    return {{QStringLiteral("Kode"), Qt::AlignLeft},
            {QStringLiteral("Nama"), Qt::AlignLeft},
            {QStringLiteral("Kategori"), Qt::AlignLeft},
            {QStringLiteral("Stock"), Qt::AlignHCenter},
            {QStringLiteral("Satuan"), Qt::AlignHCenter},
            {QStringLiteral("HargaPokok"), Qt::AlignRight},
            {QStringLiteral("HargaJual"), Qt::AlignRight},
            {QStringLiteral("Diskon"), Qt::AlignRight},
            {QStringLiteral("Barcode"), Qt::AlignHCenter},
            {QStringLiteral("Grosir"), Qt::AlignHCenter}};
}

Outcome<Table> loadAll(Database& db)
{
    const Outcome<QList<QStringList>> rows =
        db.select(QStringLiteral("select kode, nama, kategori, stock, satuan, hpp, hargajual, "
                                 "diskon, barcode, FunctSQL FROM barang Order By Kode"));
    if (!rows)
        return rows.failure();
    return Table{columns(), *rows};
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

QString checkNumbers(Product& product)
{
    Figure* const numbers[] = {&product.stock, &product.cost, &product.price, &product.discount};
    static const QStringList headers = {QStringLiteral("Stock"), QStringLiteral("HargaPokok"),
                                        QStringLiteral("HargaJual"), QStringLiteral("Diskon")};
    for (int i = 0; i < 4; ++i) {
        Figure& figure = *numbers[i];
        if (figure.text.isEmpty())
            continue;
        if (!isPlainNumber(figure.text))
            return headers[i] + QStringLiteral(" bukan angka: \"") + text::shortened(figure.text) +
                   u'"';
        if (std::fabs(figure.value) > largestLineValue)
            return headers[i] + QStringLiteral(" melebihi ") + text::numberToText(largestLineValue);
        figure = Figure(text::numberToText(figure.value));
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

// Why the tiers `product` would store are refused, as the "Set Harga" box
// refuses them; empty when they are right or the product has none.
QString checkTiers(const Product& product)
{
    if (!product.tiers.contains(u'|'))
        return {};
    const int row = tiers::rowWithoutPrice(tiers::read(product.tiers, product.price.text));
    return row < 0 ? QString() : QStringLiteral("Grosir: ") + tiers::noPriceText(row);
}

} // namespace

Outcome<bool> exists(Database& db, const QString& code)
{
    const Outcome<QString> count =
        db.value(QStringLiteral("select count(*) from barang where kode=?"), {code});
    if (!count)
        return count.failure();
    return *count != QStringLiteral("0");
}

Outcome<> add(Database& db, Product product)
{
    if (const QString wrong = checkCode(product.code); !wrong.isEmpty())
        return Failure{wrong};
    if (const QString wrong = checkNumbers(product); !wrong.isEmpty())
        return Failure{wrong};
    if (const QString wrong = checkTiers(product); !wrong.isEmpty())
        return Failure{wrong};
    return db.outcome(
        db.exec(QStringLiteral("insert into barang (kode, jenis, nama, kategori, stock, "
                               "satuan, hpp, hargajual, diskon, barcode, FunctSQL) "
                               "values (?, 'barang', ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                {product.code, product.name, product.category, product.stock.text, product.unit,
                 product.cost.text, product.price.text, product.discount.text, product.barcode,
                 product.tiers}));
}

Outcome<> update(Database& db, Product product, bool withTiers)
{
    if (const QString wrong = checkNumbers(product); !wrong.isEmpty())
        return Failure{wrong};
    if (const QString wrong = withTiers ? checkTiers(product) : QString(); !wrong.isEmpty())
        return Failure{wrong};
    QVariantList values = {product.name,          product.category,  product.stock.text,
                           product.unit,          product.cost.text, product.price.text,
                           product.discount.text, product.barcode};
    QString sql = QStringLiteral("update barang set nama=?, kategori=?, stock=?, satuan=?, hpp=?, "
                                 "hargajual=?, diskon=?, barcode=?");
    if (withTiers) {
        sql += QStringLiteral(", FunctSQL=?");
        values.append(product.tiers);
    }
    values.append(product.code);
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
        return db.failure();
    if (!db.exec(QStringLiteral("delete from barang")))
        return db.failure();
    return db.outcome(transaction.commit());
}

} // namespace products
