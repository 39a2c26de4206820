#include "screens/reports/today_sales_dialog.h"

#include "core/app_context.h"
#include "ui/list_view.h"

TodaySalesDialog::TodaySalesDialog(AppContext& context, QWidget* parent)
    : ReportDialog(context, reports::describe(reports::Report::TodaysSales), parent)
{
    showFailure(reports::fillTodaysSales(context.db(), context.clock().today(), model()));
    list()->setFocus();
}
