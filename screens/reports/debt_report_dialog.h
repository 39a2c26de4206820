#pragma once

#include "core/side.h"
#include "screens/reports/report_dialog.h"

// "Laporan Piutang" (sales) or "Laporan Hutang" (purchases): every document
// still open, with its due date and whether that day is past, as they stand
// when the screen opens.
class DebtReportDialog final : public ReportDialog
{
    Q_OBJECT
public:
    DebtReportDialog(AppContext& context, Side side, QWidget* parent = nullptr);
};
