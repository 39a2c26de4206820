#pragma once

#include <QString>
#include <QtGlobal>

// Amounts in Indonesian words ("Terbilang"), as every money screen and the
// payment voucher show them. The text keeps the leading space and the single
// spaces of zero parts: 20 is " dua puluh ", 2000 is " dua ribu ".
namespace amount {

// Words for n. One thousand million and more give the empty text; a negative
// amount reads as " minus" followed by the words of its size.
QString words(qint32 n);

// Words for an amount as shown in a field: read as a number, rounded to the
// nearest whole unit and clamped into 32 bits first.
QString wordsOf(double value);
QString wordsOf(QStringView fieldText);

} // namespace amount
