#include "lab/FilterEngine.h"

#include "game/Odds.h"

#include <algorithm>
#include <array>
#include <random>

namespace Lab {

namespace {

// What a ball is to the filter, one bit each, looked up once per number chosen.
enum BallFlag : quint8 {
    Excluded = 1,
    Included = 2,
    Hot = 4,
    Cold = 8,
    InNewest = 16,
};

constexpr size_t kBallSlots = Lottery::kMaxNumber + 2;

// The filter turned into bounds that are always present (an absent condition
// gets bounds that never bind), so that the walk tests them without branches
// on whether they are set.
struct Plan {
    int k = 0, n = 0; // the game's K of 1..N
    int half = 0;     // the low numbers are 1..half
    int sumLow = 0, sumHigh = 1000;
    int oddLow = 0, oddHigh = Lottery::kMaxBalls;
    int lowLow = 0, lowHigh = Lottery::kMaxBalls;
    int maxRun = Lottery::kMaxBalls;
    int decadeMax = Lottery::kMaxBalls;
    int includedCount = 0;
    int sharedMax = Lottery::kMaxBalls;
    int hotAtLeast = 0, coldAtLeast = 0;
    const DrawnSet* drawn = nullptr;
    std::array<quint8, kBallSlots> flags{};
    std::array<int, kBallSlots> nextIncluded{}; // smallest number to include above x, else N
    // For the progress (addRanks): the combinations before those starting
    // with a, and the running sums of C(N - b, K - 2) over the second numbers
    // below b.
    std::array<qint64, kBallSlots> beforeFirst{}, secondSums{};
    qint64 total = 0;

