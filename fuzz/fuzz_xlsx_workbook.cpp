// libFuzzer target: the .xlsx reader on arbitrary bytes taken for a workbook
// file. A refusal (AppError) is a fine outcome; a crash, a sanitizer report, a
// timeout or an allocation beyond the RSS limit is not. The limits are those of
// the program scaled down, so that each input is read in milliseconds even
// with the sanitizers' instrumentation.
#include "runtime/AppError.h"
#include "workbook/xlsx/XlsxWorkbook.h"

#include <cstddef>
#include <cstdint>

namespace {

XlsxLimits fuzzLimits() {
    XlsxLimits limits;
    limits.inflateFloor = qint64(256) << 10;
    limits.inflateRatio = 20;
    limits.smallPartBytes = qint64(64) << 10;
    limits.stylesBytes = qint64(256) << 10;
    limits.tableBytes = qint64(4) << 20;
    return limits;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    try {
        const XlsxWorkbook book(bytes, QStringLiteral("fuzz.xlsx"), fuzzLimits());
        // Every cell the import could read, and a margin around them.
        const int lastRow = qMin(book.lastUsedRow(), 500);
        for (int row = 0; row <= lastRow + 1; ++row) {
            for (int column = 0; column <= 20; ++column)
                book.cellText(row, column);
        }
    } catch (const AppError&) {
    }
    return 0;
}
