#pragma once

// Steiner systems S(t,k,v) with a prescribed automorphism group, by the method of Kramer and
// Mesner: the group's orbits on the t-subsets and on the k-subsets form a much smaller
// incidence problem, and a union of k-subset orbits that holds every t-subset exactly once is
// an exact cover of the t-subset orbits, found here by backtracking (Knuth's Algorithm X).

#include "wheels/SubsetOrbits.h"

#include <atomic>
#include <cstdint>
#include <vector>

namespace Wheels {

// The blocks of an S(t,k,v) on the points 0..v-1 invariant under the group the generators
// generate; empty when there is none (or none within `maxNodes` steps of the backtracking, or
// `stop` was set).
std::vector<Mask> kramerMesnerSteiner(int v, int t, int k,
                                      const std::vector<Permutation>& generators,
                                      std::uint64_t maxNodes = 50000000,
                                      const std::atomic<bool>* stop = nullptr);

} // namespace Wheels
