#include "shell/form.h"

#include <QPlainTextEdit>
#include <QTextEdit>

namespace form {

QString className(QStringView name)
{
    return QStringLiteral("FORM_TOKO_") + name + QStringLiteral("_CLASS");
}

void setName(QWidget* form, QStringView name)
{
    form->setObjectName(className(name));
    for (auto* edit : form->findChildren<QTextEdit*>())
        edit->setTabChangesFocus(true);
    for (auto* edit : form->findChildren<QPlainTextEdit*>())
        edit->setTabChangesFocus(true);
}

} // namespace form
