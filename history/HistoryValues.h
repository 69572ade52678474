#pragma once

#include <QByteArrayView>
#include <QDate>
#include <optional>

// The values of a CSV history's fields, read from their bytes (blanks around
// them dropped). Each reader returns nothing for a field that is not such a
// value; an empty field is none either, except where said.
namespace HistoryValues {

QByteArrayView trimmed(QByteArrayView field);

// YYYY-MM-DD or DD.MM.YYYY, leading zeros of the day and month optional.
std::optional<QDate> date(QByteArrayView field);

// A whole number from 0 to 999,999,999 written in digits alone.
std::optional<int> whole(QByteArrayView field);

// An amount: digits, perhaps a fraction after "." or ",", rounded to whole
// (an exact half to the even neighbour); at most 18 digits before the
// fraction. No digit grouping, no sign.
std::optional<qint64> amount(QByteArrayView field);

} // namespace HistoryValues
