#include "logic/profit_loss.h"

#include "core/database.h"
#include "core/shop_upgrade.h"
#include "core/text_ops.h"

#include <QHash>

using namespace Qt::StringLiterals;

namespace reports {

namespace {

// The documents dated from ?1 to ?2, of the months ?3 to ?4: read by the month
// index, in month order, so each month is summed without sorting the rows.
constexpr auto inRange = u"substr(Tanggal,1,7) between ?3 and ?4 and Tanggal between ?1 and ?2";
constexpr auto monthOf = u"substr(Tanggal,1,7)";

// The running result: rounded after every amount that changes it.
class Result final
{
public:
    void add(double amount) { m_value = text::roundHalfEven(m_value + amount); }
    // Every document's amount, each added (sign 1) or taken away (sign -1).
    void addDocuments(const QList<QStringList>& rows, int sign)
    {
        for (const QStringList& row : rows)
            add(sign * text::textToNumber(row.value(1)));
    }
    double value() const { return m_value; }

private:
    double m_value = 0;
};

void fold(MonthFigures& month)
{
    Result result;
    result.addDocuments(month.income, 1);
    result.addDocuments(month.refunds, 1);
    result.add(month.sales);
    result.add(-month.returns);
    result.add(-month.cost);
    month.net = result.value();
    result.addDocuments(month.expenses, -1);
    month.rest = result.value();
}

} // namespace

Outcome<QList<MonthFigures>> monthFigures(Database& db, const QDate& from, const QDate& to)
{
    const QVariantList range{from.toString(Qt::ISODate), to.toString(Qt::ISODate),
                             from.toString(u"yyyy-MM"), to.toString(u"yyyy-MM")};
    QList<MonthFigures> months;
    QHash<QString, qsizetype> at;
    for (QDate first(from.year(), from.month(), 1); first <= to; first = first.addMonths(1)) {
        at.insert(first.toString(u"yyyy-MM"), months.size());
        MonthFigures month;
        month.month = first.toString(u"yyyy-MM");
        months.append(month);
    }
    const auto monthFor = [&](const QString& month) -> MonthFigures* {
        const auto found = at.constFind(month);
        return found == at.cend() ? nullptr : &months[*found];
    };

    // Other income (KM-), refunds of purchase returns (RB-) and other expenses (KK-), each
    // kind in code order, from one reading of the range.
    const Outcome<QList<QStringList>> listed =
        db.select(u"select "_s + monthOf +
                      u", substr(Kode,1,3), case substr(Kode,1,3) when 'RB-' then Ket "
                      "else Ket||' untuk '||Nota end, Tunai from transaksi "
                      "where substr(Kode,1,3) in ('KM-','RB-','KK-') and "_s +
                      inRange + u" order by Kode"_s,
                  range);
    if (!listed)
        return listed.failure();
    for (const QStringList& row : *listed) {
        if (MonthFigures* month = monthFor(row.value(0))) {
            const QString kind = row.value(1);
            (kind == u"KM-"   ? month->income
             : kind == u"RB-" ? month->refunds
                              : month->expenses)
                .append(row.mid(2));
        }
    }

    // Sales count at their total before the document discount, as sold; with the sales
    // returns from one reading of the range, each summed in the order read.
    const Outcome<QList<QStringList>> totals = db.select(
        u"select "_s + monthOf +
            u", sum(case substr(Kode,1,3) when 'JL-' then Jumlah end), "
            "sum(case substr(Kode,1,3) when 'RJ-' then Jumlah end) from transaksi where "_s +
            inRange + u" group by "_s + monthOf,
        range);
    if (!totals)
        return totals.failure();
    for (const QStringList& row : *totals) {
        if (MonthFigures* month = monthFor(row.value(0))) {
            month->salesText = row.value(1);
            month->sales = text::textToNumber(row.value(1));
            month->returns = text::textToNumber(row.value(2));
        }
    }

    // At today's cost price; lines of a product no longer in the master data
    // cost nothing. A file reads each price from its narrow cost index, and
    // the documents by the month index alone ("+" keeps SQLite's planner off
    // the date index, which would make it scan every line of the shop to
    // group them); a server joins them in one pass.
    const QString tMonth = u"substr(t.Tanggal,1,7)"_s;
    const QString costs =
        db.isServer()
            ? QString(u"select "_s + tMonth +
                      u", sum(l.Qty*b.hpp) from itempenjualan l join transaksi t on l.Kode=t.Kode "
                      "left join barang b on b.kode=l.KodeBarang where "_s +
                      tMonth + u" between ?3 and ?4 and t.Tanggal between ?1 and ?2"_s)
            : QString(u"select "_s + tMonth + u", sum(l.Qty*"_s +
                      shopfile::costOf(db, u"l.KodeBarang"_s) +
                      u") from itempenjualan l join transaksi t on l.Kode=t.Kode where "_s +
                      tMonth + u" between ?3 and ?4 and +t.Tanggal between ?1 and ?2"_s);
    const Outcome<QList<QStringList>> cost = db.select(costs + u" group by "_s + tMonth, range);
    if (!cost)
        return cost.failure();
    for (const QStringList& row : *cost) {
        if (MonthFigures* month = monthFor(row.value(0)))
            month->cost = text::textToNumber(row.value(1));
    }

    for (MonthFigures& month : months)
        fold(month);
    return months;
}

Outcome<Table> profitLoss(Database& db, const QString& month, const QString& monthName)
{
    const QDate first = QDate::fromString(month + u"-01"_s, Qt::ISODate);
    const Outcome<QList<MonthFigures>> found =
        monthFigures(db, first, first.addMonths(1).addDays(-1));
    if (!found)
        return found.failure();
    const MonthFigures& figures = found->value(0);

    Table table{{{{}, Qt::AlignLeft}, {{}, Qt::AlignRight}, {{}, Qt::AlignRight}}, {}};
    const auto line = [&](const QString& text, const QString& amount = {}) {
        table.rows.append({text, amount});
    };
    const auto documents = [&](const QList<QStringList>& rows) {
        for (const QStringList& row : rows)
            line(row.value(0), row.value(1));
    };
    const auto resultLine = [&](const QString& text, double result) {
        table.rows.append({text, {}, text::numberToText(result)});
    };
    const auto taken = [](double amount) -> QString {
        return u'(' + text::numberToText(amount) + u')';
    };

    line(u"LAPORAN LABA RUGI"_s);
    line(u"BULAN : "_s + monthName.toUpper() + u' ' + month.left(4));
    line(u"-"_s);
    line(u"PENERIMAAN"_s);
    line(u"PENDAPATAN SELAIN TOKO : "_s);
    documents(figures.income);
    documents(figures.refunds);
    line(u"PENDAPATAN TOKO"_s);
    line(u"Penjualan"_s, figures.salesText);
    line(u"Retur Jual"_s, taken(figures.returns));
    line(u"Harga Pokok"_s, taken(figures.cost));
    resultLine(u"TOTAL BERSIH"_s, figures.net);
    line(u"-"_s);
    line(u"PENGELUARAN DAN BIAYA RUPA-RUPA:"_s);
    documents(figures.expenses);
    resultLine(u"SISA AKHIR"_s, figures.rest);
    return table;
}

} // namespace reports
