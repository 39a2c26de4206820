#include "shell/qt_messages.h"

#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>

#include <cstdio>

namespace {

// "Bitmap files (*.bmp)|*.bmp|All Files (*.*)|*.*" -> "Bitmap files (*.bmp);;All Files (*.*)".
// The descriptions carry their patterns in brackets, which is what Qt filters on.
QString qtFilter(const QString& filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts.at(i);
        const QString patterns = QString(parts.at(i + 1)).replace(u';', u' ');
        entries.append(description.contains(u'(') ? description
                                                  : description + u" (" + patterns + u')');
    }
    return entries.join(QStringLiteral(";;"));
}

// With no screen (an offscreen run) nobody could press OK: say it on the
// terminal and go on instead of waiting for ever.
bool headless()
{
    return QGuiApplication::platformName() == u"offscreen";
}

void toTerminal(const QString& caption, const QString& text)
{
    std::fprintf(stderr, "%s: %s\n", qUtf8Printable(caption), qUtf8Printable(text));
}

} // namespace

void QtMessages::info(const QString& text)
{
    toTerminal(QStringLiteral("Info"), text);
    if (headless())
        return;
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Info"), text, QMessageBox::Ok);
    box.exec();
}

bool QtMessages::ask(QWidget* owner, const QString& caption, const QString& text)
{
    if (headless()) {
        toTerminal(caption, text);
        return false;
    }
    return QMessageBox::question(owner, caption, text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

void QtMessages::tell(QWidget* owner, const QString& caption, const QString& text)
{
    toTerminal(caption, text);
    if (headless())
        return;
    QMessageBox::information(owner, caption, text);
}

QString QtMessages::openFileName(QWidget* owner, const QString& title, const QString& filter,
                                 const QString& folder)
{
    return QFileDialog::getOpenFileName(owner, title, folder, qtFilter(filter));
}

QString QtMessages::saveFileName(QWidget* owner, const QString& title, const QString& filter,
                                 const QString& folder)
{
    return QFileDialog::getSaveFileName(owner, title, folder, qtFilter(filter));
}
