#include "logic/reports.h"

#include "core/database.h"
#include "core/text_ops.h"
#include "logic/parties.h"

using namespace Qt::StringLiterals;

namespace reports {

namespace {

constexpr Qt::Alignment left = Qt::AlignLeft, right = Qt::AlignRight, centre = Qt::AlignHCenter;

QList<Table::Column> documentColumns(Side side)
{
    return {{u"Tanggal"_s, left},      {sideInfo(side).partyWord, left},
            {u"Alamat"_s, left},       {u"Kode Trans"_s, centre},
            {u"Jumlah"_s, right},      {u"Dibayar"_s, right},
            {u"Tgl. Akhir"_s, centre}, {u"Jatuh Tempo"_s, centre}};
}

// The rows of `sql` under the columns of `report`.
Outcome<Table> listed(Database& db, Report report, Side side, const QString& sql,
                      const QVariantList& params)
{
    Outcome<QList<QStringList>> rows = db.select(sql, params);
    if (!rows)
        return rows.failure();
    return Table{describe(report, side).columns, *rows};
}

QString isoDate(const QDate& date)
{
    return date.toString(u"yyyy-MM-dd");
}

// The documents of one side with their party: the walk-in party is no row of
// the master data, so its documents get its name and address here.
// Parameters: ?1 the document kind ("JL-"), ?2 the walk-in code, ?3 its name,
// ?4 its address, ?5 today.
QString documentSql(Side side, const QString& paid, const QString& overdue, const QString& where)
{
    const SideInfo& info = sideInfo(side);
    return u"select t.Tanggal, case when p.kode is null then ?3 else p.Nama end, "
           "case when p.kode is null then ?4 else p.Alamat end, t.Kode, t.Jumlah-t.Potongan, "_s +
           paid + u", t.JatuhTempo, case when ?5>t.JatuhTempo"_s + overdue +
           u" then 'Ya' else 'Tidak' end from transaksi t left join "_s + info.partyTable +
           u" p on p.kode=t.KodeSP where substr(t.Kode,1,3)=?1 and (p.kode is not null or "
           "t.KodeSP=?2) and "_s +
           where;
}

QVariantList documentParams(Side side, const QDate& today)
{
    const Party walkIn = parties::walkIn(side);
    return {QString(sideInfo(side).documentKind + u'-'), walkIn.code, walkIn.name, walkIn.address,
            isoDate(today)};
}

bool plainNumber(const QString& text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

} // namespace

Description describe(Report report, Side side)
{
    const SideInfo& info = sideInfo(side);
    switch (report) {
    case Report::ProfitLoss:
        return {u"FORM14"_s,
                u"Laporan Laba Rugi"_s,
                {},
                u"Laporan Laba Rugi Toko"_s,
                false,
                false,
                {{{}, left}, {{}, right}, {{}, right}}};
    case Report::Turnover:
        return {u"FORM12"_s,
                u"Laporan Omzet Penjualan"_s,
                {},
                u"Laporan Omzet Toko"_s,
                false,
                true,
                {{u"Kode Barang"_s, left}, {u"Nama Barang"_s, left}, {u"Jumlah"_s, right}}};
    case Report::TodaysSales:
        return {u"FORM22"_s,
                u"Laporan Penjualan Hari Ini"_s,
                {},
                u"Laporan Penjualan Hari Ini"_s,
                false,
                true,
                {{u"Kode Barang"_s, left},
                 {u"Nama Barang"_s, left},
                 {u"HPP"_s, right},
                 {u"HargaJual"_s, right},
                 {u"Items"_s, right},
                 {u"Modal"_s, right},
                 {u"Terjual"_s, right},
                 {u"Laba/Rugi"_s, right}}};
    case Report::LowStock:
        return {u"FORM18"_s,
                u"Stock Minimal"_s,
                {},
                u"Stock Minimal Barang"_s,
                false,
                true,
                {{u"Kode Barang"_s, left},
                 {u"Item Barang"_s, left},
                 {u"Stock DB"_s, centre},
                 {u"Satuan"_s, centre}}};
    case Report::Debts:
        return {u"FORM17"_s, u"Laporan"_s, info.debtReportHeading, info.debtListTitle,
                true,        true,         documentColumns(side)};
    case Report::Documents:
        // Captioned by its heading: a purchase list captioned "Penjualan" would mislead.
        return {u"FORM8"_s,
                info.documentListTitle,
                info.documentListTitle,
                info.documentListTitle,
                true,
                true,
                documentColumns(side)};
    }
    return {};
}

Outcome<Table> turnover(Database& db, const QString& month)
{
    Outcome<Table> found =
        listed(db, Report::Turnover, Side::Sales,
               u"select l.KodeBarang, max(l.NamaBarang), sum(l.Jumlah) from itempenjualan l "
               "join transaksi t on l.Kode=t.Kode where t.Ref='Masuk' and substr(t.Tanggal,1,7)=? "
               "group by l.KodeBarang order by l.KodeBarang"_s,
               {month});
    if (!found)
        return found;
    Table table = *found;
    double total = 0;
    for (const QStringList& row : std::as_const(table.rows))
        total = text::roundHalfEven(total + text::textToNumber(row.value(2)));
    table.rows.append({{}, {{}, u"Jumlah "_s, text::numberToText(total)}});
    return table;
}

Outcome<Table> todaysSales(Database& db, const QDate& today)
{
    // Sale lines of a product no longer in the master data have no cost: those cells stay empty.
    return listed(
        db, Report::TodaysSales, Side::Sales,
        u"select l.KodeBarang, max(l.NamaBarang), max(b.hpp), max(l.Harga), sum(l.Qty), "
        "sum(l.Qty)*max(b.hpp), sum(l.Jumlah), sum(l.Jumlah)-sum(l.Qty)*max(b.hpp) "
        "from itempenjualan l "
        "join transaksi t on l.Kode=t.Kode left join barang b on b.kode=l.KodeBarang "
        "where t.Ref='Masuk' and t.Tanggal=? group by l.KodeBarang order by l.KodeBarang"_s,
        {isoDate(today)});
}

Outcome<QStringList> categories(Database& db)
{
    const Outcome<QList<QStringList>> rows =
        db.select(u"select kategori from barang group by kategori order by kategori"_s);
    if (!rows)
        return rows.failure();
    QStringList found;
    for (const QStringList& row : *rows)
        found.append(row.value(0));
    return found;
}

Outcome<Table> lowStock(Database& db, const QString& category, const QString& threshold)
{
    if (!plainNumber(threshold))
        return Failure{u"Isi dulu angka Stock dibawah."_s};
    // Bound as text, the stock column's numeric affinity reads it as the number typed,
    // however many digits it has.
    return listed(db, Report::LowStock, Side::Sales,
                  u"select kode, nama, stock, satuan from barang where kategori=? "
                  "and stock<? order by kode"_s,
                  {category, threshold});
}

Outcome<Table> debts(Database& db, Side side, const QDate& today)
{
    const QString debt = u"t."_s + sideInfo(side).debtColumn;
    return listed(db, Report::Debts, side,
                  documentSql(side, u"t.Tunai"_s, {}, debt + u">0 order by t.Kode"_s),
                  documentParams(side, today));
}

Outcome<Table> documents(Database& db, Side side, const QString& from, const QString& to,
                         const QDate& today, Paid paid)
{
    const QString debt = u"t."_s + sideInfo(side).debtColumn;
    const QString paidSql = paid == Paid::AtCounter ? u"t.Tunai"_s : u"t.Jumlah-"_s + debt;
    QVariantList params = documentParams(side, today);
    params << from << to;
    return listed(db, Report::Documents, side,
                  documentSql(side, paidSql, u" and "_s + debt + u">0"_s,
                              u"t.Tanggal between ?6 and ?7 order by t.Tanggal, t.Kode"_s),
                  params);
}

} // namespace reports
