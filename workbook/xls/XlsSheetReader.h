#pragma once

#include "workbook/SheetTable.h"
#include "workbook/xls/BiffRecords.h"

#include <QByteArrayView>

// Reads the cells of the worksheet whose records begin at the offset of the
// workbook stream into the table, whose pool already holds the workbook's
// shared strings. Values and formulas become cells; cells of formatting alone
// (BLANK, MULBLANK) are left out, as are cells beyond the format's 256 columns.
// Damage throws AppError carrying the reason.
void readXlsSheet(QByteArrayView stream, quint32 offset, const Biff::TextEncoding& encoding,
                  SheetTable& table);
