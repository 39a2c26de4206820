#include "screens/reports/debt_report_dialog.h"

#include "core/app_context.h"
#include "ui/list_view.h"

DebtReportDialog::DebtReportDialog(AppContext& context, Side side, QWidget* parent)
    : ReportDialog(context, reports::Report::Debts, side, parent)
{
    showRows(reports::debts(context.db(), side, context.clock().today()));
    list()->setFocus();
}
