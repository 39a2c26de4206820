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
    m_model.setTable({lineColumns(), {}}, columnWidths(fullWidth));
    showLines();
    m_list->setTableModel(&m_model);
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
    fitColumns(room);
    placeEntryRow();
}

QList<int> LinesPanel::columnWidths(int room)
{
    const QList<int> full = {100, 250, 50, 100, 100, 100, 120};
    if (room >= fullWidth)
        return full;
    // Narrowed in proportion; the name column takes what rounding down leaves.
    QList<int> widths;
    int used = 0;
    for (const int width : full) {
        widths.append(std::max(minimumColumnWidth, width * room / fullWidth));
        used += widths.last();
    }
    widths[Cart::Name] = std::max(minimumColumnWidth, widths.at(Cart::Name) + room - used);
    return widths;
}

void LinesPanel::fitColumns(int room)
{
    const QList<int> widths = columnWidths(room);
    QList<TableModel::Column> columns = m_model.columns();
    bool changed = false;
    for (int column = 0; column < columns.size(); ++column) {
        changed = changed || columns.at(column).width != widths.at(column);
        columns[column].width = widths.at(column);
    }
    if (changed)
        m_model.setColumns(columns);
}

void LinesPanel::showLines()
{
    const QList<CartLine>& lines = m_cart.lines();
    if (lines.size() < m_model.rowCount())
        m_model.clear(); // a new transaction
    for (int row = 0; row < m_model.rowCount(); ++row) {
        const QStringList cells = lines.at(row).cells();
        for (int column = 0; column < cells.size(); ++column) {
            if (m_model.cell(row, column) != cells.at(column))
                m_model.setCell(row, column, cells.at(column));
        }
    }
    QList<QStringList> added;
    for (qsizetype row = m_model.rowCount(); row < lines.size(); ++row)
        added.append(lines.at(row).cells());
    if (!added.isEmpty())
        m_model.appendRows(added);
}

bool LinesPanel::isFull() const
{
    const int lines = m_model.rowCount();
    return lines >= 25 || underLastLine() + rowHeight > m_list->geometry().bottom();
}

int LinesPanel::underLastLine() const
{
    const int header = m_list->horizontalHeader()->sizeHint().height();
    return m_list->y() + m_list->frameWidth() + header +
           m_list->verticalHeader()->defaultSectionSize() * m_model.rowCount();
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
