// libFuzzer target: the legacy .xls workbook reader (compound file, BIFF
// records, shared strings, number formats) on bytes held in memory. Each input
// is opened, and the texts of the first rows and columns are made, as the
// import would. Only AppError may come out.
//
// Seeds: the workbooks of the reader tests (build/tests/write_xls_samples DIR)
// and tests/data/draws_libreoffice.xls.
#include "runtime/AppError.h"
#include "workbook/xls/XlsWorkbook.h"

#include <QString>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > size_t(XlsWorkbook::MaxFileSize))
        return 0;
    try {
        const XlsWorkbook book(QByteArrayView(data, qsizetype(size)), QStringLiteral("fuzz.xls"));
        const int rows = qMin(book.lastUsedRow(), 200);
        for (int row = 1; row <= rows; ++row) {
            for (int column = 1; column <= 40; ++column)
                book.cellText(row, column);
        }
    } catch (const AppError&) {
    }
    return 0;
}
