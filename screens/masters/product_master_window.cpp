#include "screens/masters/product_master_window.h"
#include "screens/masters/paste_prompt.h"

#include "core/messages.h"
#include "core/users.h"
#include "logic/price_tiers.h"
#include "logic/product_search.h"
#include "logic/products.h"
#include "screens/masters/price_tiers_dialog.h"
#include "ui/entry_strip.h"
#include "ui/font_text.h"
#include "ui/images.h"
#include "ui/list_view.h"
#include "ui/table_model.h"
#include "ui/tool_bar.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QToolBar>
#include <QVBoxLayout>

using enum products::Column;

namespace {

const int boxHeight = 20;
const QString removeCaption = QStringLiteral("Remove Data");

} // namespace

ProductMasterWindow::ProductMasterWindow(AppContext& context, QWidget* parent)
    : QWidget(parent), m_context(context), m_model(new TableModel(this)),
      m_list(new ListView(this)), m_search(new QLineEdit(this)),
      m_row(new EntryStrip(m_list, Tiers, boxHeight, 1, this))
{
    const QString caption = QStringLiteral("Master Data Produk Toko");
    setWindowTitle(caption);
    auto* title = new QLabel(caption, this);
    title->setFont(fontFromText(QStringLiteral("Arial,14,1")));
    // Grosir is the screen's own store: width 0 keeps it out of sight.
    m_model->setTable({products::columns(), {}}, {100, 250, 100, 100, 50, 100, 100, 100, 100, 0});
    m_list->setTableModel(m_model);

    const char16_t* names[] = {u"kode",       u"nama",      u"kategori", u"stock",  u"satuan",
                               u"hargapokok", u"hargajual", u"diskon",   u"barcode"};
    for (int i = Code; i < Tiers; ++i) {
        QLineEdit* box = m_row->box(i);
        box->setObjectName(QString::fromUtf16(names[i]));
        box->installEventFilter(this);
        if (i != Name && i != Category && i != Unit)
            form::acceptDigitsOnly(box); // typed keys only: a paste is not filtered
        if (i > Code)
            setTabOrder(m_row->box(i - 1), box);
    }
    connect(m_row->box(Code), &QLineEdit::textChanged, this, &ProductMasterWindow::codeChanged);
    connect(m_row->box(Cost), &QLineEdit::textChanged, this, [this](const QString& cost) {
        m_row->box(Price)->setText(products::priceFromCost(cost));
    });

    m_search->setObjectName(QStringLiteral("pencarian"));
    m_search->setFixedWidth(250);
    m_search->installEventFilter(this);
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(new QLabel(QStringLiteral("Pencarian"), this));
    searchRow->addWidget(m_search);
    searchRow->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(makeToolBar(
        this, {
                  {"Add", "Tambah Data", images::dataAdd, [this] { addNew(); }},
                  {"Save", "Simpan", images::diskBlue, [this] { save(); }},
                  {"Remove", "Hapus Data", images::dataDelete, [this] { removeSelected(); }},
                  {"Harga", "Multiple Price", images::properties, [this] { editTiers(); }},
                  {"Paste", "Paste From Excel", images::down, [this] { paste(); }},
                  {"Reset", "Reset Data", images::closeButton, [this] { removeAll(); }},
              }));
    layout->addWidget(m_list, 1);
    layout->addWidget(m_row);
    layout->addLayout(searchRow);
    m_list->viewport()->installEventFilter(this);

    if (const Outcome<Table> all = products::loadAll(m_context.db()); all)
        m_model->setRows(all->rows);
    else
        m_context.messages().failed(all);
    form::setName(this, u"FORM5");
    m_row->box(Code)->setFocus();
}

bool ProductMasterWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (m_enter.released(watched, event)) {
        if (watched == m_search)
            search();
        else if (watched == m_row->box(Barcode))
            save();
        return false;
    }
    if (event->type() == QEvent::KeyPress && form::isEnter(static_cast<QKeyEvent*>(event))) {
        // Enter walks the boxes in list order, as Tab does.
        const int box = static_cast<int>(m_row->boxes().indexOf(watched));
        if (box >= Code && box < Barcode) {
            m_row->box(box + 1)->setFocus();
            return true;
        }
    }
    if (watched == m_list->viewport() && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        loadSelected();
    return QWidget::eventFilter(watched, event);
}

void ProductMasterWindow::loadSelected()
{
    const int row = m_list->selectedRow();
    if (row < 0)
        return;
    // Kode first, so its change rule runs before the others are filled, and
    // HargaPokok before HargaJual, so the stored price wins over cost plus 30 percent.
    for (int i = Code; i < Tiers; ++i) {
        m_row->box(i)->setText(m_model->cell(row, i));
        m_row->box(i)->setCursorPosition(0);
    }
    m_tiers = {m_model->cell(row, Code), m_model->cell(row, Tiers)};
}

