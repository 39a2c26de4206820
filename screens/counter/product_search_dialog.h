#pragma once

#include "core/app_context.h"
#include "ui/form.h"
#include "ui/table_model.h"

#include <QDialog>

class ListView;
class QLineEdit;

// "Item Barang": finds a product by part of its code, barcode, name or
// price and hands its code to the cashier. On the sales side a take closes
// the search; on the purchase side it stays open for the next product.
class ProductSearchDialog final : public QDialog
{
    Q_OBJECT
public:
    ProductSearchDialog(AppContext& context, Side side, QWidget* parent = nullptr);

    void search();
    // F11, "Produk" or "[F11] Entry": hands over the selected product.
    void take();

signals:
    // A product was chosen; an empty code when no row was selected.
    void taken(const QString& code);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString selectedCode() const;

    AppContext& m_context;
    const Side m_side;
    TableModel m_model;
    QLineEdit* m_search;
    ListView* m_list;
    form::EnterKeys m_enter;
};
