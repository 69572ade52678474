#pragma once

#include "update/NumberFormat.h"
#include "update/SheetTable.h"
#include "update/Workbook.h"

#include <QList>

// An .xlsx or .xlsm workbook: the first worksheet is read whole when the
// workbook is opened, and the file is closed again.
class XlsxWorkbook : public Workbook {
public:
    explicit XlsxWorkbook(const QString& path);

    int lastUsedRow() const override;
    QString cellText(int row, int column) const override;

private:
    SheetTable m_table;
    QList<NumberFormat> m_styles;
    bool m_date1904 = false;
};
