#include "dataset/ColumnStore.h"

#include <QDate>
#include <limits>
#include <sqlite3.h>

namespace {

bool fitsInt32(qint64 v) {
    return v >= std::numeric_limits<qint32>::min() && v <= std::numeric_limits<qint32>::max();
}

// Strict "yyyy-MM-dd" (years 1 to 9999), the form the import writes, as a
// Julian day number; the same days QDate gives, without parsing through it.
bool isoDay(QLatin1String text, qint64& day) {
    if (text.size() != 10 || text.at(4) != QLatin1Char('-') || text.at(7) != QLatin1Char('-'))
        return false;
    int parts[3] = {0, 0, 0};
    const int starts[3] = {0, 5, 8};
    const int lengths[3] = {4, 2, 2};
    for (int p = 0; p < 3; ++p) {
        for (int i = starts[p]; i < starts[p] + lengths[p]; ++i) {
            const char c = text.data()[i];
            if (c < '0' || c > '9')
                return false;
            parts[p] = parts[p] * 10 + (c - '0');
        }
    }
    const int year = parts[0];
    const int month = parts[1];
    const int dayOfMonth = parts[2];
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1 || month < 1 || month > 12 || dayOfMonth < 1 ||
        dayOfMonth > kDays[month - 1] + (month == 2 && leap ? 1 : 0))
        return false;
    // Days from the civil date (proleptic Gregorian), counted from 1970-01-01,
    // whose Julian day number is 2440588.
    const int y = month <= 2 ? year - 1 : year;
    const int era = y / 400;
    const int yearOfEra = y - era * 400;
    const int shiftedMonth = month > 2 ? month - 3 : month + 9;
    const int dayOfYear = (153 * shiftedMonth + 2) / 5 + dayOfMonth - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    day = qint64(era) * 146097 + dayOfEra - 719468 + 2440588;
    return true;
}

bool isoDay(const QString& text, qint64& day) {
    if (text.size() != 10)
        return false;
    const QByteArray latin = text.toLatin1();
    return isoDay(QLatin1String(latin), day);
}

bool isWhole(const QVariant& v) {
    const int t = v.typeId();
    return t == QMetaType::LongLong || t == QMetaType::Int || t == QMetaType::UInt ||
           t == QMetaType::Bool;
}

} // namespace

ColumnStore::Needs ColumnStore::needsFor(const QVariant& value) {
    if (isWhole(value))
        return fitsInt32(value.toLongLong()) ? Needs::Int32 : Needs::Int64;
    qint64 day = 0;
    if (value.typeId() == QMetaType::QString && isoDay(value.toString(), day))
        return Needs::IsoDate;
    if (value.typeId() == QMetaType::QDate)
        return Needs::IsoDate;
    return Needs::Variant;
}

QVariant ColumnStore::value(int row) const {
    const auto r = static_cast<size_t>(row);
    if (isNull(row))
        return QVariant();
    switch (m_kind) {
    case Kind::Int32:
        return QVariant(static_cast<qlonglong>(m_i32[r]));
    case Kind::Int64:
        return QVariant(static_cast<qlonglong>(m_i64[r]));
    case Kind::IsoDate:
        return QVariant(QDate::fromJulianDay(m_i32[r]).toString(Qt::ISODate));
    case Kind::Variant:
        break;
    }
    return m_any[r];
}

void ColumnStore::appendFrom(sqlite3_stmt* stmt, int column) {
    // The cell's value is read through one column call: every sqlite3_column_*
    // call pays the engine's API entry and exit again. The value is unprotected
    // (no connection mutex held), which is safe here: a connection and its
    // statements are only ever used from the thread that opened them.
    sqlite3_value* cell = sqlite3_column_value(stmt, column);
    // Fast paths for what a draw list holds: whole numbers, nulls and ISO dates
    // go straight into their column without a QVariant.
    switch (sqlite3_value_type(cell)) {
    case SQLITE_INTEGER: {
        const qint64 v = sqlite3_value_int64(cell);
        if (appendSmallInt(v))
            return;
        if (m_kind == Kind::Int64) {
            m_i64.push_back(v);
            addRow(false);
            return;
        }
        append(QVariant(static_cast<qlonglong>(v)));
        return;
    }
    case SQLITE_NULL:
        appendSlot(true);
        return;
    case SQLITE_FLOAT:
        append(QVariant(sqlite3_value_double(cell)));
        return;
    default: {
        const char* text = reinterpret_cast<const char*>(sqlite3_value_text(cell));
        const int bytes = sqlite3_value_bytes(cell);
        if ((m_kind == Kind::IsoDate || !m_sawValue) && appendIsoDay(text, bytes))
            return;
        append(QVariant(QString::fromUtf8(text, bytes)));
    }
    }
}

void ColumnStore::appendSlot(bool isNull) {
    switch (m_kind) {
    case Kind::Int32:
    case Kind::IsoDate:
        m_i32.push_back(0);
        break;
    case Kind::Int64:
        m_i64.push_back(0);
        break;
    case Kind::Variant:
        m_any.emplace_back();
        break;
    }
    addRow(isNull);
}

