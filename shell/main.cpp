// toko: the shop's point of sale and back office.

#include "core/app_context.h"
#include "core/command_line.h"
#include "core/shop_folder.h"
#include "core/startup.h"
#include "shell/main_window.h"
#include "shell/shop_folder_dialog.h"
#include "ui/images.h"
#include "ui/keyboard_state.h"
#include "ui/qt_messages.h"
#include "ui/terminal_messages.h"
#include "ui/work_progress.h"

#include <QApplication>
#include <QDir>
#include <QSettings>

#include <cstdio>

namespace {

const auto shopFolderKey = QStringLiteral("shopFolder");

// The shop folder for this start: asked with "Folder Toko" when toko does not
// know it yet (and remembered then). Empty when the user leaves.
Outcome<QString> shopFolder(const CommandLine& line, Messages& messages, bool canAsk)
{
    QSettings settings;
    const QString requested = line.shop.isEmpty() ? qEnvironmentVariable("TOKO_SHOP") : line.shop;
    const QString remembered = settings.value(shopFolderKey).toString();
    const Outcome<shopfolder::StartFolder> start =
        shopfolder::forStart(requested, QDir::current(), remembered);
    if (!start)
        return start.failure();
    if (!start->folder.isEmpty())
        return start->folder;
    if (!canAsk)
        return Failure{QStringLiteral("Folder toko belum dipilih: jalankan toko di folder toko "
                                      "atau dengan --shop FOLDER.")};
    ShopFolderDialog dialog(
        messages, remembered.isEmpty() ? QDir::home().filePath(QStringLiteral("Toko")) : remembered,
        start->problem);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    settings.setValue(shopFolderKey, dialog.folder());
    return dialog.folder();
}

} // namespace

int main(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const CommandLine line = commandline::parse(arguments);
    if (!line.error.isEmpty()) {
        std::fprintf(stderr, "%s\n\n%s", qPrintable(line.error), qPrintable(commandline::usage()));
        return 2;
    }
    if (line.help || line.version) {
        std::printf("%s", qPrintable(line.help ? commandline::usage()
                                               : QStringLiteral("toko " TOKO_VERSION "\n")));
        return 0;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("toko"));
    QApplication::setOrganizationName(QStringLiteral("toko"));
    QApplication::setApplicationVersion(QStringLiteral(TOKO_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("id.toko.Toko"));
    QApplication::setWindowIcon(images::icon(images::barang));

    // With no screen nobody could answer a box: say everything on the terminal.
    QtMessages boxes;
    TerminalMessages terminal;
    const bool screen = QGuiApplication::platformName() != u"offscreen";
    Messages& messages = screen ? static_cast<Messages&>(boxes) : static_cast<Messages&>(terminal);
    const Outcome<QString> folder = shopFolder(line, messages, screen);
    if (!folder) {
        messages.failed(folder);
        return 1;
    }
    if (folder->isEmpty())
        return 0;
    // Relative paths in conn.txt and the shop's own files are taken from here.
    QDir::setCurrent(*folder);

    SystemClock clock;
    AppContext context(messages, clock, QDir(*folder));
    const Outcome<QString> started = [&] {
        WorkProgress progress(nullptr, preparingNotice());
        return startUp(context, progress.callback());
    }();
    if (!started) {
        messages.failed(started);
        return 1;
    }
    SystemKeyboardState keyboard;
    MainWindow window(context, keyboard);
    window.start(*started);
    return QApplication::exec();
}
