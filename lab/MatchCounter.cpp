#include "lab/MatchCounter.h"

#include "game/Odds.h"

#include <algorithm>

namespace Lab {

namespace {

// Balls 1..49 fit one word.
using BallSet = quint64;

// Up to this many tickets a set is counted ticket by ticket: a popcount each
// costs less than the 42 scattered look-ups of the subset counts.
constexpr size_t kTicketByTicketLimit = 64;

// C(n, k) for n < 49, k <= 6, looked up many times a draw.
struct Binomials {
    std::array<std::array<qint32, 7>, 50> value{};
    Binomials() {
        for (size_t n = 0; n < 50; ++n)
            for (size_t k = 0; k <= 6; ++k)
                value[n][k] = qint32(Lottery::binomialOf(int(n), int(k)));
    }
};

const Binomials& binomials() {
    static const Binomials table;
    return table;
}

// The six balls of a set as 0..48, ascending, with C(ball, i) for i = 0..6:
// the colex rank of a subset b1 < b2 < ... < bj of 0..48 is Σ C(b_i, i), a
// dense index below C(49, j).
struct RankTerms {
    std::array<std::array<qint32, 7>, 6> term{};
    explicit RankTerms(BallSet set) {
        size_t i = 0;
        for (; set; set &= set - 1)
            term[i++] = binomials().value[size_t(qCountTrailingZeroBits(set) - 1)];
    }
};

// Counts of whole six-number tickets: an open-addressing table that grows by
// doubling (a count going back to zero keeps its slot).
class SixCounts {
public:
    void change(BallSet six, qint32 by) {
        if (by > 0 && (m_used + 1) * 2 > m_keys.size())
            grow();
        size_t i = slotOf(six);
        while (m_keys[i] != six && m_keys[i] != 0)
            i = (i + 1) & m_mask;
        if (m_keys[i] == 0) {
            m_keys[i] = six;
            ++m_used;
        }
        m_counts[i] += by;
    }
    qint32 count(BallSet six) const {
        if (m_keys.empty())
            return 0;
        for (size_t i = slotOf(six);; i = (i + 1) & m_mask) {
            if (m_keys[i] == six)
                return m_counts[i];
            if (m_keys[i] == 0)
                return 0;
        }
    }

private:
    size_t slotOf(BallSet six) const {
        return size_t((six * 0x9E3779B97F4A7C15ULL) >> 20) & m_mask;
    }
    void grow() {
        std::vector<BallSet> keys(m_keys.empty() ? 64 : m_keys.size() * 2, 0);
        std::vector<qint32> counts(keys.size(), 0);
        keys.swap(m_keys);
        counts.swap(m_counts);
        m_mask = m_keys.size() - 1;
        for (size_t j = 0; j < keys.size(); ++j) {
            if (keys[j] == 0)
                continue;
            size_t i = slotOf(keys[j]);
            while (m_keys[i] != 0)
                i = (i + 1) & m_mask;
            m_keys[i] = keys[j];
            m_counts[i] = counts[j];
        }
    }
    std::vector<BallSet> m_keys; // 0 marks an empty slot
    std::vector<qint32> m_counts;
    size_t m_mask = 0;
    size_t m_used = 0;
};

// Calls f(rank3, rank4, rank5) style visitors over the subsets of one six:
// three, four and five of its balls, by their colex ranks.
template <typename Three, typename Four, typename Five>
void forEachSubset(const RankTerms& r, Three&& three, Four&& four, Five&& five) {
    const auto& t = r.term;
    for (size_t a = 0; a < 6; ++a)
        for (size_t b = a + 1; b < 6; ++b) {
            const qint32 ab = t[a][1] + t[b][2];
            for (size_t c = b + 1; c < 6; ++c) {
                three(ab + t[c][3]);
                const qint32 abc = ab + t[c][3];
                for (size_t d = c + 1; d < 6; ++d)
                    four(abc + t[d][4]);
            }
        }
    for (size_t skip = 0; skip < 6; ++skip) {
        qint32 rank = 0;
        for (size_t i = 0, position = 1; i < 6; ++i)
            if (i != skip)
                rank += t[i][position++];
        five(rank);
    }
}

} // namespace

struct MatchCounter::SubsetCounts {
    std::vector<qint32> three = std::vector<qint32>(18424);  // C(49, 3)
    std::vector<qint32> four = std::vector<qint32>(211876);  // C(49, 4)
    std::vector<qint32> five = std::vector<qint32>(1906884); // C(49, 5)
    SixCounts six;
};

MatchCounter::MatchCounter(size_t largestSet) {
    if (largestSet > kTicketByTicketLimit)
        m_subsetCounts = std::make_unique<SubsetCounts>();
}

MatchCounter::~MatchCounter() = default;

void MatchCounter::add(BallBits bits) {
    const auto ticket = BallSet(bits);
    ++m_size;
    if (m_subsetCounts)
        change(ticket, 1);
    else
        m_tickets.push_back(ticket);
}

void MatchCounter::remove(BallBits bits) {
    const auto ticket = BallSet(bits);
    --m_size;
    if (m_subsetCounts) {
        change(ticket, -1);
        return;
    }
    const auto at = std::find(m_tickets.begin(), m_tickets.end(), ticket);
    *at = m_tickets.back();
    m_tickets.pop_back();
}

void MatchCounter::change(BallSet ticket, int by) {
    SubsetCounts& c = *m_subsetCounts;
    forEachSubset(
        RankTerms(ticket), [&](qint32 r) { c.three[size_t(r)] += by; },
        [&](qint32 r) { c.four[size_t(r)] += by; }, [&](qint32 r) { c.five[size_t(r)] += by; });
    c.six.change(ticket, by);
}

MatchHits MatchCounter::hits(BallBits bits) const {
    const auto draw = BallSet(bits);
    MatchHits h{};
    if (!m_subsetCounts) {
        std::array<qint64, 7> byMatches{};
        for (BallSet t : m_tickets)
            ++byMatches[size_t(qPopulationCount(t & draw))];
        return {byMatches[3], byMatches[4], byMatches[5], byMatches[6]};
    }
    const SubsetCounts& c = *m_subsetCounts;
    qint64 n3 = 0, n4 = 0, n5 = 0;
    forEachSubset(
        RankTerms(draw), [&](qint32 r) { n3 += c.three[size_t(r)]; },
        [&](qint32 r) { n4 += c.four[size_t(r)]; }, [&](qint32 r) { n5 += c.five[size_t(r)]; });
    h[3] = c.six.count(draw);
    h[2] = n5 - 6 * h[3];
    h[1] = n4 - 5 * h[2] - 15 * h[3];
    h[0] = n3 - 4 * h[1] - 10 * h[2] - 20 * h[3];
    return h;
}

} // namespace Lab