bool ColumnStore::appendIsoDay(const char* text, int bytes) {
    qint64 day = 0;
    if (!isoDay(QLatin1String(text, bytes), day))
        return false;
    if (m_kind != Kind::IsoDate)
        rebuildAs(Kind::IsoDate); // only nulls so far: the first value decides
    m_sawValue = true;
    m_i32.push_back(static_cast<qint32>(day));
    addRow(false);
    return true;
}

void ColumnStore::append(const QVariant& value) {
    if (value.typeId() == QMetaType::LongLong && appendSmallInt(value.toLongLong()))
        return;
    widenFor(value);
    appendSlot(false);
    store(m_size - 1, value);
}

void ColumnStore::insert(int row, const QVariant& value) {
    append(value);
    if (row == size() - 1)
        return;
    // Rotate the appended cell into place.
    const auto r = static_cast<size_t>(row);
    if (!m_null.empty()) {
        const bool isNull = m_null.back();
        m_null.pop_back();
        m_null.insert(m_null.begin() + static_cast<std::ptrdiff_t>(r), isNull);
    }
    auto rotate = [r](auto& v) {
        if (!v.empty())
            std::rotate(v.begin() + static_cast<std::ptrdiff_t>(r), v.end() - 1, v.end());
    };
    if (m_kind == Kind::Int32 || m_kind == Kind::IsoDate)
        rotate(m_i32);
    else if (m_kind == Kind::Int64)
        rotate(m_i64);
    else
        rotate(m_any);
}

void ColumnStore::set(int row, const QVariant& value) {
    widenFor(value);
    store(static_cast<size_t>(row), value);
}

void ColumnStore::remove(int row) {
    const auto at = static_cast<std::ptrdiff_t>(row);
    if (!m_null.empty())
        m_null.erase(m_null.begin() + at);
    --m_size;
    if (m_kind == Kind::Int32 || m_kind == Kind::IsoDate)
        m_i32.erase(m_i32.begin() + at);
    else if (m_kind == Kind::Int64)
        m_i64.erase(m_i64.begin() + at);
    else
        m_any.erase(m_any.begin() + at);
}

void ColumnStore::setNull(size_t row, bool isNull) {
    if (isNull && m_null.empty())
        m_null.assign(m_size, false);
    if (!m_null.empty())
        m_null[row] = isNull;
}

void ColumnStore::store(size_t row, const QVariant& value) {
    setNull(row, value.isNull());
    if (value.isNull())
        return;
    m_sawValue = true;
    switch (m_kind) {
    case Kind::Int32:
        m_i32[row] = static_cast<qint32>(value.toLongLong());
        break;
    case Kind::Int64:
        m_i64[row] = value.toLongLong();
        break;
    case Kind::IsoDate: {
        qint64 day = 0;
        if (value.typeId() == QMetaType::QDate)
            day = value.toDate().toJulianDay();
        else
            isoDay(value.toString(), day);
        m_i32[row] = static_cast<qint32>(day);
        break;
    }
    case Kind::Variant:
        m_any[row] = value;
        break;
    }
}

void ColumnStore::widenFor(const QVariant& value) {
    if (value.isNull())
        return;
    const Needs needs = needsFor(value);
    Kind target = m_kind;
    if (!m_sawValue) {
        // The first value decides the column's form.
        target = needs == Needs::Int32     ? Kind::Int32
                 : needs == Needs::Int64   ? Kind::Int64
                 : needs == Needs::IsoDate ? Kind::IsoDate
                                           : Kind::Variant;
    } else if (m_kind == Kind::Int32 && needs == Needs::Int64) {
        target = Kind::Int64;
    } else if ((m_kind == Kind::Int32 || m_kind == Kind::Int64) &&
               (needs == Needs::IsoDate || needs == Needs::Variant)) {
        target = Kind::Variant;
    } else if (m_kind == Kind::IsoDate && needs != Needs::IsoDate) {
        target = Kind::Variant;
    }
    if (target != m_kind)
        rebuildAs(target);
}

void ColumnStore::rebuildAs(Kind kind) {
    std::vector<QVariant> values;
    values.reserve(m_size);
    for (int i = 0; i < size(); ++i)
        values.push_back(value(i));
    m_i32.clear();
    m_i32.shrink_to_fit();
    m_i64.clear();
    m_i64.shrink_to_fit();
    m_any.clear();
    m_kind = kind;
    const bool saw = m_sawValue;
    switch (kind) {
    case Kind::Int32:
    case Kind::IsoDate:
        m_i32.assign(values.size(), 0);
        break;
    case Kind::Int64:
        m_i64.assign(values.size(), 0);
        break;
    case Kind::Variant:
        m_any.assign(values.size(), QVariant());
        break;
    }
    for (size_t i = 0; i < values.size(); ++i)
        store(i, values[i]);
    m_sawValue = saw;
}
