#include "lab/SubsetCounter.h"

#include "game/Odds.h"

namespace Lab {

namespace {

// The dense tables of a set of tickets take at most this many counts (256 MiB).
constexpr quint64 kMostCounts = quint64(64) << 20;

} // namespace

bool SubsetCounter::fits(int k, int n, int fewest) {
    if (fewest < 1)
        return false;
    quint64 counts = 0;
    for (int j = fewest; j < k; ++j)
        counts += Lottery::binomialOf(n, j);
    return counts <= kMostCounts;
}

SubsetCounter::SubsetCounter(int k, int n, int fewest)
    : m_k(k), m_fewest(fewest), m_binomial(size_t(n)) {
    for (int i = 0; i < n; ++i)
        for (int p = 0; p <= k; ++p)
            m_binomial[size_t(i)][size_t(p)] = qint64(Lottery::binomialOf(i, p));
    for (int j = m_fewest; j < k; ++j) {
        m_counts[size_t(j)].assign(size_t(Lottery::binomialOf(n, j)), 0);
        // Every j of the K positions, by a bit mask over them.
        for (int mask = 0; mask < (1 << k); ++mask)
            if (int(qPopulationCount(quint32(mask))) == j)
                for (int p = 0; p < k; ++p)
                    if (mask >> p & 1)
                        m_positions[size_t(j)].push_back(quint8(p));
    }
}

// For the K balls of a set ascending (as 0..N-1), C(ball, p) for p = 0..K:
// the colex rank of b1 < ... < bj is the sum of C(b_i, i).
SubsetCounter::Terms SubsetCounter::termsOf(BallBits set) const {
    Terms terms{};
    size_t i = 0;
    forEachBit(set, [&](int ball) { terms[i++] = m_binomial[size_t(ball - 1)]; });
    return terms;
}

void SubsetCounter::change(BallBits ticket, int by) {
    const Terms t = termsOf(ticket);
    for (int j = m_fewest; j < m_k; ++j) {
        const std::vector<quint8>& positions = m_positions[size_t(j)];
        for (size_t at = 0; at < positions.size(); at += size_t(j)) {
            qint64 rank = 0;
            for (int p = 0; p < j; ++p)
                rank += t[positions[at + size_t(p)]][size_t(p + 1)];
            m_counts[size_t(j)][size_t(rank)] += by;
        }
    }
    wholeCount(ticket) += by;
}

std::array<qint64, Lottery::kMaxBalls + 1> SubsetCounter::hits(BallBits draw) const {
    const Terms t = termsOf(draw);
    std::array<qint64, Lottery::kMaxBalls + 1> sums{}, h{};
    for (int j = m_fewest; j < m_k; ++j) {
        const std::vector<quint8>& positions = m_positions[size_t(j)];
        const std::vector<qint32>& counts = m_counts[size_t(j)];
        for (size_t at = 0; at < positions.size(); at += size_t(j)) {
            qint64 rank = 0;
            for (int p = 0; p < j; ++p)
                rank += t[positions[at + size_t(p)]][size_t(p + 1)];
            sums[size_t(j)] += counts[size_t(rank)];
        }
    }
    h[size_t(m_k)] = wholeCountOf(draw);
    for (int m = m_k - 1; m >= m_fewest; --m) {
        qint64 more = 0;
        for (int k = m + 1; k <= m_k; ++k)
            more += m_binomial[size_t(k)][size_t(m)] * h[size_t(k)];
        h[size_t(m)] = sums[size_t(m)] - more;
    }
    return h;
}

size_t SubsetCounter::slotOf(BallBits ticket) const {
    const quint64 mixed = quint64(ticket) ^ (quint64(ticket >> 64) * 0xC2B2AE3D27D4EB4FULL);
    return size_t((mixed * 0x9E3779B97F4A7C15ULL) >> 20) & (m_keys.size() - 1);
}

qint64 SubsetCounter::wholeCountOf(BallBits ticket) const {
    if (m_keys.empty())
        return 0;
    for (size_t i = slotOf(ticket);; i = (i + 1) & (m_keys.size() - 1)) {
        if (m_keys[i] == ticket)
            return m_wholes[i];
        if (m_keys[i] == 0)
            return 0;
    }
}

// The count of a whole ticket, a slot made for it when new (a count going
// back to zero keeps its slot); the table doubles at half full.
qint64& SubsetCounter::wholeCount(BallBits ticket) {
    if ((m_used + 1) * 2 > m_keys.size()) {
        std::vector<BallBits> keys(m_keys.empty() ? 64 : m_keys.size() * 2, 0);
        std::vector<qint64> wholes(keys.size(), 0);
        keys.swap(m_keys);
        wholes.swap(m_wholes);
        for (size_t j = 0; j < keys.size(); ++j) {
            if (keys[j] == 0)
                continue;
            size_t i = slotOf(keys[j]);
            while (m_keys[i] != 0)
                i = (i + 1) & (m_keys.size() - 1);
            m_keys[i] = keys[j];
            m_wholes[i] = wholes[j];
        }
    }
    size_t i = slotOf(ticket);
    while (m_keys[i] != ticket && m_keys[i] != 0)
        i = (i + 1) & (m_keys.size() - 1);
    if (m_keys[i] == 0) {
        m_keys[i] = ticket;
        ++m_used;
    }
    return m_wholes[i];
}

} // namespace Lab
