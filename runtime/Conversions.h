#pragma once

#include <QDate>
#include <QString>
#include <QtGlobal>

// Conversions between field texts and values, with the run-time library's
// rules and error texts ("'x' is not a valid integer value").
namespace Conversions {

// A whole decimal number in 32 bits: leading blanks and a sign allowed,
// nothing after the digits. Throws AppError otherwise.
int strToInt(const QString& text);

// The same rule into 64 bits (used where a value may exceed 32 bits).
qint64 strToInt64(const QString& text);

// A decimal number written with the Russian decimal separator (","), optional
// leading/trailing blanks and an optional exponent; no digit grouping.
double strToFloat(const QString& text);

// The decimal number rounded to the nearest whole number, an exact half going to
// the even neighbour (12,5 -> 12; 13,5 -> 14). Throws when out of 64-bit range.
qint64 strToRoundedAmount(const QString& text);

// A date in the Russian short date form (day.month.year; one- or two-digit day
// and month, two- or four-digit year).
QDate strToDate(const QString& text);

} // namespace Conversions
