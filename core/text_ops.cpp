#include "core/text_ops.h"

#include <QList>
#include <QVarLengthArray>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace text {

QString nthField(const QString& text, int n, QStringView separator)
{
    if (n < 1 || separator.isEmpty())
        return {};
    qsizetype start = 0;
    for (int i = 1; i < n; ++i) {
        const qsizetype at = text.indexOf(separator, start);
        if (at < 0)
            return {};
        start = at + separator.size();
    }
    const qsizetype end = text.indexOf(separator, start);
    return text.mid(start, end < 0 ? -1 : end - start);
}

QString numberToText(double value)
{
    if (!std::isfinite(value) || value == 0)
        return QStringLiteral("0");
    if (value == std::trunc(value))
        return QString::number(value, 'f', 0);
    // The fewest significant digits that read back as the same number, then
    // written out in plain decimal (never "1e-05").
    int digits = 1;
    while (digits < 16 && QString::number(value, 'g', digits).toDouble() != value)
        ++digits;
    const int exponent = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    QString written = QString::number(value, 'f', std::max(0, digits - 1 - exponent));
    if (written.contains(u'.')) {
        while (written.endsWith(u'0'))
            written.chop(1);
        if (written.endsWith(u'.'))
            written.chop(1);
    }
    return written == u"-0" ? QStringLiteral("0") : written;
}

double textToNumber(QStringView text)
{
    // A hand-written scan: strtod would follow the C locale's decimal mark
    // and accept "inf", "nan" and hexadecimal, none of which a cashier types.
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i].isSpace())
        ++i;
    const qsizetype start = i;
    if (i < n && (text[i] == u'-' || text[i] == u'+'))
        ++i;
    const auto isDigit = [&](qsizetype k) { return k < n && text[k] >= u'0' && text[k] <= u'9'; };
    qsizetype digits = 0;
    while (isDigit(i)) {
        ++i;
        ++digits;
    }
    if (i < n && text[i] == u'.') {
        ++i;
        while (isDigit(i)) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0;
    qsizetype end = i;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        qsizetype k = i + 1;
        if (k < n && (text[k] == u'-' || text[k] == u'+'))
            ++k;
        if (isDigit(k)) {
            while (isDigit(k))
                ++k;
            end = k;
        }
    }
    // What was scanned is ASCII: converted where it stands, correctly rounded, without the
    // copies QString::toDouble makes (a report reads 50,000 figures at a time).
    QVarLengthArray<char, 32> ascii;
    for (qsizetype k = text[start] == u'+' ? start + 1 : start; k < end; ++k)
        ascii.append(static_cast<char>(text[k].unicode()));
    double value = 0;
    if (std::from_chars(ascii.begin(), ascii.end(), value).ec != std::errc())
        return 0;                  // beyond what a double holds
    return value == 0 ? 0 : value; // no negative zero
}

double roundHalfEven(double value)
{
    // nearbyint rounds in the current mode, which is round-to-nearest-even
    // unless someone changed it; do not rely on that.
    const double lower = std::floor(value);
    const double diff = value - lower;
    if (diff < 0.5)
        return lower == 0 ? 0 : lower;
    if (diff > 0.5)
        return lower + 1;
    return std::fmod(lower, 2) == 0 ? lower : lower + 1;
}

qint64 wholeNumber(double value)
{
    constexpr double exact = 9e15;
    if (std::isnan(value))
        return 0;
    return static_cast<qint64>(std::clamp(roundHalfEven(value), -exact, exact));
}

int textToInt(QStringView text)
{
    return static_cast<int>(std::clamp<qint64>(wholeNumber(textToNumber(text)),
                                               std::numeric_limits<int>::min(),
                                               std::numeric_limits<int>::max()));
}

QVariant storedNumber(double value)
{
    if (value == std::trunc(value) && std::fabs(value) < 9e15)
        return static_cast<qint64>(value);
    return value;
}

QVariant storedNumber(QStringView text)
{
    return storedNumber(textToNumber(text));
}

QString shortened(const QString& text, qsizetype longest)
{
    if (text.size() <= longest)
        return text;
    const qsizetype cut = text.at(longest - 1).isHighSurrogate() ? longest - 1 : longest;
    return text.left(cut) + u'…';
}

} // namespace text
