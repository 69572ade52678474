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

    int size() const { return static_cast<int>(m_null.size()); }
    Kind kind() const { return m_kind; }
    bool isNull(int row) const { return m_null[static_cast<size_t>(row)]; }
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
    // column, a null, an ISO date into a date column (or a column without values).
    bool appendSmallInt(qint64 value);
    void appendNull();
    bool appendIsoDay(const char* text, int bytes);
    void widenFor(const QVariant& value);
    void rebuildAs(Kind kind);
    void store(size_t row, const QVariant& value);

    Kind m_kind = Kind::Int32;
    bool m_sawValue = false;
    std::vector<bool> m_null;
    std::vector<qint32> m_i32; // Int32 values, or IsoDate Julian day numbers
    std::vector<qint64> m_i64;
    std::vector<QVariant> m_any;
};
