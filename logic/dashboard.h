#pragma once

#include "core/outcome.h"
#include "core/side.h"
#include "logic/profit_loss.h"

#include <QDate>
#include <QList>
#include <QString>

class Database;

// The owner's summary of the shop ("Ringkasan Toko"): each figure read as the
// report it summarises reads it, so the two always agree.
namespace dashboard {

// One day at the counter.
struct Day {
    QDate date;
    double sales = 0; // the sale lines' amounts, as today's sales report sums them
    int count = 0;    // sales (JL-) stored that day
    double cash = 0;  // money in, as the cash book counts it
};

// What stays open on one side, as the debt report lists it.
struct Debts {
    double open = 0;
    int documents = 0;
    double overdue = 0; // of it, past its due day
    int overdueDocuments = 0;
};

struct Product {
    QString code;
    QString name;
    double amount = 0;
};

// The month to date against the same days of the month before.
struct Summary {
    Day today;
    Day weekAgo; // the same weekday last week
    reports::MonthFigures month;
    reports::MonthFigures lastMonth;
    Debts receivable;
    Debts payable;
    QList<double> dailySales; // day 1 of the month to today, as profit and loss counts sales
    QString lowStockBelow;    // the minimum stock threshold last used; empty: none
    int lowStock = 0;         // products of every category below it
};

// The summary on `today`. `lowStockBelow` is the threshold last used in the
// minimum stock report (a plain number; anything else counts no product).
Outcome<Summary> read(Database& db, const QDate& today, const QString& lowStockBelow);

// The ten products sold for the most this month to `today`, each summed as
// the turnover sums it; on a tie, in code order.
Outcome<QList<Product>> bestSellers(Database& db, const QDate& today);

// The first day of the twelve months that end with `today`'s.
QDate firstOfTwelveMonths(const QDate& today);

// One month of the sales and profit chart.
struct MonthPoint {
    QString month; // "yyyy-MM"
    double sales = 0;
    double profit = 0; // the statement's net total ("TOTAL BERSIH")
};

QList<MonthPoint> pointsOf(const QList<reports::MonthFigures>& months);

} // namespace dashboard
