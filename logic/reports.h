#pragma once

#include "core/outcome.h"
#include "core/side.h"
#include "core/table.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

class Database;

// The shop's reports: what each screen is called and shows, and the
// statements that fill its list. Every value is bound; only the tables and
// columns of a side are spliced. Dates are the clock's local dates, never
// SQLite's own (which is UTC: before 07:00 in Jakarta it is still yesterday).
namespace reports {

enum class Report { ProfitLoss, Turnover, TodaysSales, LowStock, Debts, Documents };

// What a report screen shows around its list, and how the list is exported.
// The screen gives the columns their widths.
struct Description {
    QString form;        // window class FORM_TOKO_<form>_CLASS
    QString title;       // the window's caption
    QString heading;     // the label above the list; empty: none
    QString exportTitle; // the title of the web page made from the list
    bool spreadsheet;    // also "Cetak ke Excel" ("Cetak ke Browser" then, not "Cetak")
    bool closeButton;    // "Esc - Tutup" (Esc closes every report)
    QList<Table::Column> columns;
};

// The side only matters to the debts and the documents.
Description describe(Report report, Side side = Side::Sales);

// Turnover of month "yyyy-MM": each product's sales in the month, in code
// order, then an empty line and "Jumlah " with the total.
Outcome<Table> turnover(Database& db, const QString& month);

// Today's sales per product: cost price (as it is now), a selling price,
// quantity, cost, sales and margin.
Outcome<Table> todaysSales(Database& db, const QDate& today);

// The categories of the products, for the minimum stock tree.
Outcome<QStringList> categories(Database& db);

// The products of `category` whose stock is below `threshold`, in code order.
// A threshold that is empty or not a plain number is refused with a message.
Outcome<Table> lowStock(Database& db, const QString& category, const QString& threshold);

// The sales (purchases) still open, with "Ya" once their due day is past.
// Walk-in documents are listed under the walk-in party; documents of a party
// no longer in the master data are not.
Outcome<Table> debts(Database& db, Side side, const QDate& today);

// What "Dibayar" shows in the list of documents: the cash handed over at the
// counter, or the total less what is still open.
enum class Paid { AtCounter, SoFar };

// The sales (purchases) dated `from` to `to` ("yyyy-MM-dd"), in date order;
// "Ya" only while open and past its due day.
Outcome<Table> documents(Database& db, Side side, const QString& from, const QString& to,
                         const QDate& today, Paid paid);

} // namespace reports
