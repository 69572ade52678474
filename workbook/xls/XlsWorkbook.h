#pragma once

#include "workbook/NumberFormat.h"
#include "workbook/SheetTable.h"
#include "workbook/Workbook.h"

#include <QByteArrayView>
#include <QList>

// A legacy .xls workbook: BIFF8 (Excel 97 and later) or BIFF5/7 records in a
// compound file. The first worksheet is read whole when the workbook is opened;
// its cells show through their number formats as .xlsx cells do. A damaged
// file is refused with AppError naming it.
class XlsWorkbook : public Workbook {
public:
    // Larger files are refused before they are read.
    static constexpr qint64 MaxFileSize = 64 * 1024 * 1024;

    explicit XlsWorkbook(const QString& path);
    // A workbook file held in memory; `name` names it in error messages.
    XlsWorkbook(QByteArrayView bytes, const QString& name);

    int lastUsedRow() const override;
    QString cellText(int row, int column) const override;

private:
    void readStream(const QByteArray& stream, const QString& name);

    SheetTable m_table;
    QList<NumberFormat> m_styles;
    bool m_date1904 = false;
};
