#pragma once

#include "game/BallSet.h"

#include <QtGlobal>
#include <vector>

// The hottest and coldest balls of a drum, ranked one way for every window
// and command. The hottest have the most hits in the window, then the shorter
// current delay, then the lower number; the coldest the fewest hits, then the
// longer current delay, then the lower number.
namespace Lottery {

enum class Heat { Hottest, Coldest };

// What the ranking reads: per ball 1..N (index 0 unused) its hits in the
// window and its current delay (draws since it last came out).
struct BallHeat {
    std::vector<qint64> hits;
    std::vector<qint64> delay;

    // Room for balls 1..n, all at zero.
    explicit BallHeat(int n) : hits(size_t(n) + 1), delay(size_t(n) + 1) {}
    int balls() const { return int(hits.size()) - 1; }
};

// Every ball 1..N, hottest first or coldest first.
std::vector<int> rankBalls(const BallHeat& heat, Heat order);

// The `count` hottest balls and the `count` coldest among the rest, so that
// no ball is both; count is held to 0..N/2. When every ball has as many hits
// in the window, nothing stands out and both sets are empty.
struct HotCold {
    BallSet hot;
    BallSet cold;
};
HotCold markHotCold(const BallHeat& heat, int count);

} // namespace Lottery
