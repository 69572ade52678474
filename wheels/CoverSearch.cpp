#include "wheels/CoverSearch.h"

#include "wheels/BlockIncidence.h"
#include "wheels/CoverState.h"

#include <algorithm>
#include <chrono>
#include <climits>

namespace Wheels {

namespace {

using Clock = std::chrono::steady_clock;

// A point just taken out of a block may not come back into it for this many moves, plus a
// random few.
constexpr std::uint32_t kTenure = 5;
// Every this many moves, the targets still uncovered gain weight.
constexpr std::uint64_t kWeighEvery = 256;
// Moves without a new low of uncovered targets at the current block count before a shake.
constexpr std::uint64_t kStagnation = 1000000;
// Blocks changed at random by a shake.
constexpr int kShakenBlocks = 3;
// Long loops over the blocks look at the clock and the stop flag this often.
constexpr int kCheckEvery = 1024;

bool stopRequested(const std::atomic<bool>* stop) {
    return stop && stop->load(std::memory_order_relaxed);
}

// The end of a search: the stop flag, the time and the move budget.
class Limits {
public:
    explicit Limits(const SearchBudget& budget) : budget_(budget), began_(Clock::now()) {}

    double seconds() const { return std::chrono::duration<double>(Clock::now() - began_).count(); }
    // Whether the search must end now, and why.
    bool reached(std::uint64_t moves, SearchEnd* why) const {
        if (stopRequested(budget_.stop)) {
            *why = SearchEnd::Stopped;
            return true;
        }
        *why = SearchEnd::Budget;
        return (budget_.maxMoves && moves >= budget_.maxMoves) ||
               (budget_.seconds > 0 && seconds() >= budget_.seconds);
    }
    bool reached() const {
        SearchEnd why;
        return reached(0, &why);
    }

private:
    const SearchBudget& budget_;
    Clock::time_point began_;
};

CoverState makeState(const CoverProblem& p) {
    CoverState state(p.n, p.k, p.t, p.m);
    if (p.alreadyCovered)
        for (std::uint64_t r = 0; r < state.targetRankCount(); ++r)
            if (p.alreadyCovered(colexUnrank(r, p.m)))
                state.coverForGood(r);
    return state;
}

// Removes blocks that cover nothing alone, last first; ends early (still a cover) when `done`.
template <typename Done> void removeRedundant(CoverState& state, Done&& done) {
    for (int i = int(state.blocks().size()) - 1; i >= 0 && state.blocks().size() > 1; --i) {
        if (i % kCheckEvery == 0 && done())
            return;
        if (state.uniqueCoverage(i) == 0)
            state.removeBlock(i);
    }
}

// Removes the block whose loss uncovers the fewest targets; false (nothing removed) when
// `done` ended the scan.
template <typename Done> bool removeWeakest(CoverState& state, Done&& done) {
    int weakest = 0;
    std::uint64_t least = ~std::uint64_t(0);
    for (int i = 0; i < int(state.blocks().size()); ++i) {
        if (i % kCheckEvery == kCheckEvery - 1 && done())
            return false;
        const std::uint64_t unique = state.uniqueCoverage(i);
        if (unique < least) {
            least = unique;
            weakest = i;
        }
    }
    state.removeBlock(weakest);
    return true;
}

struct Swap {
    int block = -1, out = -1, in = -1;
};

// The local search at a fixed number of blocks; each move makes one block cover a randomly
// chosen uncovered target by exchanging one point (or, when no block is one point short of it,
// brings a block one point closer).
class Mover {
public:
    Mover(CoverState& state, const CoverProblem& p, std::uint64_t seed)
        : state_(state), p_(p), random_(seed) {
        reset();
    }

    // After blocks were added or removed.
    void reset() {
        incidence_.rebuild(p_.n, state_.blocks());
        tabuUntil_.assign(state_.blocks().size() * std::size_t(p_.n), 0);
        fewestUncovered_ = state_.uncoveredCount();
        sinceFewest_ = 0;
    }

    // One move; false when no exchange can bring any block closer to the target.
    bool move(std::uint64_t moveNumber) {
        if (std::uint16_t(moveNumber) == 0)
            std::fill(tabuUntil_.begin(), tabuUntil_.end(), std::uint16_t(0));
        if (++sinceFewest_ > kStagnation) {
            shake();
            return true;
        }
        const Mask target =
            state_.uncoveredTarget(random_.below(std::uint32_t(state_.uncoveredCount())));
        candidates_.clear();
        forEachSubset(target, p_.t - 1, [&](Mask inside) {
            incidence_.collect(inside, target & ~inside, candidates_);
        });
        if (candidates_.empty() && !nearestBlocks(target))
            return false;
        const Swap swap = bestSwap(target, moveNumber);
        if (swap.block >= 0) {
            apply(swap);
            tabuUntil_[slot(swap.block, swap.out)] = std::uint16_t(std::min<std::uint64_t>(
                0xFFFF, (moveNumber & 0xFFFF) + kTenure + random_.below(kTenure + 1)));
        }
        if (moveNumber % kWeighEvery == 0)
            state_.raiseUncoveredWeights();
        if (state_.uncoveredCount() < fewestUncovered_) {
            fewestUncovered_ = state_.uncoveredCount();
            sinceFewest_ = 0;
        }
        return true;
    }

private:
    // Of the candidate blocks' exchanges that bring a point of the target in, the one that
    // gains most weight and is not tabu (a tabu one only if it leaves fewer targets uncovered
    // than ever at this block count).
    Swap bestSwap(Mask target, std::uint64_t moveNumber) {
        Swap best;
        int ties = 0;
        std::int64_t bestScore = LLONG_MIN;
        const std::int64_t uncovered = std::int64_t(state_.uncoveredCount());
        for (int i : candidates_) {
            const Mask block = state_.blocks()[std::size_t(i)];
            for (Mask ins = target & ~block; ins; ins &= ins - 1) {
                const int in = lowestBit(ins);
                const bool tabu = tabuUntil_[slot(i, in)] > std::uint16_t(moveNumber);
                for (Mask outs = block & ~target; outs; outs &= outs - 1) {
                    const int out = lowestBit(outs);
                    const SwapEffect effect = state_.swapEffect(i, out, in);
                    if (tabu && uncovered + effect.uncoveredDelta >= std::int64_t(fewestUncovered_))
                        continue;
                    if (effect.score > bestScore) {
                        bestScore = effect.score;
                        best = Swap{i, out, in};
                        ties = 1;
                    } else if (effect.score == bestScore &&
                               random_.below(std::uint32_t(++ties)) == 0) {
                        best = Swap{i, out, in};
                    }
                }
            }
        }
        return best;
    }

