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

} // namespace

StockCorrection::StockCorrection(Database& db) : m_db(db)
{
    m_lines.setColumns({{QStringLiteral("Kode Barang"), 135, Qt::AlignLeft},
                        {QStringLiteral("Item Barang"), 243, Qt::AlignLeft},
                        {QStringLiteral("Stock DB"), 79, Qt::AlignHCenter},
                        {QStringLiteral("Real Stock"), 79, Qt::AlignHCenter},
                        {QStringLiteral("Catatan"), 277, Qt::AlignLeft}});
}

std::optional<StockCorrection::Found> StockCorrection::lookup(const QString& code)
{
    std::optional<Found> found;
    m_db.query(QStringLiteral("select nama, stock from barang where kode=?"), {code},
               [&](const QStringList& row) {
                   found = Found{row.value(0), row.value(1)};
               });
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
        const QString wrong = checkCount(m_lines.columns().at(column).header, boxes.value(column));
        if (!wrong.isEmpty())
            return Failure{wrong};
    }
    if (m_stored)
        startNew();
    QStringList cells = boxes;
    cells.resize(ColumnCount);
    for (const int column : {DbStock, RealStock})
        cells[column] = text::numberToText(text::textToNumber(cells.at(column)));
    m_lines.appendRow(cells);
    m_found.clear();
    return {};
}

void StockCorrection::startNew()
{
    m_lines.clear();
    m_stored = false;
}

bool StockCorrection::show(const QString& code)
{
    m_stored = true;
    return m_db.fill(m_lines,
                     QStringLiteral("select kodebarang, namabarang, qtyDb, qtyreal, keterangan "
                                    "from itemkoreksi where kode=? order by kodebarang"),
                     {code});
}

Outcome<QString> StockCorrection::save(const QString& date, const QString& operatorName)
{
    if (isStored())
        return Failure{QStringLiteral("Koreksi ini sudah tersimpan. Tambah item barang untuk "
                                      "koreksi baru.")};
    if (m_lines.rowCount() == 0)
        return Failure{QStringLiteral("Belum ada item barang yang dikoreksi.")};

    Database::Transaction transaction(m_db);
    if (!transaction.active())
        return Failure{};
    const Outcome<QString> next =
        numbering::nextCode(m_db, QStringLiteral("KS"), numbering::Sequence::StockCorrections);
    if (!next)
        return Failure{next.reason()};
    const QString code = *next;
    for (int row = 0; row < m_lines.rowCount(); ++row) {
        const auto cell = [&](int column) { return m_lines.cell(row, column); };
        const double inDatabase = text::textToNumber(cell(DbStock));
        const double counted = text::textToNumber(cell(RealStock));
        if (!m_db.exec(QStringLiteral("insert into itemkoreksi (Kode, Tanggal, KodeBarang, "
                                      "NamaBarang, QtyDb, QtyReal, SelisihQty, Keterangan, "
                                      "Operator) values (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                       {code, date, cell(Code), cell(Name), text::storedNumber(inDatabase),
                        text::storedNumber(counted), text::storedNumber(counted - inDatabase),
                        cell(Note), operatorName}))
            return Failure{};
        // The count is what is on the shelf: the stock takes it, whatever
        // was sold or bought since the line was entered.
        if (!m_db.exec(QStringLiteral("update barang set stock=? where kode=?"),
                       {text::storedNumber(counted), cell(Code)}))
            return Failure{};
    }
    if (!transaction.commit())
        return Failure{};
    m_stored = true;
    return code;
}

Outcome<QStringList> StockCorrection::codesOfMonth(Database& db, const QString& month)
{
    QStringList codes;
    if (!db.query(QStringLiteral("select kode from itemkoreksi where substr(tanggal,1,7)=? "
                                 "group by kode"),
                  {month}, [&](const QStringList& row) { codes.append(row.value(0)); }))
        return Failure{};
    return codes;
}

Outcome<> StockCorrection::remove(Database& db, const QString& code)
{
    return db.outcome(db.exec(QStringLiteral("delete from itemkoreksi where kode=?"), {code}));
}
