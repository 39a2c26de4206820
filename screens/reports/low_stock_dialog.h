#pragma once

#include "screens/reports/report_dialog.h"

class QLineEdit;
class QTreeWidget;

// "Stock Minimal": the products of the chosen category whose stock is below
// the number in "Stock dibawah". Choosing a category, the gear and Enter in
// the box list them again.
class LowStockDialog final : public ReportDialog
{
    Q_OBJECT
public:
    explicit LowStockDialog(AppContext& context, QWidget* parent = nullptr);

private:
    void fill();

    QTreeWidget* m_categories;
    QLineEdit* m_threshold;
};
