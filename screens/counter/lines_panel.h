#pragma once

#include "logic/cart.h"
#include "ui/entry_row.h"
#include "ui/table_model.h"

#include <QWidget>

class ListView;
class QLineEdit;

// The cart's lines in a list, and the row of boxes (Kode … Jumlah) where a
// line is typed: just under the last line while the cart is short, below the
// list once it scrolls, and while a line loaded for change is in the boxes.
class LinesPanel final : public QWidget
{
    Q_OBJECT
public:
    LinesPanel(Cart& cart, QWidget* parent);

    ListView* list() const { return m_list; }
    QLineEdit* box(int column) const { return m_entryRow.box(column); }
    const QList<QLineEdit*>& boxes() const { return m_entryRow.boxes(); }

    // The widths of the seven columns in a list with `room` pixels for
    // them: 100, 250, 50, 100, 100, 100 and 120 (fullWidth in all) when they
    // fit, else each narrowed in proportion, so that every column stays in
    // view without scrolling on a narrow screen.
    static constexpr int fullWidth = 820;
    static constexpr int minimumColumnWidth = 20;
    static QList<int> columnWidths(int room);

    // The list follows the cart's lines: changed cells and added lines only,
    // so the current line and the selection stay.
    void showLines();
    // The list `width` by `height`, its seven columns all in view, the boxes under it.
    void place(int width, int height);
    void placeEntryRow();
    // Whether the cart's lines fill the list, so the boxes go below it.
    bool isFull() const;
    // Only a line added to a full list moves it: that line is selected and
    // scrolled into view, nothing more is repainted.
    void showAddedLine(int row);
    void showEntry(const Cart::Entry& entry);

    static constexpr int rowHeight = 20;

private:
    // The height just under the cart's last line.
    int underLastLine() const;
    // Gives the columns the widths for `room`.
    void fitColumns(int room);

    Cart& m_cart;
    TableModel m_model;
    ListView* m_list;
    EntryRow m_entryRow;
};
