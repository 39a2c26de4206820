#include "screens/money/cash_book_window.h"

#include "core/messages.h"
#include "screens/money/cash_entry_dialog.h"
#include "screens/reports/list_export.h"
#include "ui/form.h"
#include "ui/list_view.h"
#include "ui/month_tree.h"
#include "ui/table_model.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QList<int> widths = {100, 150, 250, 100, 100, 100};

} // namespace

CashBookWindow::CashBookWindow(AppContext& context, QWidget* parent)
    : QDialog(parent), m_context(context), m_months(new MonthTree(context.clock(), this)),
      m_book(new TableModel(this)), m_list(new ListView(this))
{
    setWindowTitle(QStringLiteral("Buku Kas"));
    m_book->setTable({cashbook::columns(), {}}, widths);
    m_list->setObjectName(QStringLiteral("bukuKas"));
    m_list->setTableModel(m_book);
    m_months->setObjectName(QStringLiteral("bulan"));
    m_months->setFixedWidth(160);

    const auto button = [this](const QString& text, auto action) {
        return form::button(this, text, action);
    };
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(button(QStringLiteral("Kas Masuk"), [this] { enter(cashbook::Flow::In); }));
    buttons->addWidget(
        button(QStringLiteral("Kas Keluar"), [this] { enter(cashbook::Flow::Out); }));
    buttons->addWidget(button(QStringLiteral("Cetak"), [this] { printList(); }));
    buttons->addStretch();
    buttons->addWidget(button(QStringLiteral("Esc - Tutup"), [this] { reject(); }));

    auto* body = new QHBoxLayout;
    body->addWidget(m_months);
    body->addWidget(m_list, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addLayout(buttons);
    resize(1000, 540);

    connect(m_months, &QTreeWidget::currentItemChanged, this, &CashBookWindow::showMonth);
    form::setName(this, u"FORM13");
}

void CashBookWindow::showMonth()
{
    // The root "Bulan" is no month: the book stays empty.
    const QString month = m_months->selectedMonth();
    if (month.isEmpty()) {
        m_book->clear();
        return;
    }
    const Outcome<Table> book =
        cashbook::load(m_context.db(), month.left(4).toInt(), month.mid(5).toInt());
    if (!book) {
        m_book->clear();
        m_context.messages().failed(book);
        return;
    }
    m_book->setTable(*book, widths);
}

void CashBookWindow::enter(cashbook::Flow flow)
{
    CashEntryDialog dialog(m_context, flow, *m_book, this);
    dialog.exec();
}

void CashBookWindow::printList()
{
    exporting::exportList(this, m_context, exporting::Format::WebPage,
                          QStringLiteral("Laporan Alur Kas"), *m_book);
}
