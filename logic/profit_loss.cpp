#include "logic/profit_loss.h"

#include "core/database.h"
#include "core/shop_upgrade.h"
#include "core/text_ops.h"

#include <QDate>
#include <QHash>

#include <optional>

using namespace Qt::StringLiterals;

namespace reports {

namespace {

// The month runs from its first day ?1 to its last ?2 (February's 28th or 29th).
constexpr auto inMonth = u"Tanggal between ?1 and ?2";

// The statement as it is written: its lines, the running result, and the
// first statement that could not be read.
class Statement final
{
public:
    Statement(Database& db, const QString& month) : m_db(db)
    {
        const QString firstDay = month + u"-01"_s;
        const QDate first = QDate::fromString(firstDay, Qt::ISODate);
        m_month = {firstDay, first.addMonths(1).addDays(-1).toString(Qt::ISODate)};
    }

    // The first statement that failed, if one did.
    const std::optional<Failure>& failure() const { return m_failure; }
    const Table& table() const { return m_table; }

    void line(const QString& text, const QString& amount = {})
    {
        m_table.rows.append({text, amount});
    }
    void resultLine(const QString& text)
    {
        m_table.rows.append({text, {}, text::numberToText(m_result)});
    }
    void add(double amount) { m_result = text::roundHalfEven(m_result + amount); }

    // One line per document, each adding its Tunai (sign 1) or taking it away (sign -1).
    void documents(const QList<QStringList>& rows, int sign)
    {
        for (const QStringList& row : rows) {
            line(row.value(0), row.value(1));
            add(sign * text::textToNumber(row.value(1)));
        }
    }

    // The rows of `sql` on the month, as SQLite gives them: none when the
    // statement fails.
    QList<QStringList> rows(const QString& sql)
    {
        const Outcome<QList<QStringList>> found = m_db.select(sql, m_month);
        if (!found) {
            if (!m_failure)
                m_failure = found.failure();
            return {};
        }
        return *found;
    }

private:
    Database& m_db;
    QVariantList m_month; // its first and last day
    Table m_table{{{{}, Qt::AlignLeft}, {{}, Qt::AlignRight}, {{}, Qt::AlignRight}}, {}};
    double m_result = 0;
    std::optional<Failure> m_failure;
};

} // namespace

Outcome<Table> profitLoss(Database& db, const QString& month, const QString& monthName)
{
    Statement statement(db, month);

    // Other income (KM-), refunds of purchase returns (RB-) and other expenses (KK-), each
    // kind in code order, from one reading of the month.
    QHash<QString, QList<QStringList>> listed;
    for (const QStringList& row :
         statement.rows(u"select substr(Kode,1,3), case substr(Kode,1,3) when 'RB-' then Ket "
                        "else Ket||' untuk '||Nota end, Tunai from transaksi "
                        "where substr(Kode,1,3) in ('KM-','RB-','KK-') and "_s +
                        inMonth + u" order by Kode"_s))
        listed[row.value(0)].append(row.mid(1));

    // Sales count at their total before the document discount, as sold; with the sales
    // returns from one reading of the month, each summed in the order read.
    const QStringList totals =
        statement
            .rows(u"select sum(case substr(Kode,1,3) when 'JL-' then Jumlah end), "
                  "sum(case substr(Kode,1,3) when 'RJ-' then Jumlah end) from transaksi where "_s +
                  inMonth)
            .value(0);

    // At today's cost price; lines of a product no longer in the master data
    // cost nothing. A file reads each price from its narrow cost index; a
    // server joins them in one pass.
    const QString costs =
        db.isServer()
            ? u"select sum(l.Qty*b.hpp) from itempenjualan l join transaksi t on l.Kode=t.Kode "
              "left join barang b on b.kode=l.KodeBarang where t."_s
            : u"select sum(l.Qty*"_s + shopfile::costOf(db, u"l.KodeBarang"_s) +
                  u") from itempenjualan l join transaksi t on l.Kode=t.Kode where t."_s;
    const double cost = text::textToNumber(statement.rows(costs + inMonth).value(0).value(0));

    statement.line(u"LAPORAN LABA RUGI"_s);
    statement.line(u"BULAN : "_s + monthName.toUpper() + u' ' + month.left(4));
    statement.line(u"-"_s);
    statement.line(u"PENERIMAAN"_s);
    statement.line(u"PENDAPATAN SELAIN TOKO : "_s);
    statement.documents(listed.value(u"KM-"_s), 1);
    statement.documents(listed.value(u"RB-"_s), 1);
    statement.line(u"PENDAPATAN TOKO"_s);
    const QString sales = totals.value(0);
    statement.line(u"Penjualan"_s, sales);
    statement.add(text::textToNumber(sales));
    const double returns = text::textToNumber(totals.value(1));
    statement.line(u"Retur Jual"_s, u'(' + text::numberToText(returns) + u')');
    statement.add(-returns);
    statement.line(u"Harga Pokok"_s, u'(' + text::numberToText(cost) + u')');
    statement.add(-cost);
    statement.resultLine(u"TOTAL BERSIH"_s);
    statement.line(u"-"_s);
    statement.line(u"PENGELUARAN DAN BIAYA RUPA-RUPA:"_s);
    statement.documents(listed.value(u"KK-"_s), -1);
    statement.resultLine(u"SISA AKHIR"_s);
    if (statement.failure())
        return *statement.failure();
    return statement.table();
}

} // namespace reports
