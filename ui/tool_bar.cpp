#include "ui/tool_bar.h"

#include "ui/images.h"

#include <QAction>
#include <QToolBar>

QToolBar* makeToolBar(QWidget* parent, const QList<ToolButton>& buttons)
{
    auto* bar = new QToolBar(parent);
    bar->setIconSize(QSize(24, 24));
    bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    for (const ToolButton& button : buttons) {
        QAction* action =
            bar->addAction(images::icon(button.image), QString::fromLatin1(button.text));
        action->setToolTip(QString::fromLatin1(button.tooltip));
        QObject::connect(action, &QAction::triggered, parent, button.action);
    }
    return bar;
}
