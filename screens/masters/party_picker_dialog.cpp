#include "screens/masters/party_picker_dialog.h"

#include "core/messages.h"
#include "ui/form.h"
#include "ui/list_view.h"
#include "ui/table_model.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QString firstCaption = QStringLiteral("Pelanggan");

} // namespace

PartyPickerDialog::PartyPickerDialog(AppContext& context, Side side, QWidget* parent)
    : QDialog(parent), m_context(context), m_side(side), m_model(new TableModel(this)),
      m_list(new ListView(this)), m_search(new QLineEdit(this)), m_tabs(new QTabWidget(this)),
      m_listPage(buildListPage()), m_name(new QLineEdit(this)), m_address(new QLineEdit(this)),
      m_contact(new QLineEdit(this)), m_note(new QLineEdit(this)),
      m_entry(new QPushButton(QStringLiteral("Entry"), this))
{
    setWindowTitle(firstCaption);
    m_tabs->addTab(m_listPage, QStringLiteral("Daftar"));
    m_tabs->addTab(buildNewPage(), sideInfo(m_side).newPartyTab);

    auto* cancel = new QPushButton(QStringLiteral("Esc - Batal"), this);
    cancel->setAutoDefault(false);
    connect(m_entry, &QPushButton::clicked, this, &PartyPickerDialog::entry);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_entry);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addLayout(buttons);
    resize(680, 420);

    showParties(parties::load(m_context.db(), m_side));
    // The caption names the party the cashier is about to take.
    auto* titleTimer = new QTimer(this);
    titleTimer->setInterval(100);
    connect(titleTimer, &QTimer::timeout, this, &PartyPickerDialog::showSelectedName);
    titleTimer->start();

    form::setName(this, u"FORM2");
    m_entry->setFocus();
}

QWidget* PartyPickerDialog::buildListPage()
{
    auto* page = new QWidget(this);
    form::setName(page, u"FORM4");
    m_model->setColumns({{QStringLiteral("Kode"), 100, Qt::AlignLeft},
                         {QStringLiteral("Nama"), 220, Qt::AlignLeft},
                         {QStringLiteral("Alamat"), 100, Qt::AlignLeft},
                         {QStringLiteral("Phone"), 50, Qt::AlignHCenter},
                         {QStringLiteral("Ket"), 150, Qt::AlignLeft}});
    m_list->setTableModel(m_model);
    m_search->setObjectName(QStringLiteral("pencarian"));
    m_search->installEventFilter(this);

    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(new QLabel(QStringLiteral("Pencarian"), page));
    searchRow->addWidget(m_search);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(searchRow);
    layout->addWidget(m_list);
    return page;
}

QWidget* PartyPickerDialog::buildNewPage()
{
    auto* page = new QWidget(this);
    form::setName(page, u"FORM3");
    auto* layout = new QFormLayout(page);
    layout->addRow(QStringLiteral("Nama"), m_name);
    layout->addRow(QStringLiteral("Alamat"), m_address);
    layout->addRow(QStringLiteral("Phone"), m_contact);
    layout->addRow(QStringLiteral("Keterangan"), m_note);
    connect(m_name, &QLineEdit::textEdited, this, &PartyPickerDialog::capitaliseName);
    return page;
}

std::optional<Party> PartyPickerDialog::choose(AppContext& context, Side side, QWidget* owner)
{
    PartyPickerDialog dialog(context, side, owner);
    if (dialog.exec() != Accepted)
        return std::nullopt;
    return dialog.party();
}

bool PartyPickerDialog::eventFilter(QObject* watched, QEvent* event)
{
    // Enter in the search box searches and goes no further: the dialog would
    // take it for "Entry".
    if (watched == m_search && event->type() == QEvent::KeyPress &&
        form::isEnter(static_cast<QKeyEvent*>(event))) {
        search();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void PartyPickerDialog::search()
{
    showParties(parties::search(m_context.db(), m_side, parties::Screen::Picker, m_search->text()));
}

void PartyPickerDialog::showParties(const Outcome<Table>& found)
{
    m_model->setRows(found ? found->rows : QList<QStringList>());
    if (!found)
        m_context.messages().failed(found);
}

void PartyPickerDialog::showSelectedName()
{
    const int row = m_list->selectedRow();
    setWindowTitle(row < 0 ? firstCaption : m_model->cell(row, 1));
}

void PartyPickerDialog::capitaliseName(const QString& typed)
{
    const QString capitals = typed.toUpper();
    if (capitals == typed)
        return;
    const int cursor = m_name->cursorPosition();
    m_name->setText(capitals);
    m_name->setCursorPosition(cursor);
}

void PartyPickerDialog::entry()
{
    if (m_tabs->currentWidget() == m_listPage) {
        const int row = m_list->selectedRow();
        // No row chosen hands back empty texts.
        m_party = {m_model->cell(row, 1), m_model->cell(row, 2), m_model->cell(row, 3),
                   m_model->cell(row, 4), m_model->cell(row, 0)};
        accept();
        return;
    }
    const Party typed{m_name->text(), m_address->text(), m_contact->text(), m_note->text(), {}};
    const Outcome<QString> added =
        parties::add(m_context.db(), m_side, parties::Screen::Picker, typed);
    if (!added) {
        m_context.messages().failed(added); // the popup stays for another try
        return;
    }
    m_party = typed;
    m_party.code = *added;
    accept();
}
