#pragma once

#include "logic/parties.h"
#include "ui/table_model.h"

#include <QWidget>

class ListView;
class QPushButton;

// The cashier's party: name, address, phone, note and code in a small list,
// with the button under it that picks another party.
class PartyPanel final : public QWidget
{
    Q_OBJECT
public:
    PartyPanel(const QString& buttonText, QWidget* parent);

    // Labels in column 0, the party's values in column 1.
    const TableModel& rows() const { return m_rows; }
    QPushButton* button() const { return m_button; }
    void showParty(const Party& party, const QString& codeCaption);

    static constexpr int rowHeight = 20;
    // The whole panel: the list's five rows and the button under them.
    static constexpr QSize size{240, 5 * rowHeight + 34};

private:
    TableModel m_rows;
    ListView* m_list;
    QPushButton* m_button;
};
