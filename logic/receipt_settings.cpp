#include "logic/receipt_settings.h"

#include <algorithm>

namespace receipts {

ReceiptSettings clamped(ReceiptSettings settings)
{
    settings.topMargin = std::clamp(settings.topMargin, 0, largestPageUnit);
    settings.lineSpacing = std::clamp(settings.lineSpacing, 0, largestPageUnit);
    return settings;
}

int fontEntry(const QStringList& entries, QStringView face)
{
    if (face.isEmpty())
        return -1;
    const auto count = entries.size();
    for (qsizetype step = 1; step <= count; ++step) {
        const qsizetype index = step % count;
        if (entries.at(index).startsWith(face, Qt::CaseInsensitive))
            return static_cast<int>(index);
    }
    return -1;
}

} // namespace receipts
