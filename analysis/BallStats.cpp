#include "analysis/BallStats.h"

#include "analysis/DrawHistory.h"

#include <algorithm>

namespace Analysis {

namespace {

void markHotAndCold(BallTable& table) {
    const auto [least, most] = std::minmax_element(
        table.balls.begin(), table.balls.end(),
        [](const BallStat& a, const BallStat& b) { return a.hitsLastN < b.hitsLastN; });
    if (least->hitsLastN == most->hitsLastN)
        return; // all alike: nothing stands out
    std::array<BallStat*, 49> order{};
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = &table.balls[i];
    std::sort(order.begin(), order.end(), [](const BallStat* a, const BallStat* b) {
        if (a->hitsLastN != b->hitsLastN)
            return a->hitsLastN > b->hitsLastN;
        if (a->delay != b->delay)
            return a->delay < b->delay;
        return a->ball < b->ball;
    });
    for (int i = 0; i < kHotColdCount; ++i)
        order[size_t(i)]->hot = true;
    // The cold ones come from the rest, so that no ball is both.
    std::sort(order.begin(), order.end(), [](const BallStat* a, const BallStat* b) {
        if (a->hot != b->hot)
            return b->hot;
        if (a->hitsLastN != b->hitsLastN)
            return a->hitsLastN < b->hitsLastN;
        if (a->delay != b->delay)
            return a->delay > b->delay;
        return a->ball < b->ball;
    });
    for (int i = 0; i < kHotColdCount; ++i)
        order[size_t(i)]->cold = true;
}

} // namespace

BallTable computeBallStats(const DrawHistory& history, qint64 lastN) {
    BallTable table;
    table.draws = history.size();
    table.irregular = history.irregularDraws;
    const qint64 windowStart = history.windowStart(lastN);
    table.lastN = table.draws - windowStart;

    std::array<qint64, 50> hits{};
    std::array<qint64, 50> hitsInWindow{};
    std::array<qint64, 50> last{}; // index of the last draw holding the ball, -1 for none
    std::array<qint64, 50> longestGap{};
    last.fill(-1);
    for (qint64 i = 0; i < table.draws; ++i) {
        const bool inWindow = i >= windowStart;
        forEachBall(history.draws[size_t(i)], [&](int ball) {
            longestGap[size_t(ball)] =
                std::max(longestGap[size_t(ball)], i - last[size_t(ball)] - 1);
            last[size_t(ball)] = i;
            ++hits[size_t(ball)];
            if (inWindow)
                ++hitsInWindow[size_t(ball)];
        });
    }

    for (int ball = 1; ball <= 49; ++ball) {
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
