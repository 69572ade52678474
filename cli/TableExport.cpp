#include "cli/TableExport.h"

#include "cli/OutputTarget.h"
#include "dataset/Statement.h"

#include <QByteArray>
#include <cmath>
#include <sqlite3.h>
#include <vector>

namespace TableExport {

using TableText::Format;

namespace {

// How often the progress callback runs.
constexpr qint64 kRowsPerProgress = 65536;

// A floating-point cell: a whole amount, or the number as it reads back.
void appendFloat(OutputBuffer& out, double value, bool wholeAmount, Format format) {
    if (!std::isfinite(value)) {
        if (format == Format::Json)
            out.append("null", 4);
        return;
    }
    // nearbyint rounds an exact half to the even neighbour (the default mode).
    const double whole = wholeAmount ? std::nearbyint(value) : value;
    if (std::floor(whole) == whole && std::fabs(whole) < 9.0e18)
        out.appendInteger(static_cast<qint64>(whole));
    else
        out.appendDouble(whole);
}

// The cell read through its value: one engine call for type and content.
void appendCell(OutputBuffer& out, sqlite3_stmt* row, int column, bool wholeAmount, Format format) {
    sqlite3_value* cell = sqlite3_column_value(row, column);
    switch (sqlite3_value_type(cell)) {
    case SQLITE_INTEGER:
        out.appendInteger(sqlite3_value_int64(cell));
        break;
    case SQLITE_FLOAT:
        appendFloat(out, sqlite3_value_double(cell), wholeAmount, format);
        break;
    case SQLITE_NULL:
        if (format == Format::Json)
            out.append("null", 4);
        break;
    default: {
        // Text (dates are stored as ISO 8601 text) and, should one turn up, a
        // blob as its bytes.
        const auto* text = static_cast<const char*>(sqlite3_value_blob(cell));
        const auto size = static_cast<size_t>(sqlite3_value_bytes(cell));
        if (format == Format::Json)
            TableText::appendJsonString(out, text ? text : "", size);
        else
            TableText::appendCsvField(out, text ? text : "", size);
    }
    }
}

} // namespace

qint64 write(sqlite3* db, const QString& sql, Format format, const Columns& columns,
             OutputTarget& output, const std::function<void(qint64 rowsDone)>& afterRows) {
    Statement query(db, sql);
    sqlite3_stmt* row = query.raw();
    const int columnCount = query.columnCount();
    std::vector<QByteArray> names;
    std::vector<bool> whole;
    for (int c = 0; c < columnCount; ++c) {
        const QString name = query.columnName(c);
        names.push_back(name.toUtf8());
        whole.push_back(columns.wholeAmounts.contains(name.toLower()));
    }

    OutputBuffer out(output);
    // JSON: each row's keys written once up front, '"name":' with the
    // separator before it.
    std::vector<QByteArray> keys;
    if (format == Format::Csv) {
        for (int c = 0; c < columnCount; ++c) {
            if (c > 0)
                out.append(',');
            TableText::appendCsvField(out, names[size_t(c)].constData(),
                                      size_t(names[size_t(c)].size()));
        }
        out.append("\r\n", 2);
    } else {
        for (int c = 0; c < columnCount; ++c) {
            QByteArray key = c == 0 ? QByteArray("{") : QByteArray(",");
            TableText::appendJsonString(key, names[size_t(c)].constData(),
                                        size_t(names[size_t(c)].size()));
            key += ':';
            keys.push_back(key);
        }
        out.append('[');
    }

    qint64 rows = 0;
    while (query.step()) {
        if (format == Format::Csv) {
            for (int c = 0; c < columnCount; ++c) {
                if (c > 0)
                    out.append(',');
                appendCell(out, row, c, whole[size_t(c)], format);
            }
            out.append("\r\n", 2);
        } else {
            out.append(rows == 0 ? "\n" : ",\n", rows == 0 ? 1 : 2);
            for (int c = 0; c < columnCount; ++c) {
                out.append(keys[size_t(c)].constData(), size_t(keys[size_t(c)].size()));
                appendCell(out, row, c, whole[size_t(c)], format);
            }
            out.append(columnCount == 0 ? "{}" : "}", columnCount == 0 ? 2 : 1);
        }
        if (++rows % kRowsPerProgress == 0 && afterRows)
            afterRows(rows);
    }
    if (format == Format::Json)
        out.append(rows == 0 ? "]\n" : "\n]\n", rows == 0 ? 2 : 3);
    out.flush();
    if (afterRows)
        afterRows(rows);
    return rows;
}

} // namespace TableExport
