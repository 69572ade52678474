#include "analysis/BallStats.h"

#include "draws/StoredDraws.h"
#include "game/HotCold.h"

#include <algorithm>

namespace Analysis {

namespace {

void markHotAndCold(BallTable& table) {
    Lottery::BallHeat heat(int(table.balls.size()));
    for (const BallStat& s : table.balls) {
        heat.hits[size_t(s.ball)] = s.hitsLastN;
        heat.delay[size_t(s.ball)] = s.delay;
    }
    const Lottery::HotCold marked = Lottery::markHotCold(heat, kHotColdCount);
    for (BallStat& s : table.balls) {
        s.hot = marked.hot.contains(s.ball);
        s.cold = marked.cold.contains(s.ball);
    }
}

} // namespace

BallTable computeBallStats(const Draws::History& history, qint64 lastN) {
    BallTable table;
    table.draws = history.size();
    table.irregular = history.malformed;
    const qint64 windowStart = history.windowStart(lastN);
    table.lastN = table.draws - windowStart;

    const int n = history.game.n();
    table.expectedPer100 = 100.0 * history.game.k() / n;
    const auto size = size_t(n) + 1; // per ball 1..N, [0] unused
    std::vector<qint64> hits(size), hitsInWindow(size), longestGap(size);
    std::vector<qint64> last(size, -1); // index of the last draw holding the ball, -1 for none
    for (qint64 i = 0; i < table.draws; ++i) {
        const bool inWindow = i >= windowStart;
        for (const int ball : history.draws[size_t(i)].main) {
            longestGap[size_t(ball)] =
                std::max(longestGap[size_t(ball)], i - last[size_t(ball)] - 1);
            last[size_t(ball)] = i;
            ++hits[size_t(ball)];
            if (inWindow)
                ++hitsInWindow[size_t(ball)];
        }
    }

    table.balls.resize(size_t(n));
    for (int ball = 1; ball <= n; ++ball) {
        const auto b = size_t(ball);
        BallStat& s = table.balls[b - 1];
        s.ball = ball;
        s.hits = hits[b];
        s.per100 = table.draws > 0 ? double(hits[b]) * 100.0 / double(table.draws) : 0.0;
        s.delay = table.draws - 1 - last[b];
        s.maxDelay = std::max(longestGap[b], s.delay);
        if (hits[b] > 0)
            s.meanDelay = double(last[b] + 1 - hits[b]) / double(hits[b]);
        s.hitsLastN = hitsInWindow[b];
    }
    markHotAndCold(table);
    return table;
}

} // namespace Analysis
