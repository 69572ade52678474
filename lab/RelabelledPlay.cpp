#include "lab/RelabelledPlay.h"

#include <algorithm>
#include <random>

namespace Lab {

RelabelledPlay::RelabelledPlay(int replicates, quint64 seed, int n)
    : m_stride(size_t(n) + 1), m_labels(size_t(std::max(0, replicates)) * m_stride),
      m_totals(size_t(std::max(0, replicates)), 0) {
    std::mt19937_64 random(seed);
    for (size_t r = 0; r < m_totals.size(); ++r) {
        quint8* permutation = m_labels.data() + r * m_stride;
        for (size_t ball = 0; ball < m_stride; ++ball)
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
    std::array<int, Lottery::kMaxBalls> balls{};
    size_t drawn = 0;
    forEachBit(drawMain, [&](int ball) { balls[drawn++] = ball; });
    for (size_t r = 0; r < m_totals.size(); ++r) {
        const quint8* permutation = m_labels.data() + r * m_stride;
        quint64 words[2] = {0, 0}; // balls 0..63 and 64..127
        for (size_t i = 0; i < drawn; ++i) {
            const int label = permutation[balls[i]];
            words[label >> 6] |= quint64(1) << (label & 63);
        }
        const BallBits relabelled = BallBits(words[0]) | (BallBits(words[1]) << 64);
        Money won = 0;
        played.forEachHit(relabelled, drawSecond, [&](size_t category, qint64 count) {
            won += Money(count) * amount[category];
        });
        m_totals[r] += won;
    }
}

double RelabelledPlay::pValue(Money observed) const {
    const auto atLeast =
        std::count_if(m_totals.begin(), m_totals.end(), [&](Money t) { return t >= observed; });
    return double(1 + atLeast) / double(1 + m_totals.size());
}

} // namespace Lab
