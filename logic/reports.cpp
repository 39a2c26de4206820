#include "logic/reports.h"

#include "core/database.h"
#include "core/text_ops.h"
#include "logic/parties.h"

using namespace Qt::StringLiterals;

namespace reports {

namespace {

constexpr Qt::Alignment left = Qt::AlignLeft, right = Qt::AlignRight, centre = Qt::AlignHCenter;

QList<TableModel::Column> documentColumns(Side side)
{
    return {{u"Tanggal"_s, 100, left},      {sideInfo(side).partyWord, 150, left},
            {u"Alamat"_s, 150, left},       {u"Kode Trans"_s, 150, centre},
            {u"Jumlah"_s, 100, right},      {u"Dibayar"_s, 100, right},
            {u"Tgl. Akhir"_s, 100, centre}, {u"Jatuh Tempo"_s, 100, centre}};
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
                {{{}, 550, left}, {{}, 100, right}, {{}, 100, right}}};
    case Report::Turnover:
        return {u"FORM12"_s,
                u"Laporan Omzet Penjualan"_s,
                {},
                u"Laporan Omzet Toko"_s,
                false,
                true,
                {{u"Kode Barang"_s, 100, left},
                 {u"Nama Barang"_s, 350, left},
                 {u"Jumlah"_s, 100, right}}};
    case Report::TodaysSales:
        return {u"FORM22"_s,
                u"Laporan Penjualan Hari Ini"_s,
                {},
                u"Laporan Penjualan Hari Ini"_s,
                false,
                true,
                {{u"Kode Barang"_s, 100, left},
                 {u"Nama Barang"_s, 250, left},
                 {u"HPP"_s, 100, right},
                 {u"HargaJual"_s, 100, right},
                 {u"Items"_s, 100, right},
                 {u"Modal"_s, 100, right},
                 {u"Terjual"_s, 100, right},
                 {u"Laba/Rugi"_s, 100, right}}};
    case Report::LowStock:
        return {u"FORM18"_s,
                u"Stock Minimal"_s,
                {},
                u"Stock Minimal Barang"_s,
                false,
                true,
                {{u"Kode Barang"_s, 135, left},
                 {u"Item Barang"_s, 243, left},
                 {u"Stock DB"_s, 79, centre},
                 {u"Satuan"_s, 79, centre}}};
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

Outcome<> fillTurnover(Database& db, const QString& month, TableModel& model)
{
    const bool ok =
        db.fill(model,
                u"select l.KodeBarang, l.NamaBarang, sum(l.Jumlah) from itempenjualan l "
                "join transaksi t on l.Kode=t.Kode where t.Ref='Masuk' and substr(t.Tanggal,1,7)=? "
                "group by l.KodeBarang order by l.KodeBarang"_s,
                {month});
    double total = 0;
    for (int row = 0; row < model.rowCount(); ++row)
        total = text::roundHalfEven(total + text::textToNumber(model.cell(row, 2)));
    model.appendRows({{}, {{}, u"Jumlah "_s, text::numberToText(total)}});
    return db.outcome(ok);
}

Outcome<> fillTodaysSales(Database& db, const QDate& today, TableModel& model)
{
    // Sale lines of a product no longer in the master data have no cost: those cells stay empty.
    return db.outcome(
        db.fill(model,
                u"select l.KodeBarang, l.NamaBarang, b.hpp, l.Harga, sum(l.Qty), sum(l.Qty)*b.hpp, "
                "sum(l.Jumlah), sum(l.Jumlah)-sum(l.Qty)*b.hpp from itempenjualan l "
                "join transaksi t on l.Kode=t.Kode left join barang b on b.kode=l.KodeBarang "
                "where t.Ref='Masuk' and t.Tanggal=? group by l.KodeBarang order by l.KodeBarang"_s,
                {isoDate(today)}));
}

Outcome<QStringList> categories(Database& db)
{
    QStringList found;
    if (!db.query(u"select kategori from barang group by kategori"_s, {},
                  [&](const QStringList& row) { found.append(row.value(0)); }))
        return Failure{};
    return found;
}

Outcome<> fillLowStock(Database& db, const QString& category, const QString& threshold,
                       TableModel& model)
{
    model.clear();
    if (!plainNumber(threshold))
        return Failure{u"Isi dulu angka Stock dibawah."_s};
    // Bound as text, the stock column's numeric affinity reads it as the number typed,
    // however many digits it has.
    return db.outcome(db.fill(model,
                              u"select kode, nama, stock, satuan from barang where kategori=? "
                              "and stock<? order by kode"_s,
                              {category, threshold}));
}

Outcome<> fillDebts(Database& db, Side side, const QDate& today, TableModel& model)
{
    const QString debt = u"t."_s + sideInfo(side).debtColumn;
    return db.outcome(db.fill(model,
                              documentSql(side, u"t.Tunai"_s, {}, debt + u">0 order by t.Kode"_s),
                              documentParams(side, today)));
}

Outcome<> fillDocuments(Database& db, Side side, const QString& from, const QString& to,
                        const QDate& today, Paid paid, TableModel& model)
{
    const QString debt = u"t."_s + sideInfo(side).debtColumn;
    const QString paidSql = paid == Paid::AtCounter ? u"t.Tunai"_s : u"t.Jumlah-"_s + debt;
    QVariantList params = documentParams(side, today);
    params << from << to;
    return db.outcome(
        db.fill(model,
                documentSql(side, paidSql, u" and "_s + debt + u">0"_s,
                            u"t.Tanggal between ?6 and ?7 order by t.Tanggal, t.Kode"_s),
                params));
}

} // namespace reports
