#pragma once

#include <QList>
#include <QMetaObject>
#include <QTableView>

class TableModel;

// The list on every screen: a read-only report of a TableModel, whole rows
// selected one at a time, columns as wide as the model says (a width of 0
// hides the column). The selected row stays highlighted when the list loses
// focus, and Tab leaves the list. Removing the selected row leaves no row
// selected.
class ListView final : public QTableView
{
    Q_OBJECT
public:
    explicit ListView(QWidget* parent = nullptr);

    void setTableModel(TableModel* model);
    TableModel* tableModel() const;

    // The selected row, or -1 when none is.
    int selectedRow() const;
    // Selects `row`, makes it current and scrolls it into view; a row that
    // does not exist changes nothing.
    void selectRow(int row);

protected:
    void changeEvent(QEvent* event) override;
    void rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) override;

private:
    void applyColumns();
    void applyRowHeight();

    QList<QMetaObject::Connection> m_modelConnections;
};
