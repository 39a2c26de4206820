#pragma once

#include "screens/reports/report_dialog.h"

class MonthTree;

// The two reports of one month chosen in the month tree: the profit and loss
// statement, and the turnover per product. Choosing the root changes nothing.
class MonthReportDialog final : public ReportDialog
{
    Q_OBJECT
public:
    enum class Kind { ProfitLoss, Turnover };

    MonthReportDialog(AppContext& context, Kind kind, QWidget* parent = nullptr);

private:
    void fill();

    Kind m_kind;
    MonthTree* m_months;
};
