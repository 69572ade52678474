#include "workbook/CellDisplay.h"

#include <QtMath>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace CellDisplay {

namespace {

const QDate Epoch1900(1899, 12, 30);
const QDate Epoch1904(1904, 1, 1);
constexpr qint64 SecondsPerDay = 86400;
// Serial of 31.12.9999, the last day a spreadsheet shows.
constexpr double LastSerial = 2958465.0;

// The 15 significant digits of a positive value and the power of ten of the first one.
void significantDigits(double absValue, QString& digits, int& exponent) {
    char text[32] = {}; // d.ddddddddddddddde±XXX
    std::to_chars(text, text + sizeof text - 1, absValue, std::chars_format::scientific, 14);
    digits = QLatin1String(text, 1) + QLatin1String(text + 2, 14);
    exponent = std::atoi(text + 17);
}

// A whole number below 10^15 is exact in a double: its digits need no rounding.
bool isSmallWhole(double absValue) {
    return absValue < 1e15 && absValue == std::floor(absValue);
}

// Adds one to the last digit of a digit string, carrying; may grow it by one digit.
QString incremented(QString digits) {
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        if (digits.at(i) != QLatin1Char('9')) {
            digits[i] = QChar(digits.at(i).unicode() + 1);
            return digits;
        }
        digits[i] = QLatin1Char('0');
    }
    return QLatin1Char('1') + digits;
}

QString stripLeadingZeros(const QString& digits) {
    qsizetype i = 0;
    while (i + 1 < digits.size() && digits.at(i) == QLatin1Char('0'))
        ++i;
    return digits.mid(i);
}

QString scientific(double absValue) {
    QString digits;
    int exponent = 0;
    significantDigits(absValue, digits, exponent);
    // Six significant digits: round the mantissa to five places.
    QString mantissa = digits.left(6);
    if (digits.at(6) >= QLatin1Char('5'))
        mantissa = incremented(mantissa);
    if (mantissa.size() > 6) { // 9.999995 became 10.0000
        mantissa.chop(1);
        ++exponent;
    }
    QString fraction = mantissa.mid(1);
    while (fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    QString text = mantissa.left(1);
    if (!fraction.isEmpty())
        text += DecimalSeparator + fraction;
    text += exponent < 0 ? QLatin1String("E-") : QLatin1String("E+");
    text += QString::number(std::abs(exponent)).rightJustified(2, QLatin1Char('0'));
    return text;
}

} // namespace

DecimalDigits roundDecimal(double absValue, int decimals, int powerOfTen) {
    DecimalDigits result;
    decimals = qMax(decimals, 0);
    if (!(absValue > 0) || !std::isfinite(absValue)) {
        result.integer = QStringLiteral("0");
        result.fraction = QString(decimals, QLatin1Char('0'));
        return result;
    }
    if (powerOfTen == 0 && isSmallWhole(absValue)) {
        result.integer = QString::number(qint64(absValue));
        result.fraction = QString(decimals, QLatin1Char('0'));
        return result;
    }
    QString digits;
    int exponent = 0;
    significantDigits(absValue, digits, exponent);
    int point = exponent + 1 + powerOfTen; // digits before the decimal point
    if (point < 0) {
        digits.prepend(QString(-point, QLatin1Char('0')));
        point = 0;
    }
    const int keep = point + decimals;
    if (keep < digits.size()) {
        const bool up = digits.at(keep) >= QLatin1Char('5');
        digits.truncate(keep);
        if (digits.isEmpty())
            digits = QStringLiteral("0");
        if (up) {
            const qsizetype before = digits.size();
            digits = incremented(digits);
            point += int(digits.size() - before);
        }
    } else {
        digits += QString(keep - digits.size(), QLatin1Char('0'));
    }
    result.integer = stripLeadingZeros(point > 0 ? digits.left(point) : QStringLiteral("0"));
    result.fraction = digits.mid(point, decimals);
    return result;
}

int decimalExponent(double absValue) {
    QString digits;
    int exponent = 0;
    significantDigits(absValue, digits, exponent);
    return exponent;
}

QString notANumber() {
    return QStringLiteral("#ЧИСЛО!");
}

QString general(double value) {
    if (!std::isfinite(value))
        return notANumber();
    if (value == 0)
        return QStringLiteral("0");
    const QString sign = value < 0 ? QStringLiteral("-") : QString();
    const double absValue = std::abs(value);
    if (absValue < 1e11 && isSmallWhole(absValue))
        return sign + QString::number(qint64(absValue));
    QString digits;
    int exponent = 0;
    significantDigits(absValue, digits, exponent);
    if (exponent >= 11 || exponent <= -5)
        return sign + scientific(absValue);

    const int integerDigits = qMax(exponent + 1, 1);
    const DecimalDigits rounded = roundDecimal(absValue, qMax(0, 10 - integerDigits));
    if (rounded.integer.size() > 11)
        return sign + scientific(absValue);
    QString fraction = rounded.fraction;
    while (fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    if (rounded.integer == QLatin1String("0") && fraction.isEmpty())
        return sign + scientific(absValue);
    return sign + rounded.integer + (fraction.isEmpty() ? QString() : DecimalSeparator + fraction);
}

QString boolean(bool value) {
    return value ? QStringLiteral("ИСТИНА") : QStringLiteral("ЛОЖЬ");
}

QString groupThousands(const QString& digits) {
    QString out;
    out.reserve(digits.size() + digits.size() / 3);
    const qsizetype n = digits.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += GroupSeparator;
        out += digits.at(i);
    }
    return out;
}

QDateTime serialToDateTime(double serial, bool date1904) {
    if (!std::isfinite(serial) || serial < 0 || serial > LastSerial)
        return QDateTime();
    qint64 seconds = qRound64(serial * SecondsPerDay);
    qint64 days = seconds / SecondsPerDay;
    seconds %= SecondsPerDay;
    QDate date;
    if (date1904)
        date = Epoch1904.addDays(days);
    else if (days < 61) // before the fictitious 29.02.1900
        date = Epoch1900.addDays(days + 1);
    else
        date = Epoch1900.addDays(days);
    return QDateTime(date, QTime(0, 0).addSecs(int(seconds)), Qt::UTC);
}

double dateTimeToSerial(const QDateTime& moment, bool date1904) {
    const qint64 days = (date1904 ? Epoch1904 : Epoch1900).daysTo(moment.date());
    return double(days) + moment.time().msecsSinceStartOfDay() / (SecondsPerDay * 1000.0);
}

} // namespace CellDisplay
