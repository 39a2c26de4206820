#pragma once

#include "core/outcome.h"
#include "core/side.h"

#include <QString>

class Database;
class TableModel;

// A sale or purchase as the cashier saves it: the party, the dates, the
// operator, the totals as shown, and the cart lines.
struct CashierDocument {
    Side side = Side::Sales;
    QString date;    // yyyy-MM-dd
    QString dueDate; // yyyy-MM-dd
    QString partyCode;
    QString partyName;
    QString operatorName;
    QString gross;
    QString discountAmount;
    QString net;
    QString paid; // as typed: it may exceed the net total when change is given
};

namespace sales {

// The walk-in party ("Bebas") pays at least the net total; a named party may
// leave the rest as a receivable (sales) or payable (purchase).
bool walkInPaysTooLittle(const CashierDocument& document);

// The message for a walk-in party paying too little.
QString walkInMessage(Side side);

// A document must name its party: a picker closed on no row leaves the panel
// empty, and a debt of nobody could never be collected.
bool hasNoParty(const CashierDocument& document);
// "Data Pelanggan belum tersedia.." or "Data Pembeli belum tersedia..".
QString noPartyMessage(Side side);

// Stores the document, one line per cart line and its stock change, in one
// transaction: a sale lowers the stock, a purchase raises it and sets the
// cost price to the line's price. Gives the 14-digit number stored; on a
// failure nothing is stored. A line with a figure beyond largestLineValue,
// or a paid amount beyond it, is refused before anything is written.
Outcome<QString> store(Database& db, const CashierDocument& document, const TableModel& lines);

} // namespace sales
