#pragma once

#include <QList>

class QLineEdit;
class QTableView;
class QWidget;

// A row of edit boxes lined up with a list's columns: box i lies over
// column i, as wide as it, wherever the list has scrolled its columns to.
// The boxes belong to `parent`; the owner says at which height they go.
class EntryRow final
{
public:
    EntryRow(QWidget* parent, int columns);

    QLineEdit* box(int column) const { return m_boxes.at(column); }
    const QList<QLineEdit*>& boxes() const { return m_boxes; }

    // Lines the boxes up with the columns of `list` at height `y` of their
    // parent, each `gap` pixels narrower than its column, above the list.
    void place(const QTableView& list, int y, int height, int gap = 0) const;

private:
    QList<QLineEdit*> m_boxes;
};
