#include "ui/form.h"

#include <QKeyEvent>
#include <QLineEdit>
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

namespace {

class DigitKeys final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        return event->type() == QEvent::KeyPress &&
               typesNonDigit(static_cast<const QKeyEvent*>(event));
    }
};

} // namespace

void acceptDigitsOnly(QWidget* box)
{
    box->installEventFilter(new DigitKeys(box));
}

void setTextKeepingCursor(QLineEdit* box, const QString& text)
{
    if (box->text() != text)
        box->setText(text);
}

bool EnterKeys::released(const QObject* box, const QEvent* event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    if (!isEnter(key) || key->isAutoRepeat())
        return false;
    if (event->type() == QEvent::KeyPress) {
        m_pressedIn = box;
        return false;
    }
    const bool here = m_pressedIn == box;
    m_pressedIn = nullptr;
    return here;
}

} // namespace form
