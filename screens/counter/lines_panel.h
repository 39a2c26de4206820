#pragma once

#include "logic/cart.h"
#include "ui/entry_row.h"

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

    Cart& m_cart;
    ListView* m_list;
    EntryRow m_entryRow;
};
