#include "shell/form.h"

#include <QKeyEvent>
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

bool isEnter(const QKeyEvent* key)
{
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

bool typesNonDigit(const QKeyEvent* key)
{
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    for (const QChar c : key->text()) {
        if (c.isPrint() && !c.isDigit())
            return true;
    }
    return false;
}

} // namespace form
