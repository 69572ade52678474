#pragma once

// The coverage bookkeeping of a wheel on the points 0..n-1: blocks of k points, targets are the
// m-subsets, and a target is covered when some block holds at least t of its points. Every
// target keeps the number of blocks covering it, and the uncovered ones are kept in a list so
// that the local search can pick one at random in constant time. Every target also carries a
// weight, raised while it stays uncovered, so that the search learns which targets are hard.

#include "wheels/Combinatorics.h"

#include <cstdint>
#include <vector>

namespace Wheels {

// What exchanging one point of a block does: the change in uncovered targets, and the weight
// of the targets it covers minus the weight of those it leaves uncovered.
struct SwapEffect {
    int uncoveredDelta = 0;
    std::int64_t score = 0;
};

class CoverState {
public:
    CoverState(int n, int k, int t, int m);
    // Counts a target as covered for good, without a block.
    void coverForGood(std::uint64_t rank) { increment(rank); }
    std::uint64_t targetRankCount() const { return target_.size(); }

    int points() const { return n_; }
    int blockSize() const { return k_; }
    std::uint64_t targetCount() const { return target_.size(); }
    std::uint64_t uncoveredCount() const { return uncovered_.size(); }
    const std::vector<Mask>& blocks() const { return blocks_; }

    void addBlock(Mask block);
    void removeBlock(int index);
    void clearBlocks();
    // Number of targets that only blocks()[index] covers.
    std::uint64_t uniqueCoverage(int index) const;
    // The change in uncovered targets if point `out` of block `index` became point `in`.
    int swapDelta(int index, int out, int in) const;
    SwapEffect swapEffect(int index, int out, int in) const;
    void applySwap(int index, int out, int in);

    // Raises the weight of every uncovered target by one; when the weights have grown large on
    // average, all of them are scaled down, so that old troubles are slowly forgotten.
    void raiseUncoveredWeights();

    Mask uncoveredTarget(std::uint64_t i) const { return colexUnrank(uncovered_[i], m_); }
    // The first uncovered target at or after colex rank `from` (advanced past it), or 0.
    Mask firstUncoveredFrom(std::uint64_t& from) const;
    // How many uncovered targets adding the point p to the (partial) block would cover.
    std::uint64_t paddingGain(Mask partial, int p) const;

private:
    template <typename F> void forEachCovered(Mask block, F&& f) const;
    template <typename F> void forEachLostBySwap(Mask block, int out, int in, F&& f) const;
    void increment(std::uint64_t rank);
    void decrement(std::uint64_t rank);

    int n_, k_, t_, m_;
    Mask all_;
    std::vector<Mask> blocks_;
    // For each target, the blocks covering it and its weight, side by side: a swap's effect
    // reads both.
    struct Target {
        std::uint32_t count, weight;
    };
    std::vector<Target> target_;
    std::vector<std::uint32_t> position_; // index in uncovered_, or kAbsent
    std::vector<std::uint32_t> uncovered_;
    std::uint64_t weightSum_ = 0;
    static constexpr std::uint32_t kAbsent = 0xFFFFFFFFu;
};

} // namespace Wheels
