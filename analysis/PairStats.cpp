#include "analysis/PairStats.h"

#include "analysis/BallSet.h"
#include "draws/StoredDraws.h"

#include <algorithm>
#include <array>

namespace Analysis {

PairTable computeTopPairs(const Draws::History& history, qint64 lastN, int limit) {
    PairTable table;
    const qint64 start = history.windowStart(lastN);
    table.lastN = history.size() - start;

    std::vector<std::array<qint64, 50>> counts(50); // counts[low][high]
    for (auto& row : counts)
        row.fill(0);
    for (size_t i = size_t(start); i < history.draws.size(); ++i) {
        std::array<int, 49> balls{};
        int n = 0;
        forEachBall(ballSetOf(history.draws[i].main), [&](int ball) { balls[size_t(n++)] = ball; });
        for (int a = 0; a < n; ++a)
            for (int b = a + 1; b < n; ++b)
                ++counts[size_t(balls[size_t(a)])][size_t(balls[size_t(b)])];
    }

    for (int low = 1; low <= 49; ++low)
        for (int high = low + 1; high <= 49; ++high)
            if (const qint64 hits = counts[size_t(low)][size_t(high)])
                table.pairs.push_back({low, high, hits});
    const auto before = [](const PairCount& a, const PairCount& b) {
        if (a.hits != b.hits)
            return a.hits > b.hits;
        if (a.ball1 != b.ball1)
            return a.ball1 < b.ball1;
        return a.ball2 < b.ball2;
    };
    const size_t shown = std::min(table.pairs.size(), size_t(std::max(0, limit)));
    std::partial_sort(table.pairs.begin(), table.pairs.begin() + qsizetype(shown),
                      table.pairs.end(), before);
    table.pairs.resize(shown);
    return table;
}

} // namespace Analysis
