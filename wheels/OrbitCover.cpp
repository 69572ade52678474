#include "wheels/OrbitCover.h"

#include "wheels/FiniteField.h"

#include <algorithm>
#include <chrono>
#include <optional>

namespace Wheels {

namespace {

using Clock = std::chrono::steady_clock;

// Rows are target orbits, columns block orbits; a column costs its orbit's length.
struct SetCoverProblem {
    std::vector<std::vector<std::uint32_t>> rowsOf, columnsOf;
    std::vector<std::uint64_t> cost;
    std::vector<Mask> representative;
};

SetCoverProblem buildProblem(const CoverProblem& p, const std::vector<Permutation>& generators) {
    const SubsetOrbits targets = subsetOrbits(p.n, p.m, generators);
    const SubsetOrbits blocks = subsetOrbits(p.n, p.k, generators);
    // Target orbits that need no block are left out: -1.
    std::vector<std::int32_t> row(targets.representative.size(), -1);
    std::int32_t rows = 0;
    for (std::size_t i = 0; i < row.size(); ++i)
        if (!p.alreadyCovered || !p.alreadyCovered(targets.representative[i]))
            row[i] = rows++;
    SetCoverProblem problem;
    problem.columnsOf.resize(std::size_t(rows));
    const Mask all = p.n >= 64 ? ~Mask(0) : (Mask(1) << p.n) - 1;
    std::vector<std::uint32_t> covered;
    for (std::size_t j = 0; j < blocks.representative.size(); ++j) {
        const Mask block = blocks.representative[j];
        covered.clear();
        for (int inside = p.t; inside <= std::min(p.k, p.m); ++inside)
            forEachSubset(block, inside, [&](Mask in) {
                forEachSubset(all & ~block, p.m - inside, [&](Mask rest) {
                    const std::int32_t r = row[targets.orbitOfRank[colexRank(in | rest)]];
                    if (r >= 0)
                        covered.push_back(std::uint32_t(r));
                });
            });
        std::sort(covered.begin(), covered.end());
        covered.erase(std::unique(covered.begin(), covered.end()), covered.end());
        if (covered.empty())
            continue;
        const auto column = std::uint32_t(problem.rowsOf.size());
        for (std::uint32_t r : covered)
            problem.columnsOf[r].push_back(column);
        problem.rowsOf.push_back(covered);
        problem.cost.push_back(blocks.length[j]);
        problem.representative.push_back(block);
    }
    return problem;
}

// Iterated greedy for the weighted set cover: drop a few chosen columns at random, cover again
// greedily (most newly covered rows per cost, over the columns of a random uncovered row),
// drop what became redundant, and keep the result unless it costs more.
class IteratedGreedy {
public:
    IteratedGreedy(const SetCoverProblem& problem, std::uint64_t seed)
        : problem_(problem), random_(seed), count_(problem.columnsOf.size(), 0),
          chosen_(problem.rowsOf.size(), false) {}

    void run(const std::function<bool()>& done) {
        repair();
        prune();
        best_ = chosenList();
        bestCost_ = cost_;
        for (std::uint64_t round = 0; !done(); ++round) {
            const std::vector<std::uint32_t> before = chosenList();
            const std::uint64_t beforeCost = cost_;
            const int dropped = 1 + int(random_.below(3));
            for (int i = 0; i < dropped; ++i) {
                const std::vector<std::uint32_t> now = chosenList();
                if (now.empty())
                    break;
                toggle(now[random_.below(std::uint32_t(now.size()))]);
            }
            repair();
            prune();
            if (cost_ < bestCost_) {
                best_ = chosenList();
                bestCost_ = cost_;
            } else if (cost_ > beforeCost) {
                restore(before);
            }
        }
    }

    const std::vector<std::uint32_t>& best() const { return best_; }
    std::uint64_t bestCost() const { return bestCost_; }

private:
    void toggle(std::uint32_t c) {
        const bool on = !chosen_[c];
        chosen_[c] = on;
        cost_ = on ? cost_ + problem_.cost[c] : cost_ - problem_.cost[c];
        for (std::uint32_t r : problem_.rowsOf[c])
            count_[r] = on ? count_[r] + 1 : count_[r] - 1;
    }

    std::vector<std::uint32_t> chosenList() const {
        std::vector<std::uint32_t> list;
        for (std::uint32_t c = 0; c < chosen_.size(); ++c)
            if (chosen_[c])
                list.push_back(c);
        return list;
    }

    void restore(const std::vector<std::uint32_t>& list) {
        for (std::uint32_t c = 0; c < chosen_.size(); ++c)
            if (chosen_[c])
                toggle(c);
        for (std::uint32_t c : list)
            toggle(c);
    }

