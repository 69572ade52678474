#pragma once

#include "analysis/DrawHistory.h"

#include <array>
#include <vector>

class Connection;

namespace Lab {

// The prizes of one stored draw for 3, 4, 5 and 6 matches (chv3..chv6).
// A draw stores its prizes when at least one of the four columns holds an
// amount; a category left empty in such a draw paid nothing.
struct DrawPrizes {
    qint64 tir = 0;
    bool stored = false;
    std::array<qint64, 4> amount{}; // [0] three matches .. [3] six
};

// The stored draws with their prizes, oldest first: the balls exactly as the
// analysis reads them (Analysis::DrawHistory: ordered by draw number, rows
// without one left out) and the prizes of the same draws beside them.
struct PrizeHistory {
    Analysis::DrawHistory balls;
    std::vector<DrawPrizes> prizes;

    qint64 size() const { return balls.size(); }
    // Index of the first draw numbered at least tir (size() when none).
    qint64 firstAtOrAfter(qint64 tir) const;
};

PrizeHistory readPrizeHistory(Connection& connection);

} // namespace Lab
