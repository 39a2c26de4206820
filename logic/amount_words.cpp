#include "logic/amount_words.h"

#include "core/text_ops.h"
#include "logic/cart.h"

#include <array>
#include <limits>

namespace amount {

namespace {

QString spell(qint64 n)
{
    static const std::array<const char*, 12> units = {"",        "satu",     "dua",     "tiga",
                                                      "empat",   "lima",     "enam",    "tujuh",
                                                      "delapan", "sembilan", "sepuluh", "sebelas"};
    constexpr qint64 miliar = 1000000000;
    constexpr qint64 triliun = 1000 * miliar;
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
    if (n < triliun)
        return spell(n / miliar) + u" miliar" + spell(n % miliar);
    if (n < 1000 * triliun)
        return spell(n / triliun) + u" triliun" + spell(n % triliun);
    return {};
}

} // namespace

QString words(qint64 n)
{
    if (n >= 0)
        return spell(n);
    // Possible when a discount exceeds the total. The smallest qint64 has no positive twin.
    const QString size = n > std::numeric_limits<qint64>::min() ? spell(-n) : QString();
    return size.isEmpty() ? QString() : u" minus" + size;
}

QString wordsOf(double value)
{
    return words(text::wholeNumber(value));
}

QString wordsOf(QStringView fieldText)
{
    return wordsOf(text::textToNumber(fieldText));
}

Outcome<double> typed(double value, const QString& name)
{
    if (value < 0)
        return Failure{name + QStringLiteral(" tidak boleh kurang dari 0.")};
    if (!(value <= largestLineValue))
        return Failure{name + QStringLiteral(" melebihi ") + text::numberToText(largestLineValue) +
                       QStringLiteral(", transaksi tidak disimpan.")};
    return value;
}

int boxDigits()
{
    return int(text::numberToText(largestLineValue).size());
}

} // namespace amount
