#pragma once

#include "core/app_context.h"

#include "ui/form.h"

#include <QWidget>

class EntryStrip;
class ListView;
class QLineEdit;
class TableModel;

// "Master Data Produk Toko": every product in a list with a row of boxes
// under it to add and change one, its quantity price tiers, deleting one or
// all of them, and rows pasted from a spreadsheet.
class ProductMasterWindow final : public QWidget
{
    Q_OBJECT
public:
    explicit ProductMasterWindow(AppContext& context, QWidget* parent = nullptr);

    // The toolbar's actions, also reached by the keys.
    void addNew();
    void save();
    void removeSelected();
    void editTiers();
    void paste();
    void removeAll();
    void search();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void loadSelected();
    void codeChanged(const QString& code);
    // Empties the boxes from Kode up to `last`, in order, and the tiers.
    void clearBoxes(int last);
    // The list row of the product with `code`: the selected row when it is
    // that product, else the first row that is; -1 when none is.
    int rowOf(const QString& code) const;

    AppContext& m_context;
    TableModel* m_model;
    ListView* m_list;
    QLineEdit* m_search;
    // Kode, Nama, Kategori, Stock, Satuan, HargaPokok, HargaJual, Diskon,
    // Barcode: the list's columns in order.
    EntryStrip* m_row;
    // The tiers the next save writes, and the product they were loaded or
    // set for: another code's save leaves its own stored tiers alone.
    struct {
        QString code;
        QString text;
    } m_tiers;
    form::EnterKeys m_enter;
};
