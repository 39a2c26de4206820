#pragma once

#include "logic/dashboard.h"

#include <QDate>
#include <QList>
#include <QSizeF>
#include <QString>

class QPainter;
class QRectF;

// The owner's summary as one picture: its figures, the bars of each day's
// sales, the line of twelve months' sales and profit, the best sellers. The
// screen, the saved picture and the printed page are all drawn by drawBoard,
// in board units (see boardSize); the caller scales the painter.
namespace charts {

struct Board {
    QDate today;
    dashboard::Summary summary;
    // Read after the figures: the best sellers, and the twelve months so far, oldest first.
    bool bestSellersRead = false;
    QList<dashboard::Product> bestSellers;
    QList<dashboard::MonthPoint> months;
    int monthsWanted = 12;
};

inline constexpr QSizeF boardSize{1200, 800};

void drawBoard(QPainter& painter, const Board& board);

// One bar per value, labelled 1, 2, ... under every fifth.
void drawBars(QPainter& painter, const QRectF& area, const QList<double>& values);
// Sales and profit, one point per month, labelled by month.
void drawLines(QPainter& painter, const QRectF& area, const QList<dashboard::MonthPoint>& months);

// Whole rupiah with thousands points: "1.234.567".
QString rupiah(double amount);
// An axis label: "2,5 jt", "750 rb", "1,2 M".
QString shortAmount(double amount);

} // namespace charts
