#include "ui/terminal_messages.h"

#include <cstdio>

namespace {

void write(const QString& caption, const QString& text)
{
    std::fprintf(stderr, "%s: %s\n", qUtf8Printable(caption), qUtf8Printable(text));
}

} // namespace

void TerminalMessages::info(const QString& text)
{
    write(QStringLiteral("Info"), text);
}

bool TerminalMessages::ask(QWidget*, const QString& caption, const QString& text)
{
    write(caption, text);
    return false;
}

void TerminalMessages::tell(QWidget*, const QString& caption, const QString& text)
{
    write(caption, text);
}

QString TerminalMessages::openFileName(QWidget*, const QString& title, const QString&,
                                       const QString&)
{
    write(title, QStringLiteral("(tidak ada layar, dibatalkan)"));
    return {};
}

QString TerminalMessages::saveFileName(QWidget*, const QString& title, const QString&,
                                       const QString&)
{
    write(title, QStringLiteral("(tidak ada layar, dibatalkan)"));
    return {};
}

QString TerminalMessages::folderName(QWidget*, const QString& title, const QString&)
{
    write(title, QStringLiteral("(tidak ada layar, dibatalkan)"));
    return {};
}
