#pragma once

#include <QPushButton>
#include <QString>
#include <QStringView>

class QEvent;
class QKeyEvent;
class QLineEdit;
class QObject;
class QWidget;

// What every screen shares: its name, by which tests and other screens find it.
namespace form {

// "FORM_TOKO_" + name + "_CLASS", the window class name of a screen.
QString className(QStringView name);

// Names the screen after its window class and makes Tab leave every
// multi-line field instead of typing a tab into it.
void setName(QWidget* form, QStringView name);

// Whether the key is Enter or Return (the main keyboard's or the keypad's).
bool isEnter(const QKeyEvent* key);

// Whether the key types something other than digits, for the boxes that
// take digits only when typed (pasted and program-set texts pass). Keys with
// Ctrl, Alt or Meta, and keys that edit or move, are not typing.
bool typesNonDigit(const QKeyEvent* key);

// Makes `box` refuse keys that type something other than digits.
void acceptDigitsOnly(QWidget* box);

// A button of `screen` that does `action` when clicked and that Enter never
// presses: Enter in the screen's boxes moves on or looks up, it must not
// save, print or close.
template <typename Screen, typename Action>
QPushButton* button(Screen* screen, const QString& text, Action action)
{
    auto* made = new QPushButton(text, screen);
    made->setAutoDefault(false);
    QObject::connect(made, &QPushButton::clicked, screen, action);
    return made;
}

// Shows `text` in `box`, leaving the box (and its cursor) alone when it shows it already.
void setTextKeepingCursor(QLineEdit* box, const QString& text);

// Keys that act when Enter comes up act only when it also went down in the
// same box: the Enter that closes a message box is let go over the box that
// gets the focus back, and must not act there a second time.
class EnterKeys final
{
public:
    // Give it every key event of the boxes; true when an Enter pressed in
    // `box` is released there.
    bool released(const QObject* box, const QEvent* event);

private:
    const QObject* m_pressedIn = nullptr;
};

} // namespace form
