// libFuzzer target: a cell number format code, as a workbook's styles carry
// it, shown for a value. The first eight bytes are the value (any double:
// infinities, not-a-number and denormals included), the rest the code in UTF-8,
// cut to the length the styles reader accepts.
#include "workbook/NumberFormat.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    double value = 0;
    if (size < sizeof value)
        return 0;
    std::memcpy(&value, data, sizeof value);
    const QString code = QString::fromUtf8(reinterpret_cast<const char*>(data) + sizeof value,
                                           qsizetype(size - sizeof value))
                             .left(1000);
    const NumberFormat format = NumberFormat::fromCode(code);
    format.display(value, false);
    format.display(value, true);
    return 0;
}
