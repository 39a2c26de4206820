#pragma once

#include "core/outcome.h"
#include "core/side.h"
#include "core/table.h"
#include "logic/document_line.h"
#include "logic/voucher.h"

#include <QList>
#include <QString>

class Database;

// Payments of open debts: a customer paying the shop (receivable, "PI-") or
// the shop paying a supplier (payable, "HU-"). The payment is spread over the
// party's open documents in the order they were stored.
namespace payments {

// The party list: parties with open documents, in code order.
enum PartyColumn { PartyCode, PartyName, PartyCredit, PartyPaid, PartyOpen, PartyColumns };
// One party's open documents: credit = net − cash at the counter, paid =
// net − what is still open.
enum DocumentColumn { DocCode, DocTotal, DocCash, DocCredit, DocPaid, DocOpen, DocColumns };

// The captions of the two lists.
QList<Table::Column> partyColumns(Side side);
QList<Table::Column> documentColumns(Side side);

// The parties of `side` that have open documents, with the sums of those
// documents.
Outcome<Table> loadParties(Database& db, Side side);

// The open documents of one party, in the order they were stored.
Outcome<Table> loadDocuments(Database& db, Side side, const QString& partyCode);

// One open document as the list shows it, its figures read as numbers.
struct Document {
    QString code;
    double total = 0;
    double cash = 0;
    double credit = 0;
    double paid = 0;
    double open = 0;
    friend bool operator==(const Document&, const Document&) = default;
};

// The rows of loadDocuments() as documents.
QList<Document> documentsOf(const QList<QStringList>& rows);

// What one document of the list takes from a payment.
struct Step {
    int row = 0;
    double amount = 0; // what its open amount is lowered by
    bool closes = false;
    friend bool operator==(const Step&, const Step&) = default;
};

// Spreads `paid` (rounded) over the open amounts (each rounded) in list
// order: every document the rest covers is closed; the first one it does not
// cover is lowered by the rest, even by 0, and the spreading ends there
// although a later, smaller document could have been paid off. What is left
// after the last document is not applied.
QList<Step> allocate(const QList<double>& open, double paid);

struct Payment {
    Side side = Side::Sales;
    QString date; // yyyy-MM-dd
    QString partyCode;
    QString partyName;
    QString operatorName;
    // The party's open total as shown when the payment was typed; the
    // voucher prints the text.
    double outstanding = 0;
    QString outstandingText;
    Figure paid;               // store() refuses it below 0 and beyond the cashier's limit
    QList<Document> documents; // the open documents listed, the ones it pays
};

struct Stored {
    QString code;        // "PI-"/"HU-" + 14 digits
    double recorded = 0; // the payment document's Tunai: the smaller of outstanding and paid
    QList<Step> steps;   // rows of the document list the payment went to
};

// Whether the payment's documents and outstanding total are what the party
// has open in the database now; a failure when the documents could not be read.
Outcome<bool> isCurrent(Database& db, const Payment& payment);

// Why a payment or return was not stored: the party's open debt changed
// after the screen showed it (another till stored a payment or a return).
QString changedText(Side side, const QString& partyName, const QString& document);

// Stores the payment in one transaction: every closed or lowered document
// and the payment document, numbered inside it. On a failure nothing is
// stored. Refused without a party, for an amount below 0 or beyond the
// cashier's limit, and when the open documents are no longer the listed ones
// (isCurrent, read again inside the transaction): a stale list would lower a
// debt below 0 and record more than was open.
Outcome<Stored> store(Database& db, const Payment& payment);

// Shows a stored payment in the rows of the two lists: the documents it went
// to and the party's row.
void showStored(const Stored& stored, const Payment& payment, QList<QStringList>& documents,
                QStringList& partyRow);

// The voucher of a payment numbered `number` that recorded `recorded`: the
// amount printed is what was recorded, never more. Both sides print the
// receivable wording.
vouchers::Voucher voucher(const Payment& payment, double recorded, const QString& number,
                          QLatin1StringView receiver);

} // namespace payments
