#pragma once

#include "core/outcome.h"
#include "core/table.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

class Database;

namespace reports {

// One month of the profit and loss statement. Other income (KM-) and refunds
// of purchase returns (RB-), plus sales (JL- totals before their discount),
// less sales returns (RJ- Jumlah) and the cost of the goods sold at today's
// cost prices, make the net total; less other expenses (KK-) it is the rest.
// The result is rounded to a whole number, halves to even, after every
// amount that changes it.
struct MonthFigures {
    QString month; // "yyyy-MM"
    // One row per document, text and amount, in code order.
    QList<QStringList> income;   // KM-
    QList<QStringList> refunds;  // RB-
    QList<QStringList> expenses; // KK-
    QString salesText;           // the sales as the database sums them; empty when none
    double sales = 0;
    double returns = 0;
    double cost = 0;
    double net = 0;  // "TOTAL BERSIH"
    double rest = 0; // "SISA AKHIR"
};

// The figures of every month from `from`'s to `to`'s, in month order, each
// counting the documents dated `from` to `to` only: one reading of the range
// for all of them. A month without documents has all figures 0. When a
// statement fails the whole range fails with the database's reason.
Outcome<QList<MonthFigures>> monthFigures(Database& db, const QDate& from, const QDate& to);

// The profit and loss statement of month "yyyy-MM" (`monthName` as the month
// tree shows it), in three columns: the line, an item's amount, the running
// result, from its month's figures.
Outcome<Table> profitLoss(Database& db, const QString& month, const QString& monthName);

} // namespace reports
