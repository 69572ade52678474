#include "wheels/CoverSearch.h"

#include "wheels/BlockIncidence.h"
#include "wheels/CoverState.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <cmath>

namespace Wheels {

namespace {

// Annealing schedule (blocks larger than the guarantee): start temperature, cooling per chain
// of moves, and the floor at which the search warms up again. The cost is a count of
// uncovered targets, so the deltas are small integers.
constexpr double kStartTemperature = 0.3;
constexpr double kCooling = 0.995;
constexpr double kFrozen = 0.06;
constexpr std::uint64_t kChain = 5000;
// Tabu search (plain coverings, "t if t"): a point just taken out of a block may not come
// back into it for this many moves, plus a random few.
constexpr std::uint32_t kTenure = 5;

CoverState makeState(const CoverProblem& p) {
    CoverState state(p.n, p.k, p.t, p.m);
    if (p.alreadyCovered)
        for (std::uint64_t r = 0; r < state.targetRankCount(); ++r)
            if (p.alreadyCovered(colexUnrank(r, p.m)))
                state.coverForGood(r);
    return state;
}

bool stopRequested(const std::atomic<bool>* stop) {
    return stop && stop->load(std::memory_order_relaxed);
}

void removeRedundant(CoverState& state, const std::atomic<bool>* stop = nullptr) {
    for (int i = int(state.blocks().size()) - 1;
         i >= 0 && state.blocks().size() > 1 && !stopRequested(stop); --i)
        if (state.uniqueCoverage(i) == 0)
            state.removeBlock(i);
}

// Removes the block whose loss uncovers the fewest targets.
void removeWeakest(CoverState& state) {
    int weakest = 0;
    std::uint64_t fewest = ~std::uint64_t(0);
    for (int i = 0; i < int(state.blocks().size()); ++i) {
        const std::uint64_t unique = state.uniqueCoverage(i);
        if (unique < fewest) {
            fewest = unique;
            weakest = i;
        }
    }
    state.removeBlock(weakest);
}

struct Swap {
    int block = -1, out = -1, in = -1;
};

// The local search at a fixed number of blocks; each move makes one block cover a randomly
// chosen uncovered target by exchanging one point.
class Mover {
public:
    Mover(CoverState& state, const CoverProblem& p, std::uint64_t seed, bool anneal)
        : state_(state), p_(p), random_(seed), bestMove_(p.m == p.t && !anneal) {
        reset();
    }

    // After blocks were added or removed.
    void reset() {
        incidence_.rebuild(p_.n, state_.blocks());
        if (bestMove_)
            tabuUntil_.assign(state_.blocks().size() * std::size_t(p_.n), 0);
    }

    void move(std::uint64_t moveNumber) {
        const Mask target =
            state_.uncoveredTarget(random_.below(std::uint32_t(state_.uncoveredCount())));
        if (bestMove_ && std::uint16_t(moveNumber) == 0)
            std::fill(tabuUntil_.begin(), tabuUntil_.end(), std::uint16_t(0));
        const Swap swap = bestMove_ ? bestSwap(target, moveNumber) : annealedSwap(target);
        if (swap.block < 0)
            return;
        state_.applySwap(swap.block, swap.out, swap.in);
        incidence_.move(std::size_t(swap.block), swap.out, swap.in);
        if (bestMove_)
            tabuUntil_[slot(swap.block, swap.out)] = std::uint16_t(std::min<std::uint64_t>(
                0xFFFF, (moveNumber & 0xFFFF) + kTenure + random_.below(kTenure + 1)));
        if (moveNumber % kChain == 0) {
            temperature_ *= kCooling;
            if (temperature_ < kFrozen)
                temperature_ = kStartTemperature;
        }
    }

private:
    // Of all swaps that make a block cover the target, the best one that is not tabu (a tabu
    // one only if it leaves nothing uncovered).
    Swap bestSwap(Mask target, std::uint64_t moveNumber) {
        candidates_.clear();
        forEachSubset(target, p_.t - 1, [&](Mask inside) {
            incidence_.collect(inside, target & ~inside, candidates_);
        });
        Swap best;
        int bestDelta = INT_MAX, ties = 0;
        for (int i : candidates_) {
            const Mask block = state_.blocks()[std::size_t(i)];
            for (Mask ins = target & ~block; ins; ins &= ins - 1) {
                const int in = lowestBit(ins);
                const bool tabu = tabuUntil_[slot(i, in)] > std::uint16_t(moveNumber);
                for (Mask outs = block & ~target; outs; outs &= outs - 1) {
                    const int out = lowestBit(outs);
                    const int delta = state_.swapDelta(i, out, in);
                    if (tabu && std::uint64_t(-std::int64_t(delta)) < state_.uncoveredCount())
                        continue;
                    if (delta < bestDelta) {
                        bestDelta = delta;
                        best = Swap{i, out, in};
                        ties = 1;
                    } else if (delta == bestDelta && random_.below(std::uint32_t(++ties)) == 0) {
                        best = Swap{i, out, in};
                    }
                }
            }
        }
        return best;
    }

