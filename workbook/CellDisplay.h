#pragma once

#include <QDateTime>
#include <QString>

// The pieces of a cell's displayed text that do not depend on its number
// format code, as a spreadsheet shows them in the Russian locale: decimal
// comma, digit groups separated by a no-break space, dates as dd.MM.yyyy.
namespace CellDisplay {

inline constexpr QChar DecimalSeparator = QLatin1Char(',');
inline constexpr QChar GroupSeparator = QChar(u'\u00A0');
inline constexpr QChar DateSeparator = QLatin1Char('.');

// The digits of a non-negative value times 10^powerOfTen, rounded half away
// from zero to `decimals` places, after cutting the value to the 15 significant
// digits a spreadsheet keeps (so 2.675 rounds to 2.68 as shown, not to the
// binary neighbour's 2.67). The power of ten moves the decimal point in the
// digits, so percent and thousands scaling neither overflow nor add binary
// noise. Infinite and not-a-number values give zero digits.
struct DecimalDigits {
    QString integer;  // at least "0", no leading zeros
    QString fraction; // exactly `decimals` digits
};
DecimalDigits roundDecimal(double absValue, int decimals, int powerOfTen = 0);

// The power of ten of the first significant digit of a positive finite value,
// once cut to 15 significant digits (9.9999999999999999 counts as 10).
int decimalExponent(double absValue);

// What a cell shows for a value beyond numbers (infinite or not a number).
QString notANumber();

// A value in the General format: as many digits as fit in eleven characters
// (the decimal comma included, the sign not), without digit grouping;
// scientific notation ("1,23457E+11") for values too large or too small.
// Infinite and not-a-number values show notANumber().
QString general(double value);

// "ИСТИНА" or "ЛОЖЬ".
QString boolean(bool value);

// Digit groups of three separated by the no-break space: "1234567" -> "1 234 567".
QString groupThousands(const QString& digits);

// The moment a serial day number stands for: days since 30.12.1899 in the 1900
// date system (the fictitious 29.02.1900 of that system shifts serials below 61
// by one day) or since 1.1.1904 in the 1904 system; the fraction is the time of
// day, rounded to the second. Invalid for negative or too large serials.
QDateTime serialToDateTime(double serial, bool date1904);

// The serial day number of a moment in the 1900 or the 1904 date system.
double dateTimeToSerial(const QDateTime& moment, bool date1904);

} // namespace CellDisplay
