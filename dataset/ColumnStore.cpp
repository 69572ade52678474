#include "dataset/ColumnStore.h"

#include <QDate>
#include <limits>
#include <sqlite3.h>

namespace {

bool fitsInt32(qint64 v) {
    return v >= std::numeric_limits<qint32>::min() && v <= std::numeric_limits<qint32>::max();
}

// Strict "yyyy-MM-dd": the form the import writes, kept as a day number.
bool isoDay(const QString& text, qint64& day) {
    if (text.size() != 10 || text.at(4) != QLatin1Char('-') || text.at(7) != QLatin1Char('-'))
        return false;
    const QDate date = QDate::fromString(text, Qt::ISODate);
    if (!date.isValid())
        return false;
    day = date.toJulianDay();
    return fitsInt32(day);
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
    if (m_null[r])
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
    // Fast path for the common case: a whole number into a whole-number column.
    const int type = sqlite3_column_type(stmt, column);
    if (type == SQLITE_INTEGER && appendSmallInt(sqlite3_column_int64(stmt, column)))
        return;
    if (type == SQLITE_NULL) {
        append(QVariant());
        return;
    }
    if (type == SQLITE_INTEGER) {
        append(QVariant(static_cast<qlonglong>(sqlite3_column_int64(stmt, column))));
    } else if (type == SQLITE_FLOAT) {
        append(QVariant(sqlite3_column_double(stmt, column)));
    } else {
        append(QVariant(
            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, column)),
                              sqlite3_column_bytes(stmt, column))));
    }
}

bool ColumnStore::appendSmallInt(qint64 value) {
    if (m_kind != Kind::Int32 || !fitsInt32(value))
        return false;
    m_sawValue = true;
    m_null.push_back(false);
    m_i32.push_back(static_cast<qint32>(value));
    return true;
}

void ColumnStore::append(const QVariant& value) {
    if (value.typeId() == QMetaType::LongLong && appendSmallInt(value.toLongLong()))
        return;
    widenFor(value);
    m_null.push_back(false);
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
    store(m_null.size() - 1, value);
}

void ColumnStore::insert(int row, const QVariant& value) {
    append(value);
    if (row == size() - 1)
        return;
    // Rotate the appended cell into place.
    const auto r = static_cast<size_t>(row);
    const auto last = m_null.size() - 1;
    const bool isNull = m_null[last];
    m_null.pop_back();
    m_null.insert(m_null.begin() + static_cast<std::ptrdiff_t>(r), isNull);
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
    m_null.erase(m_null.begin() + at);
    if (m_kind == Kind::Int32 || m_kind == Kind::IsoDate)
        m_i32.erase(m_i32.begin() + at);
    else if (m_kind == Kind::Int64)
        m_i64.erase(m_i64.begin() + at);
    else
        m_any.erase(m_any.begin() + at);
}

void ColumnStore::store(size_t row, const QVariant& value) {
    m_null[row] = value.isNull();
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
    values.reserve(m_null.size());
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
