#pragma once

#include "core/outcome.h"
#include "core/side.h"
#include "logic/document_line.h"

#include <QString>

class Database;

// A sale or purchase as the cashier saves it: the party, the dates, the
// operator, the totals as shown, and the cart's lines.
struct CashierDocument {
    Side side = Side::Sales;
    QString date;    // yyyy-MM-dd
    QString dueDate; // yyyy-MM-dd
    QString partyCode;
    QString partyName;
    QString operatorName;
    Figure gross;
    Figure discountAmount;
    Figure net;
    Figure paid; // as typed: it may exceed the net total when change is given
    QList<DocumentLine> lines;
};

namespace sales {

// Stores the document, one row per line and its stock change, in one
// transaction: a sale lowers the stock, a purchase raises it and sets the
// cost price to the line's price. Gives the 14-digit number stored; on a
// failure nothing is stored. Refused before anything is written, with the
// text the cashier shows: a document without a party's code ("Data Pelanggan
// belum tersedia.."), a walk-in party ("Bebas") paying less than the net
// total (a named party may leave the rest as a receivable or payable), a
// line with a figure beyond largestLineValue, or a paid amount beyond it.
// A failed statement gives the database's failure.
Outcome<QString> store(Database& db, const CashierDocument& document);

} // namespace sales
