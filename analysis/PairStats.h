#pragma once

#include <QtGlobal>
#include <vector>

namespace Draws {
struct History;
}

namespace Analysis {

// How many shown pairs the tables list.
constexpr int kTopPairs = 50;

struct PairCount {
    int ball1 = 0; // the lower ball
    int ball2 = 0;
    qint64 hits = 0; // draws holding both balls
};

// The most frequent pairs in the newest N draws (all draws for lastN <= 0):
// most hits first, then by the lower ball and the higher ball. Pairs that never
// came out together are not listed. A draw counts once for each pair of the
// distinct balls 1 to N of the main drum it holds, so a hand-entered draw with
// fewer balls makes fewer pairs.
struct PairTable {
    qint64 lastN = 0; // draws looked at
    std::vector<PairCount> pairs;
};

PairTable computeTopPairs(const Draws::History& history, qint64 lastN, int limit = kTopPairs);

} // namespace Analysis
