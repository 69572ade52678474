#include "workbook/NumberFormat.h"

#include "workbook/CellDisplay.h"

#include <QLocale>
#include <cmath>
#include <iterator>

namespace {

const QLocale& russian() {
    static const QLocale locale(QLocale::Russian, QLocale::Russia);
    return locale;
}

QString padded(qint64 value, int width) {
    return QString::number(value).rightJustified(width, QLatin1Char('0'));
}

// The text of an AM/PM or A/P pattern for the hour, in the pattern's letter case.
QString amPm(const QString& pattern, int hour) {
    const qsizetype slash = pattern.indexOf(QLatin1Char('/'));
    return hour < 12 ? pattern.left(slash) : pattern.mid(slash + 1);
}

} // namespace

NumberFormat NumberFormat::builtIn(int id) {
    static const char* const codes[] = {
        "General",
        "0",
        "0.00",
        "#,##0",
        "#,##0.00", // 0-4
        nullptr,
        nullptr,
        nullptr,
        nullptr,
        "0%", // 5-9
        "0.00%",
        "0.00E+00",
        nullptr,
        nullptr,
        "dd.mm.yyyy", // 10-14
        "d-mmm-yy",
        "d-mmm",
        "mmm-yy",
        "h:mm AM/PM",
        "h:mm:ss AM/PM", // 15-19
        "h:mm",
        "h:mm:ss",
        "dd.mm.yyyy h:mm",
        nullptr,
        nullptr, // 20-24
        nullptr,
        nullptr,
        nullptr,
        nullptr,
        nullptr, // 25-29
        nullptr,
        nullptr,
        nullptr,
        nullptr,
        nullptr, // 30-34
        nullptr,
        nullptr,
        "#,##0",
        "#,##0",
        "#,##0.00", // 35-39
        "#,##0.00",
        nullptr,
        nullptr,
        nullptr,
        nullptr, // 40-44
        "mm:ss",
        "[h]:mm:ss",
        "mm:ss",
        "0.0E+0",
        "General", // 45-49
    };
    if (id < 0 || id >= int(std::size(codes)) || !codes[id])
        return NumberFormat();
    return fromCode(QLatin1String(codes[id]));
}

QString NumberFormat::display(double value, bool date1904) const {
    switch (m_kind) {
    case Kind::Number:
        return displayNumber(value);
    case Kind::DateTime:
        return displayDate(value, date1904);
    case Kind::General:
        break;
    }
    return m_prefix + CellDisplay::general(value) + m_suffix;
}

QString NumberFormat::displayNumber(double value) const {
    if (!std::isfinite(value))
        return CellDisplay::notANumber();
    const bool negative = value < 0;
    const double absValue = std::abs(value);
    // Each percent sign multiplies by 100, each comma after the last digit
    // placeholder divides by 1000: both only move the decimal point.
    const int powerOfTen = 2 * m_percent - 3 * m_thousandsScale;

    int exponent = 0;
    CellDisplay::DecimalDigits digits;
    if (m_scientific && absValue > 0) {
        exponent = CellDisplay::decimalExponent(absValue) + powerOfTen;
        digits = CellDisplay::roundDecimal(absValue, m_maxDecimals, powerOfTen - exponent);
        if (digits.integer.size() > 1) { // 9.99 rounded up to 10.0
            ++exponent;
            digits = CellDisplay::roundDecimal(absValue, m_maxDecimals, powerOfTen - exponent);
        }
    } else {
        digits = CellDisplay::roundDecimal(absValue, m_maxDecimals, powerOfTen);
    }

    QString integer = digits.integer;
    if (integer == QLatin1String("0") && m_minIntegerDigits == 0)
        integer.clear();
    integer = integer.rightJustified(m_minIntegerDigits, QLatin1Char('0'));
    if (m_grouping)
        integer = CellDisplay::groupThousands(integer);
    QString fraction = digits.fraction;
    while (fraction.size() > m_minDecimals && fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);

    QString text = negative ? QStringLiteral("-") : QString();
    text += m_prefix + integer;
    if (m_showPoint)
        text += CellDisplay::DecimalSeparator + fraction;
    if (m_scientific) {
        text += QLatin1Char('E');
        if (exponent < 0)
            text += QLatin1Char('-');
        else if (m_exponentSign)
            text += QLatin1Char('+');
        text += padded(std::abs(exponent), m_exponentDigits);
    }
    return text + m_suffix;
}

QString NumberFormat::displayDate(double value, bool date1904) const {
    const QDateTime moment = CellDisplay::serialToDateTime(value, date1904);
    if (!moment.isValid())
        return CellDisplay::general(value);
    const QDate date = moment.date();
    const QTime time = moment.time();
    const qint64 totalSeconds = qRound64(value * 86400.0);
    const int hour12 = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
    const int hour = m_twelveHour ? hour12 : time.hour();

    QString text;
    for (const DatePart& part : m_dateParts) {
        switch (part.part) {
        case Part::Literal:
            text += part.text;
            break;
        case Part::Year2:
            text += padded(date.year() % 100, 2);
            break;
        case Part::Year4:
            text += padded(date.year(), 4);
            break;
        case Part::Day:
            text += QString::number(date.day());
            break;
        case Part::Day2:
            text += padded(date.day(), 2);
            break;
        case Part::DayNameShort:
            text += russian().dayName(date.dayOfWeek(), QLocale::ShortFormat);
            break;
        case Part::DayNameLong:
            text += russian().dayName(date.dayOfWeek(), QLocale::LongFormat);
            break;
        case Part::Month:
            text += QString::number(date.month());
            break;
        case Part::Month2:
            text += padded(date.month(), 2);
            break;
        case Part::MonthNameShort:
            text += russian().standaloneMonthName(date.month(), QLocale::ShortFormat);
            break;
        case Part::MonthNameLong:
            text += russian().standaloneMonthName(date.month(), QLocale::LongFormat);
            break;
        case Part::MonthLetter:
            text += russian().standaloneMonthName(date.month(), QLocale::LongFormat).left(1);
            break;
        case Part::Hour:
            text += QString::number(hour);
            break;
        case Part::Hour2:
            text += padded(hour, 2);
            break;
        case Part::Minute:
            text += QString::number(time.minute());
            break;
        case Part::Minute2:
            text += padded(time.minute(), 2);
            break;
        case Part::Second:
            text += QString::number(time.second());
            break;
        case Part::Second2:
            text += padded(time.second(), 2);
            break;
        case Part::AmPm:
            text += amPm(part.text, time.hour());
            break;
        case Part::ElapsedHours:
            text += padded(totalSeconds / 3600, int(part.text.size()));
            break;
        case Part::ElapsedMinutes:
            text += padded(totalSeconds / 60, int(part.text.size()));
            break;
        case Part::ElapsedSeconds:
            text += padded(totalSeconds, int(part.text.size()));
            break;
        }
    }
    return text;
}
