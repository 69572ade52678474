#pragma once

#include <QList>
#include <QString>

// A cell number format (built-in id or format code) and the text it makes of a
// number, as a spreadsheet shows it in the Russian locale. Understood: General;
// digit placeholders (0 # ?) with decimals, digit grouping, thousands scaling,
// percent and exponent; literal text; and date and time codes (d m y h s,
// AM/PM, elapsed [h] [m] [s]). Only the first section of a code is used.
// Fractions and anything else fall back to General.
class NumberFormat {
public:
    NumberFormat() = default; // General

    // A built-in format by id (0 to 49). Id 14, the short date, is dd.mm.yyyy.
    static NumberFormat builtIn(int id);
    static NumberFormat fromCode(const QString& code);

    bool isDateTime() const { return m_kind == Kind::DateTime; }
    // The text shown for the value; date serials count in the 1904 system when asked.
    QString display(double value, bool date1904 = false) const;

private:
    enum class Kind { General, Number, DateTime };

    enum class Part {
        Literal,
        Year2,
        Year4,
        Day,
        Day2,
        DayNameShort,
        DayNameLong,
        Month,
        Month2,
        MonthNameShort,
        MonthNameLong,
        MonthLetter,
        Hour,
        Hour2,
        Minute,
        Minute2,
        Second,
        Second2,
        AmPm,
        ElapsedHours,
        ElapsedMinutes,
        ElapsedSeconds
    };
    struct DatePart {
        Part part;
        QString text; // Literal: the text; AmPm: the pattern ("AM/PM" or "A/P")
    };

    friend class NumberFormatParser; // builds formats from codes

    QString displayNumber(double value) const;
    QString displayDate(double value, bool date1904) const;

    Kind m_kind = Kind::General;
    // Literal text before and after the number (General and number formats)
    QString m_prefix;
    QString m_suffix;
    // Number formats
    int m_minIntegerDigits = 1;
    int m_minDecimals = 0;
    int m_maxDecimals = 0;
    bool m_showPoint = false;
    bool m_grouping = false;
    int m_thousandsScale = 0;
    int m_percent = 0;
    bool m_scientific = false;
    bool m_exponentSign = false; // E+ shows "+" for positive exponents
    int m_exponentDigits = 0;
    // Date and time formats
    QList<DatePart> m_dateParts;
    bool m_twelveHour = false;
};
