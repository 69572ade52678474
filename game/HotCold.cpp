#include "game/HotCold.h"

#include <algorithm>
#include <numeric>

namespace Lottery {

namespace {

// Sorts balls [first, last) hottest or coldest first.
void sortBalls(const BallHeat& heat, Heat order, std::vector<int>::iterator first,
               std::vector<int>::iterator last) {
    const bool hottest = order == Heat::Hottest;
    std::sort(first, last, [&](int a, int b) {
        const qint64 hitsA = heat.hits[size_t(a)];
        const qint64 hitsB = heat.hits[size_t(b)];
        if (hitsA != hitsB)
            return hottest ? hitsA > hitsB : hitsA < hitsB;
        const qint64 delayA = heat.delay[size_t(a)];
        const qint64 delayB = heat.delay[size_t(b)];
        if (delayA != delayB)
            return hottest ? delayA < delayB : delayA > delayB;
        return a < b;
    });
}

std::vector<int> allBalls(const BallHeat& heat) {
    std::vector<int> balls(size_t(std::max(0, heat.balls())));
    std::iota(balls.begin(), balls.end(), 1);
    return balls;
}

} // namespace

std::vector<int> rankBalls(const BallHeat& heat, Heat order) {
    std::vector<int> balls = allBalls(heat);
    sortBalls(heat, order, balls.begin(), balls.end());
    return balls;
}

HotCold markHotCold(const BallHeat& heat, int count) {
    HotCold result;
    if (heat.balls() < 1)
        return result;
    const auto [least, most] = std::minmax_element(heat.hits.begin() + 1, heat.hits.end());
    if (*least == *most)
        return result; // all alike: nothing stands out
    std::vector<int> balls = allBalls(heat);
    const auto n = std::clamp(count, 0, heat.balls() / 2);
    sortBalls(heat, Heat::Hottest, balls.begin(), balls.end());
    for (int i = 0; i < n; ++i)
        result.hot.add(balls[size_t(i)]);
    // The cold ones come from the rest.
    sortBalls(heat, Heat::Coldest, balls.begin() + n, balls.end());
    for (int i = n; i < 2 * n; ++i)
        result.cold.add(balls[size_t(i)]);
    return result;
}

} // namespace Lottery
