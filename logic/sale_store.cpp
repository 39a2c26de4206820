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

// Lines stored and stock moved a batch of lines at a time: a till on a
// server waits for a handful of answers, not two a line.
constexpr qsizetype linesPerStatement = 100;

// `count` groups of `group` as the values of one statement.
QString valueRows(qsizetype count, const QString& group)
{
    return QStringList(count, group).join(u',');
}

Outcome<> storeLines(Database& db, const CashierDocument& document, const QString& code)
{
    const SideInfo& side = sideInfo(document.side);
    const bool sale = document.side == Side::Sales;
    // One change per product: the quantities of its lines together and, for
    // a purchase, the price of its last line, the latest paid (no averaging).
    QStringList products;
    QHash<QString, std::pair<double, double>> moved;
    for (const DocumentLine& item : document.lines) {
        if (!moved.contains(item.code))
            products.append(item.code);
        auto& [quantity, price] = moved[item.code];
        quantity += item.quantity.value;
        price = item.price.value;
    }
    const QString number = db.asNumber(QStringLiteral("?"));
    for (qsizetype first = 0; first < document.lines.size(); first += linesPerStatement) {
        const QList<DocumentLine> lines = document.lines.mid(first, linesPerStatement);
        QVariantList values;
        for (const DocumentLine& item : lines)
            values << code << item.code << item.name << text::storedNumber(item.quantity.value)
                   << item.unit << text::storedNumber(item.price.value)
                   << text::storedNumber(item.discount.value)
                   << text::storedNumber(item.amount.value) << document.partyCode;
        if (!db.exec(QStringLiteral("insert into ") + side.lineTable +
                         QStringLiteral(" (Kode, KodeBarang, NamaBarang, Qty, Satuan, Harga, "
                                        "Diskon, Jumlah, kodeSP) values ") +
                         valueRows(lines.size(), QStringLiteral("(?,?,?,?,?,?,?,?,?)")),
                     values))
            return db.failure();
    }
    for (qsizetype first = 0; first < products.size(); first += linesPerStatement) {
        const QStringList codes = products.mid(first, linesPerStatement);
        QVariantList values;
        for (const QString& product : codes) {
            values << product << text::storedNumber(moved[product].first);
            if (!sale)
                values << text::storedNumber(moved[product].second);
        }
        const QString group =
            sale ? QStringLiteral("(?,%1)").arg(number) : QStringLiteral("(?,%1,%1)").arg(number);
        const QString change = sale ? QStringLiteral("stock=stock-v.column2")
                                    : QStringLiteral("stock=stock+v.column2, hpp=v.column3");
        if (!db.exec(QStringLiteral("update barang set ") + change +
                         QStringLiteral(" from (values ") + valueRows(codes.size(), group) +
                         QStringLiteral(") as v where barang.kode=v.column1"),
                     values))
            return db.failure();
    }
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

    if (Outcome<> stored = storeLines(db, document, code); !stored)
        return stored.failure();
    if (!transaction.commit())
        return db.failure();
    return number;
}

} // namespace sales
