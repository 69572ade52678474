// The pair test: how often each of the C(N, 2) pairs of balls came out together.
#include "analysis/Distributions.h"
#include "analysis/FairnessCommon.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace Analysis {

using namespace FairnessCommon;

namespace {

// Below this many expected hits per pair the automatic choice simulates.
constexpr double kFormulaMinExpected = 5;
// At most this many bars in the chart of the pair counts.
constexpr int kChartClasses = 15;

// The pairs of a drum of balls 1..N: C(N, 2) of them, each with its index.
class PairIndex {
public:
    explicit PairIndex(const Drum& drum)
        : m_n(drum.n), m_index(size_t(drum.n + 1) * size_t(drum.n + 1)) {
        int next = 0;
        for (int low = 1; low <= m_n; ++low)
            for (int high = low + 1; high <= m_n; ++high) {
                m_index[at(low, high)] = quint16(next);
                m_index[at(high, low)] = quint16(next++);
            }
        m_pairs = next;
        m_chance = double(drum.k) * (drum.k - 1) / (double(m_n) * (m_n - 1));
    }
    int pairs() const { return m_pairs; }
    // The chance that a fair draw holds a given pair.
    double chance() const { return m_chance; }

    // Adds the pairs of a draw's first k balls, in any order.
    template <typename Balls, typename Count>
    void count(const Balls& balls, Count k, std::vector<qint64>& counts) const {
        qint64* const hits = counts.data();
        for (int a = 0; a < k; ++a) {
            const quint16* const row = m_index.data() + at(balls[a], 0);
            for (int b = a + 1; b < k; ++b)
                ++hits[row[balls[b]]];
        }
    }

private:
    size_t at(int a, int b) const { return size_t(a) * size_t(m_n + 1) + size_t(b); }
    int m_n;
    int m_pairs = 0;
    double m_chance = 0;
    std::vector<quint16> m_index;
};

double pairStatistic(const std::vector<qint64>& counts, qint64 draws, double chance) {
    const double expected = double(draws) * chance;
    double sum = 0;
    for (qint64 c : counts) {
        const double d = double(c) - expected;
        sum += d * d;
    }
    return sum / expected;
}

// The pair counts' sum of squares of one simulated fair history.
qint64 simulatedPairSum(const PairIndex& index, const Drum& drum, qint64 draws,
                        std::mt19937_64& random) {
    DrumShuffle shuffle(drum);
    std::vector<qint64> counts(size_t(index.pairs()));
    withFixedK(drum.k, [&](auto k) {
        for (qint64 d = 0; d < draws; ++d) {
            shuffle.draw(random, k, [](int) {});
            index.count(shuffle.balls(), k, counts);
        }
    });
    return sumOfSquares(counts);
}

// How many pairs came out c times, in classes around the mean, against the
// count expected from the Binomial(draws, q) law every single pair follows.
FairnessChart pairChart(const std::vector<qint64>& counts, qint64 draws, double chance) {
    const double mean = double(draws) * chance;
    const double sd = std::sqrt(mean * (1 - chance));
    const qint64 low = std::max<qint64>(0, qint64(std::floor(mean - 3 * sd)));
    const qint64 high = std::max(low + 1, qint64(std::ceil(mean + 3 * sd)));
    const qint64 width = std::max<qint64>(1, (high - low + kChartClasses - 1) / kChartClasses);
    const int classes = int((high - low) / width) + 1;
    auto classOf = [&](qint64 c) {
        return c <= low ? 0 : std::min<qint64>(classes - 1, (c - low + width - 1) / width);
    };
    FairnessChart chart;
    chart.observed.assign(size_t(classes), 0.0);
    chart.expected.assign(size_t(classes), 0.0);
    for (qint64 c : counts)
        chart.observed[size_t(classOf(c))] += 1;
    for (qint64 c = 0; c <= draws; ++c) {
        const double p = std::exp(logBinomialProbability(double(draws), double(c), chance));
        chart.expected[size_t(classOf(c))] += p * double(counts.size());
        if (c > high && p < 1e-12)
            break;
    }
    for (int i = 0; i < classes; ++i) {
        const qint64 from = i == 0 ? 0 : low + (i - 1) * width + 1;
        const qint64 to = i == 0 ? low : low + i * width;
        chart.labels.append(i == classes - 1 ? classLabel(from, -1) : classLabel(from, to));
    }
    return chart;
}

} // namespace

