#pragma once

// Generating a small wheel for the user's numbers: a starting wheel (a shipped one, a split
// into groups of shipped ones, or a greedy one), then local search for fewer tickets within
// the budget. The result is always a wheel whose exact check passed; the same seed and move
// budget give the same wheel.

#include "wheels/WheelTypes.h"

namespace Wheels {

// Throws WheelError on invalid input. Safe to call from a worker thread: the progress
// callback runs on the calling thread, and options.stop may be set from any thread. The
// starting wheel is completed whatever the time budget (instant for shipped wheels; a greedy
// wheel on 49 numbers with "4 if 6" or "5 if 6" takes several seconds and about 170 MiB), but
// the stop flag ends it too, and then WheelError says that no wheel was built; the budget and
// the stop flag bound the local search after it; the exact check of the result comes last.
GenerateResult generateWheel(const WheelRequest& request, const GenerateOptions& options = {});

} // namespace Wheels
