#pragma once

#include "update/Workbook.h"

// A legacy .xls workbook (BIFF in an OLE2 compound file), read through
// libfreexl. That library hands out values but not their number formats, so
// numbers show in General and date cells as the short date dd.mm.yyyy (with
// h:mm:ss when they carry a time of day).
class XlsWorkbook : public Workbook {
public:
    explicit XlsWorkbook(const QString& path);
    ~XlsWorkbook() override;
    XlsWorkbook(const XlsWorkbook&) = delete;
    XlsWorkbook& operator=(const XlsWorkbook&) = delete;

    int lastUsedRow() const override;
    QString cellText(int row, int column) const override;

private:
    const void* m_handle = nullptr;
    unsigned int m_rows = 0;
    unsigned short m_columns = 0;
    int m_lastUsedRow = 0;
};
