#pragma once

#include <QString>
#include <QVariant>

// The text operations every screen builds its values with. Money and
// quantities travel as plain decimal texts without thousands separators.
namespace text {

// The n-th (1-based) part of `text` split at `separator`; empty when there are fewer parts.
QString nthField(const QString& text, int n, QStringView separator = u";");

// Integers in plain decimal; other numbers in the shortest form with at most
// 16 significant digits. Never a thousands separator, never "-0".
QString numberToText(double value);

// The leading number of a text ("12abc" is 12). Anything that does not start
// with a number (empty, "-", letters) reads as 0. Independent of the locale.
double textToNumber(QStringView text);

// Rounding to a whole number with halves going to the even neighbour (2.5 -> 2, 3.5 -> 4).
double roundHalfEven(double value);

// `value` rounded half-to-even and clamped into the range where every whole
// number is a double (±9e15); NaN reads as 0. Amounts of money travel so.
qint64 wholeNumber(double value);

// textToNumber, rounded half-to-even and clamped into the int range.
int textToInt(QStringView text);

// A figure as the database keeps numbers: whole ones (within 9e15) as
// integers, so 3 reads back as "3", never "3.0"; others as they are.
QVariant storedNumber(double value);
// The same for a typed text; what does not read as a number is stored as 0.
QVariant storedNumber(QStringView text);

// `text` cut to `longest` characters and an ellipsis when longer, never
// between the halves of a surrogate pair.
QString shortened(const QString& text, qsizetype longest = 40);

} // namespace text
