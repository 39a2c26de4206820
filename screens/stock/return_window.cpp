#include "screens/stock/return_window.h"

#include "core/messages.h"
#include "screens/counter/bought_items_dialog.h"
#include "screens/reports/list_export.h"
#include "ui/entry_strip.h"
#include "ui/font_text.h"
#include "ui/images.h"
#include "ui/list_view.h"
#include "ui/tool_bar.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

using Column = ReturnDocument::Column;

QLineEdit* readOnlyBox(QWidget* parent, int width)
{
    auto* box = new QLineEdit(parent);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::ClickFocus);
    box->setFixedWidth(width);
    box->setAlignment(Qt::AlignRight);
    return box;
}

} // namespace

ReturnWindow::ReturnWindow(AppContext& context, Side side, QWidget* parent)
    : QWidget(parent), m_context(context), m_document(context.db(), side),
      m_party(new QComboBox(this)), m_debt(readOnlyBox(this, 120)), m_rest(readOnlyBox(this, 120)),
      m_list(new ListView(this)),
      m_row(new EntryStrip(m_list, ReturnDocument::ColumnCount, 20, 1, this)),
      m_total(readOnlyBox(this, 120)), m_words(new QLabel(this))
{
    const SideInfo& info = sideInfo(side);
    setWindowTitle(info.returnTitle);
    showLines();
    m_list->setTableModel(&m_model);
    m_rest->setObjectName(QStringLiteral("sisa"));
    m_words->setFont(fontFromText(QStringLiteral("Arial,10,1")));
    m_words->setWordWrap(true);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(info.partyWord, this));
    top->addWidget(m_party, 1);
    top->addWidget(new QLabel(QStringLiteral("Total ") + info.debtWord, this));
    top->addWidget(m_debt);
    top->addWidget(new QLabel(QStringLiteral("Sisa "), this));
    top->addWidget(m_rest);
    auto* totalRow = new QHBoxLayout;
    totalRow->addWidget(m_words, 1);
    totalRow->addWidget(new QLabel(QStringLiteral("Total"), this));
    totalRow->addWidget(m_total);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        makeToolBar(this, {
                              {"Browse", "Browse Item", images::properties, [this] { browse(); }},
                              {"Save", "Simpan", images::diskBlue, [this] { save(); }},
                              {"Cetak", "Cetak", images::report, [this] { print(); }},
                          }));
    layout->addLayout(top);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_row);
    layout->addLayout(totalRow);
    resize(900, 480);

    const char16_t* names[] = {u"kode", u"nama", u"qty", u"satuan", u"harga", u"diskon", u"jumlah"};
    for (int column = Column::Code; column < Column::ColumnCount; ++column) {
        QLineEdit* entry = box(column);
        entry->setObjectName(QString::fromUtf16(names[column]));
        entry->installEventFilter(this);
        if (column == Column::Name || column == Column::Unit || column == Column::Amount) {
            entry->setReadOnly(true);
            entry->setFocusPolicy(Qt::ClickFocus);
        } else {
            form::acceptDigitsOnly(entry);
            connect(entry, &QLineEdit::textChanged, this,
                    [this, column](const QString& text) { boxEdited(column, text); });
        }
    }
    setTabOrder(box(Column::Code), box(Column::Quantity));
    setTabOrder(box(Column::Quantity), box(Column::Price));
    setTabOrder(box(Column::Price), box(Column::Discount));

    const auto entries = ReturnDocument::partyEntries(context.db(), side);
    if (!entries)
        context.messages().failed(entries);
    m_party->addItems(entries ? *entries : QStringList());
    connect(m_party, &QComboBox::currentIndexChanged, this, &ReturnWindow::partyChosen);
    // The first party's debt is shown at once: the refund depends on it.
    partyChosen();
    showEntry();
    form::setName(this, u"FORM9");
    box(Column::Code)->setFocus();
}

QLineEdit* ReturnWindow::box(int column) const
{
    return m_row->box(column);
}

