#pragma once

#include "update/SheetTable.h"

#include <QByteArray>
#include <QList>
#include <QString>

// Reading the large parts of an .xlsx package with the fast XML scanner.
namespace XlsxContentReaders {

// The shared string table: one text per item, the runs of rich text joined and
// phonetic hints left out.
QList<QString> readSharedStrings(const QByteArray& xml);

// The cells of a worksheet part into the table (whose pool already holds the
// shared strings). Cells and rows written without a position follow the previous
// one. Cells with neither a value nor a formula are left out. Dates written as
// ISO 8601 text become serial day numbers of the workbook's date system.
void readSheet(const QByteArray& xml, SheetTable& table, bool date1904);

} // namespace XlsxContentReaders
