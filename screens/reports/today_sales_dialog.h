#pragma once

#include "screens/reports/report_dialog.h"

// "Laporan Penjualan Hari Ini": today's sales per product with their cost and
// margin, as they stand when the screen opens.
class TodaySalesDialog final : public ReportDialog
{
    Q_OBJECT
public:
    explicit TodaySalesDialog(AppContext& context, QWidget* parent = nullptr);
};
