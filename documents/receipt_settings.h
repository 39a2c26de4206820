#pragma once

#include <QStringList>
#include <QStringView>

namespace receipt {

// The entry of the receipt font list that a stored font face selects: the
// first entry beginning with `face` (ignoring case), looking from the second
// entry to the last and then at the first, so "Courier" finds "Courier"
// before "Courier New". -1 when no entry begins with it or `face` is empty.
int fontEntry(const QStringList& entries, QStringView face);

} // namespace receipt
