#include "screens/money/cash_entry_dialog.h"

#include "core/messages.h"
#include "core/text_ops.h"
#include "logic/amount_words.h"
#include "screens/printing/receipt_printing.h"
#include "ui/form.h"
#include "ui/table_model.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

CashEntryDialog::CashEntryDialog(AppContext& context, cashbook::Flow flow, TableModel& book,
                                 QWidget* parent)
    : QDialog(parent), m_context(context), m_flow(flow), m_book(book), m_party(new QLineEdit(this)),
      m_purpose(new QLineEdit(this)), m_amount(new QLineEdit(this)), m_words(new QLineEdit(this))
{
    setWindowTitle(QStringLiteral("Alur Kas"));
    m_party->setObjectName(QStringLiteral("pihak"));
    m_purpose->setObjectName(QStringLiteral("keperluan"));
    m_amount->setObjectName(QStringLiteral("jumlah"));
    m_words->setObjectName(QStringLiteral("terbilang"));
    // Thirteen digits read as a long sentence: a box holds it without widening the dialog.
    m_words->setReadOnly(true);
    m_words->setFocusPolicy(Qt::NoFocus);
    form::acceptDigitsOnly(m_amount);
    m_amount->setMaxLength(amount::boxDigits());
    // Names are written in capitals, whatever the keyboard's state.
    connect(m_party, &QLineEdit::textEdited, this, [this](const QString& text) {
        const int cursor = m_party->cursorPosition();
        m_party->setText(text.toUpper());
        m_party->setCursorPosition(cursor);
    });
    connect(m_amount, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_words->setText(amount::wordsOf(text));
        m_words->setCursorPosition(0); // the words read from their start
    });
    auto* button = form::button(this, QStringLiteral("Simpan Kas"), &CashEntryDialog::save);

    auto* layout = new QFormLayout(this);
    layout->addRow(flow == cashbook::Flow::In ? QStringLiteral("Diterima dari")
                                              : QStringLiteral("Dibayar Kepada"),
                   m_party);
    layout->addRow(QStringLiteral("Keperluan"), m_purpose);
    layout->addRow(QStringLiteral("Jumlah"), m_amount);
    layout->addRow(QString(), m_words);
    layout->addRow(QString(), button);
    form::setName(this, u"FORM16");
    m_party->setFocus();
}

void CashEntryDialog::save()
{
    // An entry already stored from this opening is not stored again.
    if (m_stored) {
        accept();
        return;
    }
    const cashbook::Entry entry{m_flow,           m_context.startDate,
                                m_party->text(),  m_purpose->text(),
                                m_amount->text(), m_context.user};
    const Outcome<QString> code = cashbook::store(m_context.db(), entry);
    if (!code) {
        m_context.messages().failed(code);
        return;
    }
    m_stored = true;
    const int last = m_book.rowCount() - 1;
    m_book.appendRow(cashbook::row(
        entry, *code, cashbook::lastBalance(last < 0 ? QStringList() : m_book.row(last))));
    if (text::textToNumber(entry.amount) > 0)
        openCashDrawer(m_context, Drawer::AfterStoring);
    if (m_context.messages().ask(this, QStringLiteral("Print"),
                                 QStringLiteral("Cetak Transaksi Kas?")))
        printVoucher(m_context, cashbook::voucher(entry, *code));
    accept();
}