void ProductMasterWindow::codeChanged(const QString& code)
{
    const int row = m_list->selectedRow();
    if (row >= 0 && code == m_model->cell(row, Code)) {
        for (int i = Name; i <= Discount; ++i)
            m_row->box(i)->clear();
        m_tiers = {};
    }
    // A typed code is the barcode too, unless Barcode is changed afterwards.
    m_row->box(Barcode)->setText(code);
}

void ProductMasterWindow::clearBoxes(int last)
{
    for (int i = Code; i <= last; ++i)
        m_row->box(i)->clear();
    m_tiers = {};
}

void ProductMasterWindow::addNew()
{
    clearBoxes(Discount);
    m_row->box(Code)->setFocus();
}

int ProductMasterWindow::rowOf(const QString& code) const
{
    const int selected = m_list->selectedRow();
    if (selected >= 0 && m_model->cell(selected, Code) == code)
        return selected;
    for (int row = 0; row < m_model->rowCount(); ++row) {
        if (m_model->cell(row, Code) == code)
            return row;
    }
    return -1;
}

void ProductMasterWindow::save()
{
    Database& db = m_context.db();
    QStringList cells;
    for (int i = Code; i < Tiers; ++i)
        cells.append(m_row->box(i)->text());
    const QString& code = cells.at(Code);
    // Tiers belong to the product they were loaded or set for.
    const bool ownTiers = m_tiers.code == code;
    cells.append(ownTiers ? m_tiers.text : QString());
    const products::Product product = products::fromRow(cells);
    const Outcome<bool> known = products::exists(db, code);
    if (!known) {
        m_context.messages().failed(known);
        return;
    }
    if (!*known) {
        const Outcome<> added = products::add(db, product);
        if (!added) {
            m_context.messages().failed(added);
            return; // the boxes keep what was typed
        }
        m_model->appendRow(cells);
        m_context.messages().info(QStringLiteral("Data berhasil ditambahkan.."));
        clearBoxes(Barcode);
        return;
    }
    const Outcome<> changed = products::update(db, product, ownTiers);
    if (!changed) {
        m_context.messages().failed(changed);
        return;
    }
    const int row = rowOf(code);
    for (int i = Name; row >= 0 && i <= Tiers; ++i) {
        if (i < Tiers || ownTiers)
            m_model->setCell(row, i, cells.at(i));
    }
    m_context.messages().info(QStringLiteral("Data berhasil dirubah.."));
}

void ProductMasterWindow::removeSelected()
{
    const int row = m_list->selectedRow();
    if (row < 0 ||
        !m_context.messages().ask(this, removeCaption,
                                  QStringLiteral("Yakin Hapus Item ini?, Penghapusan dapat "
                                                 "mengakibatkan hilangnya referensi antar Data "
                                                 "yang pernah tersimpan.")))
        return;
    const Outcome<> removed = products::remove(m_context.db(), m_model->cell(row, Code));
    if (!removed) {
        m_context.messages().failed(removed);
        return;
    }
    m_model->removeRows(row, 1);
    clearBoxes(Discount);
}

void ProductMasterWindow::removeAll()
{
    Messages& messages = m_context.messages();
    // Refused before the question, not after it.
    if (const Outcome<> allowed = users::administratorOnly(m_context.user); !allowed) {
        messages.failed(allowed);
        return;
    }
    if (!messages.ask(this, removeCaption,
                      QStringLiteral("Yakin Reset Data Produk Penjualan ini?, reset data dapat "
                                     "mengakibatkan hilangnya semua data yang pernah tersimpan.")))
        return;
    const Outcome<> removed = products::removeAll(m_context.db(), m_context.user);
    if (!removed) {
        messages.failed(removed);
        return;
    }
    m_model->clear();
}

void ProductMasterWindow::editTiers()
{
    // The selected row speaks for the product when it holds the code in the
    // boxes; otherwise the boxes do (a product not saved yet).
    const QString code = m_row->box(Code)->text();
    const int selected = m_list->selectedRow();
    const int row = selected >= 0 && m_model->cell(selected, Code) == code ? selected : -1;
    const auto value = [&](int column) {
        return row >= 0 ? m_model->cell(row, column) : m_row->box(column)->text();
    };
    const QString text = m_tiers.code == code ? m_tiers.text : row >= 0 ? value(Tiers) : QString();
    PriceTiersDialog dialog(m_context.messages(), value(Name), tiers::read(text, value(Price)),
                            this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_tiers = {code, tiers::write(dialog.rows())};
    if (row >= 0)
        m_model->setCell(row, Tiers, m_tiers.text);
}

void ProductMasterWindow::paste()
{
    paste::fromClipboard(m_context.messages(), this, *m_list, *m_model, paste::productsCaption(),
                         paste::productRows, [this](const QList<paste::Line>& lines) {
                             return paste::importProducts(m_context.db(), lines);
                         });
}

void ProductMasterWindow::search()
{
    const Outcome<QList<QStringList>> found =
        products::searchMaster(m_context.db(), m_search->text());
    m_model->setRows(found ? *found : QList<QStringList>());
    if (!found)
        m_context.messages().failed(found);
    m_list->setFocus();
    m_list->selectRow(0);
}
