#pragma once

#include "core/outcome.h"

#include <QString>

#include <optional>

class Database;

// Document codes: two letters, "-" and a 14-digit number. Every kind kept in
// transaksi (JL, BL, PI, HU, KM, KK, RJ, RB) draws from one sequence;
// stock corrections (KS) have their own in itemkoreksi.
namespace numbering {

enum class Sequence { Transactions, StockCorrections };

inline constexpr qint64 largestNumber = 99999999999999;

// The largest number in use by a document, or by the lines a deleted
// document left behind, so the next code is never one stored lines carry.
// Codes that are not two letters, "-" and 14 digits do not count. 0 when
// there are none. Index lookups only, however many lines the shop has.
Outcome<qint64> lastNumber(Database& db, Sequence sequence = Sequence::Transactions);

// `number` as the 14 digits of a document code.
QString numberText(qint64 number);

// The code of the next document of `kind` ("JL", "KS", …) from `sequence`,
// drawn inside the caller's transaction. Fails with the database's failure
// when the query fails, or when the 14 digits are used up.
Outcome<QString> nextCode(Database& db, const QString& kind,
                          Sequence sequence = Sequence::Transactions);

// How many documents of a kind ("JL", "BL", …) are dated `date` (yyyy-MM-dd);
// "0" for none, empty when the query failed.
QString countOfDay(Database& db, const QString& kind, const QString& date);

// Reset of all transactions by the administrator `user`: every row of
// transaksi goes; the document lines, stock corrections, products, parties
// and users stay.
Outcome<> deleteAllTransactions(Database& db, const QString& user);

} // namespace numbering
