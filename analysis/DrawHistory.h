#pragma once

#include "analysis/BallSet.h"

#include <vector>

class Connection;

namespace Analysis {

// The balls of every stored draw, oldest first: ordered by draw number, draws
// sharing a number in the order they were stored. A row without a draw number
// is not a draw (the frequency statistics leave it out too). A draw whose
// columns do not hold six distinct balls from 1 to 49 is kept, with the balls
// it does hold; irregularDraws counts them.
struct DrawHistory {
    std::vector<BallSet> draws;
    qint64 irregularDraws = 0;

    qint64 size() const { return qint64(draws.size()); }
    // Index of the first of the newest lastN draws; lastN <= 0 means all.
    qint64 windowStart(qint64 lastN) const {
        return lastN > 0 && lastN < size() ? size() - lastN : 0;
    }
};

DrawHistory readDrawHistory(Connection& connection);

} // namespace Analysis
