#include "screens/counter/lines_panel.h"

#include "ui/form.h"
#include "ui/line_delegate.h"
#include "ui/list_view.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QStyle>

#include <vector>

LinesPanel::LinesPanel(Cart& cart, QWidget* parent)
    : QWidget(parent), m_cart(cart), m_list(new ListView(this)), m_entryRow(this, Cart::Tiers)
{
    m_list->setTableModel(&m_cart.lines());
    m_list->setItemDelegate(new LineDelegate(m_list));
    m_list->verticalHeader()->setDefaultSectionSize(rowHeight);
}

void LinesPanel::place(int width, int height)
{
    m_list->setGeometry(0, 0, width, height);
    resize(width, height + rowHeight + 1); // room for the boxes below the list
    // All seven columns in view side by side, room kept for the scroll bar.
    const int room = m_list->width() - 2 * m_list->frameWidth() -
                     m_list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_list);
    m_cart.fitColumns(room);
    placeEntryRow();
}

bool LinesPanel::isFull() const
{
    const int lines = m_cart.lines().rowCount();
    return lines >= 25 || underLastLine() + rowHeight > m_list->geometry().bottom();
}

int LinesPanel::underLastLine() const
{
    const int header = m_list->horizontalHeader()->sizeHint().height();
    return m_list->y() + m_list->frameWidth() + header +
           m_list->verticalHeader()->defaultSectionSize() * m_cart.lines().rowCount();
}

void LinesPanel::placeEntryRow()
{
    const bool below = m_cart.changingLine() || isFull();
    m_entryRow.place(*m_list, below ? m_list->geometry().bottom() + 1 : underLastLine(), rowHeight);
}

void LinesPanel::showAddedLine(int row)
{
    if (isFull())
        m_list->selectRow(row);
}

void LinesPanel::showEntry(const Cart::Entry& entry)
{
    std::vector<QSignalBlocker> blockers;
    for (QLineEdit* box : m_entryRow.boxes())
        blockers.emplace_back(box);
    const QString texts[] = {entry.code,  entry.name,     entry.quantity, entry.unit,
                             entry.price, entry.discount, entry.amount};
    for (int column = 0; column < Cart::Tiers; ++column)
        form::setTextKeepingCursor(m_entryRow.box(column), texts[column]);
}
