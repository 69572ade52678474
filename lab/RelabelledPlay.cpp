#include "lab/RelabelledPlay.h"

#include <algorithm>
#include <random>

namespace Lab {

RelabelledPlay::RelabelledPlay(int replicates, quint64 seed)
    : m_permutations(size_t(std::max(0, replicates))), m_totals(m_permutations.size(), 0) {
    std::mt19937_64 random(seed);
    for (std::array<quint8, 50>& permutation : m_permutations) {
        for (size_t ball = 0; ball < permutation.size(); ++ball)
            permutation[ball] = quint8(ball);
        // Fisher-Yates over 1..49; 0 stays 0.
        for (size_t i = 49; i > 1; --i)
            std::swap(permutation[i], permutation[1 + size_t(random() % i)]);
    }
}

void RelabelledPlay::addDraw(const MatchCounter& played, Analysis::BallSet draw,
                             const std::array<qint64, 4>& amount) {
    if (played.size() == 0 ||
        std::all_of(amount.begin(), amount.end(), [](qint64 a) { return a == 0; }))
        return;
    for (size_t r = 0; r < m_permutations.size(); ++r) {
        const std::array<quint8, 50>& permutation = m_permutations[r];
        Analysis::BallSet relabelled = 0;
        Analysis::forEachBall(draw, [&](int ball) {
            relabelled |= Analysis::BallSet(1) << permutation[size_t(ball)];
        });
        const MatchHits hits = played.hits(relabelled);
        for (size_t k = 0; k < 4; ++k)
            m_totals[r] += Money(hits[k]) * amount[k];
    }
}

double RelabelledPlay::pValue(Money observed) const {
    const auto atLeast =
        std::count_if(m_totals.begin(), m_totals.end(), [&](Money t) { return t >= observed; });
    return double(1 + atLeast) / double(1 + m_totals.size());
}

} // namespace Lab
