#pragma once

#include <QString>
#include <QVariant>
#include <cstdint>
#include <vector>

struct sqlite3_stmt;

// One column of a query's snapshot, stored compactly: whole numbers that fit in
// 32 bits take four bytes a row and ISO dates a day number, so a million-draw
// list stays small. The column widens itself (32 -> 64 bits -> any value) the
// first time a value does not fit.
class ColumnStore {
public:
    enum class Kind { Int32, Int64, IsoDate, Variant };

    int size() const { return static_cast<int>(m_size); }
    Kind kind() const { return m_kind; }
    bool isNull(int row) const { return !m_null.empty() && m_null[static_cast<size_t>(row)]; }
    QVariant value(int row) const;

    void appendFrom(sqlite3_stmt* stmt, int column);
    void append(const QVariant& value);
    void insert(int row, const QVariant& value);
    void set(int row, const QVariant& value);
    void remove(int row);

private:
    enum class Needs { Int32, Int64, IsoDate, Variant };
    static Needs needsFor(const QVariant& value);
    // The fast paths of both appends: a 32-bit whole number into a 32-bit
    // column, an ISO date into a date column (or a column without values).
    bool appendSmallInt(qint64 value) {
        if (m_kind != Kind::Int32 || value < INT32_MIN || value > INT32_MAX)
            return false;
        m_sawValue = true;
        m_i32.push_back(static_cast<qint32>(value));
        addRow(false);
        return true;
    }
    bool appendIsoDay(const char* text, int bytes);
    // Adds a row with a blank value (a null when isNull) in the column's form.
    void appendSlot(bool isNull);
    // Counts a row whose value was just added to the value vector.
    void addRow(bool isNull) {
        ++m_size;
        if (isNull || !m_null.empty()) {
            m_null.resize(m_size, false); // the first null brings the flags
            m_null.back() = isNull;
        }
    }
    void setNull(size_t row, bool isNull);
    void widenFor(const QVariant& value);
    void rebuildAs(Kind kind);
    void store(size_t row, const QVariant& value);

    Kind m_kind = Kind::Int32;
    bool m_sawValue = false;
    size_t m_size = 0;
    std::vector<bool> m_null;  // a flag per row once the column holds a null; empty before
    std::vector<qint32> m_i32; // Int32 values, or IsoDate Julian day numbers
    std::vector<qint64> m_i64;
    std::vector<QVariant> m_any;
};
