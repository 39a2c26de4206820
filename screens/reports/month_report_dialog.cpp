#include "screens/reports/month_report_dialog.h"

#include "core/app_context.h"
#include "logic/profit_loss.h"
#include "ui/month_tree.h"

#include <QBoxLayout>

using namespace Qt::StringLiterals;

MonthReportDialog::MonthReportDialog(AppContext& context, Kind kind, QWidget* parent)
    : ReportDialog(context,
                   kind == Kind::ProfitLoss ? reports::Report::ProfitLoss
                                            : reports::Report::Turnover,
                   Side::Sales, parent),
      m_kind(kind), m_months(new MonthTree(context.clock(), this))
{
    m_months->setFixedWidth(180);
    sidePane()->addWidget(m_months);
    // On the selection, not the current item: the tree makes its root current
    // when it first gets the focus, and that chooses nothing.
    connect(m_months, &QTreeWidget::itemSelectionChanged, this, &MonthReportDialog::fill);
    m_months->setFocus();
}

void MonthReportDialog::fill()
{
    const QList<QTreeWidgetItem*> chosen = m_months->selectedItems();
    if (chosen.isEmpty() || !chosen.first()->parent())
        return;
    // The year of the clock at the moment of choosing.
    const QString yearMonth =
        QString::number(context().clock().today().year()) + u'-' +
        QString::number(MonthTree::monthOf(chosen.first())).rightJustified(2, u'0');
    if (m_kind == Kind::ProfitLoss)
        showRows(reports::profitLoss(context().db(), yearMonth,
                                     chosen.first()->text(0).section(u'-', 1)));
    else
        showRows(reports::turnover(context().db(), yearMonth));
}
