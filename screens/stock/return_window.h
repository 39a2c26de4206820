#pragma once

#include "core/app_context.h"
#include "logic/returns.h"
#include "ui/form.h"
#include "ui/table_model.h"

#include <QWidget>

class EntryStrip;
class ListView;
class QComboBox;
class QLabel;
class QLineEdit;

// "Retur Penjualan" / "Retur Pembelian": goods a customer brings back or the
// shop sends back to a supplier. The party with its open debt at the top,
// the lines, the entry row under them and the total. The side is fixed when
// the screen is made.
class ReturnWindow final : public QWidget
{
    Q_OBJECT
public:
    ReturnWindow(AppContext& context, Side side, QWidget* parent = nullptr);

    // The toolbar's actions.
    void browse();
    void save();
    void print();

    QLineEdit* box(int column) const;
    QComboBox* partyBox() const { return m_party; }
    const ReturnDocument& document() const { return m_document; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void partyChosen();
    void lookUp(const QString& code);
    void completeLine();
    void boxEdited(int column, const QString& text);
    // The entry row and the totals as the document holds them.
    void showEntry();
    void showTotals();
    void printList();
    // The document's lines in the list.
    void showLines();

    AppContext& m_context;
    ReturnDocument m_document;
    TableModel m_model;
    QComboBox* m_party;
    QLineEdit* m_debt;
    QLineEdit* m_rest;
    ListView* m_list;
    EntryStrip* m_row;
    QLineEdit* m_total;
    QLabel* m_words;
    form::EnterKeys m_enter;
    bool m_showing = false;
};
