#pragma once

#include "workbook/NumberFormat.h"
#include "workbook/SheetTable.h"

#include <QHash>
#include <QList>
#include <QString>

// How the cells of a workbook show through their styles, the same for every
// workbook format, so that a book reads alike whichever way it was saved.
namespace CellStyles {

// The number format of each cell style: the workbook's own code for the
// format id the style names, or the built-in format for ids without a code
// and for the short date and date-time, whose look follows the user's locale
// whatever code a file writes for them.
QList<NumberFormat> numberFormats(const QList<int>& formatIdOfStyle,
                                  const QHash<int, QString>& codes);

// The text a cell of the table shows: a number through its style's format
// (General for a style the workbook does not have), text as it is, a boolean
// as ИСТИНА or ЛОЖЬ, a formula without a stored result as nothing.
QString cellText(const SheetTable& table, const QList<NumberFormat>& styles, bool date1904, int row,
                 int column);

} // namespace CellStyles
