#pragma once

#include "runtime/TableText.h"

#include <QSet>
#include <QString>
#include <functional>

class OutputTarget;
struct sqlite3;

// Writes every row of a query to an output as CSV (RFC 4180: a header row,
// fields with a comma, quote, CR or LF quoted, quotes doubled, CRLF line
// ends) or JSON (an array of objects keyed by column name, null for an empty
// value), UTF-8. Cells are read straight from the engine and formatted in
// place, so that a million draws take about as long as the disk needs.
namespace TableExport {

struct Columns {
    // Amount columns (lower-case names): written as whole numbers, rounded
    // (an exact half to the even neighbour) when stored with a fraction.
    QSet<QString> wholeAmounts;
};

// Runs the query and writes its rows; afterRows(rowsDone) is called now and
// then. Returns the number of rows written. Throws AppError (DatabaseBusy
// when another program keeps the database locked).
qint64 write(sqlite3* db, const QString& sql, TableText::Format format, const Columns& columns,
             OutputTarget& output, const std::function<void(qint64 rowsDone)>& afterRows = {});

} // namespace TableExport
