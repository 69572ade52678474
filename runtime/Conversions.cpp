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
    static const QRegularExpression form(
        QStringLiteral("^\\s*[-+]?(\\d+(,\\d*)?|,\\d+)([eE][-+]?\\d+)?\\s*$"));
    if (!form.match(text).hasMatch())
        throw notValid(text, "floating point value");
    QString c = text.trimmed();
    c.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = c.toDouble(&ok);
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
