#include "ui/list_view.h"

#include "ui/table_model.h"

#include <QEvent>
#include <QHeaderView>
#include <QItemSelectionModel>

ListView::ListView(QWidget* parent) : QTableView(parent)
{
    setSelectionBehavior(SelectRows);
    setSelectionMode(SingleSelection);
    setEditTriggers(NoEditTriggers);
    setTabKeyNavigation(false);
    setShowGrid(false);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);

    QPalette colours = palette();
    colours.setColor(QPalette::Base, Qt::white);
    colours.setColor(QPalette::Text, Qt::black);
    for (const QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        colours.setColor(QPalette::Inactive, role, colours.color(QPalette::Active, role));
    setPalette(colours);
    setAutoFillBackground(true);
    applyRowHeight();
}

void ListView::setTableModel(TableModel* model)
{
    for (const QMetaObject::Connection& connection : m_modelConnections)
        disconnect(connection);
    m_modelConnections.clear();
    setModel(model);
    if (model) {
        // The header follows a selection of its own: rows are selected
        // whole, and a header sharing the list's selection is repainted on
        // every change of the selected row.
        QItemSelectionModel* previous = horizontalHeader()->selectionModel();
        horizontalHeader()->setSelectionModel(new QItemSelectionModel(model, horizontalHeader()));
        if (previous && previous->parent() == horizontalHeader())
            previous->deleteLater();
        m_modelConnections = {
            connect(model, &QAbstractItemModel::columnsInserted, this, &ListView::applyColumns),
            connect(model, &QAbstractItemModel::modelReset, this, &ListView::applyColumns),
        };
    }
    applyColumns();
}

TableModel* ListView::tableModel() const
{
    return qobject_cast<TableModel*>(model());
}

int ListView::selectedRow() const
{
    const QModelIndexList rows =
        selectionModel() ? selectionModel()->selectedRows() : QModelIndexList();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void ListView::selectRow(int row)
{
    if (!model() || row < 0 || row >= model()->rowCount())
        return;
    // A hidden column cannot be scrolled to, so the row is entered at its first visible one.
    int column = 0;
    while (column < model()->columnCount() && isColumnHidden(column))
        ++column;
    const QModelIndex index = model()->index(row, column);
    if (!index.isValid())
        return;
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                 QItemSelectionModel::Rows);
    scrollTo(index);
}

void ListView::changeEvent(QEvent* event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        applyRowHeight();
}

void ListView::rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end)
{
    // Without a current row Qt does not move the selection on to the next row.
    const int current = currentIndex().row();
    if (current >= start && current <= end)
        selectionModel()->clearCurrentIndex();
    QTableView::rowsAboutToBeRemoved(parent, start, end);
}

void ListView::applyColumns()
{
    const TableModel* model = tableModel();
    if (!model)
        return;
    const QList<TableModel::Column>& columns = model->columns();
    for (int i = 0; i < columns.size(); ++i) {
        const int width = columns.at(i).width;
        setColumnHidden(i, width <= 0);
        if (width > 0)
            setColumnWidth(i, width);
    }
}

void ListView::applyRowHeight()
{
    const int height = fontMetrics().height() + 4;
    verticalHeader()->setMinimumSectionSize(height);
    verticalHeader()->setDefaultSectionSize(height);
}