    // A random swap that makes a block cover the target, accepted by the annealing rule.
    Swap annealedSwap(Mask target) {
        const int index = blockToCover(target);
        if (index < 0)
            return {};
        const Mask block = state_.blocks()[std::size_t(index)];
        const int out = random_.pointOf(block & ~target);
        const int in = random_.pointOf(target & ~block);
        const int delta = state_.swapDelta(index, out, in);
        if (delta <= 0 || random_.unit() < std::exp(-delta / temperature_))
            return Swap{index, out, in};
        return {};
    }

    // A block holding t - 1 points of the target and none of its others, through a random
    // choice of those t - 1 points; after a few failed choices, one of the blocks holding most.
    int blockToCover(Mask target) {
        for (int attempt = 0; attempt < 3; ++attempt) {
            Mask inside = 0, rest = target;
            for (int i = 0; i < p_.t - 1; ++i) {
                const Mask bit = Mask(1) << random_.pointOf(rest);
                inside |= bit;
                rest &= ~bit;
            }
            const int index = incidence_.pick(inside, rest, random_);
            if (index >= 0)
                return index;
        }
        int chosen = -1, best = -1, seen = 0;
        const auto& blocks = state_.blocks();
        for (int i = 0; i < int(blocks.size()); ++i) {
            const int common = popcount(blocks[std::size_t(i)] & target);
            if (common > best) {
                best = common;
                chosen = i;
                seen = 1;
            } else if (common == best && random_.below(std::uint32_t(++seen)) == 0) {
                chosen = i;
            }
        }
        return chosen;
    }

    CoverState& state_;
    const CoverProblem p_;
    Random random_;
    const bool bestMove_;
    BlockIncidence incidence_;
    std::size_t slot(int block, int point) const {
        return std::size_t(block) * std::size_t(p_.n) + std::size_t(point);
    }

