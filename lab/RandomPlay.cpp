#include "lab/RandomPlay.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace Lab {

namespace {

qint64 choose(int n, int k) {
    if (k < 0 || k > n)
        return 0;
    qint64 r = 1;
    for (int i = 1; i <= k; ++i)
        r = r * (n - k + i) / i;
    return r;
}

constexpr qint64 kExactHitsLimit = 100;

// The amounts of one category over the ticket-draws: a draw is picked in
// proportion to its tickets.
class AmountPicker {
public:
    AmountPicker(const std::vector<PlayedDraw>& draws, int category) {
        double total = 0, sum = 0, squares = 0;
        for (const PlayedDraw& d : draws) {
            if (d.tickets <= 0)
                continue;
            total += double(d.tickets);
            m_cumulative.push_back(qint64(total));
            m_amount.push_back(d.amount[size_t(category)]);
            sum += double(d.tickets) * double(m_amount.back());
        }
        m_mean = total > 0 ? sum / total : 0;
        for (size_t i = 0; i < m_amount.size(); ++i) {
            const qint64 t = m_cumulative[i] - (i ? m_cumulative[i - 1] : 0);
            squares += double(t) * std::pow(double(m_amount[i]) - m_mean, 2);
        }
        m_sd = total > 0 ? std::sqrt(squares / total) : 0;
        m_evenTickets =
            !m_amount.empty() && qint64(m_amount.size()) * m_cumulative[0] == qint64(total);
    }

    template <typename Random> double sumOf(qint64 hits, Random& random) const {
        if (hits == 0 || m_amount.empty())
            return 0;
        if (hits > kExactHitsLimit) {
            std::normal_distribution<double> z;
            return double(hits) * m_mean + std::sqrt(double(hits)) * m_sd * z(random);
        }
        std::uniform_int_distribution<qint64> trial(0, m_cumulative.back() - 1);
        double sum = 0;
        for (qint64 i = 0; i < hits; ++i) {
            const qint64 t = trial(random);
            // As many tickets on every draw (the usual case): the draw is t / tickets.
            const size_t draw =
                m_evenTickets
                    ? size_t(t / m_cumulative[0])
                    : size_t(std::upper_bound(m_cumulative.begin(), m_cumulative.end(), t) -
                             m_cumulative.begin());
            sum += double(m_amount[draw]);
        }
        return sum;
    }

private:
    std::vector<qint64> m_cumulative;
    std::vector<qint64> m_amount;
    double m_mean = 0;
    double m_sd = 0;
    bool m_evenTickets = false;
};

} // namespace

double matchProbability(int k) {
    return double(choose(6, k) * choose(43, 6 - k)) / double(choose(49, 6));
}

PValue randomPlayPValue(const std::vector<PlayedDraw>& draws, qint64 observedPrize, int replicates,
                        quint64 seed) {
    PValue result;
    result.method = QStringLiteral("Монте-Карло: %1 наборов случайных билетов (зерно %2); доля "
                                   "наборов, выигравших не меньше")
                        .arg(replicates)
                        .arg(seed);
    qint64 trials = 0;
    for (const PlayedDraw& d : draws)
        trials += std::max<qint64>(d.tickets, 0);
    if (trials == 0 || replicates <= 0) {
        result.method = QStringLiteral("не вычислялось: нет сыгранных тиражей с выигрышами");
        return result;
    }
    std::vector<AmountPicker> pickers;
    for (int category = 0; category < 4; ++category)
        pickers.emplace_back(draws, category);
    std::mt19937_64 random(seed);
    int atLeast = 0;
    for (int r = 0; r < replicates; ++r) {
        // The multinomial over (3, 4, 5, 6 matches, fewer) as binomials, each
        // on the ticket-draws that the earlier categories left.
        qint64 left = trials;
        double chanceLeft = 1.0;
        double total = 0;
        for (int category = 0; category < 4 && left > 0; ++category) {
            const double p = matchProbability(category + 3);
            std::binomial_distribution<qint64> hitsOf(left, std::min(1.0, p / chanceLeft));
            const qint64 hits = hitsOf(random);
            left -= hits;
            chanceLeft -= p;
            total += pickers[size_t(category)].sumOf(hits, random);
        }
        if (total >= double(observedPrize))
            ++atLeast;
    }
    result.value = double(1 + atLeast) / double(1 + replicates);
    return result;
}

} // namespace Lab
