#pragma once

// The exact check of a wheel: every M-set of the chosen numbers (every one holding all keys,
// when there are keys) is counted, and covered when some ticket holds at least T of it.

#include "wheels/WheelTypes.h"

#include <atomic>
#include <vector>

namespace Wheels {

// What a passed check proves holds only for the draws that hold every key number: the words
// that say so («при условии, что выпали все ключевые числа»), empty without keys.
QString guaranteeCondition(const WheelRequest& request);

// Throws WheelError on an invalid request or ticket. `shownUncovered` bounds firstUncovered.
// A set stop flag ends the count early (result.finished is then false).
CheckResult checkWheel(const WheelRequest& request, const std::vector<Ticket>& tickets,
                       int shownUncovered = 10, const std::atomic<bool>* stop = nullptr);

} // namespace Wheels
