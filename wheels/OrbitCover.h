#pragma once

// Covers with a prescribed automorphism group: the group's orbits on the targets and on the
// blocks form a much smaller weighted set-cover problem (each block orbit costs its length and
// covers whole target orbits). It is solved exactly by branch and bound when small, otherwise by
// an iterated greedy search; the union of the chosen block orbits is then a full cover that the
// local search of CoverSearch can polish.

#include "wheels/CoverSearch.h"
#include "wheels/SubsetOrbits.h"

#include <string>
#include <vector>

namespace Wheels {

struct OrbitCover {
    std::vector<Mask> blocks; // a full cover, empty when the budget ended first
    bool optimal = false;     // the smallest union of orbits (the branch and bound finished)
};

// The budget must limit the seconds or the moves (rounds of the iterated greedy and steps of the
// branch and bound); half of it goes to each when the problem is small enough for the latter.
OrbitCover orbitCover(const CoverProblem& problem, const std::vector<Permutation>& generators,
                      std::uint64_t seed, const SearchBudget& budget);

struct NamedGroup {
    std::string name;
    std::vector<Permutation> generators;
};

// Groups worth prescribing on v points (v <= 49): cyclic ones (in one cycle or several of equal
// length, up to two points fixed), affine
// subgroups on GF(p) or GF(q) (with a fixed point for p + 1), and PSL(2,q) and its point
// stabiliser's subgroups on the projective line when v = q + 1.
std::vector<NamedGroup> candidateGroups(int v);

} // namespace Wheels
