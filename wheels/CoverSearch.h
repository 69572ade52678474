#pragma once

// Finding small coverings on the points 0..n-1 (blocks of k points; every m-subset meets some
// block in at least t points): a greedy start, and a local search that keeps improving. With the
// block count fixed, each move exchanges one point of a block so that the block covers a chosen
// uncovered target, the best such exchange by the weight of what it covers and uncovers (a short
// tabu list keeps it from undoing itself); the targets still uncovered gain weight every few
// hundred moves, and a search that stalls for a million moves is shaken by a few random
// exchanges. Each full cover found is kept and the block count is lowered by one.

#include "wheels/Combinatorics.h"
#include "wheels/WheelTypes.h"

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
    double seconds = 10.0;      // 0: no limit other than the moves
    std::uint64_t maxMoves = 0; // 0: no limit other than time
    const std::atomic<bool>* stop = nullptr;
    std::size_t goodEnough = 0; // stop once a cover this small is found (a lower bound)
    // Called with the size of the smallest full cover and the moves made so far, after each
    // improvement and about five times a second while the search goes on.
    std::function<void(int size, std::uint64_t moves)> progress;
};

struct SearchOutcome {
    std::vector<Mask> blocks; // always a full cover
    std::uint64_t moves = 0;
    SearchEnd end = SearchEnd::Budget;
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
// The same seed and move budget (without a time limit) give the same cover on any machine.
SearchOutcome shrinkCover(const CoverProblem& problem, std::vector<Mask> start, std::uint64_t seed,
                          const SearchBudget& budget);

} // namespace Wheels
