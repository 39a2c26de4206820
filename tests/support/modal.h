#pragma once

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>

// Runs `drive` on the modal screen the next action opens, once its event loop
// runs; then closes it if `drive` left it open, so no test can hang on it.
// `seen` records the screen's objectName ("" when none opened).
inline void whenModalOpens(QString& seen, std::function<void(QWidget*)> drive)
{
    seen.clear();
    QTimer::singleShot(0, [&seen, drive = std::move(drive)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        seen = modal->objectName();
        drive(modal);
        if (QApplication::activeModalWidget() == modal)
            modal->close();
    });
}

// Shows `screen` and waits until it is the active window, where the keys go.
inline void showActive(QWidget& screen)
{
    screen.show();
    screen.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&screen));
}

// The button of `screen` with this text.
template <typename Button> Button* buttonWithText(QWidget* screen, const QString& text)
{
    for (Button* button : screen->findChildren<Button*>()) {
        if (button->text() == text)
            return button;
    }
    return nullptr;
}
