#include "workbook/NumberFormat.h"

#include "workbook/CellDisplay.h"

// Reading a format code: its first section is cut into atoms (quoting, escapes
// and brackets resolved), then read as a number, date or General format.

namespace {

struct Atom {
    enum Type { Text, Char, Elapsed, General, AmPm, Exponent } type;
    QString text; // Text: literal; Char: the character; Elapsed: the letters;
                  // AmPm: the pattern; Exponent: "+" or "-"
};

bool startsWithAt(const QString& code, qsizetype i, QLatin1String word) {
    return QStringView(code).mid(i, word.size()).compare(word, Qt::CaseInsensitive) == 0;
}

bool isElapsedLetters(const QString& text) {
    if (text.isEmpty())
        return false;
    const QChar first = text.at(0).toLower();
    if (first != QLatin1Char('h') && first != QLatin1Char('m') && first != QLatin1Char('s'))
        return false;
    for (const QChar c : text) {
        if (c.toLower() != first)
            return false;
    }
    return true;
}

// The text of a bracket: a currency or locale tag "[$X-419]" gives X; elapsed
// time letters give an Elapsed atom; colours and conditions give nothing.
void appendBracket(const QString& inside, QList<Atom>& atoms) {
    if (inside.startsWith(QLatin1Char('$'))) {
        const QString symbol = inside.mid(1).section(QLatin1Char('-'), 0, 0);
        if (!symbol.isEmpty())
            atoms.append({Atom::Text, symbol});
    } else if (isElapsedLetters(inside)) {
        atoms.append({Atom::Elapsed, inside.toLower()});
    }
}

QList<Atom> atomsOfFirstSection(const QString& code) {
    QList<Atom> atoms;
    const qsizetype n = code.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = code.at(i);
        if (c == QLatin1Char(';'))
            break;
        if (c == QLatin1Char('"') || c == QLatin1Char('[')) {
            const QChar close = c == QLatin1Char('"') ? QLatin1Char('"') : QLatin1Char(']');
            qsizetype end = code.indexOf(close, i + 1);
            if (end < 0)
                end = n;
            const QString inside = code.mid(i + 1, end - i - 1);
            if (c == QLatin1Char('"'))
                atoms.append({Atom::Text, inside});
            else
                appendBracket(inside, atoms);
            i = end + 1;
        } else if (c == QLatin1Char('\\')) {
            atoms.append({Atom::Text, code.mid(i + 1, 1)});
            i += 2;
        } else if (c == QLatin1Char('_')) {
            atoms.append({Atom::Text, QStringLiteral(" ")}); // the room of the next character
            i += 2;
        } else if (c == QLatin1Char('*')) {
            i += 2; // a fill character has no width of its own
        } else if (startsWithAt(code, i, QLatin1String("General"))) {
            atoms.append({Atom::General, QString()});
            i += 7;
        } else if (startsWithAt(code, i, QLatin1String("AM/PM"))) {
            atoms.append({Atom::AmPm, code.mid(i, 5)});
            i += 5;
        } else if (startsWithAt(code, i, QLatin1String("A/P"))) {
            atoms.append({Atom::AmPm, code.mid(i, 3)});
            i += 3;
        } else if ((c == QLatin1Char('E') || c == QLatin1Char('e')) && i + 1 < n &&
                   (code.at(i + 1) == QLatin1Char('+') || code.at(i + 1) == QLatin1Char('-'))) {
            atoms.append({Atom::Exponent, code.mid(i + 1, 1)});
            i += 2;
        } else {
            atoms.append({Atom::Char, QString(c)});
            ++i;
        }
    }
    return atoms;
}

bool isDateLetter(QChar c) {
    switch (c.toLower().unicode()) {
    case 'd':
    case 'm':
    case 'y':
    case 'h':
    case 's':
    case 'e':
        return true;
    default:
        return false;
    }
}

bool isPlaceholder(QChar c) {
    return c == QLatin1Char('0') || c == QLatin1Char('#') || c == QLatin1Char('?');
}

} // namespace

class NumberFormatParser {
public:
    static NumberFormat parse(const QString& code) {
        NumberFormat format;
        const QList<Atom> atoms = atomsOfFirstSection(code);
        bool date = false;
        bool digits = false;
        bool fraction = false;
        for (const Atom& atom : atoms) {
            if (atom.type == Atom::AmPm || atom.type == Atom::Elapsed)
                date = true;
            if (atom.type == Atom::Char) {
                const QChar c = atom.text.at(0);
                date = date || isDateLetter(c);
                digits = digits || isPlaceholder(c);
                fraction = fraction || c == QLatin1Char('/');
            }
        }
        if (date)
            readDate(atoms, format);
        else if (digits && !fraction)
            readNumber(atoms, format);
        else
            readGeneral(atoms, format);
        return format;
    }

private:
    using Part = NumberFormat::Part;

    // Literal text around the General keyword stays; a code of literals alone
    // (or one this reader does not know) shows the value in General.
    static void readGeneral(const QList<Atom>& atoms, NumberFormat& format) {
        bool seenGeneral = false;
        QString before;
        QString after;
        for (const Atom& atom : atoms) {
            if (atom.type == Atom::General)
                seenGeneral = true;
            else if (atom.type == Atom::Text || atom.type == Atom::Char)
                (seenGeneral ? after : before) += atom.text;
        }
        if (seenGeneral) {
            format.m_prefix = before;
            format.m_suffix = after;
        }
    }

