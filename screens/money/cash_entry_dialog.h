#pragma once

#include "core/app_context.h"
#include "logic/cash_book.h"

#include <QDialog>

class QLineEdit;
class TableModel;

// "Alur Kas": other cash received or paid out. A stored entry is added at
// the end of the cash book on screen, its balance carried on from the last
// row, and can be printed as a voucher.
class CashEntryDialog final : public QDialog
{
    Q_OBJECT
public:
    CashEntryDialog(AppContext& context, cashbook::Flow flow, TableModel& book,
                    QWidget* parent = nullptr);

    // "Simpan Kas": stores the entry and closes; on a failure the dialog
    // stays, with what was typed, for another try.
    void save();

private:
    AppContext& m_context;
    const cashbook::Flow m_flow;
    TableModel& m_book;
    QLineEdit* m_party;
    QLineEdit* m_purpose;
    QLineEdit* m_amount;
    QLineEdit* m_words;
    bool m_stored = false;
};
