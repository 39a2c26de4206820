#pragma once

#include "core/outcome.h"
#include "core/table.h"
#include "logic/voucher.h"

#include <QString>
#include <QStringList>

class Database;

// The cash book: every document that moved cash, month by month, with a
// running balance; and the other cash received ("KM-") or paid out ("KK-").
namespace cashbook {

enum Column { Date, Code, Description, In, Out, Balance, Columns };

// "yyyy-MM" of the month before `month` (1 to 12) of `year`.
QString previousMonth(int year, int month);

// The book's captions: Tanggal, Kode, Uraian, Masuk, Keluar, Saldo.
QList<Table::Column> columns();

// The cash book of `month` of `year`: first the opening
// line ("SLD", the balance of everything before the month), then each
// document of the month that moved cash, by date and in the order stored,
// with the balance after it.
//
// The cash a document moved: a sale or purchase, what was paid less the
// change given (never more than its net amount); a return, the refund; any
// other document its Tunai. Money in when its Ref is "Masuk", out when it is
// "Keluar". An amount that is not a number counts as 0.
Outcome<Table> load(Database& db, int year, int month);

// The balance a book whose last row is `lastRow` ends with, rounded; 0 for
// an empty book (no row).
double lastBalance(const QStringList& lastRow);

enum class Flow { In, Out };

// Other cash received or paid out, as typed in the entry dialog.
struct Entry {
    Flow flow = Flow::In;
    QString date; // yyyy-MM-dd
    QString party;
    QString purpose;
    QString amount;
    QString operatorName;
};

// "Terima dari " / "Dibayar Kepada " + the party: the stored Ket.
QString partyPhrase(const Entry& entry);

// Stores the entry, numbered in the shared sequence, in one transaction;
// gives its code. An amount that is not a number is stored as 0; one below 0
// or beyond the cashier's limit is refused.
Outcome<QString> store(Database& db, const Entry& entry);

// The cash book row of a stored entry, after a book that ended at `balance`.
QStringList row(const Entry& entry, const QString& code, double balance);

vouchers::Voucher voucher(const Entry& entry, const QString& code);

} // namespace cashbook
