#pragma once

#include <QTreeWidget>

class Clock;

// The month tree of the stock correction, the cash book and the reports:
// the root "Bulan", expanded, and under it one node per month of the
// clock's year up to its month, "3-" + the month's full name.
class MonthTree final : public QTreeWidget
{
    Q_OBJECT
public:
    MonthTree(const Clock& clock, QWidget* parent = nullptr);

    // The node of month 1 … 12; null beyond the months shown.
    QTreeWidgetItem* monthItem(int month) const;
    // "yyyy-MM" of the selected month node, in the clock's year as it is
    // now; empty when the root or nothing is selected.
    QString selectedMonth() const;
    // The month number a node stands for: the digits before its "-".
    static int monthOf(const QTreeWidgetItem* item);

private:
    const Clock& m_clock;
    QTreeWidgetItem* m_root;
};
