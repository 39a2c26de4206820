#include "ui/entry_strip.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>

EntryStrip::EntryStrip(QTableView* list, int columns, int height, int gap, QWidget* parent)
    : QWidget(parent), m_list(list), m_row(this, columns), m_height(height), m_gap(gap)
{
    setFixedHeight(height);
    m_connections = {
        connect(list->horizontalHeader(), &QHeaderView::sectionResized, this, &EntryStrip::place),
        connect(list->horizontalHeader(), &QHeaderView::geometriesChanged, this,
                &EntryStrip::place),
        connect(list->horizontalScrollBar(), &QScrollBar::valueChanged, this, &EntryStrip::place),
    };
}

EntryStrip::~EntryStrip()
{
    // The list may still report its header's geometry while the screen's
    // children are taken down, after the boxes are gone.
    for (const QMetaObject::Connection& connection : m_connections)
        disconnect(connection);
}

void EntryStrip::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    place();
}

void EntryStrip::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    place();
}

void EntryStrip::place()
{
    m_row.place(*m_list, 0, m_height, m_gap);
}
