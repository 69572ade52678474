#include "wheels/CoverState.h"

#include <algorithm>

namespace Wheels {

CoverState::CoverState(int n, int k, int t, int m)
    : n_(n), k_(k), t_(t), m_(m), all_(n >= 64 ? ~Mask(0) : (Mask(1) << n) - 1) {
    const std::uint64_t targets = binomial(n, m);
    target_.assign(targets, Target{0, 1});
    position_.resize(targets);
    uncovered_.resize(targets);
    weightSum_ = targets;
    for (std::uint64_t r = 0; r < targets; ++r) {
        position_[r] = std::uint32_t(r);
        uncovered_[r] = std::uint32_t(r);
    }
}

// Targets S with |S & block| >= t: j points of the block and m - j outside it.
template <typename F> void CoverState::forEachCovered(Mask block, F&& f) const {
    const Mask outside = all_ & ~block;
    for (int j = std::max(t_, 0); j <= std::min(m_, popcount(block)); ++j)
        forEachSubset(block, j, [&](Mask inside) {
            forEachSubset(outside, m_ - j, [&](Mask rest) { f(inside | rest); });
        });
}

// Targets that the block covers and the block with `out` replaced by `in` does not: they hold
// `out`, not `in`, and exactly t points of the block.
template <typename F> void CoverState::forEachLostBySwap(Mask block, int out, int in, F&& f) const {
    const Mask outBit = Mask(1) << out;
    const Mask others = block & ~outBit;
    const Mask outside = all_ & ~block & ~(Mask(1) << in);
    if (t_ < 1)
        return;
    forEachSubset(others, t_ - 1, [&](Mask inside) {
        forEachSubset(outside, m_ - t_, [&](Mask rest) { f(inside | rest | outBit); });
    });
}

void CoverState::increment(std::uint64_t rank) {
    if (target_[rank].count++ == 0) {
        const std::uint32_t at = position_[rank];
        const std::uint32_t last = uncovered_.back();
        uncovered_[at] = last;
        position_[last] = at;
        uncovered_.pop_back();
        position_[rank] = kAbsent;
    }
}

void CoverState::decrement(std::uint64_t rank) {
    if (--target_[rank].count == 0) {
        position_[rank] = std::uint32_t(uncovered_.size());
        uncovered_.push_back(std::uint32_t(rank));
    }
}

void CoverState::addBlock(Mask block) {
    blocks_.push_back(block);
    forEachCovered(block, [&](Mask s) { increment(colexRank(s)); });
}

void CoverState::removeBlock(int index) {
    forEachCovered(blocks_[index], [&](Mask s) { decrement(colexRank(s)); });
    blocks_[index] = blocks_.back();
    blocks_.pop_back();
}

void CoverState::clearBlocks() {
    while (!blocks_.empty())
        removeBlock(int(blocks_.size()) - 1);
}

std::uint64_t CoverState::uniqueCoverage(int index) const {
    std::uint64_t unique = 0;
    forEachCovered(blocks_[index], [&](Mask s) { unique += target_[colexRank(s)].count == 1; });
    return unique;
}

int CoverState::swapDelta(int index, int out, int in) const {
    const Mask block = blocks_[index];
    const Mask moved = (block & ~(Mask(1) << out)) | (Mask(1) << in);
    int delta = 0;
    forEachLostBySwap(block, out, in, [&](Mask s) { delta += target_[colexRank(s)].count == 1; });
    forEachLostBySwap(moved, in, out, [&](Mask s) { delta -= target_[colexRank(s)].count == 0; });
    return delta;
}

SwapEffect CoverState::swapEffect(int index, int out, int in) const {
    const Mask block = blocks_[std::size_t(index)];
    const Mask moved = (block & ~(Mask(1) << out)) | (Mask(1) << in);
    SwapEffect effect;
    forEachLostBySwap(block, out, in, [&](Mask s) {
        const std::uint64_t r = colexRank(s);
        if (target_[r].count == 1) {
            ++effect.uncoveredDelta;
            effect.score -= target_[r].weight;
        }
    });
    forEachLostBySwap(moved, in, out, [&](Mask s) {
        const std::uint64_t r = colexRank(s);
        if (target_[r].count == 0) {
            --effect.uncoveredDelta;
            effect.score += target_[r].weight;
        }
    });
    return effect;
}

void CoverState::raiseUncoveredWeights() {
    for (std::uint32_t r : uncovered_)
        ++target_[r].weight;
    weightSum_ += uncovered_.size();
    // Past an average of kMeanWeightLimit, every weight is scaled by about a half.
    constexpr std::uint64_t kMeanWeightLimit = 8;
    if (weightSum_ > kMeanWeightLimit * target_.size()) {
        weightSum_ = 0;
        for (Target& target : target_) {
            target.weight = (target.weight + 1) / 2;
            weightSum_ += target.weight;
        }
    }
}

void CoverState::applySwap(int index, int out, int in) {
    const Mask block = blocks_[index];
    const Mask moved = (block & ~(Mask(1) << out)) | (Mask(1) << in);
    forEachLostBySwap(moved, in, out, [&](Mask s) { increment(colexRank(s)); });
    forEachLostBySwap(block, out, in, [&](Mask s) { decrement(colexRank(s)); });
    blocks_[index] = moved;
}

Mask CoverState::firstUncoveredFrom(std::uint64_t& from) const {
    while (from < target_.size() && target_[from].count != 0)
        ++from;
    return from < target_.size() ? colexUnrank(from, m_) : 0;
}

std::uint64_t CoverState::paddingGain(Mask partial, int p) const {
    // Targets newly covered: they hold p and exactly t - 1 points of the partial block.
    std::uint64_t gain = 0;
    const Mask pBit = Mask(1) << p;
    const Mask outside = all_ & ~partial & ~pBit;
    if (t_ < 1 || popcount(partial) < t_ - 1)
        return 0;
    forEachSubset(partial, t_ - 1, [&](Mask inside) {
        forEachSubset(outside, m_ - t_, [&](Mask rest) {
            gain += target_[colexRank(inside | rest | pBit)].count == 0;
        });
    });
    return gain;
}

} // namespace Wheels
