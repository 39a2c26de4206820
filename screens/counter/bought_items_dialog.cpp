#include "screens/counter/bought_items_dialog.h"

#include "core/messages.h"
#include "logic/product_search.h"
#include "ui/form.h"
#include "ui/list_view.h"

#include <QEvent>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

BoughtItemsDialog::BoughtItemsDialog(AppContext& context, Side side, const QString& partyCode,
                                     QWidget* parent)
    : QDialog(parent), m_context(context), m_side(side), m_partyCode(partyCode),
      m_list(new ListView(this))
{
    setWindowTitle(QStringLiteral("List Item Barang"));
    m_model.setColumns({{QStringLiteral("Kode"), 100, Qt::AlignLeft},
                        {QStringLiteral("Barang"), 250, Qt::AlignLeft}});
    m_list->setTableModel(&m_model);
    m_list->setMinimumSize(380, 240);
    m_list->viewport()->installEventFilter(this);
    auto* pickButton = new QPushButton(QStringLiteral("Pilih"), this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(pickButton, 0, Qt::AlignRight);
    connect(pickButton, &QPushButton::clicked, this, &BoughtItemsDialog::pick);
    form::setName(this, u"FORM24");
    // The first rows show at once; the rest follow a batch at a time.
    loadMore();
}

void BoughtItemsDialog::loadMore()
{
    const int batch = m_model.rowCount() == 0 ? 300 : 5000;
    const int last = m_model.rowCount() - 1;
    const Outcome<QList<QStringList>> found = products::boughtByNext(
        m_context.db(), m_side, m_partyCode, last < 0 ? QStringList() : m_model.row(last), batch);
    if (!found) {
        m_complete = true;
        m_context.messages().failed(found);
        return;
    }
    m_model.appendRows(*found);
    m_complete = found->size() < batch;
    if (!m_complete)
        QTimer::singleShot(0, this, &BoughtItemsDialog::loadMore);
}

QString BoughtItemsDialog::choose(AppContext& context, Side side, const QString& partyCode,
                                  const QPoint& bottomLeft, QWidget* owner)
{
    BoughtItemsDialog dialog(context, side, partyCode, owner);
    dialog.adjustSize();
    // Just above the returns screen's product code box.
    dialog.move(bottomLeft.x(), bottomLeft.y() - dialog.frameGeometry().height() - 1);
    return dialog.exec() == QDialog::Accepted ? dialog.chosenCode() : QString();
}

void BoughtItemsDialog::pick()
{
    m_chosen = m_model.cell(m_list->selectedRow(), 0);
    accept();
}

bool BoughtItemsDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list->viewport() && event->type() == QEvent::MouseButtonRelease)
        pick();
    return QDialog::eventFilter(watched, event);
}
