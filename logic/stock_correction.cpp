#include "logic/stock_correction.h"

#include "core/database.h"
#include "core/numbering.h"
#include "core/text_ops.h"
#include "logic/cart.h"
#include "logic/products.h"

#include <cmath>

namespace {

// Why a stock box is refused; empty when it holds a plain number in range.
QString checkCount(const QString& header, const QString& text)
{
    if (!products::isPlainNumber(text))
        return header + QStringLiteral(" bukan angka: \"") + text::shortened(text) + u'"';
    if (std::fabs(text::textToNumber(text)) > largestLineValue)
        return header + QStringLiteral(" melebihi ") + text::numberToText(largestLineValue);
    return {};
}

// The list's columns, in the order of Column.
const QList<Table::Column>& columns()
{
    static const QList<Table::Column> list = {{QStringLiteral("Kode Barang"), Qt::AlignLeft},
                                              {QStringLiteral("Item Barang"), Qt::AlignLeft},
                                              {QStringLiteral("Stock DB"), Qt::AlignHCenter},
                                              {QStringLiteral("Real Stock"), Qt::AlignHCenter},
                                              {QStringLiteral("Catatan"), Qt::AlignLeft}};
    return list;
}

} // namespace

StockCorrection::StockCorrection(Database& db) : m_db(db) {}

Table StockCorrection::table() const
{
    Table table{columns(), {}};
    for (const Line& line : m_lines)
        table.rows.append(
            {line.code, line.name, line.dbStock.text, line.realStock.text, line.note});
    return table;
}

Outcome<std::optional<StockCorrection::Found>> StockCorrection::lookup(const QString& code)
{
    std::optional<Found> found;
    if (!m_db.query(QStringLiteral("select nama, stock from barang where kode=?"), {code},
                    [&](const QStringList& row) {
                        found = Found{row.value(0), row.value(1)};
                    }))
        return m_db.failure();
    if (found)
        m_found = code;
    return found;
}

Outcome<> StockCorrection::addLine(const QStringList& boxes)
{
    const QString code = boxes.value(Code);
    if (code.isEmpty() || code != m_found)
        return Failure{QStringLiteral("Kode barang \"") + text::shortened(code) +
                       QStringLiteral("\" tidak ditemukan.")};
    for (const int column : {DbStock, RealStock}) {
        const QString wrong = checkCount(columns().at(column).caption, boxes.value(column));
        if (!wrong.isEmpty())
            return Failure{wrong};
    }
    if (m_stored)
        startNew();
    const auto plain = [](const QString& count) {
        return text::numberToText(text::textToNumber(count));
    };
    m_lines.append({code, boxes.value(Name), plain(boxes.value(DbStock)),
                    plain(boxes.value(RealStock)), boxes.value(Note)});
    m_found.clear();
    return {};
}

void StockCorrection::startNew()
{
    m_lines.clear();
    m_stored = false;
}

Outcome<> StockCorrection::show(const QString& code)
{
    m_stored = true;
    m_lines.clear();
    const Outcome<QList<QStringList>> rows =
        m_db.select(QStringLiteral("select kodebarang, namabarang, qtyDb, qtyreal, keterangan "
                                   "from itemkoreksi where kode=? order by kodebarang"),
                    {code});
    if (!rows)
        return rows.failure();
    for (const QStringList& row : *rows)
        m_lines.append({row.value(Code), row.value(Name), row.value(DbStock), row.value(RealStock),
                        row.value(Note)});
    return {};
}

Outcome<QString> StockCorrection::save(const QString& date, const QString& operatorName)
{
    if (isStored())
        return Failure{QStringLiteral("Koreksi ini sudah tersimpan. Tambah item barang untuk "
                                      "koreksi baru.")};
    if (m_lines.isEmpty())
        return Failure{QStringLiteral("Belum ada item barang yang dikoreksi.")};

    Database::Transaction transaction(m_db);
    if (!transaction.active())
        return m_db.failure();
    const Outcome<QString> next =
        numbering::nextCode(m_db, QStringLiteral("KS"), numbering::Sequence::StockCorrections);
    if (!next)
        return next.failure();
    const QString code = *next;
    for (const Line& line : m_lines) {
        const double inDatabase = line.dbStock.value;
        const double counted = line.realStock.value;
        if (!m_db.exec(QStringLiteral("insert into itemkoreksi (Kode, Tanggal, KodeBarang, "
                                      "NamaBarang, QtyDb, QtyReal, SelisihQty, Keterangan, "
                                      "Operator) values (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                       {code, date, line.code, line.name, text::storedNumber(inDatabase),
                        text::storedNumber(counted), text::storedNumber(counted - inDatabase),
                        line.note, operatorName}))
            return m_db.failure();
        // The count is what is on the shelf: the stock takes it, whatever
        // was sold or bought since the line was entered.
        if (!m_db.exec(QStringLiteral("update barang set stock=? where kode=?"),
                       {text::storedNumber(counted), line.code}))
            return m_db.failure();
    }
    if (!transaction.commit())
        return m_db.failure();
    m_stored = true;
    return code;
}

Outcome<QStringList> StockCorrection::codesOfMonth(Database& db, const QString& month)
{
    QStringList codes;
    if (!db.query(QStringLiteral("select kode from itemkoreksi where substr(tanggal,1,7)=? "
                                 "group by kode order by kode"),
                  {month}, [&](const QStringList& row) { codes.append(row.value(0)); }))
        return db.failure();
    return codes;
}

Outcome<> StockCorrection::remove(Database& db, const QString& code)
{
    return db.outcome(db.exec(QStringLiteral("delete from itemkoreksi where kode=?"), {code}));
}
