#include "lab/FilterEngine.h"

#include "game/Odds.h"

#include <algorithm>
#include <array>
#include <random>

namespace Lab {

using Analysis::BallSet;

namespace {

constexpr BallSet bit(int ball) {
    return BallSet(1) << ball;
}

// The filter turned into bounds that are always present (an absent condition
// gets bounds that never bind), so that the walk tests them without branches
// on whether they are set.
struct Plan {
    int sumLow = 0, sumHigh = 1000;
    int oddLow = 0, oddHigh = 6;
    int lowLow = 0, lowHigh = 6;
    int maxRun = 6;
    int decadeMax = 6;
    BallSet excluded = 0, included = 0;
    BallSet newest = 0;
    int sharedMax = 6;
    BallSet hot = 0, cold = 0;
    int hotAtLeast = 0, coldAtLeast = 0;
    const DrawnSet* drawn = nullptr;
    std::array<int, 50> nextIncluded{}; // smallest number to include above x, else 49
};

Plan makePlan(const Filter& filter, const HistoryFacts& facts) {
    Plan p;
    if (filter.sum)
        p.sumLow = filter.sum->low, p.sumHigh = filter.sum->high;
    if (filter.odd)
        p.oddLow = filter.odd->low, p.oddHigh = filter.odd->high;
    if (filter.low)
        p.lowLow = filter.low->low, p.lowHigh = filter.low->high;
    p.maxRun = filter.maxRun.value_or(6);
    p.decadeMax = filter.decadeMax.value_or(6);
    for (int ball : filter.include)
        p.included |= bit(ball);
    for (int ball : filter.exclude)
        p.excluded |= bit(ball);
    if (filter.sharedWithLastMax)
        p.newest = facts.newest, p.sharedMax = *filter.sharedWithLastMax;
    if (filter.hot)
        p.hot = facts.hot, p.hotAtLeast = filter.hot->atLeast;
    if (filter.cold)
        p.cold = facts.cold, p.coldAtLeast = filter.cold->atLeast;
    if (filter.notDrawn && facts.drawn && facts.drawn->size() > 0)
        p.drawn = facts.drawn.get();
    int next = 49;
    for (int x = 49; x >= 0; --x) {
        p.nextIncluded[size_t(x)] = next;
        if (p.included & bit(x))
            next = x;
    }
    return p;
}

// Combinations that start with a given first and second number come before
// prefixRank[a][b] others: the share done when the walk reaches (a, b).
struct PrefixRanks {
    std::array<std::array<qint64, 50>, 50> rank{};
    PrefixRanks() {
        qint64 before = 0;
        for (int a = 1; a <= 44; ++a)
            for (int b = a + 1; b <= 45; ++b) {
                rank[size_t(a)][size_t(b)] = before;
                before += qint64(Lottery::binomialOf(49 - b, 4));
            }
    }
};

const PrefixRanks& prefixRanks() {
    static const PrefixRanks ranks;
    return ranks;
}

// The state of a ticket being chosen. Decade counts are packed three bits a
// decade.
struct Chosen {
    int sum = 0, odd = 0, low = 0, run = 0, decades = 0;
    int hot = 0, cold = 0, shared = 0;
    BallSet balls = 0;
};

template <typename Visit> class Walker {
public:
    Walker(const Plan& plan, Visit& visit, const Lottery::Control<>& control)
        : m_plan(plan), m_visit(visit), m_control(control) {}

    bool run() {
        level<0>(0, Chosen{});
        return !m_stopped;
    }

private:
    template <int Depth> void level(int previous, const Chosen& s) {
        constexpr int rest = 5 - Depth; // numbers still to choose after this one
        const Plan& p = m_plan;
        // The range of this number that can still meet the sum, the count of
        // low numbers and the numbers to include.
        int first = std::max(previous + 1, p.sumLow - s.sum - (rest * 49 - rest * (rest - 1) / 2));
        const int headroom = p.sumHigh - s.sum - rest * (rest + 1) / 2;
        if (headroom < 0)
            return;
        int last = std::min({49 - rest, headroom / (rest + 1), p.nextIncluded[size_t(previous)]});
        if (s.low + rest + 1 < p.lowLow || s.odd + rest + 1 < p.oddLow)
            return;
        if (s.low < p.lowLow)
            last = std::min(last, 24);
        if (s.low >= p.lowHigh)
            first = std::max(first, 25);
        for (int x = first; x <= last; ++x) {
            if constexpr (Depth == 1) {
                if (!checkpoint(m_balls[0], x))
                    return;
            }
            const BallSet b = bit(x);
            if (p.excluded & b)
                continue;
            Chosen n;
            n.odd = s.odd + (x & 1);
            if (n.odd > p.oddHigh || n.odd + rest < p.oddLow)
                continue;
            n.low = s.low + (x <= 24);
            if (n.low + rest < p.lowLow)
                continue;
            n.run = x == previous + 1 ? s.run + 1 : 1;
            if (n.run > p.maxRun)
                continue;
            const int shift = 3 * (x / 10);
            if (((s.decades >> shift) & 7) + 1 > p.decadeMax)
                continue;
            n.decades = s.decades + (1 << shift);
            n.hot = s.hot + ((p.hot & b) != 0);
            n.cold = s.cold + ((p.cold & b) != 0);
            n.shared = s.shared + ((p.newest & b) != 0);
            if (n.hot + rest < p.hotAtLeast || n.cold + rest < p.coldAtLeast ||
                n.shared > p.sharedMax)
                continue;
            n.sum = s.sum + x;
            n.balls = s.balls | b;
            m_balls[Depth] = x;
            if constexpr (Depth == 5) {
                if ((n.balls & p.included) != p.included)
                    continue;
                if (p.drawn && p.drawn->contains(n.balls))
                    continue;
                if (!m_visit(m_balls)) {
                    m_stopped = true;
                    return;
                }
            } else {
                level<Depth + 1>(x, n);
                if (m_stopped)
                    return;
            }
        }
    }

    // Once per first two numbers: the stop flag and the progress.
    bool checkpoint(int a, int b) {
        if (m_control.stopRequested()) {
            m_stopped = true;
            return false;
        }
        if (m_control.progress) {
            const Lottery::Progress progress{prefixRanks().rank[size_t(a)][size_t(b)],
                                             kAllCombinations};
            if (progress.share() >= m_reported + 0.01) {
                m_reported = progress.share();
                m_control.report(progress);
            }
        }
        return true;
    }

    const Plan& m_plan;
    Visit& m_visit;
    const Lottery::Control<>& m_control;
    Ticket m_balls{};
    bool m_stopped = false;
    double m_reported = 0;
};

template <typename Visit>
bool walk(const Filter& filter, const HistoryFacts& facts, Visit& visit,
          const Lottery::Control<>& control) {
    const Plan plan = makePlan(filter, facts);
    Walker<Visit> walker(plan, visit, control);
    const bool finished = walker.run();
    if (finished)
        control.report({kAllCombinations, kAllCombinations});
    return finished;
}

} // namespace

bool passes(const Filter& filter, const HistoryFacts& facts, const Ticket& ticket) {
    // The walk over a one-ticket universe would do, but the direct test is
    // clearer and is what the backtest calls per ticket and draw.
    const Plan p = makePlan(filter, facts);
    Chosen s;
    int previous = 0;
    int runLongest = 0;
    std::array<int, 5> decades{};
    for (int x : ticket) {
        const BallSet b = bit(x);
        s.sum += x;
        s.odd += x & 1;
        s.low += x <= 24;
        s.run = x == previous + 1 ? s.run + 1 : 1;
        runLongest = std::max(runLongest, s.run);
        ++decades[size_t(x / 10)];
        s.balls |= b;
        previous = x;
    }
    return s.sum >= p.sumLow && s.sum <= p.sumHigh && s.odd >= p.oddLow && s.odd <= p.oddHigh &&
           s.low >= p.lowLow && s.low <= p.lowHigh && runLongest <= p.maxRun &&
           *std::max_element(decades.begin(), decades.end()) <= p.decadeMax &&
           (s.balls & p.excluded) == 0 && (s.balls & p.included) == p.included &&
           Analysis::ballCount(s.balls & p.newest) <= p.sharedMax &&
           Analysis::ballCount(s.balls & p.hot) >= p.hotAtLeast &&
           Analysis::ballCount(s.balls & p.cold) >= p.coldAtLeast &&
           !(p.drawn && p.drawn->contains(s.balls));
}

CountResult countPassing(const Filter& filter, const HistoryFacts& facts,
                         const Lottery::Control<>& control) {
    CountResult result;
    auto visit = [&result](const Ticket&) {
        ++result.passing;
        return true;
    };
    result.stopped = !walk(filter, facts, visit, control);
    return result;
}

CountResult streamPassing(const Filter& filter, const HistoryFacts& facts,
                          const std::function<bool(const Ticket&)>& sink,
                          const Lottery::Control<>& control) {
    CountResult result;
    auto visit = [&](const Ticket& ticket) {
        ++result.passing;
        return sink(ticket);
    };
    result.stopped = !walk(filter, facts, visit, control);
    return result;
}

std::vector<Ticket> passingPage(const Filter& filter, const HistoryFacts& facts, qint64 offset,
                                qint64 limit, const Lottery::Control<>& control) {
    std::vector<Ticket> page;
    if (limit <= 0)
        return page;
    page.reserve(size_t(std::min<qint64>(limit, 100000)));
    qint64 seen = 0;
    auto visit = [&](const Ticket& ticket) {
        if (seen++ >= offset)
            page.push_back(ticket);
        return qint64(page.size()) < limit;
    };
    walk(filter, facts, visit, control);
    return page;
}

std::vector<Ticket> passingSample(const Filter& filter, const HistoryFacts& facts, int size,
                                  quint64 seed, const Lottery::Control<>& control) {
    std::vector<Ticket> sample;
    if (size <= 0)
        return sample;
    sample.reserve(size_t(size));
    std::mt19937_64 random(seed);
    quint64 seen = 0;
    auto visit = [&](const Ticket& ticket) {
        ++seen;
        if (sample.size() < size_t(size)) {
            sample.push_back(ticket);
        } else {
            const quint64 slot = random() % seen;
            if (slot < quint64(size))
                sample[size_t(slot)] = ticket;
        }
        return true;
    };
    walk(filter, facts, visit, control);
    std::sort(sample.begin(), sample.end());
    return sample;
}

} // namespace Lab