    void repair() {
        std::vector<std::uint32_t> uncovered;
        for (std::uint32_t r = 0; r < count_.size(); ++r)
            if (count_[r] == 0)
                uncovered.push_back(r);
        while (!uncovered.empty()) {
            const std::uint32_t r = uncovered[random_.below(std::uint32_t(uncovered.size()))];
            std::uint32_t pick = 0;
            double bestRatio = -1;
            int ties = 0;
            for (std::uint32_t c : problem_.columnsOf[r]) {
                std::uint64_t fresh = 0;
                for (std::uint32_t s : problem_.rowsOf[c])
                    fresh += count_[s] == 0;
                const double ratio = double(fresh) / double(problem_.cost[c]);
                if (ratio > bestRatio) {
                    bestRatio = ratio;
                    pick = c;
                    ties = 1;
                } else if (ratio == bestRatio && random_.below(std::uint32_t(++ties)) == 0) {
                    pick = c;
                }
            }
            toggle(pick);
            uncovered.erase(std::remove_if(uncovered.begin(), uncovered.end(),
                                           [&](std::uint32_t s) { return count_[s] > 0; }),
                            uncovered.end());
        }
    }

    // Drops chosen columns whose rows are all covered twice, the costliest first.
    void prune() {
        std::vector<std::uint32_t> list = chosenList();
        std::sort(list.begin(), list.end(), [&](std::uint32_t a, std::uint32_t b) {
            return problem_.cost[a] > problem_.cost[b];
        });
        for (std::uint32_t c : list)
            if (std::all_of(problem_.rowsOf[c].begin(), problem_.rowsOf[c].end(),
                            [&](std::uint32_t r) { return count_[r] > 1; }))
                toggle(c);
    }

    const SetCoverProblem& problem_;
    Random random_;
    std::vector<std::uint32_t> count_;
    std::vector<bool> chosen_;
    std::uint64_t cost_ = 0, bestCost_ = 0;
    std::vector<std::uint32_t> best_;
};

// Branch and bound over the rows' columns, the row with the fewest columns first; improves on
// `best` (its cost `bestCost`). False when `done` ended it before the search was complete.
class BranchAndBound {
public:
    BranchAndBound(const SetCoverProblem& problem, const std::function<bool()>& done)
        : problem_(problem), done_(done), count_(problem.columnsOf.size(), 0) {}

    bool run(std::vector<std::uint32_t>& best, std::uint64_t& bestCost) {
        best_ = &best;
        bestCost_ = &bestCost;
        descend(0);
        return !aborted_;
    }

private:
    void descend(std::uint64_t cost) {
        if (aborted_ || ((++nodes_ & 1023) == 0 && done_())) {
            aborted_ = true;
            return;
        }
        std::int64_t row = -1;
        std::size_t fewest = ~std::size_t(0);
        std::uint64_t bound = 0; // the costliest of the cheapest ways to cover each row
        for (std::uint32_t r = 0; r < count_.size(); ++r) {
            if (count_[r] > 0)
                continue;
            std::uint64_t cheapest = ~std::uint64_t(0);
            for (std::uint32_t c : problem_.columnsOf[r])
                cheapest = std::min(cheapest, problem_.cost[c]);
            bound = std::max(bound, cheapest);
            if (problem_.columnsOf[r].size() < fewest) {
                fewest = problem_.columnsOf[r].size();
                row = r;
            }
        }
        if (row < 0) {
            if (cost < *bestCost_) {
                *bestCost_ = cost;
                *best_ = chosen_;
            }
            return;
        }
        if (cost + bound >= *bestCost_)
            return;
        for (std::uint32_t c : problem_.columnsOf[std::size_t(row)]) {
            if (cost + problem_.cost[c] >= *bestCost_)
                continue;
            for (std::uint32_t r : problem_.rowsOf[c])
                ++count_[r];
            chosen_.push_back(c);
            descend(cost + problem_.cost[c]);
            chosen_.pop_back();
            for (std::uint32_t r : problem_.rowsOf[c])
                --count_[r];
        }
    }

