#include "ui/month_tree.h"

#include "core/clock.h"

#include <QLocale>

MonthTree::MonthTree(const Clock& clock, QWidget* parent)
    : QTreeWidget(parent), m_clock(clock), m_root(new QTreeWidgetItem(this))
{
    setHeaderHidden(true);
    setRootIsDecorated(true);
    m_root->setText(0, QStringLiteral("Bulan"));
    const QLocale locale;
    for (int month = 1; month <= clock.today().month(); ++month)
        new QTreeWidgetItem(m_root, {QString::number(month) + u'-' + locale.monthName(month)});
    m_root->setExpanded(true);
}

QTreeWidgetItem* MonthTree::monthItem(int month) const
{
    return month >= 1 && month <= m_root->childCount() ? m_root->child(month - 1) : nullptr;
}

int MonthTree::monthOf(const QTreeWidgetItem* item)
{
    return item ? item->text(0).section(u'-', 0, 0).toInt() : 0;
}

QString MonthTree::selectedMonth() const
{
    const QTreeWidgetItem* item = currentItem();
    if (!item || item == m_root)
        return {};
    while (item->parent() != m_root)
        item = item->parent();
    return QString::number(m_clock.today().year()) + u'-' +
           QString::number(monthOf(item)).rightJustified(2, u'0');
}
