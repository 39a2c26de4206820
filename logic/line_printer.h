#pragma once

#include "core/outcome.h"

#include <QDir>
#include <QString>
#include <QStringList>

// The line printer of receipt sizes 4 and 5: a device the text goes to raw,
// such as /dev/usb/lp0 or /dev/lp0. Its path comes from the environment
// variable TOKO_LINE_PRINTER, else from line_printer.txt in the shop folder
// (its last non-blank line, as in every configuration file); neither means
// there is no line printer.
namespace lineprinter {

QString devicePath(const QDir& shopFolder);

// Writes the lines, each ended by CR LF, to the device. Opened without
// blocking and given at most `timeoutMs` to take the text, so a device with
// no printer behind it never freezes the cashier. A failure says why, and
// whether part of the text went out before it (partlyDone()).
Outcome<> write(const QString& device, const QStringList& lines, int timeoutMs = 2000);

} // namespace lineprinter
