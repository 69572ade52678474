#pragma once

#include <QtGlobal>
#include <limits>

namespace Lab {

// Sums of money while they are added up: 128 bits, so that no realistic
// count of tickets, draws and amounts can overflow before the total is
// checked against the 64 bits it is reported in.
__extension__ using Money = __int128;

inline bool fitsInt64(Money value) {
    return value >= Money(std::numeric_limits<qint64>::min()) &&
           value <= Money(std::numeric_limits<qint64>::max());
}

} // namespace Lab
