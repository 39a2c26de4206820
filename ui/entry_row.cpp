#include "ui/entry_row.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>

EntryRow::EntryRow(QWidget* parent, int columns)
{
    for (int column = 0; column < columns; ++column)
        m_boxes.append(new QLineEdit(parent));
}

void EntryRow::place(const QTableView& list, int y, int height, int gap) const
{
    const QHeaderView* header = list.horizontalHeader();
    QWidget* window = list.window();
    const int left = list.viewport()->mapTo(window, QPoint()).x() -
                     m_boxes.first()->parentWidget()->mapTo(window, QPoint()).x();
    for (int column = 0; column < m_boxes.size(); ++column) {
        QLineEdit* box = m_boxes.at(column);
        const QRect place(left + header->sectionViewportPosition(column), y,
                          qMax(header->sectionSize(column) - gap, 0), height);
        // Every scan places the row again: a box that stays where it is is
        // left alone, so nothing under it is painted anew.
        if (box->geometry() == place && box->isVisible())
            continue;
        box->setGeometry(place);
        box->raise();
    }
}
