#include "documents/profit_loss.h"

#include "core/database.h"
#include "core/table_model.h"
#include "core/text_ops.h"

using namespace Qt::StringLiterals;

namespace reports {

namespace {

// The month's first day is ?1; its last is SQLite's, so February ends on the 28th or 29th.
constexpr auto inMonth = u"Tanggal between ?1 and date(?1,'start of month','+1 month','-1 day')";

// The statement as it is written: its lines, the running result, and whether
// every figure could be read.
class Statement final
{
public:
    Statement(Database& db, const QString& firstDay, TableModel& model)
        : m_db(db), m_firstDay(firstDay), m_model(model)
    {
    }

    bool ok() const { return m_ok; }

    void line(const QString& text, const QString& amount = {})
    {
        m_model.appendRow({text, amount});
    }
    void resultLine(const QString& text)
    {
        m_model.appendRow({text, {}, text::numberToText(m_result)});
    }
    void add(double amount) { m_result = text::roundHalfEven(m_result + amount); }

    // One line per document of `kind` in the month, each adding its Tunai
    // (sign 1) or taking it away (sign -1).
    void documents(const QString& description, const QString& kind, int sign)
    {
        m_ok &= m_db.query(u"select "_s + description +
                               u", Tunai from transaksi where substr(Kode,1,3)=?2 and "_s +
                               inMonth + u" order by Kode"_s,
                           {m_firstDay, kind}, [&](const QStringList& row) {
                               line(row.value(0), row.value(1));
                               add(sign * text::textToNumber(row.value(1)));
                           });
    }

    // The month's figure from `sql`, as SQLite gives it: empty when there is
    // none, and when the statement fails (its error has been shown).
    QString figure(const QString& sql, const QVariantList& more = {})
    {
        QString value;
        m_ok &= m_db.query(sql, QVariantList{m_firstDay} + more,
                           [&](const QStringList& row) { value = row.value(0); });
        return value;
    }

private:
    Database& m_db;
    QString m_firstDay;
    TableModel& m_model;
    double m_result = 0;
    bool m_ok = true;
};

} // namespace

Outcome<> fillProfitLoss(Database& db, const QString& month, const QString& monthName,
                         TableModel& model)
{
    model.clear();
    Statement statement(db, month + u"-01"_s, model);
    const auto documentTotal = [&](const QString& kind) {
        return statement.figure(
            u"select sum(Jumlah) from transaksi where substr(Kode,1,3)=?2 and "_s + inMonth,
            {kind});
    };

    statement.line(u"LAPORAN LABA RUGI"_s);
    statement.line(u"BULAN : "_s + monthName.toUpper() + u' ' + month.left(4));
    statement.line(u"-"_s);
    statement.line(u"PENERIMAAN"_s);
    statement.line(u"PENDAPATAN SELAIN TOKO : "_s);
    statement.documents(u"Ket||' untuk '||Nota"_s, u"KM-"_s, 1);
    statement.documents(u"Ket"_s, u"RB-"_s, 1);
    statement.line(u"PENDAPATAN TOKO"_s);

    // Sales count at their total before the document discount, as sold.
    const QString sales = documentTotal(u"JL-"_s);
    statement.line(u"Penjualan"_s, sales);
    statement.add(text::textToNumber(sales));

    const double returns = text::textToNumber(documentTotal(u"RJ-"_s));
    statement.line(u"Retur Jual"_s, u'(' + text::numberToText(returns) + u')');
    statement.add(-returns);

    // At today's cost price; lines of a product no longer in the master data cost nothing.
    // The lines are priced in product order: the lines of one product follow each other
    // and the products are read in the order they are kept, instead of one jump across
    // the master data per line (a busy month: 73,000 lines of 52,000 products). The
    // whole rupiahs are added exactly and apart from the fractions, so that the rounding
    // of a long sum in floating point stays below the figure's digits: a month sold by
    // weight costs what its lines add up to, in whatever order they are read. SQLite
    // keeps the order of a subquery that is summed; "limit -1" keeps it from copying the
    // priced line into the sums, which would look every line up three times.
    const double cost = text::textToNumber(statement.figure(
        u"select sum(cast(cost as integer)) + sum(cost - cast(cost as integer)) from "
        "(select Qty*(select b.hpp from barang b where b.kode=KodeBarang) as cost from "
        "(select l.KodeBarang, l.Qty from itempenjualan l join transaksi t on l.Kode=t.Kode "
        "where t."_s +
        inMonth + u" order by l.KodeBarang) limit -1)"_s));
    statement.line(u"Harga Pokok"_s, u'(' + text::numberToText(cost) + u')');
    statement.add(-cost);

    statement.resultLine(u"TOTAL BERSIH"_s);
    statement.line(u"-"_s);
    statement.line(u"PENGELUARAN DAN BIAYA RUPA-RUPA:"_s);
    statement.documents(u"Ket||' untuk '||Nota"_s, u"KK-"_s, -1);
    statement.resultLine(u"SISA AKHIR"_s);
    return stored(statement.ok());
}

} // namespace reports
