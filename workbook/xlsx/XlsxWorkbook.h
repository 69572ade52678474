#pragma once

#include "workbook/NumberFormat.h"
#include "workbook/SheetTable.h"
#include "workbook/Workbook.h"
#include "workbook/xlsx/XlsxLimits.h"

#include <QList>

class ZipArchive;

// An .xlsx or .xlsm workbook: the first worksheet is read whole when the
// workbook is opened, within the limits given, and the file is closed again.
class XlsxWorkbook : public Workbook {
public:
    explicit XlsxWorkbook(const QString& path, const XlsxLimits& limits = {});
    // A workbook file held in memory; `label` names it in messages.
    XlsxWorkbook(const QByteArray& bytes, const QString& label, const XlsxLimits& limits = {});

    int lastUsedRow() const override;
    QString cellText(int row, int column) const override;

    // What the worksheet's cells and texts take (counted against limits.tableBytes).
    qint64 tableBytes() const { return m_table.bytesUsed(); }

private:
    void read(ZipArchive& zip, const QString& label, const XlsxLimits& limits);

    SheetTable m_table;
    QList<NumberFormat> m_styles;
    bool m_date1904 = false;
};
