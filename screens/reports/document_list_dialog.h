#pragma once

#include "core/side.h"
#include "screens/reports/report_dialog.h"

class QDateEdit;

// "Daftar Transaksi Penjualan" (or "Pembelian"): the sales or purchases
// between two dates. On opening, from the first of the start-up month to the
// start-up date with "Dibayar" the cash paid at the counter; "Tampilkan"
// lists the dates chosen with "Dibayar" the total less what is still open.
class DocumentListDialog final : public ReportDialog
{
    Q_OBJECT
public:
    DocumentListDialog(AppContext& context, Side side, QWidget* parent = nullptr);

private:
    void fill(reports::Paid paid);

    Side m_side;
    QDateEdit* m_from;
    QDateEdit* m_to;
};
