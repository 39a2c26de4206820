#pragma once

#include "core/outcome.h"
#include "core/table.h"

#include <QString>

class Database;

namespace reports {

// The profit and loss statement of month "yyyy-MM" (`monthName` as the month
// tree shows it), in three columns: the line, an item's amount, the running
// result. Other income (KM-) and refunds of purchase returns (RB-), plus sales
// (JL- totals before their discount), less sales returns (RJ- Jumlah) and the
// cost of the goods sold at today's cost prices, make "TOTAL BERSIH"; less
// other expenses (KK-) it is "SISA AKHIR". The result is rounded to a whole
// number, halves to even, after every line that changes it. When a statement
// fails the whole statement fails with the database's reason.
Outcome<Table> profitLoss(Database& db, const QString& month, const QString& monthName);

} // namespace reports
