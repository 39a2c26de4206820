#include "screens/reports/low_stock_dialog.h"

#include "core/app_context.h"
#include "core/messages.h"
#include "core/shop_settings.h"
#include "ui/images.h"

#include <QBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

LowStockDialog::LowStockDialog(AppContext& context, QWidget* parent)
    : ReportDialog(context, reports::Report::LowStock, Side::Sales, parent),
      m_categories(new QTreeWidget(this)), m_threshold(new QLineEdit(this))
{
    m_categories->setHeaderHidden(true);
    m_categories->setFixedWidth(200);
    auto* root = new QTreeWidgetItem(m_categories, {u"Kategori"_s});
    const Outcome<QStringList> found = reports::categories(context.db());
    if (!found)
        context.messages().failed(found);
    for (const QString& category : found.ok() ? *found : QStringList())
        new QTreeWidgetItem(root, {category});
    root->setExpanded(true);
    sidePane()->addWidget(m_categories);

    // Digits only, typed or pasted: the box holds a number and nothing else.
    m_threshold->setValidator(
        new QRegularExpressionValidator(QRegularExpression(u"[0-9]*"_s), m_threshold));
    m_threshold->setMaximumWidth(120);
    auto* refresh = new QToolButton(this);
    refresh->setIcon(images::icon(images::gear));
    refresh->setToolTip(u"Tampilkan"_s);
    auto* caption = new QLabel(u"Stock dibawah"_s, this);
    caption->setBuddy(m_threshold);
    topRow()->addWidget(caption);
    topRow()->addWidget(m_threshold);
    topRow()->addWidget(refresh);
    topRow()->addStretch(1);

    // On the selection, not the current item: the tree makes its root current
    // when it first gets the focus, and that must not run the report.
    connect(m_categories, &QTreeWidget::itemSelectionChanged, this, &LowStockDialog::fill);
    connect(refresh, &QToolButton::clicked, this, &LowStockDialog::fill);
    connect(m_threshold, &QLineEdit::returnPressed, this, &LowStockDialog::fill);
    m_categories->setFocus();
}

void LowStockDialog::fill()
{
    const QList<QTreeWidgetItem*> chosen = m_categories->selectedItems();
    if (chosen.isEmpty())
        return;
    const Outcome<Table> found =
        reports::lowStock(context().db(), chosen.first()->text(0), m_threshold->text());
    showRows(found);
    // Remembered for the owner's summary, which counts the products below it.
    ShopSettings settings = ShopSettings::read(context().shopFolder());
    if (found && settings.text(setting::lowStockBelow) != m_threshold->text()) {
        settings.setText(setting::lowStockBelow, m_threshold->text());
        settings.write(context().shopFolder());
    }
}
