#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The bytes an ESC/POS receipt printer understands. The text goes out in the
// printer's code page after ESC @: PC437. A character that page lacks is
// sent as its plain letter ("ã" as "a") or as "?", one byte for one
// character so the receipt's columns stay in line; control characters are
// "?" too, so a product name can never give the printer a command.
namespace escpos {

QByteArray encoded(QStringView text);

// Initialise (ESC @), the lines each ended by CR LF, four lines of feed
// (ESC d 4) to bring the last line past the cutter, and a partial cut (GS V 1).
QByteArray receipt(const QStringList& lines);

// The pulse that opens the cash drawer on connector pin 2, or on pin 5 when
// `pin` is 5 (ESC p m 25 250: 50 ms on, 500 ms off).
QByteArray drawerPulse(int pin);

} // namespace escpos
