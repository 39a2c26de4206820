#include "logic/dashboard.h"

#include "core/database.h"
#include "core/shop_upgrade.h"
#include "core/text_ops.h"
#include "logic/parties.h"

#include <algorithm>
#include <optional>

using namespace Qt::StringLiterals;

namespace dashboard {

namespace {

QString isoDate(const QDate& date)
{
    return date.toString(Qt::ISODate);
}

bool plainNumber(const QString& text)
{
    return !text.isEmpty() &&
           std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// Reads the statements of one summary; the first failure stops the rest.
class Reader final
{
public:
    explicit Reader(Database& db) : m_db(db) {}

    const std::optional<Failure>& failure() const { return m_failure; }

    QList<QStringList> rows(const QString& sql, const QVariantList& params)
    {
        if (m_failure)
            return {};
        Outcome<QList<QStringList>> found = m_db.select(sql, params);
        if (!found) {
            m_failure = found.failure();
            return {};
        }
        return *found;
    }
    QString value(const QString& sql, const QVariantList& params)
    {
        return rows(sql, params).value(0).value(0);
    }
    reports::MonthFigures month(const QDate& from, const QDate& to)
    {
        if (m_failure)
            return {};
        Outcome<QList<reports::MonthFigures>> found = reports::monthFigures(m_db, from, to);
        if (!found) {
            m_failure = found.failure();
            return {};
        }
        return found->value(0);
    }

private:
    Database& m_db;
    std::optional<Failure> m_failure;
};

Day dayOf(Reader& reader, Database& db, const QDate& date)
{
    const QVariantList day{isoDate(date)};
    Day found{date};
    // As today's sales report: the lines of the sales (Ref "Masuk") of the day.
    found.sales = text::textToNumber(
        reader.value(u"select sum(l.Jumlah) from itempenjualan l join transaksi t on "
                     "l.Kode=t.Kode where t.Ref='Masuk' and t.Tanggal=?"_s,
                     day));
    found.count = text::textToInt(reader.value(
        u"select count(*) from transaksi where substr(Kode,1,3)='JL-' and Tanggal=?"_s, day));
    // As the cash book lists the day: every document that brought cash in.
    found.cash = text::textToNumber(reader.value(u"select sum(cash) from (select Ref, "_s +
                                                     shopfile::cashMoved(db) +
                                                     u" as cash from transaksi where Tanggal=?) "
                                                     "as moved where Ref='Masuk' and cash>0"_s,
                                                 day));
    return found;
}

// The documents the debt report lists: its party is in the master data or is
// the walk-in party, and some of it is still open.
Debts debtsOf(Reader& reader, Side side, const QDate& today)
{
    const SideInfo& info = sideInfo(side);
    const QString debt = u"t."_s + info.debtColumn;
    const QStringList row =
        reader
            .rows(u"select count(*), sum("_s + debt +
                      u"), count(case when ?3>t.JatuhTempo then 1 end), sum(case when "
                      "?3>t.JatuhTempo then "_s +
                      debt + u" end) from transaksi t left join "_s + info.partyTable +
                      u" p on p.kode=t.KodeSP where substr(t.Kode,1,3)=?1 and (p.kode is not "
                      "null or t.KodeSP=?2) and "_s +
                      debt + u">0"_s,
                  {QString(info.documentKind + u'-'), parties::walkIn(side).code, isoDate(today)})
            .value(0);
    return {text::textToNumber(row.value(1)), text::textToInt(row.value(0)),
            text::textToNumber(row.value(3)), text::textToInt(row.value(2))};
}

} // namespace

Outcome<QList<Product>> bestSellers(Database& db, const QDate& today)
{
    const Outcome<QList<QStringList>> rows = db.select(
        u"select l.KodeBarang, max(l.NamaBarang), sum(l.Jumlah) from itempenjualan l "
        "join transaksi t on l.Kode=t.Kode where t.Ref='Masuk' and t.Tanggal between ? and ? "
        "group by l.KodeBarang order by sum(l.Jumlah) desc, l.KodeBarang limit 10"_s,
        {isoDate(QDate(today.year(), today.month(), 1)), isoDate(today)});
    if (!rows)
        return rows.failure();
    QList<Product> best;
    for (const QStringList& row : *rows)
        best.append({row.value(0), row.value(1), text::textToNumber(row.value(2))});
    return best;
}

QDate firstOfTwelveMonths(const QDate& today)
{
    return QDate(today.year(), today.month(), 1).addMonths(-11);
}

Outcome<Summary> read(Database& db, const QDate& today, const QString& lowStockBelow)
{
    Reader reader(db);
    Summary summary;
    summary.today = dayOf(reader, db, today);
    summary.weekAgo = dayOf(reader, db, today.addDays(-7));

    // The month to date, and the same days of the month before (to its last
    // day when it is shorter).
    const QDate first(today.year(), today.month(), 1);
    const QDate lastFirst = first.addMonths(-1);
    summary.month = reader.month(first, today);
    summary.lastMonth =
        reader.month(lastFirst, std::min(lastFirst.addDays(today.day() - 1), first.addDays(-1)));

    summary.receivable = debtsOf(reader, Side::Sales, today);
    summary.payable = debtsOf(reader, Side::Purchase, today);

    const QVariantList month{isoDate(first), isoDate(today)};
    summary.dailySales = QList<double>(today.day(), 0.0);
    for (const QStringList& row :
         reader.rows(u"select Tanggal, sum(Jumlah) from transaksi where substr(Kode,1,3)='JL-' "
                     "and Tanggal between ? and ? group by Tanggal order by Tanggal"_s,
                     month)) {
        const int day = QDate::fromString(row.value(0), Qt::ISODate).day();
        if (day >= 1 && day <= summary.dailySales.size())
            summary.dailySales[day - 1] = text::textToNumber(row.value(1));
    }

    // As the minimum stock report compares, over every category.
    if (plainNumber(lowStockBelow)) {
        summary.lowStockBelow = lowStockBelow;
        summary.lowStock = text::textToInt(
            reader.value(u"select count(*) from barang where stock<?"_s, {lowStockBelow}));
    }

    if (reader.failure())
        return *reader.failure();
    return summary;
}

QList<MonthPoint> pointsOf(const QList<reports::MonthFigures>& months)
{
    QList<MonthPoint> points;
    for (const reports::MonthFigures& month : months)
        points.append({month.month, month.sales, month.net});
    return points;
}

} // namespace dashboard
