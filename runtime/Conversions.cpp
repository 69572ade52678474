#include "runtime/Conversions.h"

#include "runtime/AppError.h"

#include <QRegularExpression>
#include <cmath>
#include <limits>

namespace Conversions {

namespace {

AppError notValid(const QString& text, const char* what) {
    return AppError(QStringLiteral("'%1' is not a valid %2").arg(text, QLatin1String(what)));
}

// Parses [blanks][sign]digits with nothing after; false on anything else or overflow.
bool parseWhole(const QString& text, qint64 min, qint64 max, qint64& out) {
    int i = 0;
    const int n = text.size();
    while (i < n && text.at(i) == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < n && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    if (i >= n)
        return false;
    // Accumulate as a negative number so that the minimum value fits.
    qint64 value = 0;
    for (; i < n; ++i) {
        const QChar c = text.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
        const int digit = c.unicode() - '0';
        if (value < (std::numeric_limits<qint64>::min() + digit) / 10)
            return false;
        value = value * 10 - digit;
    }
    if (!negative) {
        if (value == std::numeric_limits<qint64>::min())
            return false;
        value = -value;
    }
    if (value < min || value > max)
        return false;
    out = value;
    return true;
}

} // namespace

int strToInt(const QString& text) {
    qint64 value = 0;
    if (!parseWhole(text, std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), value))
        throw notValid(text, "integer value");
    return static_cast<int>(value);
}

qint64 strToInt64(const QString& text) {
    qint64 value = 0;
    if (!parseWhole(text, std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max(),
                    value))
        throw notValid(text, "integer value");
    return value;
}

double strToFloat(const QString& text) {
    // [blanks][sign](digits[,digits]|,digits)[(e|E)[sign]digits][blanks]
    const QString t = text.trimmed();
    QByteArray c;
    c.reserve(t.size());
    int i = 0;
    const int n = static_cast<int>(t.size());
    const auto digits = [&] {
        const int start = i;
        while (i < n && t.at(i) >= QLatin1Char('0') && t.at(i) <= QLatin1Char('9'))
            c.append(char(t.at(i++).unicode()));
        return i - start;
    };
    if (i < n && (t.at(i) == QLatin1Char('-') || t.at(i) == QLatin1Char('+')))
        c.append(char(t.at(i++).unicode()));
    int mantissa = digits();
    if (i < n && t.at(i) == QLatin1Char(',')) {
        c.append('.');
        ++i;
        mantissa += digits();
    }
    bool ok = mantissa > 0;
    if (ok && i < n && (t.at(i) == QLatin1Char('e') || t.at(i) == QLatin1Char('E'))) {
        c.append('e');
        ++i;
        if (i < n && (t.at(i) == QLatin1Char('-') || t.at(i) == QLatin1Char('+')))
            c.append(char(t.at(i++).unicode()));
        ok = digits() > 0;
    }
    double value = 0;
    if (ok && i == n)
        value = c.toDouble(&ok);
    else
        ok = false;
    if (!ok || !std::isfinite(value))
        throw notValid(text, "floating point value");
    return value;
}

qint64 strToRoundedAmount(const QString& text) {
    const double rounded = std::nearbyint(strToFloat(text)); // default mode: half to even
    if (!(rounded >= -9.2e18 && rounded <= 9.2e18))
        throw notValid(text, "floating point value");
    return static_cast<qint64>(rounded);
}

QDate strToDate(const QString& text) {
    static const QRegularExpression form(
        QStringLiteral("^\\s*(\\d{1,2})\\.(\\d{1,2})\\.(\\d{2}|\\d{4})\\s*$"));
    const auto m = form.match(text);
    if (m.hasMatch()) {
        int year = m.captured(3).toInt();
        if (m.captured(3).size() == 2)
            year += year < 50 ? 2000 : 1900; // the run-time library's two-digit window
        const QDate date(year, m.captured(2).toInt(), m.captured(1).toInt());
        if (date.isValid())
            return date;
    }
    throw notValid(text, "date");
}

} // namespace Conversions
