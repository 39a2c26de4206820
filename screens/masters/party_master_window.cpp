#include "screens/masters/party_master_window.h"
#include "screens/masters/paste_prompt.h"

#include "core/messages.h"
#include "logic/parties.h"
#include "ui/entry_strip.h"
#include "ui/font_text.h"
#include "ui/form.h"
#include "ui/images.h"
#include "ui/list_view.h"
#include "ui/table_model.h"
#include "ui/tool_bar.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

enum Box { Code, Name, Address, Contact, Note, BoxCount };

const int boxHeight = 20;

} // namespace

PartyMasterWindow::PartyMasterWindow(AppContext& context, Side side, QWidget* parent)
    : QWidget(parent), m_context(context), m_side(side), m_model(new TableModel(this)),
      m_list(new ListView(this)), m_search(new QLineEdit(this)),
      m_row(new EntryStrip(m_list, BoxCount, boxHeight, 1, this))
{
    const QString& caption = sideInfo(side).masterTitle;
    setWindowTitle(caption);
    auto* title = new QLabel(caption, this);
    title->setFont(fontFromText(QStringLiteral("Arial,14,1")));

    m_list->setTableModel(m_model);

    m_search->setObjectName(QStringLiteral("pencarian"));
    m_search->setFixedWidth(250);
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(new QLabel(QStringLiteral("Pencarian"), this));
    searchRow->addWidget(m_search);
    searchRow->addWidget(
        new QLabel(QStringLiteral("Tekan Enter untuk Cari dan Tekan Tab Pindah Kolom "), this));
    searchRow->addStretch();

    const char16_t* names[] = {u"kode", u"nama", u"alamat", u"kontak", u"keterangan"};
    for (int i = Code; i < BoxCount; ++i) {
        m_row->box(i)->setObjectName(QString::fromUtf16(names[i]));
        m_row->box(i)->installEventFilter(this);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(makeToolBar(
        this, {
                  {"Add", "Tambah Data", images::dataAdd, [this] { addNew(); }},
                  {"Save", "Simpan", images::diskBlue, [this] { save(); }},
                  {"Remove", "Hapus Data", images::dataDelete, [this] { removeSelected(); }},
                  {"Paste", "Paste From Excel", images::down, [this] { paste(); }},
                  {"Reset", "Reset Data", images::closeButton, [this] { removeAll(); }},
              }));
    layout->addLayout(searchRow);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_row);

    setTabOrder(m_search, m_row->box(Code));
    for (int i = Code; i + 1 < BoxCount; ++i)
        setTabOrder(m_row->box(i), m_row->box(i + 1));
    m_search->installEventFilter(this);
    m_list->viewport()->installEventFilter(this);
    // Kode takes digits only when typed; a paste is not filtered.
    form::acceptDigitsOnly(m_row->box(Code));
    connect(m_row->box(Code), &QLineEdit::textChanged, this, &PartyMasterWindow::codeChanged);

    showParties(parties::load(m_context.db(), m_side));
    form::setName(this, u"FORM7");
    m_row->box(Code)->setFocus();
}

bool PartyMasterWindow::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == m_row->box(Note) || watched == m_search) && m_enter.released(watched, event)) {
        if (watched == m_row->box(Note))
            save();
        else
            search();
        return false;
    }
    if (watched == m_list->viewport() && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        loadSelected();
    return QWidget::eventFilter(watched, event);
}

void PartyMasterWindow::loadSelected()
{
    const int row = m_list->selectedRow();
    if (row < 0)
        return;
    // Kode first: its change rule empties the other boxes before they are filled.
    for (int i = Code; i < BoxCount; ++i)
        m_row->box(i)->setText(m_model->cell(row, i));
}

void PartyMasterWindow::codeChanged(const QString& code)
{
    const int row = m_list->selectedRow();
    if (row < 0 || code != m_model->cell(row, 0))
        return;
    for (int i = Name; i < BoxCount; ++i)
        m_row->box(i)->clear();
}

void PartyMasterWindow::clearBoxes()
{
    for (QLineEdit* box : m_row->boxes())
        box->clear();
}

void PartyMasterWindow::addNew()
{
    m_search->clear();
    clearBoxes();
    m_row->box(Name)->setFocus();
}

int PartyMasterWindow::rowOf(const QString& code) const
{
    const int selected = m_list->selectedRow();
    if (selected >= 0 && m_model->cell(selected, 0) == code)
        return selected;
    for (int row = 0; row < m_model->rowCount(); ++row) {
        if (m_model->cell(row, 0) == code)
            return row;
    }
    return -1;
}

void PartyMasterWindow::save()
{
    Database& db = m_context.db();
    Messages& messages = m_context.messages();
    const Party party{m_row->box(Name)->text(), m_row->box(Address)->text(),
                      m_row->box(Contact)->text(), m_row->box(Note)->text(),
                      m_row->box(Code)->text()};
    const Outcome<bool> known = parties::exists(db, m_side, party.code);
    if (!known) {
        messages.failed(known);
        return;
    }
    if (!*known) {
        // A new party: the typed code is not used, the next free one is.
        const Outcome<QString> added = parties::add(db, m_side, parties::Screen::Master, party);
        if (!added) {
            messages.failed(added);
            return;
        }
        m_model->appendRow({*added, party.name, party.address, party.contact, party.note});
        messages.info(QStringLiteral("Data berhasil ditambahkan.."));
        clearBoxes();
        return;
    }
    if (const Outcome<> updated = parties::update(db, m_side, party); !updated) {
        messages.failed(updated);
        return;
    }
    const int row = rowOf(party.code);
    for (int i = Name; i < BoxCount; ++i)
        m_model->setCell(row, i, m_row->box(i)->text());
    messages.info(QStringLiteral("Data berhasil dirubah.."));
}

bool PartyMasterWindow::confirmRemoval()
{
    return m_context.messages().ask(
        this, QStringLiteral("Remove Data"),
        QStringLiteral("Yakin Hapus ") + sideInfo(m_side).partyWord +
            QStringLiteral(" ini?, Penghapusan dapat mengakibatkan hilangnya referensi antar "
                           "Data yang pernah tersimpan."));
}

void PartyMasterWindow::removeSelected()
{
    const int row = m_list->selectedRow();
    if (row < 0 || !confirmRemoval())
        return;
    if (const Outcome<> removed = parties::remove(m_context.db(), m_side, m_model->cell(row, 0));
        !removed) {
        m_context.messages().failed(removed);
        return;
    }
    m_model->removeRows(row, 1);
    m_search->clear();
    clearBoxes();
}

void PartyMasterWindow::removeAll()
{
    if (!confirmRemoval())
        return;
    if (const Outcome<> removed = parties::removeAll(m_context.db(), m_side); !removed) {
        m_context.messages().failed(removed);
        return;
    }
    m_model->clear();
    m_search->clear();
    clearBoxes();
}

void PartyMasterWindow::paste()
{
    paste::fromClipboard(m_context.messages(), this, *m_list, *m_model, paste::partiesCaption(),
                         paste::partyRows, [this](const QList<paste::Line>& lines) {
                             return paste::importParties(m_context.db(), m_side, lines);
                         });
}

void PartyMasterWindow::showParties(const Outcome<Table>& found)
{
    m_model->setTable(found ? *found : Table{parties::columns(), {}}, {100, 150, 150, 100, 100});
    if (!found)
        m_context.messages().failed(found);
}

void PartyMasterWindow::search()
{
    showParties(parties::search(m_context.db(), m_side, parties::Screen::Master, m_search->text()));
    m_list->setFocus();
    m_list->selectRow(0);
}
