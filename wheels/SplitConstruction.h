#pragma once

// Wheels made of smaller wheels on disjoint groups of the numbers. If group i gets the wheel
// "t if m_i" and the groups' slacks (m_i - 1, or the whole group size for a group without
// tickets) add up to at most m - 1, then any m drawn numbers put at least m_i into some group
// i, whose wheel holds t of them. The 163-ticket "3 if 6" on 49 is such a split: "3 if 3" on 22
// (the Steiner system S(3,6,22)) and "3 if 4" on 27.

#include "wheels/Combinatorics.h"

#include <QString>

#include <vector>

namespace Wheels {

struct SplitWheel {
    std::vector<Mask> blocks; // on the points 0..n-1; empty when no split applies
    QString plan;             // the groups, e.g. "22 (3 из 3) + 27 (3 из 4)"
};

// The smallest split of n numbers into groups covered by shipped wheels (six-number tickets).
SplitWheel splitWheel(int n, int t, int m);

} // namespace Wheels
