#pragma once

#include <QString>
#include <QStringList>

// What toko was asked on its command line. Read before any window exists, so
// --help and --version answer on a terminal without a display.
struct CommandLine {
    bool help = false;
    bool version = false;
    QString shop;  // --shop DIR: the shop folder for this start only
    QString error; // an unknown option or a missing folder, in Indonesian
};

namespace commandline {

// `arguments` without the program's own name.
CommandLine parse(const QStringList& arguments);

QString usage();

} // namespace commandline