    // For each block and point, the move (the low 16 bits of its number) until which the
    // point may not come back into the block; all cleared when those bits wrap, which keeps
    // the marks of a wheel of 400,000 blocks on 49 numbers in 37 MiB.
    std::vector<std::uint16_t> tabuUntil_;
    std::vector<int> candidates_;
    double temperature_ = kStartTemperature;
};

} // namespace

std::vector<Mask> greedyCover(const CoverProblem& p, const std::vector<Mask>& initial,
                              const std::atomic<bool>* stop) {
    CoverState state = makeState(p);
    for (Mask b : initial)
        state.addBlock(b);
    const Mask all = p.n >= 64 ? ~Mask(0) : (Mask(1) << p.n) - 1;
    // Choosing each padding point by its gain costs about gainCost per block; when the whole
    // wheel would take more than about a second of that, blocks are padded with the target's
    // own points and then the lowest free ones.
    const double gainCost = double(p.k - p.t) * p.n * double(binomial(p.k, p.t - 1)) *
                            double(binomial(p.n - p.t - 1, p.m - p.t));
    double perBlock = 0;
    for (int j = p.t; j <= std::min(p.k, p.m); ++j)
        perBlock += double(binomial(p.k, j)) * double(binomial(p.n - p.k, p.m - j));
    const bool byGain = gainCost * double(binomial(p.n, p.m)) / perBlock < 3e8;
    std::uint64_t from = 0;
    while (state.uncoveredCount() > 0) {
        if (stopRequested(stop))
            return {};
        const Mask target = state.firstUncoveredFrom(from);
        Mask block = 0;
        Mask rest = target;
        for (int i = 0; i < p.t && rest; ++i) {
            block |= rest & (~rest + 1);
            rest &= rest - 1;
        }
        while (popcount(block) < p.k) {
            int pick = -1;
            if (byGain) {
                std::uint64_t bestGain = 0;
                for (Mask free = all & ~block; free; free &= free - 1) {
                    const int point = lowestBit(free);
                    const std::uint64_t gain = state.paddingGain(block, point);
                    if (pick < 0 || gain > bestGain) {
                        bestGain = gain;
                        pick = point;
                    }
                }
            } else {
                pick = lowestBit(rest ? rest : (all & ~block));
                rest &= ~(Mask(1) << pick);
            }
            block |= Mask(1) << pick;
        }
        state.addBlock(block);
    }
    removeRedundant(state, stop);
    return state.blocks();
}

SearchOutcome shrinkCover(const CoverProblem& p, std::vector<Mask> start, std::uint64_t seed,
                          const SearchBudget& budget) {
    using Clock = std::chrono::steady_clock;
    const auto began = Clock::now();
    SearchOutcome outcome;
    CoverState state = makeState(p);
    for (Mask b : start)
        state.addBlock(b);
    removeRedundant(state);
    outcome.blocks = state.blocks();
    const std::size_t smallEnough = std::max<std::size_t>(1, budget.goodEnough);
    if (outcome.blocks.size() <= smallEnough || p.t < 1)
        return outcome;

    removeWeakest(state);
    Mover mover(state, p, seed, budget.annealPlainCovers);
    std::uint64_t moves = 0;
    while (true) {
        if ((moves & 255) == 0) {
            if (stopRequested(budget.stop)) {
                outcome.stopped = true;
                break;
            }
            if (budget.maxMoves && moves >= budget.maxMoves)
                break;
            if (budget.seconds > 0 &&
                std::chrono::duration<double>(Clock::now() - began).count() >= budget.seconds)
                break;
        }
        if (state.uncoveredCount() == 0) {
            outcome.blocks = state.blocks();
            if (budget.improved)
                budget.improved(int(outcome.blocks.size()), moves);
            if (outcome.blocks.size() <= smallEnough)
                break;
            removeRedundant(state);
            removeWeakest(state);
            mover.reset();
            continue;
        }
        mover.move(++moves);
    }
    outcome.moves = moves;
    return outcome;
}

std::vector<Mask> turanThreeIfFour(int n, std::uint64_t seed, const SearchBudget& budget) {
    if (n < 9)
        return {};
    // Parts of (nearly) equal size: part(x) = x * 3 / n.
    auto part = [n](int x) { return x * 3 / n; };
    CoverProblem p{n, 6, 3, 3, [&](Mask triple) {
                       int count[3] = {0, 0, 0};
                       for (Mask b = triple; b; b &= b - 1)
                           ++count[part(lowestBit(b))];
                       if (count[0] == 1 && count[1] == 1)
                           return true;
                       for (int i = 0; i < 3; ++i)
                           if (count[i] == 2 && count[(i + 1) % 3] == 1)
                               return true;
                       return false;
                   }};
    return shrinkCover(p, greedyCover(p), seed, budget).blocks;
}

} // namespace Wheels
