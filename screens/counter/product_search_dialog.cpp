#include "screens/counter/product_search_dialog.h"

#include "core/messages.h"
#include "logic/product_search.h"
#include "ui/form.h"
#include "ui/list_view.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

namespace {

const QList<int> searchWidths = {100, 220, 150, 50};

} // namespace

ProductSearchDialog::ProductSearchDialog(AppContext& context, Side side, QWidget* parent)
    : QDialog(parent), m_context(context), m_side(side), m_search(new QLineEdit(this)),
      m_list(new ListView(this))
{
    setWindowTitle(QStringLiteral("Item Barang"));
    m_model.setTable({products::searchColumns(m_side), {}}, searchWidths);
    m_list->setTableModel(&m_model);
    m_list->setMinimumSize(540, 320);
    m_list->viewport()->installEventFilter(this);
    m_search->installEventFilter(this);

    auto* entry = new QPushButton(QStringLiteral("[F11] Entry"), this);
    auto* cancel = new QPushButton(QStringLiteral("Esc - Batal"), this);
    entry->setAutoDefault(false);
    cancel->setAutoDefault(false);
    auto* layout = new QGridLayout(this);
    auto* bar = new QMenuBar(this);
    QAction* take = bar->addMenu(QStringLiteral("Sisip"))->addAction(QStringLiteral("Produk"));
    take->setShortcut(Qt::Key_F11);
    take->setShortcutContext(Qt::WindowShortcut);
    layout->setMenuBar(bar);
    layout->addWidget(new QLabel(QStringLiteral("Pencarian"), this), 0, 0);
    layout->addWidget(m_search, 0, 1, 1, 3);
    layout->addWidget(m_list, 1, 0, 1, 4);
    layout->addWidget(new QLabel(QStringLiteral("Tekan Tab untuk pindah Control"), this), 2, 0, 1,
                      2);
    layout->addWidget(entry, 2, 2);
    layout->addWidget(cancel, 2, 3);

    connect(take, &QAction::triggered, this, &ProductSearchDialog::take);
    connect(entry, &QPushButton::clicked, this, &ProductSearchDialog::take);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    m_search->setFocus();
    form::setName(this, u"FORM6");
}

QString ProductSearchDialog::selectedCode() const
{
    return m_model.cell(m_list->selectedRow(), 0);
}

void ProductSearchDialog::search()
{
    const Outcome<QList<QStringList>> found =
        products::search(m_context.db(), m_side, m_search->text());
    m_model.setRows(found ? *found : QList<QStringList>());
    if (!found)
        m_context.messages().failed(found);
    m_list->setFocus();
    m_list->selectRow(0);
}

void ProductSearchDialog::take()
{
    emit taken(selectedCode());
    // Purchases are entered product after product from one open search.
    if (!sideInfo(m_side).searchStaysOpen)
        accept();
}

bool ProductSearchDialog::eventFilter(QObject* watched, QEvent* event)
{
    // Not the Enter that closed a message over this box.
    if (watched == m_search && m_enter.released(watched, event)) {
        search();
        return true;
    }
    // A product picked with the mouse is taken on both sides, and the search closes.
    if (watched == m_list->viewport() && event->type() == QEvent::MouseButtonRelease) {
        emit taken(selectedCode());
        accept();
        return false;
    }
    return QDialog::eventFilter(watched, event);
}