bool ReturnWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Tab) {
        // Tab in Harga moves on to Diskon as typed; Diskon keeps its text.
        if (watched == box(Column::Quantity)) {
            box(Column::Price)->setFocus();
            box(Column::Price)->selectAll();
            return true;
        }
        if (watched == box(Column::Discount)) {
            completeLine();
            return true;
        }
    }
    if (m_enter.released(watched, event)) {
        if (watched == box(Column::Code)) {
            lookUp(box(Column::Code)->text());
        } else if (watched == box(Column::Quantity) || watched == box(Column::Price)) {
            QLineEdit* next =
                box(watched == box(Column::Quantity) ? Column::Price : Column::Discount);
            next->setFocus();
            next->selectAll();
        } else if (watched == box(Column::Discount)) {
            completeLine();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ReturnWindow::partyChosen()
{
    const Outcome<> chosen = m_document.setParty(m_party->currentText());
    showTotals();
    if (!chosen)
        m_context.messages().failed(chosen);
}

void ReturnWindow::boxEdited(int column, const QString& text)
{
    if (m_showing)
        return;
    switch (column) {
    case Column::Code:
        m_document.setCode(text);
        return;
    case Column::Quantity:
        m_document.setQuantity(text);
        break;
    case Column::Price:
        m_document.setPrice(text);
        break;
    case Column::Discount:
        m_document.setDiscount(text);
        break;
    default:
        return;
    }
    box(Column::Amount)->setText(m_document.entry().amount);
}

void ReturnWindow::lookUp(const QString& code)
{
    const Outcome<bool> found = m_document.lookup(code);
    if (!found) {
        m_context.messages().failed(found);
        return;
    }
    if (!*found)
        return;
    showEntry();
    box(Column::Quantity)->setFocus();
    box(Column::Quantity)->selectAll();
}

void ReturnWindow::completeLine()
{
    const Outcome<bool> added = m_document.completeLine();
    if (!added) {
        m_context.messages().failed(added);
        return;
    }
    if (!*added)
        return; // no code typed
    showLines();
    showEntry();
    showTotals();
    m_list->scrollToBottom();
    box(Column::Code)->setFocus();
}

void ReturnWindow::showEntry()
{
    const ReturnDocument::Entry& entry = m_document.entry();
    const QString texts[] = {entry.code,  entry.name,     entry.quantity, entry.unit,
                             entry.price, entry.discount, entry.amount};
    m_showing = true;
    for (int column = Column::Code; column < Column::ColumnCount; ++column)
        box(column)->setText(texts[column]);
    m_showing = false;
}

void ReturnWindow::showTotals()
{
    m_debt->setText(m_document.debt());
    m_rest->setText(m_document.rest());
    m_total->setText(m_document.total());
    m_words->setText(m_document.totalWords());
}

void ReturnWindow::browse()
{
    const QLineEdit* code = box(Column::Code);
    const QString chosen =
        BoughtItemsDialog::choose(m_context, m_document.side(), m_document.partyCode(),
                                  code->mapToGlobal(QPoint(0, 0)), this);
    if (!chosen.isEmpty())
        lookUp(chosen);
}

void ReturnWindow::save()
{
    const Outcome<QString> code = m_document.save(m_context.startDate, m_context.user);
    showTotals(); // also the debt read anew when another till changed it
    if (!code) {
        m_context.messages().failed(code);
        return;
    }
    if (m_context.messages().ask(this, QStringLiteral("Print"),
                                 QStringLiteral("Retur ") + sideInfo(m_document.side()).returnWord +
                                     QStringLiteral(" berhasil disimpan, cetak struk?")))
        printList();
}

void ReturnWindow::print()
{
    // Only a return this screen has stored is printed.
    if (m_document.everSaved())
        printList();
}

void ReturnWindow::printList()
{
    exporting::exportList(this, m_context, exporting::Format::WebPage, m_document.listTitle(),
                          m_model);
}

void ReturnWindow::showLines()
{
    Table table{lineColumns(), {}};
    for (const DocumentLine& line : m_document.lines())
        table.rows.append(line.cells());
    m_model.setTable(table, {100, 250, 50, 100, 100, 100, 120});
}
