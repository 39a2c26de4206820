#include "logic/labels.h"

#include "core/database.h"
#include "core/side.h"
#include "core/text_ops.h"

#include <QSet>

#include <algorithm>
#include <cmath>

namespace labels {

int ean13CheckDigit(QStringView twelve)
{
    // Weights 1 and 3 alternate from the left; the check digit tops the sum up to ten.
    int sum = 0;
    for (qsizetype i = 0; i < twelve.size(); ++i)
        sum += twelve[i].digitValue() * (i % 2 == 0 ? 1 : 3);
    return (10 - sum % 10) % 10;
}

bool scannable(QStringView code)
{
    // The counter's code box takes the ASCII digits, nothing else.
    return !code.isEmpty() &&
           std::all_of(code.begin(), code.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

Symbology symbologyFor(QStringView code)
{
    if (code.size() == 13 && scannable(code) &&
        code[12].digitValue() == ean13CheckDigit(code.first(12)))
        return Symbology::Ean13;
    return Symbology::Code128;
}

namespace {

QString priceText(const QString& stored)
{
    return text::numberToText(text::textToNumber(stored));
}

} // namespace

Outcome<QList<Item>> product(Database& db, const QString& code)
{
    const Outcome<QList<QStringList>> rows =
        db.select(QStringLiteral("select kode, nama, hargajual from barang where kode=?"), {code});
    if (!rows)
        return rows.failure();
    QList<Item> items;
    for (const QStringList& row : *rows)
        items.append({row[0], row[1], priceText(row[2]), 1});
    return items;
}

Outcome<QList<Item>> purchase(Database& db, const QString& document)
{
    QString code = document.trimmed();
    if (code.size() == 14 && scannable(code))
        code = sideInfo(Side::Purchase).documentKind + u'-' + code;
    const Outcome<QList<QStringList>> rows =
        db.select(QStringLiteral("select i.KodeBarang, b.kode, b.nama, b.hargajual, i.Qty from ") +
                      sideInfo(Side::Purchase).lineTable +
                      QStringLiteral(" i left join barang b on b.kode=i.KodeBarang "
                                     "where i.Kode=? order by i.") +
                      db.storedOrder(),
                  {code});
    if (!rows)
        return rows.failure();
    if (rows->isEmpty())
        return Failure{QStringLiteral("Tidak ada pembelian dengan kode ") + code};
    QList<Item> items;
    for (const QStringList& row : *rows) {
        if (row[1].isNull())
            continue;
        // A part of a piece still needs its label.
        const double pieces = std::ceil(text::textToNumber(row[4]));
        const int count = static_cast<int>(std::clamp(pieces, 0.0, double(mostPerItem)));
        items.append({row[1], row[2], priceText(row[3]), count});
    }
    return items;
}

Plan plan(const QList<Item>& items)
{
    Plan result;
    QSet<QString> named;
    for (const Item& item : items) {
        if (!scannable(item.code)) {
            if (!named.contains(item.code)) {
                named.insert(item.code);
                result.refused.append(item.code);
            }
            continue;
        }
        for (int n = 0; n < item.count; ++n)
            result.labels.append({item.code, item.name, item.price, 1});
    }
    return result;
}

Place placeOf(int index, Layout layout, int start)
{
    if (layout == Layout::Roll)
        return {index, 0, 0};
    if (start < 1 || start > perSheet)
        start = 1;
    const int slot = start - 1 + index;
    const int onPage = slot % perSheet;
    return {slot / perSheet, onPage / sheetColumns, onPage % sheetColumns};
}

QString layoutName(Layout layout)
{
    return layout == Layout::Roll ? QStringLiteral("roll") : QStringLiteral("a4");
}

Layout layoutFrom(const QString& name)
{
    return name == u"roll" ? Layout::Roll : Layout::Sheet;
}

} // namespace labels
