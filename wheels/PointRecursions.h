#pragma once

// Covers on one point fewer or one point more than a known cover (blocks of k points holding
// every t-subset of v points, on the points 0..v-1).

#include "wheels/Combinatorics.h"

#include <vector>

namespace Wheels {

// C(v-1,k,t) <= C(v,k,t): `point` is dropped and the points above it move down by one; a
// block that held it takes instead the lowest point it lacks (duplicate blocks are dropped).
std::vector<Mask> deletePoint(const std::vector<Mask>& cover, int v, int point);

// C(v+1,k,t) <= C(v,k,t) + C(v,k-1,t-1): the blocks of `cover`, and the new point v added to
// each block of `smaller`, a cover of the t-1 subsets by blocks of k-1 points. A t-subset
// without the new point lies in a block of the first kind; one with it, in the second.
std::vector<Mask> addPoint(const std::vector<Mask>& cover, const std::vector<Mask>& smaller, int v);

} // namespace Wheels
