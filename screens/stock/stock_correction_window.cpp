#include "screens/stock/stock_correction_window.h"

#include "core/messages.h"
#include "screens/reports/list_export.h"
#include "ui/entry_strip.h"
#include "ui/list_view.h"
#include "ui/month_tree.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

StockCorrectionWindow::StockCorrectionWindow(AppContext& context, QWidget* parent)
    : QDialog(parent), m_context(context), m_correction(context.db()),
      m_tree(new MonthTree(context.clock(), this)), m_list(new ListView(this)),
      m_row(new EntryStrip(m_list, BoxCount, 20, 1, this))
{
    setWindowTitle(QStringLiteral("Koreksi Stock"));
    showLines();
    m_list->setTableModel(&m_model);
    m_tree->setFixedWidth(200);

    const QIcon monthIcon = style()->standardIcon(QStyle::SP_DirIcon);
    const QIcon documentIcon = style()->standardIcon(QStyle::SP_FileIcon);
    const QString year = QString::number(context.clock().today().year());
    for (int month = 1; QTreeWidgetItem* node = m_tree->monthItem(month); ++month) {
        node->setIcon(0, monthIcon);
        const auto codes = StockCorrection::codesOfMonth(
            context.db(), year + u'-' + QString::number(month).rightJustified(2, u'0'));
        if (!codes)
            context.messages().failed(codes);
        for (const QString& code : codes ? *codes : QStringList())
            (new QTreeWidgetItem(node, {code}))->setIcon(0, documentIcon);
    }

    const char16_t* names[] = {u"kode", u"nama", u"stockdb", u"realstock", u"catatan"};
    for (int i = Code; i < BoxCount; ++i) {
        box(Box(i))->setObjectName(QString::fromUtf16(names[i]));
        box(Box(i))->installEventFilter(this);
    }
    box(DbStock)->setText(QStringLiteral("0"));
    box(RealStock)->setText(QStringLiteral("0"));

    const auto button = [this](const QString& text, auto action) {
        auto* pushButton = new QPushButton(text, this);
        pushButton->setAutoDefault(false);
        connect(pushButton, &QPushButton::clicked, this, action);
        return pushButton;
    };
    auto* top = new QHBoxLayout;
    top->addWidget(button(QStringLiteral("Tambah Koreksi"), &StockCorrectionWindow::startNew));
    top->addWidget(button(QStringLiteral("Simpan"), &StockCorrectionWindow::save));
    top->addWidget(button(QStringLiteral("Hapus"), &StockCorrectionWindow::removeSelected));
    top->addStretch();
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(button(QStringLiteral("Cetak"), &StockCorrectionWindow::printList));
    bottom->addWidget(button(QStringLiteral("Esc - Tutup"), &QDialog::reject));
    auto* right = new QVBoxLayout;
    right->addLayout(top);
    right->addWidget(m_list, 1);
    right->addWidget(m_row);
    right->addLayout(bottom);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_tree);
    layout->addLayout(right, 1);
    resize(1060, 520);

    for (int i = Code; i + 1 < BoxCount; ++i)
        setTabOrder(box(Box(i)), box(Box(i + 1)));
    connect(m_tree, &QTreeWidget::currentItemChanged, this, &StockCorrectionWindow::nodeChosen);
    form::setName(this, u"FORM15");
    box(Code)->setFocus();
}

QLineEdit* StockCorrectionWindow::box(Box which) const
{
    return m_row->box(which);
}

bool StockCorrectionWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (m_enter.released(watched, event)) {
        if (watched == box(Code))
            lookUp();
        else if (watched == box(RealStock))
            box(Note)->setFocus();
        else if (watched == box(Note))
            addLine();
    }
    return QDialog::eventFilter(watched, event);
}

void StockCorrectionWindow::lookUp()
{
    const Outcome<std::optional<StockCorrection::Found>> found =
        m_correction.lookup(box(Code)->text());
    if (!found) {
        m_context.messages().failed(found);
        return;
    }
    const std::optional<StockCorrection::Found>& product = *found;
    if (!product)
        return;
    box(Name)->setText(product->name);
    box(DbStock)->setText(product->stock);
    box(RealStock)->setText(product->stock);
    box(RealStock)->setFocus();
    box(RealStock)->selectAll();
}

void StockCorrectionWindow::addLine()
{
    QStringList texts;
    for (int i = Code; i < BoxCount; ++i)
        texts.append(box(Box(i))->text());
    const Outcome<> added = m_correction.addLine(texts);
    if (!added) {
        m_context.messages().failed(added);
        return;
    }
    showLines();
    for (const Box emptied : {Code, Name, Note})
        box(emptied)->clear();
    box(DbStock)->setText(QStringLiteral("0"));
    box(RealStock)->setText(QStringLiteral("0"));
    box(Code)->setFocus();
}

void StockCorrectionWindow::startNew()
{
    m_correction.startNew();
    showLines();
    box(Code)->setFocus();
}

void StockCorrectionWindow::save()
{
    const Outcome<QString> code = m_correction.save(m_context.startDate, m_context.user);
    if (!code) {
        m_context.messages().failed(code);
        return;
    }
    QTreeWidgetItem* month = m_tree->monthItem(m_context.clock().today().month());
    if (month) {
        auto* node = new QTreeWidgetItem(month, {*code});
        node->setIcon(0, style()->standardIcon(QStyle::SP_FileIcon));
        month->setExpanded(true);
    }
    m_context.messages().info(QStringLiteral("Koreksi Item Barang Berhasil Disimpan"));
}

bool StockCorrectionWindow::isDocument(const QTreeWidgetItem* item) const
{
    return item && item->parent() && item->parent()->parent();
}

void StockCorrectionWindow::nodeChosen(QTreeWidgetItem* item)
{
    if (isDocument(item)) {
        const Outcome<> shown = m_correction.show(item->text(0));
        showLines();
        if (!shown)
            m_context.messages().failed(shown);
    } else if (m_correction.isStored()) {
        m_correction.startNew(); // lines being entered stay until they are saved
        showLines();
    }
}

void StockCorrectionWindow::removeSelected()
{
    QTreeWidgetItem* item = m_tree->currentItem();
    // The months are where new corrections go; only a correction is deleted.
    if (!isDocument(item)) {
        m_context.messages().info(QStringLiteral("Pilih kode koreksi yang akan dihapus."));
        return;
    }
    const QString code = item->text(0);
    if (!m_context.messages().ask(
            this, QStringLiteral("Remove Data"),
            QStringLiteral("Yakin Hapus item ") + code +
                QStringLiteral(" ini?, Penghapusan dapat mengakibatkan hilangnya referensi antar "
                               "Data yang pernah tersimpan.")))
        return;
    if (const Outcome<> removed = StockCorrection::remove(m_context.db(), code); !removed) {
        m_context.messages().failed(removed);
        return;
    }
    delete item;
}

void StockCorrectionWindow::printList()
{
    exporting::exportList(this, m_context, exporting::Format::WebPage,
                          QStringLiteral("Koreksi Stock"), m_model);
}

void StockCorrectionWindow::showLines()
{
    m_model.setTable(m_correction.table(), {135, 243, 79, 79, 277});
}
