#pragma once

#include "core/app_context.h"
#include "logic/parties.h"

#include <QDialog>

#include <optional>

class ListView;
class QLineEdit;
class QPushButton;
class QTabWidget;
class TableModel;

// "Pelanggan": the cashiers' popup to choose a customer (sales side) or a
// supplier (purchase side) from the list, or to enter a new one.
class PartyPickerDialog final : public QDialog
{
    Q_OBJECT
public:
    PartyPickerDialog(AppContext& context, Side side, QWidget* parent = nullptr);

    // Runs the popup over `owner`; the chosen or newly entered party, nothing
    // when it was cancelled.
    static std::optional<Party> choose(AppContext& context, Side side, QWidget* owner);

    // The party handed back once the popup was accepted.
    const Party& party() const { return m_party; }

    // "Entry": hands back the selected party, or stores the new one first.
    void entry();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildListPage();
    QWidget* buildNewPage();
    void search();
    // Lists `found`; when it could not be read the list is emptied and the reason shown.
    void showParties(const Outcome<Table>& found);
    void showSelectedName();
    void capitaliseName(const QString& typed);

    AppContext& m_context;
    const Side m_side;
    TableModel* m_model;
    ListView* m_list;
    QLineEdit* m_search;
    QTabWidget* m_tabs;
    QWidget* m_listPage;
    // Nama, Alamat, Phone, Keterangan of a new party.
    QLineEdit* m_name;
    QLineEdit* m_address;
    QLineEdit* m_contact;
    QLineEdit* m_note;
    QPushButton* m_entry;
    Party m_party;
};
