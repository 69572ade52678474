#include "analysis/PairStats.h"

#include "draws/StoredDraws.h"

#include <algorithm>

namespace Analysis {

PairTable computeTopPairs(const Draws::History& history, qint64 lastN, int limit) {
    PairTable table;
    const qint64 start = history.windowStart(lastN);
    table.lastN = history.size() - start;

    const int n = history.game.n();
    const auto side = size_t(n) + 1;
    std::vector<qint64> counts(side * side); // [low * side + high]
    for (size_t i = size_t(start); i < history.draws.size(); ++i) {
        const Lottery::Numbers& balls = history.draws[i].main; // ascending
        for (int a = 0; a < balls.size(); ++a)
            for (int b = a + 1; b < balls.size(); ++b)
                ++counts[size_t(balls[a]) * side + size_t(balls[b])];
    }

    for (int low = 1; low <= n; ++low)
        for (int high = low + 1; high <= n; ++high)
            if (const qint64 hits = counts[size_t(low) * side + size_t(high)])
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
