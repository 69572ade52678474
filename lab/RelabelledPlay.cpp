#include "lab/RelabelledPlay.h"

#include <algorithm>
#include <random>

namespace Lab {

RelabelledPlay::RelabelledPlay(int replicates, quint64 seed, int n)
    : m_permutations(size_t(std::max(0, replicates))), m_totals(m_permutations.size(), 0) {
    std::mt19937_64 random(seed);
    for (std::vector<quint8>& permutation : m_permutations) {
        permutation.resize(size_t(n) + 1);
        for (size_t ball = 0; ball < permutation.size(); ++ball)
            permutation[ball] = quint8(ball);
        // Fisher-Yates over 1..n; 0 stays 0.
        for (size_t i = size_t(n); i > 1; --i)
            std::swap(permutation[i], permutation[1 + size_t(random() % i)]);
    }
}

void RelabelledPlay::addDraw(const PlayedTickets& played, BallBits drawMain, BallBits drawSecond,
                             const std::vector<qint64>& amount) {
    if (played.size() == 0 ||
        std::all_of(amount.begin(), amount.end(), [](qint64 a) { return a == 0; }))
        return;
    for (size_t r = 0; r < m_permutations.size(); ++r) {
        const std::vector<quint8>& permutation = m_permutations[r];
        BallBits relabelled = 0;
        forEachBit(drawMain, [&](int ball) { relabelled |= ballBit(permutation[size_t(ball)]); });
        played.hits(relabelled, drawSecond, m_hits);
        for (size_t c = 0; c < amount.size(); ++c)
            m_totals[r] += Money(m_hits[c]) * amount[c];
    }
}

double RelabelledPlay::pValue(Money observed) const {
    const auto atLeast =
        std::count_if(m_totals.begin(), m_totals.end(), [&](Money t) { return t >= observed; });
    return double(1 + atLeast) / double(1 + m_totals.size());
}

} // namespace Lab