    // The combinations that come before those starting with a, b.
    qint64 rankOf(int a, int b) const {
        return beforeFirst[size_t(a)] + secondSums[size_t(b)] - secondSums[size_t(a + 1)];
    }
};

Plan makePlan(const Filter& filter, const HistoryFacts& facts) {
    Plan p;
    p.k = filter.game.k();
    p.n = filter.game.n();
    p.half = p.n / 2;
    p.total = qint64(Lottery::combinations(filter.game));
    if (filter.sum)
        p.sumLow = filter.sum->low, p.sumHigh = filter.sum->high;
    if (filter.odd)
        p.oddLow = filter.odd->low, p.oddHigh = filter.odd->high;
    if (filter.low)
        p.lowLow = filter.low->low, p.lowHigh = filter.low->high;
    p.maxRun = filter.maxRun.value_or(p.k);
    p.decadeMax = filter.decadeMax.value_or(p.k);
    const auto mark = [&](BallBits bits, BallFlag flag) {
        forEachBit(bits, [&](int ball) {
            if (ball <= p.n)
                p.flags[size_t(ball)] |= flag;
        });
    };
    for (int ball : filter.include)
        p.flags[size_t(ball)] |= Included;
    for (int ball : filter.exclude)
        p.flags[size_t(ball)] |= Excluded;
    for (int ball = 1; ball <= p.n; ++ball)
        p.includedCount += (p.flags[size_t(ball)] & Included) != 0;
    if (filter.sharedWithLastMax)
        mark(facts.newest, InNewest), p.sharedMax = *filter.sharedWithLastMax;
    if (filter.hot)
        mark(facts.hot, Hot), p.hotAtLeast = filter.hot->atLeast;
    if (filter.cold)
        mark(facts.cold, Cold), p.coldAtLeast = filter.cold->atLeast;
    if (filter.notDrawn && facts.drawn && facts.drawn->size() > 0)
        p.drawn = facts.drawn.get();
    int next = p.n;
    for (int x = p.n; x >= 0; --x) {
        p.nextIncluded[size_t(x)] = next;
        if (p.flags[size_t(x)] & Included)
            next = x;
    }
    return p;
}

// The tables of Plan::rankOf, for a walk that reports its progress.
void addRanks(Plan& p) {
    for (int x = 1; x + 1 < int(kBallSlots); ++x) {
        const auto ways = [&](int from, int choose) {
            return from >= 0 ? qint64(Lottery::binomialOf(from, choose)) : 0;
        };
        p.beforeFirst[size_t(x + 1)] = p.beforeFirst[size_t(x)] + ways(p.n - x, p.k - 1);
        p.secondSums[size_t(x + 1)] = p.secondSums[size_t(x)] + ways(p.n - x, p.k - 2);
    }
}

// The state of a ticket being chosen. Decade counts are packed three bits a
// decade (ten decades up to 90, seven numbers at most in one).
struct Chosen {
    int sum = 0, odd = 0, low = 0, run = 0, decades = 0;
    int included = 0, hot = 0, cold = 0, shared = 0;
};

template <int K, typename Visit> class Walker {
public:
    Walker(const Plan& plan, Visit& visit, const Lottery::Control<>& control)
        : m_plan(plan), m_visit(visit), m_control(control) {}

    bool run() {
        level<0>(0, Chosen{});
        return !m_stopped;
    }

private:
    template <int Depth> void level(int previous, const Chosen& s) {
        constexpr int rest = K - 1 - Depth; // numbers still to choose after this one
        const Plan& p = m_plan;
        // The range of this number that can still meet the sum, the count of
        // low numbers and the numbers to include.
        int first = std::max(previous + 1, p.sumLow - s.sum - (rest * p.n - rest * (rest - 1) / 2));
        const int headroom = p.sumHigh - s.sum - rest * (rest + 1) / 2;
        if (headroom < 0)
            return;
        int last = std::min({p.n - rest, headroom / (rest + 1), p.nextIncluded[size_t(previous)]});
        if (s.low + rest + 1 < p.lowLow || s.odd + rest + 1 < p.oddLow)
            return;
        if (s.low < p.lowLow)
            last = std::min(last, p.half);
        if (s.low >= p.lowHigh)
            first = std::max(first, p.half + 1);
        if constexpr (Depth == K - 1) {
            lastNumber(previous, s, first, last);
            return;
        }
        for (int x = first; x <= last; ++x) {
            if constexpr (Depth == 1) {
                if (!checkpoint(m_balls[0], x))
                    return;
            }
            const quint8 f = p.flags[size_t(x)];
            if (f & Excluded)
                continue;
            Chosen n;
            n.odd = s.odd + (x & 1);
            if (n.odd > p.oddHigh || n.odd + rest < p.oddLow)
                continue;
            n.low = s.low + (x <= p.half);
            if (n.low + rest < p.lowLow)
                continue;
            n.run = x == previous + 1 ? s.run + 1 : 1;
            if (n.run > p.maxRun)
                continue;
            const int shift = 3 * (x / 10);
            if (((s.decades >> shift) & 7) + 1 > p.decadeMax)
                continue;
            n.decades = s.decades + (1 << shift);
            n.hot = s.hot + ((f & Hot) != 0);
            n.cold = s.cold + ((f & Cold) != 0);
            n.shared = s.shared + ((f & InNewest) != 0);
            if (n.hot + rest < p.hotAtLeast || n.cold + rest < p.coldAtLeast ||
                n.shared > p.sharedMax)
                continue;
            n.included = s.included + ((f & Included) != 0);
            n.sum = s.sum + x;
            m_balls[size_t(Depth)] = x;
            if constexpr (Depth + 1 < K)
                level<Depth + 1>(x, n);
            if (m_stopped)
                return;
        }
    }

    // The last number, first..last (the sum and the low count already hold
    // there): what each condition asks of it is decided once, so that a
    // candidate costs a flag test, its parity and its decade.
    void lastNumber(int previous, const Chosen& s, int first, int last) {
        const Plan& p = m_plan;
        if (s.included + 1 < p.includedCount)
            return;
        if (s.run + 1 > p.maxRun && first == previous + 1)
            ++first;
        const quint8 wanted =
            quint8((s.included < p.includedCount ? Included : 0) |
                   (s.hot < p.hotAtLeast ? Hot : 0) | (s.cold < p.coldAtLeast ? Cold : 0));
        const quint8 refused = quint8(Excluded | (s.shared >= p.sharedMax ? InNewest : 0));
        const bool oddAllowed = s.odd + 1 >= p.oddLow && s.odd + 1 <= p.oddHigh;
        const bool evenAllowed = s.odd >= p.oddLow && s.odd <= p.oddHigh;
        for (int x = first; x <= last; ++x) {
            const quint8 f = p.flags[size_t(x)];
            if ((f & wanted) != wanted || (f & refused) || !((x & 1) ? oddAllowed : evenAllowed) ||
                ((s.decades >> (3 * (x / 10))) & 7) >= p.decadeMax)
                continue;
            m_balls[size_t(K - 1)] = x;
            if (p.drawn && p.drawn->contains(ballsOf(m_balls)))
                continue;
            if (!m_visit(m_balls)) {
                m_stopped = true;
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
            const Lottery::Progress progress{m_plan.rankOf(a, b), m_plan.total};
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

template <int K, typename Visit>
bool walkOf(const Plan& plan, Visit& visit, const Lottery::Control<>& control) {
    Walker<K, Visit> walker(plan, visit, control);
    return walker.run();
}

// Walks every combination of the filter's game; false when stopped.
template <typename Visit>
bool walk(const Filter& filter, const HistoryFacts& facts, Visit& visit,
          const Lottery::Control<>& control) {
    Plan plan = makePlan(filter, facts);
    if (control.progress)
        addRanks(plan);
    bool finished = false;
    switch (plan.k) {
    case 3:
        finished = walkOf<3>(plan, visit, control);
        break;
    case 4:
        finished = walkOf<4>(plan, visit, control);
        break;
    case 5:
        finished = walkOf<5>(plan, visit, control);
        break;
    case 6:
        finished = walkOf<6>(plan, visit, control);
        break;
    default:
        finished = walkOf<Lottery::kMaxBalls>(plan, visit, control);
        break;
    }
    if (finished)
        control.report({plan.total, plan.total});
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
    std::array<int, kBallSlots / 10 + 1> decades{};
    for (int x : ticket) {
        const quint8 f = p.flags[size_t(x)];
        s.sum += x;
        s.odd += x & 1;
        s.low += x <= p.half;
        s.run = x == previous + 1 ? s.run + 1 : 1;
        runLongest = std::max(runLongest, s.run);
        ++decades[size_t(x / 10)];
        s.included += (f & Included) != 0;
        s.hot += (f & Hot) != 0;
        s.cold += (f & Cold) != 0;
        s.shared += (f & InNewest) != 0;
        if (f & Excluded)
            return false;
        previous = x;
    }
    return s.sum >= p.sumLow && s.sum <= p.sumHigh && s.odd >= p.oddLow && s.odd <= p.oddHigh &&
           s.low >= p.lowLow && s.low <= p.lowHigh && runLongest <= p.maxRun &&
           *std::max_element(decades.begin(), decades.end()) <= p.decadeMax &&
           s.included == p.includedCount && s.shared <= p.sharedMax && s.hot >= p.hotAtLeast &&
           s.cold >= p.coldAtLeast && !(p.drawn && p.drawn->contains(ballsOf(ticket)));
}

CountResult countPassing(const Filter& filter, const HistoryFacts& facts,
                         const Lottery::Control<>& control) {
    CountResult result;
    result.total = qint64(Lottery::combinations(filter.game));
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
    result.total = qint64(Lottery::combinations(filter.game));
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
