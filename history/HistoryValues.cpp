#include "history/HistoryValues.h"

namespace HistoryValues {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Digits from `from` to the first non-digit: their value and how many there
// were (at most `most`; more reads as none).
std::optional<int> digitsAt(QByteArrayView text, qsizetype& at, int most) {
    int value = 0;
    int count = 0;
    while (at < text.size() && isDigit(text[at])) {
        if (++count > most)
            return std::nullopt;
        value = value * 10 + (text[at++] - '0');
    }
    if (count == 0)
        return std::nullopt;
    return value;
}

} // namespace

QByteArrayView trimmed(QByteArrayView field) {
    while (!field.isEmpty() && (field.front() == ' ' || field.front() == '\t'))
        field = field.sliced(1);
    while (!field.isEmpty() && (field.back() == ' ' || field.back() == '\t'))
        field.chop(1);
    return field;
}

std::optional<QDate> date(QByteArrayView field) {
    field = trimmed(field);
    qsizetype at = 0;
    const auto first = digitsAt(field, at, 4);
    if (!first || at >= field.size())
        return std::nullopt;
    const char separator = field[at];
    const qsizetype firstLength = at;
    if ((separator != '-' && separator != '.') || (separator == '-') != (firstLength == 4))
        return std::nullopt;
    ++at;
    const auto second = digitsAt(field, at, 2);
    if (!second || at >= field.size() || field[at] != separator)
        return std::nullopt;
    ++at;
    const qsizetype thirdStart = at;
    const auto third = digitsAt(field, at, 4);
    if (!third || at != field.size())
        return std::nullopt;
    QDate date;
    if (separator == '-' && at - thirdStart <= 2)
        date = QDate(*first, *second, *third);
    else if (separator == '.' && firstLength <= 2 && at - thirdStart == 4)
        date = QDate(*third, *second, *first);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

std::optional<int> whole(QByteArrayView field) {
    field = trimmed(field);
    qsizetype at = 0;
    const auto value = digitsAt(field, at, 9);
    if (!value || at != field.size())
        return std::nullopt;
    return value;
}

std::optional<qint64> amount(QByteArrayView field) {
    field = trimmed(field);
    qint64 value = 0;
    qsizetype at = 0;
    while (at < field.size() && isDigit(field[at])) {
        if (at >= 18)
            return std::nullopt;
        value = value * 10 + (field[at++] - '0');
    }
    if (at == 0)
        return std::nullopt;
    if (at == field.size())
        return value;
    if (field[at] != '.' && field[at] != ',')
        return std::nullopt;
    const QByteArrayView fraction = field.sliced(at + 1);
    if (fraction.isEmpty())
        return std::nullopt;
    bool beyondHalf = false; // a nonzero digit after the first
    for (qsizetype i = 0; i < fraction.size(); ++i) {
        if (!isDigit(fraction[i]))
            return std::nullopt;
        beyondHalf = beyondHalf || (i > 0 && fraction[i] != '0');
    }
    const int firstDigit = fraction[0] - '0';
    const bool roundUp = firstDigit > 5 || (firstDigit == 5 && (beyondHalf || value % 2 == 1));
    return value + (roundUp ? 1 : 0);
}

} // namespace HistoryValues
