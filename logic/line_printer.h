#pragma once

#include "core/outcome.h"

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QStringList>

class ShopSettings;

// The line printer of receipt sizes 4 and 5, and the cash drawer behind an
// ESC/POS one. It is reached as a device the bytes go to raw (/dev/usb/lp0,
// a serial port such as /dev/ttyUSB0), as "tcp:HOST:PORT" (a network
// printer, port 9100 when none is given) or as "cups:QUEUE" (a raw queue).
namespace lineprinter {

struct Printer {
    QString device; // empty: there is no line printer
    bool escPos = false;
    int serialSpeed = 9600;
    int drawerPin = 2;
};

// The device as saved for the shop: toko.ini's, else the last non-blank line
// of the older line_printer.txt.
QString savedDevice(const QDir& shopFolder, const ShopSettings& settings);
// The printer in use: the environment variable TOKO_LINE_PRINTER names its
// device ahead of the saved one.
Printer configured(const QDir& shopFolder);

// The bytes of a receipt: as ESC/POS with a cut, or as plain lines each
// ended by CR LF.
QByteArray receiptBytes(const Printer& printer, const QStringList& lines);

// What to do with a CUPS job the printer has not taken within the timeout:
// leave it queued (a receipt), or cancel it (a drawer pulse must not open
// the drawer hours later, when the printer comes back on).
enum class Late { Queue, Cancel };

// Sends the bytes, giving the printer at most `timeoutMs` to take them, so
// one that is off never freezes the cashier. A serial port is set to raw
// at the printer's speed first. A queue in CUPS that is stopped or refuses
// jobs gets nothing. A failure says why, and whether part of the bytes went
// out before it (partlyDone()).
Outcome<> send(const Printer& printer, const QByteArray& bytes, Late late = Late::Queue,
               int timeoutMs = 2000);

} // namespace lineprinter
