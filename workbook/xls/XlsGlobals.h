#pragma once

#include "workbook/NumberFormat.h"
#include "workbook/xls/BiffRecords.h"

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <optional>

// What the globals at the head of a legacy workbook stream say that reading
// the first worksheet needs.
struct XlsGlobals {
    Biff::TextEncoding encoding; // BIFF8 or BIFF5/7, and the code page
    bool date1904 = false;
    bool encrypted = false;     // nothing past the FILEPASS record is readable
    QList<NumberFormat> styles; // the number format of each cell style (XF)
    QList<QString> sharedStrings;
    // Where the first worksheet's records begin in the stream, if there is one.
    std::optional<quint32> firstWorksheet;
};

// Reads the globals substream; damage throws AppError carrying the reason.
XlsGlobals readXlsGlobals(QByteArrayView stream);
