#include "screens/printing/label_dialog.h"

#include "core/app_context.h"
#include "core/messages.h"
#include "core/shop_settings.h"
#include "screens/counter/product_search_dialog.h"
#include "screens/printing/label_page.h"
#include "screens/printing/page_printer.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

enum Column { Code, Name, Price, Count };

const QString caption = u"Label"_s;

} // namespace

LabelDialog::LabelDialog(AppContext& context, QWidget* parent)
    : QDialog(parent), m_context(context), m_list(new QTableWidget(0, 4, this)),
      m_purchase(new QLineEdit(this)), m_layout(new QComboBox(this)), m_start(new QSpinBox(this))
{
    setObjectName(u"labelDialog"_s);
    setWindowTitle(u"Cetak Label"_s);
    m_list->setHorizontalHeaderLabels({u"Kode"_s, u"Nama"_s, u"Harga"_s, u"Jumlah Label"_s});
    m_list->horizontalHeader()->setSectionResizeMode(Name, QHeaderView::Stretch);
    m_list->setColumnWidth(Code, 130);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setMinimumSize(620, 300);
    m_layout->addItems({u"Lembar A4 (3 x 10 label)"_s, u"Rol (satu label 50 x 30 mm)"_s});
    m_start->setRange(1, labels::perSheet);

    auto* search = new QPushButton(u"Cari Barang [F10]"_s, this);
    auto* take = new QPushButton(u"Ambil"_s, this);
    auto* remove = new QPushButton(u"Hapus [Del]"_s, this);
    auto* look = new QPushButton(u"Pratinjau"_s, this);
    auto* print = new QPushButton(u"Cetak"_s, this);
    auto* close = new QPushButton(u"Esc - Tutup"_s, this);
    for (QPushButton* button : {search, take, remove, look, print, close})
        button->setAutoDefault(false);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(u"No. Pembelian"_s, this), 0, 0);
    grid->addWidget(m_purchase, 0, 1, 1, 2);
    grid->addWidget(take, 0, 3);
    grid->addWidget(search, 0, 5);
    grid->addWidget(m_list, 1, 0, 1, 6);
    grid->addWidget(new QLabel(u"Kertas"_s, this), 2, 0);
    grid->addWidget(m_layout, 2, 1, 1, 2);
    grid->addWidget(new QLabel(u"Mulai di label"_s, this), 2, 3);
    grid->addWidget(m_start, 2, 4);
    grid->addWidget(remove, 3, 0);
    grid->addWidget(look, 3, 3);
    grid->addWidget(print, 3, 4);
    grid->addWidget(close, 3, 5);

    const ShopSettings settings = ShopSettings::read(m_context.shopFolder());
    m_layout->setCurrentIndex(
        labels::layoutFrom(settings.text(setting::labelLayout)) == labels::Layout::Roll ? 1 : 0);
    m_start->setEnabled(layout() == labels::Layout::Sheet);

    connect(search, &QPushButton::clicked, this, &LabelDialog::search);
    connect(take, &QPushButton::clicked, this, &LabelDialog::addPurchase);
    connect(m_purchase, &QLineEdit::returnPressed, this, &LabelDialog::addPurchase);
    connect(remove, &QPushButton::clicked, this, &LabelDialog::removeRow);
    connect(look, &QPushButton::clicked, this, &LabelDialog::preview);
    connect(print, &QPushButton::clicked, this, &LabelDialog::print);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_layout, &QComboBox::currentIndexChanged, this, &LabelDialog::layoutChosen);
    connect(m_list, &QTableWidget::itemChanged, this, [](QTableWidgetItem* item) {
        // A count typed beyond the range is kept at its nearest end.
        const int count = item->data(Qt::EditRole).toInt();
        if (item->column() == Count && (count < 0 || count > labels::mostPerItem))
            item->setData(Qt::EditRole, std::clamp(count, 0, labels::mostPerItem));
    });
    m_purchase->setFocus();
}

void LabelDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F10)
        search();
    else if (event->key() == Qt::Key_Delete && m_list->hasFocus())
        removeRow();
    else
        QDialog::keyPressEvent(event);
}

void LabelDialog::search()
{
    ProductSearchDialog finder(m_context, Side::Sales, this);
    connect(&finder, &ProductSearchDialog::taken, this, &LabelDialog::addProduct);
    finder.exec();
}

