#pragma once

#include "core/table.h"

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

// The rows of text behind every list on screen: column headers, widths and
// alignments, and the list operations the screens use. Cells are plain
// texts, as SQLite and the edit boxes give them.
class TableModel final : public QAbstractTableModel
{
    Q_OBJECT
public:
    struct Column {
        QString header;
        int width = 100;
        Qt::Alignment alignment = Qt::AlignLeft;
    };

    explicit TableModel(QObject* parent = nullptr);

    void setColumns(QList<Column> columns);
    // Shows `table`: its captions and alignments with `widths` (100 pixels
    // for a column without one), and its rows in place of the ones shown.
    void setTable(const Table& table, const QList<int>& widths);
    // Replaces the rows shown, keeping the columns.
    void setRows(QList<QStringList> rows);
    void addColumn(const QString& header, int width, Qt::Alignment alignment = Qt::AlignLeft);
    const QList<Column>& columns() const { return m_columns; }
    void setAlignment(int column, Qt::Alignment alignment);

    // Appends one row; cells beyond the columns are kept, missing ones read as empty.
    void appendRow(QStringList cells);
    void appendRows(QList<QStringList> rows);
    // Inserts a row at `row` (clamped into range) whose first cell is `firstCell`.
    void insertRowAt(int row, const QString& firstCell);
    void setCell(int row, int column, const QString& text);
    // The text of a cell; empty when the row or column does not exist.
    QString cell(int row, int column) const;
    const QStringList& row(int row) const { return m_rows.at(row); }
    void clear();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    bool removeRows(int row, int count, const QModelIndex& parent = {}) override;

private:
    QList<Column> m_columns;
    QList<QStringList> m_rows;
};
