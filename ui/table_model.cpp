#include "ui/table_model.h"

#include <algorithm>

TableModel::TableModel(QObject* parent) : QAbstractTableModel(parent) {}

void TableModel::setColumns(QList<Column> columns)
{
    beginResetModel();
    m_columns = std::move(columns);
    endResetModel();
}

void TableModel::setTable(const Table& table, const QList<int>& widths)
{
    beginResetModel();
    m_columns.clear();
    for (qsizetype i = 0; i < table.columns.size(); ++i)
        m_columns.append({table.columns.at(i).caption, static_cast<int>(widths.value(i, 100)),
                          table.columns.at(i).alignment});
    m_rows = table.rows;
    endResetModel();
}

void TableModel::setRows(QList<QStringList> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

void TableModel::addColumn(const QString& header, int width, Qt::Alignment alignment)
{
    const int at = static_cast<int>(m_columns.size());
    beginInsertColumns({}, at, at);
    m_columns.append({header, width, alignment});
    endInsertColumns();
}

void TableModel::setAlignment(int column, Qt::Alignment alignment)
{
    if (column < 0 || column >= m_columns.size())
        return;
    m_columns[column].alignment = alignment;
    if (!m_rows.isEmpty())
        emit dataChanged(index(0, column), index(rowCount() - 1, column), {Qt::TextAlignmentRole});
    emit headerDataChanged(Qt::Horizontal, column, column);
}

void TableModel::appendRow(QStringList cells)
{
    const int at = rowCount();
    beginInsertRows({}, at, at);
    m_rows.append(std::move(cells));
    endInsertRows();
}

void TableModel::appendRows(QList<QStringList> rows)
{
    if (rows.isEmpty())
        return;
    const int first = rowCount();
    beginInsertRows({}, first, first + static_cast<int>(rows.size()) - 1);
    if (m_rows.isEmpty())
        m_rows = std::move(rows);
    else
        m_rows.append(std::move(rows));
    endInsertRows();
}

void TableModel::insertRowAt(int row, const QString& firstCell)
{
    row = std::clamp(row, 0, rowCount());
    beginInsertRows({}, row, row);
    m_rows.insert(row, QStringList{firstCell});
    endInsertRows();
}

void TableModel::setCell(int row, int column, const QString& text)
{
    if (row < 0 || row >= rowCount() || column < 0)
        return;
    QStringList& cells = m_rows[row];
    while (cells.size() <= column)
        cells.append(QString());
    cells[column] = text;
    if (column < columnCount())
        emit dataChanged(index(row, column), index(row, column), {Qt::DisplayRole});
}

QString TableModel::cell(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0)
        return {};
    return m_rows.at(row).value(column);
}

void TableModel::clear()
{
    if (m_rows.isEmpty())
        return;
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

int TableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int TableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QVariant TableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return cell(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(m_columns.at(index.column()).alignment | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (role) {
    case Qt::DisplayRole:
        return m_columns.at(section).header;
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(m_columns.at(section).alignment | Qt::AlignVCenter);
    default:
        return {};
    }
}

bool TableModel::removeRows(int row, int count, const QModelIndex& parent)
{
    if (parent.isValid() || row < 0 || count < 1 || row + count > rowCount())
        return false;
    beginRemoveRows({}, row, row + count - 1);
    m_rows.remove(row, count);
    endRemoveRows();
    return true;
}