    const SetCoverProblem& problem_;
    const std::function<bool()>& done_;
    std::vector<std::uint32_t> count_, chosen_;
    std::vector<std::uint32_t>* best_ = nullptr;
    std::uint64_t* bestCost_ = nullptr;
    std::uint64_t nodes_ = 0;
    bool aborted_ = false;
};

// Rows few enough for branch and bound to be worth trying.
constexpr std::size_t kExactRows = 60;

} // namespace

OrbitCover orbitCover(const CoverProblem& p, const std::vector<Permutation>& generators,
                      std::uint64_t seed, const SearchBudget& budget) {
    const auto began = Clock::now();
    std::uint64_t rounds = 0;
    const std::function<bool()> done = [&] {
        ++rounds;
        return (budget.stop && budget.stop->load()) ||
               (budget.maxMoves && rounds > budget.maxMoves) ||
               (budget.seconds > 0 &&
                std::chrono::duration<double>(Clock::now() - began).count() >= budget.seconds);
    };
    const SetCoverProblem problem = buildProblem(p, generators);
    OrbitCover result;
    for (const auto& columns : problem.columnsOf)
        if (columns.empty())
            return result; // a target no block covers: impossible
    std::uint64_t halfRounds = 0;
    const std::function<bool()> half = [&] {
        return done() ||
               (budget.maxMoves ? ++halfRounds > budget.maxMoves / 2
                                : std::chrono::duration<double>(Clock::now() - began).count() >=
                                      budget.seconds / 2);
    };
    IteratedGreedy greedy(problem, seed);
    greedy.run(problem.columnsOf.size() <= kExactRows ? half : done);
    std::vector<std::uint32_t> chosen = greedy.best();
    std::uint64_t cost = greedy.bestCost();
    if (problem.columnsOf.size() <= kExactRows)
        result.optimal = BranchAndBound(problem, done).run(chosen, cost);
    for (std::uint32_t c : chosen)
        for (Mask b : orbit(problem.representative[c], generators))
            result.blocks.push_back(b);
    return result;
}

namespace {

std::optional<FiniteField> fieldOfOrder(int q) {
    switch (q) {
    case 4:
        return FiniteField(2, 2, {1, 1});
    case 8:
        return FiniteField(2, 3, {1, 1, 0});
    case 9:
        return FiniteField(3, 2, {2, 0});
    case 16:
        return FiniteField(2, 4, {1, 1, 0, 0});
    case 25:
        return FiniteField(5, 2, {2, 0});
    case 27:
        return FiniteField(3, 3, {1, 1, 0});
    case 32:
        return FiniteField(2, 5, {1, 0, 1, 0, 0});
    case 49:
        return FiniteField(7, 2, {3, 0});
    default:
        break;
    }
    for (int d = 2; d * d <= q; ++d)
        if (q % d == 0)
            return std::nullopt;
    return q >= 2 ? std::optional<FiniteField>(FiniteField(q, 1, {0})) : std::nullopt;
}

Permutation identity(int v) {
    Permutation g(static_cast<std::size_t>(v));
    for (int i = 0; i < v; ++i)
        g[std::size_t(i)] = i;
    return g;
}

// Cycles of `length` points each on the first `covered` points (a multiple of it), the others
// fixed.
Permutation cycles(int v, int covered, int length) {
    Permutation g = identity(v);
    for (int i = 0; i < covered; ++i)
        g[std::size_t(i)] = i / length * length + (i + 1) % length;
    return g;
}

// On GF(q) (points 0..q-1) and, when v > q, fixed points q..v-1: x -> f(x).
template <typename F> Permutation onField(int v, int q, F&& f) {
    Permutation g = identity(v);
    for (int x = 0; x < q; ++x)
        g[std::size_t(x)] = f(x);
    return g;
}

} // namespace

std::vector<NamedGroup> candidateGroups(int v) {
    std::vector<NamedGroup> groups;
    // Cyclic groups acting on v - fixed points in cycles of equal length (one cycle or more).
    for (int fixed = 0; fixed <= 2 && v - fixed >= 7; ++fixed)
        for (int length = v - fixed; length >= 5; --length) {
            const int count = (v - fixed) / length;
            if (count * length != v - fixed)
                continue;
            std::string name = "Z" + std::to_string(length);
            if (count > 1)
                name += " x" + std::to_string(count);
            if (fixed)
                name += "+" + std::to_string(fixed);
            groups.push_back({name, {cycles(v, v - fixed, length)}});
        }
    // Affine maps x -> a x + b with a in the subgroup of order d, on GF(q), q = v or v - 1.
    for (int q : {v, v - 1}) {
        const std::optional<FiniteField> field = fieldOfOrder(q);
        if (!field)
            continue;
        const FiniteField& f = *field;
        const int w = f.primitiveElement();
        std::vector<Permutation> translations;
        for (int basis = 1; basis < q; basis *= f.characteristic())
            translations.push_back(onField(v, q, [&](int x) { return f.add(x, basis); }));
        const std::string where = "GF(" + std::to_string(q) + ")" + (q < v ? "+1" : "");
        for (int d = 1; d <= q - 1; ++d) {
            if ((q - 1) % d != 0)
                continue;
            const int a = f.power(w, (q - 1) / d);
            std::vector<Permutation> generators = translations;
            if (d > 1)
                generators.push_back(onField(v, q, [&](int x) { return f.multiply(a, x); }));
            groups.push_back({"x->ax+b, a^" + std::to_string(d) + "=1 on " + where, generators});
        }
        // PSL(2,q) on the projective line GF(q) and infinity (the point q).
        if (q == v - 1) {
            Permutation inversion = identity(v);
            for (int x = 0; x <= q; ++x)
                inversion[std::size_t(x)] = x == q ? 0 : x == 0 ? q : f.negate(f.inverse(x));
            const int square = f.characteristic() == 2 ? w : f.multiply(w, w);
            std::vector<Permutation> psl = translations;
            psl.push_back(onField(v, q, [&](int x) { return f.multiply(square, x); }));
            psl.push_back(inversion);
            groups.push_back({"PSL(2," + std::to_string(q) + ")", psl});
        }
    }
    return groups;
}

} // namespace Wheels
