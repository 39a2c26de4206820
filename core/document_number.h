#pragma once

#include <QString>

#include <optional>

class Database;

// Document codes: two letters, "-" and a 14-digit number. Every kind kept in
// transaksi (JL, BL, PI, HU, KM, KK, RJ, RB) draws from one sequence;
// stock corrections (KS) have their own in itemkoreksi.
namespace documents {

enum class Sequence { Transactions, StockCorrections };

inline constexpr qint64 largestNumber = 99999999999999;

// The largest number in use, 0 for an empty table; empty when the query
// failed (the database has then said why).
std::optional<qint64> lastNumber(Database& db, Sequence sequence = Sequence::Transactions);

// `number` as the 14 digits of a document code.
QString numberText(qint64 number);

// How many documents of a kind ("JL", "BL", …) are dated `date` (yyyy-MM-dd);
// "0" for none, empty when the query failed.
QString countOfDay(Database& db, const QString& kind, const QString& date);

// Reset of all transactions: every row of transaksi goes; the document lines,
// stock corrections, products, parties and users stay.
bool deleteAllTransactions(Database& db);

} // namespace documents
