#pragma once

#include "core/app_context.h"
#include "core/outcome.h"
#include "core/table.h"

#include "ui/form.h"

#include <QWidget>

class EntryStrip;
class ListView;
class QLabel;
class QLineEdit;
class TableModel;

// "Master Data Pelanggan" / "Daftar Supplier": the list of customers or of
// suppliers with a row of boxes under it to add, change and delete them. The
// side is fixed when the screen is made and decides the table.
class PartyMasterWindow final : public QWidget
{
    Q_OBJECT
public:
    PartyMasterWindow(AppContext& context, Side side, QWidget* parent = nullptr);

    // The toolbar's actions, also reached by the keys.
    void addNew();
    void save();
    void removeSelected();
    void paste();
    void removeAll();
    void search();
    // Lists `found`; when it could not be read the list is emptied and the reason shown.
    void showParties(const Outcome<Table>& found);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void loadSelected();
    void codeChanged(const QString& code);
    void clearBoxes();
    bool confirmRemoval();
    // The list row of the party with `code`: the selected row when it is that
    // party, else the first row that is; -1 when none is.
    int rowOf(const QString& code) const;

    AppContext& m_context;
    const Side m_side;
    TableModel* m_model;
    ListView* m_list;
    QLineEdit* m_search;
    // Kode, Nama, Alamat, Kontak, Keterangan: the list's columns in order.
    EntryStrip* m_row;
    // The box where Enter went down: its release there saves or searches.
    form::EnterKeys m_enter;
};
