#pragma once

#include "workbook/SheetTable.h"

// How far an .xlsx workbook may go before it is refused as damaged or hostile.
// Genuine workbooks stay far below: their worksheets inflate to some five to
// twenty times the file's size, and a million rows of eighteen cells take
// some 300 MB of cells.
struct XlsxLimits {
    // All parts together may inflate to inflateFloor plus inflateRatio times
    // the file's size (deflate can reach a thousand).
    qint64 inflateFloor = qint64(64) << 20;
    qint64 inflateRatio = 100;
    // Parts read whole: relationships and the workbook part, and the styles.
    qint64 smallPartBytes = qint64(4) << 20;
    qint64 stylesBytes = qint64(32) << 20;
    // What the cells and texts of the worksheet may take in memory.
    qint64 tableBytes = SheetTable::DefaultByteLimit;

    qint64 inflateBudget(qint64 archiveBytes) const {
        return inflateFloor + inflateRatio * archiveBytes;
    }
};