void LabelDialog::addProduct(const QString& code)
{
    if (code.isEmpty())
        return;
    const Outcome<QList<labels::Item>> found = labels::product(m_context.db(), code);
    if (!found)
        m_context.messages().failed(found);
    for (const labels::Item& item : found.ok() ? *found : QList<labels::Item>())
        add(item);
}

void LabelDialog::addPurchase()
{
    if (m_purchase->text().trimmed().isEmpty())
        return;
    const Outcome<QList<labels::Item>> lines = labels::purchase(m_context.db(), m_purchase->text());
    if (!lines) {
        m_context.messages().failed(this, caption, lines);
        return;
    }
    for (const labels::Item& item : *lines)
        add(item);
    m_purchase->clear();
}

void LabelDialog::add(const labels::Item& item)
{
    for (int row = 0; row < m_list->rowCount(); ++row) {
        if (m_list->item(row, Code)->text() == item.code) {
            QTableWidgetItem* count = m_list->item(row, Count);
            count->setData(Qt::EditRole, count->data(Qt::EditRole).toInt() + item.count);
            m_list->selectRow(row);
            return;
        }
    }
    const int row = m_list->rowCount();
    m_list->insertRow(row);
    const QStringList texts = {item.code, item.name, item.price};
    for (int column = Code; column <= Price; ++column) {
        auto* cell = new QTableWidgetItem(texts[column]);
        cell->setFlags(cell->flags() & ~Qt::ItemIsEditable);
        m_list->setItem(row, column, cell);
    }
    auto* count = new QTableWidgetItem;
    count->setData(Qt::EditRole, item.count);
    count->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_list->setItem(row, Count, count);
    m_list->item(row, Price)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_list->selectRow(row);
}

void LabelDialog::removeRow()
{
    const int row = m_list->currentRow();
    if (row >= 0)
        m_list->removeRow(row);
}

QList<labels::Item> LabelDialog::items() const
{
    QList<labels::Item> rows;
    for (int row = 0; row < m_list->rowCount(); ++row)
        rows.append({m_list->item(row, Code)->text(), m_list->item(row, Name)->text(),
                     m_list->item(row, Price)->text(),
                     m_list->item(row, Count)->data(Qt::EditRole).toInt()});
    return rows;
}

labels::Layout LabelDialog::layout() const
{
    return m_layout->currentIndex() == 1 ? labels::Layout::Roll : labels::Layout::Sheet;
}

void LabelDialog::layoutChosen()
{
    m_start->setEnabled(layout() == labels::Layout::Sheet);
    ShopSettings settings = ShopSettings::read(m_context.shopFolder());
    settings.setText(setting::labelLayout, labels::layoutName(layout()));
    if (!settings.write(m_context.shopFolder()))
        m_context.messages().info(u"Pilihan kertas label tidak dapat disimpan di "_s +
                                  QString::fromLatin1(ShopSettings::fileName));
}

QList<labels::Item> LabelDialog::toPrint()
{
    const labels::Plan plan = labels::plan(items());
    if (!plan.refused.isEmpty())
        m_context.messages().info(
            u"Kode barang ini berisi selain angka, tidak dapat di-scan di kasir dan tidak "
            "dicetak: "_s +
            plan.refused.join(u", "_s));
    if (plan.labels.isEmpty())
        m_context.messages().info(u"Tidak ada label untuk dicetak."_s);
    return plan.labels;
}

void LabelDialog::print()
{
    const QList<labels::Item> labels = toPrint();
    if (labels.isEmpty())
        return;
    const labels::Layout paper = layout();
    const int start = m_start->value();
    const Outcome<QString> printed =
        PagePrinter(m_context.shopFolder()).printPages(caption, [&](QPrinter& printer) {
            return labelpage::draw(printer, labels, paper, start);
        });
    if (!printed)
        m_context.messages().info(u"Label tidak dapat dicetak: "_s + printed.reason());
    else if (!printed->isEmpty())
        m_context.messages().info(u"Tidak ada printer. Label disimpan sebagai PDF di "_s +
                                  QDir::toNativeSeparators(*printed));
}

void LabelDialog::preview()
{
    const QList<labels::Item> labels = toPrint();
    if (labels.isEmpty())
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(caption);
    printer.setPageLayout(labelpage::pageLayout(layout()));
    QPrintPreviewDialog preview(&printer, this);
    preview.setWindowTitle(u"Pratinjau Label"_s);
    preview.setObjectName(u"pratinjauLabel"_s);
    connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [&](QPrinter* target) {
        labelpage::draw(*target, labels, layout(), m_start->value());
    });
    preview.exec();
}