PairLimitLaw pairLimitLaw(const Drum& drum) {
    // The covariances of one draw's pair indicators: of a pair with itself,
    // with a pair sharing one ball, with a disjoint pair. On the ball-count
    // space and on the rest, the relation "shares one ball" acts as N - 4 and
    // -2, and "disjoint" as -(N - 3) and 1 (the Johnson scheme J(N, 2)).
    // Taken this way rather than by the closed forms, the 6 из 49 weights
    // come out to the last bit as they always have.
    const double n = drum.n, k = drum.k;
    const double q = k * (k - 1) / (n * (n - 1));
    const double three = q * (k - 2) / (n - 2); // a given pair and one more ball
    const double four = drum.n > 3 ? three * (k - 3) / (n - 3) : 0; // two given disjoint pairs
    const double variance = q * (1 - q);
    const double shareOne = three - q * q;
    const double disjoint = four - q * q;
    PairLimitLaw law;
    law.df1 = drum.n - 1;
    law.df2 = drum.n * (drum.n - 3) / 2;
    law.w1 = (variance + shareOne * (n - 4) - disjoint * (n - 3)) / q;
    law.w2 = law.df2 > 0 && drum.k < drum.n - 1 ? (variance - 2 * shareOne + disjoint) / q : 0;
    return law;
}

FairnessTest pairCountTest(const std::vector<DrawBalls>& draws, const FairnessOptions& options,
                           bool* cancelled, const Drum& drum) {
    const QString name = drum.testName(QStringLiteral("pairs"));
    const qint64 n = qint64(draws.size());
    if (const std::optional<FairnessTest> none = tooFewDraws(name, n))
        return *none;

    const PairIndex index(drum);
    std::vector<qint64> counts(size_t(index.pairs()));
    withFixedK(drum.k, [&](auto k) {
        for (const DrawBalls& balls : draws)
            if (balls.size() == k)
                index.count(balls, k, counts);
            else
                index.count(balls, balls.size(), counts);
    });

    FairnessTest test;
    test.name = name;
    test.available = true;
    test.draws = n;
    test.statistic = pairStatistic(counts, n, index.chance());
    test.chart = pairChart(counts, n, index.chance());

    const bool few = double(n) * index.chance() < kFormulaMinExpected;
    const bool simulate = options.pairMethod == PairNullMethod::Simulation ||
                          (options.pairMethod == PairNullMethod::Automatic && few);
    const QString what =
        drumPrefix(drum) + QStringLiteral("Частоты %1 пар: χ² Пирсона").arg(index.pairs());
    if (simulate && options.simulations > 0) {
        test.simulations = options.simulations;
        test.law = QStringLiteral("simulation");
        const auto sums = simulatedSums(
            options, saltOf(drum, 0), true,
            [&index, drum, n](std::mt19937_64& random) {
                return simulatedPairSum(index, drum, n, random);
            },
            cancelled);
        test.pValue = sums ? shareAtLeast(*sums, sumOfSquares(counts)) : kNaN;
        test.method = what + QStringLiteral("; p — доля из %1 смоделированных "
                                            "честных историй по %2 тиражей с не меньшим χ².")
                                 .arg(test.simulations)
                                 .arg(n);
        return test;
    }
    const PairLimitLaw law = pairLimitLaw(drum);
    const auto weight = [](double w) { return QString::number(w, 'f', 3); };
    const auto shown = [&](double w) { return weight(w).replace(u'.', u','); };
    if (law.w2 > 0) {
        test.law = QStringLiteral("%1*chi2(%2)+%3*chi2(%4)")
                       .arg(weight(law.w1), QString::number(law.df1), weight(law.w2),
                            QString::number(law.df2));
        test.pValue = weightedChiSquareUpperTail(law.w1, law.df1, law.w2, law.df2, test.statistic);
        test.method = what + QStringLiteral("; при честных тиражах он распределён как "
                                            "%1·χ²(%2) + %3·χ²(%4) (Генест, Локхарт, Стивенс, "
                                            "2002: пары одного тиража зависимы), p по этому "
                                            "закону.")
                                 .arg(shown(law.w1), QString::number(law.df1), shown(law.w2),
                                      QString::number(law.df2));
    } else {
        // Draws of all balls but one, or a drum of three: the pair counts
        // follow the ball counts.
        test.law = QStringLiteral("%1*chi2(%2)").arg(weight(law.w1)).arg(law.df1);
        test.pValue = chiSquareUpperTail(test.statistic / law.w1, law.df1);
        test.method = what + QStringLiteral("; при честных тиражах он распределён как "
                                            "%1·χ²(%2), p по этому закону.")
                                 .arg(shown(law.w1))
                                 .arg(law.df1);
    }
    if (few)
        test.method += QStringLiteral(" Мало тиражей (меньше 5 ожидаемых на пару): "
                                      "p приблизительное.");
    return test;
}

} // namespace Analysis
