#include "logic/sale_store.h"

#include "core/database.h"
#include "core/numbering.h"
#include "core/text_ops.h"
#include "logic/parties.h"

#include <cmath>

namespace sales {

namespace {

// Compared as the cashier saw them: whole numbers.
double shown(const Figure& figure)
{
    return text::roundHalfEven(figure.value);
}

// Why the document may not be stored as it is; empty when it may.
QString refusal(const CashierDocument& document)
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
    for (const DocumentLine& line : document.lines) {
        if (!lineWithinRange(line))
            return lineTooLargeText(QStringLiteral("transaksi tidak disimpan."));
    }
    if (!(std::fabs(document.paid.value) <= largestLineValue))
        return QStringLiteral("Nilai dibayar melebihi ") + text::numberToText(largestLineValue) +
               QStringLiteral(", transaksi tidak disimpan.");
    return {};
}

} // namespace

Outcome<QString> store(Database& db, const CashierDocument& document)
{
    if (const QString refused = refusal(document); !refused.isEmpty())
        return Failure{refused};
    const SideInfo& side = sideInfo(document.side);
    const double net = shown(document.net);
    const double paid = shown(document.paid);
    const bool paidInFull = net <= paid;
    const QString open = text::numberToText(paidInFull ? 0 : net - paid);
    const QString word = paidInFull ? QStringLiteral("Lunas") : side.debtWord;

    Database::Transaction transaction(db);
    if (!transaction.active())
        return db.failure();
    const Outcome<QString> next = numbering::nextCode(db, side.documentKind);
    if (!next)
        return next.failure();
    const QString code = *next;
    const QString number = code.mid(3);
    const QString header = QStringLiteral("insert into transaksi (Kode, Ref, Tanggal, KodeSP, "
                                          "Potongan, Tax, Jumlah, Operator, Tunai, ") +
                           side.debtColumn +
                           QStringLiteral(", JatuhTempo, Ket, Nota) "
                                          "values (?, ?, ?, ?, ?, '0', ?, ?, ?, ?, ?, ?, '-')");
    const QString description =
        side.documentNote + document.partyName + QStringLiteral(" dengan dibayar secara ") + word;
    if (!db.exec(header, {code, side.documentRef, document.date, document.partyCode,
                          text::storedNumber(document.discountAmount.value),
                          text::storedNumber(document.gross.value), document.operatorName,
                          text::storedNumber(document.paid.value), text::storedNumber(open),
                          document.dueDate, description}))
        return db.failure();

    const QString line = QStringLiteral("insert into ") + side.lineTable +
                         QStringLiteral(" (Kode, KodeBarang, NamaBarang, Qty, Satuan, Harga, "
                                        "Diskon, Jumlah, kodeSP) values (?,?,?,?,?,?,?,?,?)");
    for (const DocumentLine& item : document.lines) {
        const QVariant quantity = text::storedNumber(item.quantity.value);
        const QVariant price = text::storedNumber(item.price.value);
        if (!db.exec(line, {code, item.code, item.name, quantity, item.unit, price,
                            text::storedNumber(item.discount.value),
                            text::storedNumber(item.amount.value), document.partyCode}))
            return db.failure();
        // A purchase sets the cost price to the latest price paid, no averaging.
        const bool stocked =
            document.side == Side::Sales
                ? db.exec(QStringLiteral("update barang set stock=stock-? where kode=?"),
                          {quantity, item.code})
                : db.exec(QStringLiteral("update barang set stock=stock+?, hpp=? where kode=?"),
                          {quantity, price, item.code});
        if (!stocked)
            return db.failure();
    }
    if (!transaction.commit())
        return db.failure();
    return number;
}

} // namespace sales
