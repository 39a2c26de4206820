// toko: the shop's point of sale and back office. Run it from the shop folder.

#include "core/app_context.h"
#include "core/startup.h"
#include "shell/main_window.h"
#include "ui/keyboard_state.h"
#include "ui/qt_messages.h"
#include "ui/terminal_messages.h"

#include <QApplication>
#include <QDir>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("toko"));

    // With no screen nobody could answer a box: say everything on the terminal.
    QtMessages boxes;
    TerminalMessages terminal;
    Messages& messages = QGuiApplication::platformName() == u"offscreen"
                             ? static_cast<Messages&>(terminal)
                             : static_cast<Messages&>(boxes);
    SystemClock clock;
    AppContext context(messages, clock, QDir::current());
    const Outcome<QString> started = startUp(context);
    if (!started) {
        messages.failed(started);
        return 1;
    }
    SystemKeyboardState keyboard;
    MainWindow window(context, keyboard);
    window.start(*started);
    return QApplication::exec();
}
