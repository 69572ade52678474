// Fair histories simulated for the tests whose limit law is no guide on few draws.
#include "analysis/FairnessCommon.h"

#include <algorithm>

namespace Analysis::FairnessCommon {

std::optional<std::vector<qint64>>
simulatedSums(const FairnessOptions& options, quint64 salt, bool reportProgress,
              const std::function<qint64(std::mt19937_64&)>& history, bool* cancelled) {
    std::mt19937_64 random(options.seed + salt);
    const int total = options.simulations;
    const int step = std::max(1, total / 100);
    std::vector<qint64> sums;
    sums.reserve(size_t(std::max(0, total)));
    for (int s = 0; s < total; ++s) {
        if (options.control.stopRequested()) {
            if (cancelled)
                *cancelled = true;
            return std::nullopt;
        }
        sums.push_back(history(random));
        if (reportProgress && options.control.progress && ((s + 1) % step == 0 || s + 1 == total))
            options.control.report({s + 1, total});
    }
    std::sort(sums.begin(), sums.end());
    return sums;
}

double shareAtLeast(const std::vector<qint64>& sortedSums, qint64 observed) {
    const auto atLeast =
        sortedSums.end() - std::lower_bound(sortedSums.begin(), sortedSums.end(), observed);
    return double(1 + atLeast) / double(1 + sortedSums.size());
}

} // namespace Analysis::FairnessCommon
