#include "screens/reports/today_sales_dialog.h"

#include "core/app_context.h"
#include "ui/list_view.h"

TodaySalesDialog::TodaySalesDialog(AppContext& context, QWidget* parent)
    : ReportDialog(context, reports::Report::TodaysSales, Side::Sales, parent)
{
    showRows(reports::todaysSales(context.db(), context.clock().today()));
    list()->setFocus();
}
