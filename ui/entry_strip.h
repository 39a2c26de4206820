#pragma once

#include "ui/entry_row.h"

#include <QList>
#include <QMetaObject>
#include <QWidget>

class QTableView;

// The strip under a master screen's list: one box per column, each as wide
// as its column less `gap` pixels, following the columns as they are
// resized or scrolled.
class EntryStrip final : public QWidget
{
    Q_OBJECT
public:
    EntryStrip(QTableView* list, int columns, int height, int gap, QWidget* parent);
    ~EntryStrip() override;

    QLineEdit* box(int column) const { return m_row.box(column); }
    const QList<QLineEdit*>& boxes() const { return m_row.boxes(); }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void place();

    QTableView* m_list;
    EntryRow m_row;
    const int m_height;
    const int m_gap;
    QList<QMetaObject::Connection> m_connections;
};