    static void readNumber(const QList<Atom>& atoms, NumberFormat& format) {
        format.m_kind = NumberFormat::Kind::Number;
        format.m_minIntegerDigits = 0;
        bool seenPlaceholder = false;
        bool afterPoint = false;
        bool inExponent = false;
        int pendingCommas = 0;
        for (const Atom& atom : atoms) {
            const QChar c = atom.type == Atom::Char ? atom.text.at(0) : QChar();
            if (atom.type == Atom::Exponent) {
                format.m_scientific = true;
                format.m_exponentSign = atom.text == QLatin1String("+");
                inExponent = true;
            } else if (atom.type == Atom::Char && isPlaceholder(c)) {
                if (inExponent) {
                    ++format.m_exponentDigits;
                } else if (afterPoint) {
                    ++format.m_maxDecimals;
                    if (c == QLatin1Char('0'))
                        format.m_minDecimals = format.m_maxDecimals;
                } else {
                    format.m_grouping = format.m_grouping || pendingCommas > 0;
                    pendingCommas = 0;
                    if (c == QLatin1Char('0'))
                        ++format.m_minIntegerDigits;
                }
                seenPlaceholder = true;
            } else if (c == QLatin1Char('.') && !afterPoint && !inExponent) {
                afterPoint = true;
                format.m_showPoint = true;
                format.m_thousandsScale += pendingCommas;
                pendingCommas = 0;
            } else if (c == QLatin1Char(',') && seenPlaceholder && !inExponent) {
                ++pendingCommas; // grouping when a digit follows, else scaling by 1000
            } else if (atom.type == Atom::Text || atom.type == Atom::Char) {
                if (c == QLatin1Char('%'))
                    ++format.m_percent;
                (seenPlaceholder ? format.m_suffix : format.m_prefix) += atom.text;
            }
        }
        format.m_thousandsScale += pendingCommas;
    }

    static Part datePart(QChar letter, qsizetype count) {
        switch (letter.unicode()) {
        case 'y':
        case 'e':
            return count <= 2 && letter == QLatin1Char('y') ? Part::Year2 : Part::Year4;
        case 'd':
            return count == 1   ? Part::Day
                   : count == 2 ? Part::Day2
                   : count == 3 ? Part::DayNameShort
                                : Part::DayNameLong;
        case 'm':
            return count == 1   ? Part::Month
                   : count == 2 ? Part::Month2
                   : count == 3 ? Part::MonthNameShort
                   : count == 4 ? Part::MonthNameLong
                                : Part::MonthLetter;
        case 'h':
            return count == 1 ? Part::Hour : Part::Hour2;
        default:
            return count == 1 ? Part::Second : Part::Second2;
        }
    }

    static Part elapsedPart(const QString& letters) {
        switch (letters.at(0).unicode()) {
        case 'h':
            return Part::ElapsedHours;
        case 'm':
            return Part::ElapsedMinutes;
        default:
            return Part::ElapsedSeconds;
        }
    }

    static void readDate(const QList<Atom>& atoms, NumberFormat& format) {
        format.m_kind = NumberFormat::Kind::DateTime;
        QList<NumberFormat::DatePart>& parts = format.m_dateParts;
        for (qsizetype i = 0; i < atoms.size(); ++i) {
            const Atom& atom = atoms.at(i);
            const QChar c = atom.type == Atom::Char ? atom.text.at(0).toLower() : QChar();
            if (atom.type == Atom::Char && isDateLetter(c)) {
                qsizetype count = 1;
                while (i + 1 < atoms.size() && atoms.at(i + 1).type == Atom::Char &&
                       atoms.at(i + 1).text.at(0).toLower() == c) {
                    ++count;
                    ++i;
                }
                parts.append({datePart(c, count), QString()});
            } else if (atom.type == Atom::Elapsed) {
                parts.append({elapsedPart(atom.text), QString(atom.text.size(), QLatin1Char('0'))});
            } else if (atom.type == Atom::AmPm) {
                parts.append({Part::AmPm, atom.text});
                format.m_twelveHour = true;
            } else if (c == QLatin1Char('/')) {
                parts.append({Part::Literal, QString(CellDisplay::DateSeparator)});
            } else if (atom.type == Atom::Text ||
                       (atom.type == Atom::Char && c != QLatin1Char('b') &&
                        c != QLatin1Char('g'))) {
                parts.append({Part::Literal, atom.text});
            }
        }
        resolveMinutes(parts);
    }

    static bool isHourPart(Part part) {
        return part == Part::Hour || part == Part::Hour2 || part == Part::ElapsedHours;
    }
    static bool isSecondPart(Part part) {
        return part == Part::Second || part == Part::Second2 || part == Part::ElapsedSeconds;
    }

    // "m" and "mm" mean minutes right after an hour or right before a second.
    static void resolveMinutes(QList<NumberFormat::DatePart>& parts) {
        for (qsizetype i = 0; i < parts.size(); ++i) {
            Part& part = parts[i].part;
            if (part != Part::Month && part != Part::Month2)
                continue;
            qsizetype before = i - 1;
            while (before >= 0 && parts.at(before).part == Part::Literal)
                --before;
            qsizetype after = i + 1;
            while (after < parts.size() && parts.at(after).part == Part::Literal)
                ++after;
            const bool minute = (before >= 0 && isHourPart(parts.at(before).part)) ||
                                (after < parts.size() && isSecondPart(parts.at(after).part));
            if (minute)
                part = part == Part::Month ? Part::Minute : Part::Minute2;
        }
    }
};

NumberFormat NumberFormat::fromCode(const QString& code) {
    return NumberFormatParser::parse(code);
}
