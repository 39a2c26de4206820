#pragma once

#include "logic/labels.h"

#include <QDialog>

class AppContext;
class QComboBox;
class QLineEdit;
class QSpinBox;
class QTableWidget;

// "Label": the list of products to label, taken from the product search or
// from the lines of a stored purchase, each row with its number of labels;
// the paper (an A4 sheet with the label to start at, or a roll), remembered
// in toko.ini; printed or previewed.
class LabelDialog final : public QDialog
{
    Q_OBJECT
public:
    explicit LabelDialog(AppContext& context, QWidget* parent = nullptr);

    // One more label of the product with `code`: a new row, or one more on its row.
    void addProduct(const QString& code);
    // The lines of the purchase typed in the purchase box.
    void addPurchase();
    // The rows as they stand, counts as edited.
    QList<labels::Item> items() const;

    void print();
    void preview();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void search();
    void add(const labels::Item& item);
    void removeRow();
    void layoutChosen();
    labels::Layout layout() const;
    // The labels to print; names the refused codes first. Empty when none is left.
    QList<labels::Item> toPrint();

    AppContext& m_context;
    QTableWidget* m_list;
    QLineEdit* m_purchase;
    QComboBox* m_layout;
    QSpinBox* m_start;
};
