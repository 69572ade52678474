#pragma once

// Finding small coverings on the points 0..n-1 (blocks of k points; every m-subset meets some
// block in at least t points): a greedy start, and the local search of Nurmela and Östergård:
// simulated annealing on the number of uncovered m-subsets with the block count fixed, one block
// fewer each time a full cover is reached.

#include "wheels/Combinatorics.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

namespace Wheels {

struct CoverProblem {
    int n = 0, k = 6, t = 3, m = 3;
    // Targets that count as covered without any block (none when empty).
    std::function<bool(Mask target)> alreadyCovered;
};

struct SearchBudget {
    double seconds = 10.0;
    std::uint64_t maxMoves = 0; // 0: no limit other than time
    const std::atomic<bool>* stop = nullptr;
    std::size_t goodEnough = 0; // stop once a cover this small is found (a lower bound)
    // Plain coverings ("t if t") are searched by tabu search unless this asks for annealing,
    // which some long runs on many points favour.
    bool annealPlainCovers = false;
    // Called with the size of each smaller full cover found, and the moves made so far.
    std::function<void(int size, std::uint64_t moves)> improved;
};

struct SearchOutcome {
    std::vector<Mask> blocks; // always a full cover
    std::uint64_t moves = 0;
    bool stopped = false; // by the stop flag
};

// A full cover built block by block after the `initial` ones: the first uncovered target gives
// t points, the rest are the points that cover most of what is still uncovered. Empty when
// `stop` was set before the cover was complete (on 49 numbers that can take seconds); set while
// redundant blocks are weeded out, the cover is returned as it stands.
std::vector<Mask> greedyCover(const CoverProblem& problem, const std::vector<Mask>& initial = {},
                              const std::atomic<bool>* stop = nullptr);

// "3 if 4" on n points through the Turán construction: with the points split into three
// parts, the triples meeting every part, and those with two points in part i and one in part
// i + 1 (cyclically), hold no four points all of whose triples are among them. So covering
// every other triple by blocks leaves no four points without a covered triple: a plain
// covering problem on far fewer triples. Empty when n < 9.
std::vector<Mask> turanThreeIfFour(int n, std::uint64_t seed, const SearchBudget& budget);

// The smallest cover the local search reaches from `start` (a full cover) within the budget.
SearchOutcome shrinkCover(const CoverProblem& problem, std::vector<Mask> start, std::uint64_t seed,
                          const SearchBudget& budget);

} // namespace Wheels
