#include "documents/amount_words.h"

#include "core/text_ops.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace amount {

namespace {

QString spell(qint64 n)
{
    static const std::array<const char*, 12> units = {"",        "satu",     "dua",     "tiga",
                                                      "empat",   "lima",     "enam",    "tujuh",
                                                      "delapan", "sembilan", "sepuluh", "sebelas"};
    if (n < 12)
        return u' ' + QLatin1String(units[static_cast<size_t>(n)]);
    if (n < 20)
        return spell(n - 10) + u" belas";
    if (n < 100)
        return spell(n / 10) + u" puluh" + spell(n % 10);
    if (n < 200)
        return u" seratus" + spell(n - 100);
    if (n < 1000)
        return spell(n / 100) + u" ratus" + spell(n % 100);
    if (n < 2000)
        return u" seribu" + spell(n - 1000);
    if (n < 1000000)
        return spell(n / 1000) + u" ribu" + spell(n % 1000);
    if (n < 1000000000)
        return spell(n / 1000000) + u" juta" + spell(n % 1000000);
    return {};
}

} // namespace

QString words(qint32 n)
{
    if (n >= 0)
        return spell(n);
    // Possible when a discount exceeds the total. Widen first: -INT_MIN overflows.
    const QString size = spell(-static_cast<qint64>(n));
    return size.isEmpty() ? QString() : u" minus" + size;
}

QString wordsOf(double value)
{
    const double rounded = text::roundHalfEven(value);
    if (!std::isfinite(rounded))
        return {};
    // Clamping keeps the conversion defined; anything this large reads as empty anyway.
    const double clamped = std::clamp(rounded, double(std::numeric_limits<qint32>::min()),
                                      double(std::numeric_limits<qint32>::max()));
    return words(static_cast<qint32>(clamped));
}

QString wordsOf(QStringView fieldText)
{
    return wordsOf(text::textToNumber(fieldText));
}

} // namespace amount
