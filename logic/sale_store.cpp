#include "logic/sale_store.h"

#include "core/database.h"
#include "core/numbering.h"
#include "core/table_model.h"
#include "core/text_ops.h"
#include "logic/cart.h"
#include "logic/parties.h"

#include <cmath>

namespace sales {

namespace {

// Compared as the cashier saw them: whole numbers.
double shown(const QString& figure)
{
    return text::roundHalfEven(text::textToNumber(figure));
}

// Why the document may not be stored as it is; empty when it may.
QString refusal(const CashierDocument& document, const TableModel& lines)
{
    const SideInfo& side = sideInfo(document.side);
    // A debt of nobody could never be collected.
    if (document.partyCode.isEmpty())
        return side.noPartyText;
    if (document.partyName == parties::walkIn(document.side).name &&
        shown(document.net) > shown(document.paid))
        return QStringLiteral("Nilai pembayaran belum di ENTRY, jika pembayaran dilakukan non "
                              "tunai, mohon lengkapi dahulu data ") +
               side.partyWord;
    // Beyond the limit a figure would not be stored as the cashier typed it.
    for (int row = 0; row < lines.rowCount(); ++row) {
        if (!lineWithinRange(lines.row(row)))
            return lineTooLargeText(QStringLiteral("transaksi tidak disimpan."));
    }
    if (!(std::fabs(text::textToNumber(document.paid)) <= largestLineValue))
        return QStringLiteral("Nilai dibayar melebihi ") + text::numberToText(largestLineValue) +
               QStringLiteral(", transaksi tidak disimpan.");
    return {};
}

} // namespace

Outcome<QString> store(Database& db, const CashierDocument& document, const TableModel& lines)
{
    if (const QString refused = refusal(document, lines); !refused.isEmpty())
        return Failure{refused};
    const SideInfo& side = sideInfo(document.side);
    const double net = shown(document.net);
    const double paid = shown(document.paid);
    const bool paidInFull = net <= paid;
    const QString open = text::numberToText(paidInFull ? 0 : net - paid);
    const QString word = paidInFull ? QStringLiteral("Lunas") : side.debtWord;

    Database::Transaction transaction(db);
    if (!transaction.active())
        return Failure{};
    const Outcome<QString> next = numbering::nextCode(db, side.documentKind);
    if (!next)
        return Failure{next.reason()};
    const QString code = *next;
    const QString number = code.mid(3);
    const QString header = QStringLiteral("insert into transaksi (Kode, Ref, Tanggal, KodeSP, "
                                          "Potongan, Tax, Jumlah, Operator, Tunai, ") +
                           side.debtColumn +
                           QStringLiteral(", JatuhTempo, Ket, Nota) "
                                          "values (?, ?, ?, ?, ?, '0', ?, ?, ?, ?, ?, ?, '-')");
    const QString description =
        side.documentNote + document.partyName + QStringLiteral(" dengan dibayar secara ") + word;
    if (!db.exec(header,
                 {code, side.documentRef, document.date, document.partyCode,
                  text::storedNumber(document.discountAmount), text::storedNumber(document.gross),
                  document.operatorName, text::storedNumber(document.paid),
                  text::storedNumber(open), document.dueDate, description}))
        return Failure{};

    const QString line = QStringLiteral("insert into ") + side.lineTable +
                         QStringLiteral(" (Kode, KodeBarang, NamaBarang, Qty, Satuan, Harga, "
                                        "Diskon, Jumlah, kodeSP) values (?,?,?,?,?,?,?,?,?)");
    for (int row = 0; row < lines.rowCount(); ++row) {
        const auto cell = [&](int column) { return lines.cell(row, column); };
        if (!db.exec(line, {code, cell(Cart::Code), cell(Cart::Name),
                            text::storedNumber(cell(Cart::Quantity)), cell(Cart::Unit),
                            text::storedNumber(cell(Cart::Price)),
                            text::storedNumber(cell(Cart::Discount)),
                            text::storedNumber(cell(Cart::Amount)), document.partyCode}))
            return Failure{};
        // A purchase sets the cost price to the latest price paid, no averaging.
        const bool stocked =
            document.side == Side::Sales
                ? db.exec(QStringLiteral("update barang set stock=stock-? where kode=?"),
                          {text::storedNumber(cell(Cart::Quantity)), cell(Cart::Code)})
                : db.exec(QStringLiteral("update barang set stock=stock+?, hpp=? where kode=?"),
                          {text::storedNumber(cell(Cart::Quantity)),
                           text::storedNumber(cell(Cart::Price)), cell(Cart::Code)});
        if (!stocked)
            return Failure{};
    }
    if (!transaction.commit())
        return Failure{};
    return number;
}

} // namespace sales
