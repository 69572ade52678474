#pragma once

#include "workbook/SheetTable.h"

class XmlScanner;

// Reading the large parts of an .xlsx package with the fast XML scanner, as
// they are inflated. A cell outside the bounds of a worksheet is thrown as a
// damaged workbook (AppError).
namespace XlsxContentReaders {

// The shared string table into the table's text pool: one text per item, the
// runs of rich text joined and phonetic hints left out.
void readSharedStrings(XmlScanner& xml, SheetTable& table);

// The cells of a worksheet part into the table (whose pool already holds the
// shared strings). Cells and rows written without a position follow the previous
// one. Cells with neither a value nor a formula are left out. Dates written as
// ISO 8601 text become serial day numbers of the workbook's date system.
void readSheet(XmlScanner& xml, SheetTable& table, bool date1904);

} // namespace XlsxContentReaders
