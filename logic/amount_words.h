#pragma once

#include "core/outcome.h"

#include <QString>
#include <QtGlobal>

// Amounts in Indonesian words ("Terbilang"), as every money screen and the
// payment voucher show them. The text keeps the leading space and the single
// spaces of zero parts: 20 is " dua puluh ", 2000 is " dua ribu ".
namespace amount {

// Words for n, up to 999 triliun; a thousand triliun and more give the empty
// text. A negative amount reads as " minus" followed by the words of its size.
QString words(qint64 n);

// Words for an amount as shown in a field: read as a number and rounded to
// the nearest whole unit first.
QString wordsOf(double value);
QString wordsOf(QStringView fieldText);

// An amount of money typed into a payment or cash box: refused below 0 and
// beyond the cashier's limit (largestLineValue), the reason naming the box
// as `name` ("Jumlah kas").
Outcome<double> typed(double value, const QString& name);
// How many digits a money box takes: those of the cashier's limit.
int boxDigits();

} // namespace amount
