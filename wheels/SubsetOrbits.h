#pragma once

// Permutation groups on the points 0..n-1, given by generators, and their orbits on the
// r-subsets: the ground work of designs with a prescribed automorphism group.

#include "wheels/Combinatorics.h"

#include <cstdint>
#include <vector>

namespace Wheels {

// The image of point i is permutation[i].
using Permutation = std::vector<int>;

Mask applyPermutation(const Permutation& g, Mask set);

struct SubsetOrbits {
    std::vector<std::uint32_t> orbitOfRank; // the orbit of each r-subset, by colex rank
    std::vector<Mask> representative;       // one r-subset of each orbit
    std::vector<std::uint64_t> length;      // the subsets in each orbit
};

// The orbits on the r-subsets of 0..n-1 of the group the generators generate.
SubsetOrbits subsetOrbits(int n, int r, const std::vector<Permutation>& generators);

// Every image of `set` under the group.
std::vector<Mask> orbit(Mask set, const std::vector<Permutation>& generators);

} // namespace Wheels
