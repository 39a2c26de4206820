#pragma once

#include "core/config_files.h"

#include <QStringList>
#include <QStringView>

namespace receipts {

// Page units run from 0 to 10000 over the printable area.
inline constexpr int largestPageUnit = 10000;

// The settings with the top margin and the line spacing brought into 0 …
// largestPageUnit: outside it nothing lands on paper, and a huge value
// would overflow the positions of the receipt lines.
ReceiptSettings clamped(ReceiptSettings settings);

// The entry of the receipt font list that a stored font face selects: the
// first entry beginning with `face` (ignoring case), looking from the second
// entry to the last and then at the first, so "Courier" finds "Courier"
// before "Courier New". -1 when no entry begins with it or `face` is empty.
int fontEntry(const QStringList& entries, QStringView face);

} // namespace receipts