    // When no block holds t - 1 points of the target: the blocks holding most of them.
    bool nearestBlocks(Mask target) {
        int most = -1;
        const auto& blocks = state_.blocks();
        for (int i = 0; i < int(blocks.size()); ++i) {
            const Mask block = blocks[std::size_t(i)];
            if (!(block & ~target))
                continue; // nothing to exchange
            const int common = popcount(block & target);
            if (common > most) {
                most = common;
                candidates_.clear();
            }
            if (common == most)
                candidates_.push_back(i);
        }
        return !candidates_.empty();
    }

    // A few blocks each exchange a random point for a random other one.
    void shake() {
        const Mask all = p_.n >= 64 ? ~Mask(0) : (Mask(1) << p_.n) - 1;
        for (int i = 0; i < kShakenBlocks; ++i) {
            const int index = int(random_.below(std::uint32_t(state_.blocks().size())));
            const Mask block = state_.blocks()[std::size_t(index)];
            if (!(all & ~block))
                continue;
            apply(Swap{index, random_.pointOf(block), random_.pointOf(all & ~block)});
        }
        fewestUncovered_ = state_.uncoveredCount();
        sinceFewest_ = 0;
    }

    void apply(const Swap& swap) {
        state_.applySwap(swap.block, swap.out, swap.in);
        incidence_.move(std::size_t(swap.block), swap.out, swap.in);
    }

    std::size_t slot(int block, int point) const {
        return std::size_t(block) * std::size_t(p_.n) + std::size_t(point);
    }

    CoverState& state_;
    const CoverProblem p_;
    Random random_;
    BlockIncidence incidence_;
    // For each block and point, the move (the low 16 bits of its number) until which the
    // point may not come back into the block; all cleared when those bits wrap, which keeps
    // the marks of a wheel of 400,000 blocks on 49 numbers in 37 MiB.
    std::vector<std::uint16_t> tabuUntil_;
    std::vector<int> candidates_;
    std::uint64_t fewestUncovered_ = 0, sinceFewest_ = 0;
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
    removeRedundant(state, [&] { return stopRequested(stop); });
    return state.blocks();
}

SearchOutcome shrinkCover(const CoverProblem& p, std::vector<Mask> start, std::uint64_t seed,
                          const SearchBudget& budget) {
    const Limits limits(budget);
    auto done = [&] { return limits.reached(); };
    SearchOutcome outcome;
    outcome.blocks = start;
    CoverState state = makeState(p);
    for (std::size_t i = 0; i < start.size(); ++i) {
        if (i % kCheckEvery == 0 && limits.reached(0, &outcome.end))
            return outcome;
        state.addBlock(start[i]);
    }
    removeRedundant(state, done);
    outcome.blocks = state.blocks();
    const std::size_t smallEnough = std::max<std::size_t>(1, budget.goodEnough);
    if (outcome.blocks.size() <= smallEnough || p.t < 1) {
        outcome.end = SearchEnd::LowerBound;
        return outcome;
    }
    if (!removeWeakest(state, done)) {
        limits.reached(0, &outcome.end);
        return outcome;
    }
    Mover mover(state, p, seed);
    std::uint64_t moves = 0;
    double reportedAt = 0;
    while (true) {
        if ((moves & 63) == 0) {
            if (limits.reached(moves, &outcome.end))
                break;
            if (budget.progress && limits.seconds() >= reportedAt + 0.2) {
                reportedAt = limits.seconds();
                budget.progress(int(outcome.blocks.size()), moves);
            }
        }
        if (state.uncoveredCount() == 0) {
            outcome.blocks = state.blocks();
            if (budget.progress)
                budget.progress(int(outcome.blocks.size()), moves);
            if (outcome.blocks.size() <= smallEnough) {
                outcome.end = SearchEnd::LowerBound;
                break;
            }
            removeRedundant(state, done);
            if (!removeWeakest(state, done)) {
                limits.reached(moves, &outcome.end);
                break;
            }
            mover.reset();
            continue;
        }
        if (!mover.move(++moves)) {
            outcome.end = SearchEnd::NoMoveLeft;
            break;
        }
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
