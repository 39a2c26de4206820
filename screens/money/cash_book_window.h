#pragma once

#include "core/app_context.h"
#include "logic/cash_book.h"

#include <QDialog>

class ListView;
class MonthTree;
class TableModel;

// "Buku Kas": the months of this year, the cash book of the month chosen,
// and the entry of other cash received ("Kas Masuk") or paid out ("Kas
// Keluar").
class CashBookWindow final : public QDialog
{
    Q_OBJECT
public:
    explicit CashBookWindow(AppContext& context, QWidget* parent = nullptr);

    // Opens "Alur Kas" for money in or out.
    void enter(cashbook::Flow flow);

private:
    void showMonth();
    void printList();

    AppContext& m_context;
    MonthTree* m_months;
    TableModel* m_book;
    ListView* m_list;
};
