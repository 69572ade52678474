// The pair test: how often each of the 1,176 pairs of balls came out together.
#include "analysis/Distributions.h"
#include "analysis/FairnessCommon.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <random>

namespace Analysis {

using namespace FairnessCommon;

namespace {

constexpr int kPairs = kBalls * (kBalls - 1) / 2;        // 1176
constexpr int kPairsPerDraw = kDrawn * (kDrawn - 1) / 2; // 15
constexpr double kPairChance = double(kPairsPerDraw) / kPairs;
// Below this many expected hits per pair the automatic choice simulates.
constexpr double kFormulaMinExpected = 5;
// At most this many bars in the chart of the pair counts.
constexpr int kChartClasses = 15;

// Index of the pair of two different balls, 0 .. 1175, in either order.
struct PairIndex {
    std::array<std::array<quint16, kBalls + 1>, kBalls + 1> index{};
    PairIndex() {
        int next = 0;
        for (int low = 1; low <= kBalls; ++low)
            for (int high = low + 1; high <= kBalls; ++high) {
                index[size_t(low)][size_t(high)] = quint16(next);
                index[size_t(high)][size_t(low)] = quint16(next++);
            }
    }
};

const PairIndex& pairIndex() {
    static const PairIndex table;
    return table;
}

// Adds the 15 pairs of the draw whose six balls are given.
inline void countPairs(const std::array<int, kDrawn>& balls, std::vector<qint64>& counts) {
    const PairIndex& table = pairIndex();
    for (int a = 0; a < kDrawn; ++a)
        for (int b = a + 1; b < kDrawn; ++b)
            ++counts[table.index[size_t(balls[size_t(a)])][size_t(balls[size_t(b)])]];
}

double pairStatistic(const std::vector<qint64>& counts, qint64 draws) {
    const double expected = double(draws) * kPairChance;
    double sum = 0;
    for (qint64 c : counts) {
        const double d = double(c) - expected;
        sum += d * d;
    }
    return sum / expected;
}

// The covariance of one draw's 1,176 pair indicators commutes with every
// relabelling of the balls, so (Johnson scheme J(49, 2)) it acts as one number
// on each of the three invariant subspaces: 0 on the constant one (a draw
// always holds 15 pairs), mu1 on the 48 dimensions spanned by the ball counts,
// mu2 on the other 1,127. Pearson's sum is therefore, in the limit,
// (mu1/q)·χ²(48) + (mu2/q)·χ²(1127) with q the chance of one pair.
struct PairLimitLaw {
    double w1 = 0, w2 = 0;
    static constexpr int df1 = kBalls - 1;
    static constexpr int df2 = kBalls * (kBalls - 3) / 2;
    PairLimitLaw() {
        const double n = kBalls, k = kDrawn;
        const double q = k * (k - 1) / (n * (n - 1));
        const double three = q * (k - 2) / (n - 2);    // a given pair and one more ball
        const double four = three * (k - 3) / (n - 3); // two given disjoint pairs
        const double variance = q * (1 - q);
        const double shareOne = three - q * q; // covariance of pairs sharing a ball
        const double disjoint = four - q * q;  // covariance of disjoint pairs
        // Eigenvalues of the "share one ball" and "disjoint" relations there.
        w1 = (variance + shareOne * (n - 4) - disjoint * (n - 3)) / q;
        w2 = (variance - 2 * shareOne + disjoint) / q;
    }
};

std::array<int, kDrawn> ballsOf(BallSet set) {
    std::array<int, kDrawn> balls{};
    int i = 0;
    forEachBall(set, [&](int ball) { balls[size_t(i++)] = ball; });
    return balls;
}

// The pair counts' sum of squares of one simulated fair history.
qint64 simulatedPairSum(qint64 draws, std::mt19937_64& random) {
    std::array<int, kBalls> drum = fullDrum();
    std::vector<qint64> counts(kPairs);
    for (qint64 d = 0; d < draws; ++d)
        countPairs(drawSix(drum, random), counts);
    return sumOfSquares(counts);
}

// How many pairs came out c times, in classes around the mean, against the
// count expected from the Binomial(draws, q) law every single pair follows.
FairnessChart pairChart(const std::vector<qint64>& counts, qint64 draws) {
    const double mean = double(draws) * kPairChance;
    const double sd = std::sqrt(mean * (1 - kPairChance));
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
        const double p = std::exp(logBinomialProbability(double(draws), double(c), kPairChance));
        chart.expected[size_t(classOf(c))] += p * kPairs;
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

FairnessTest pairCountTest(const std::vector<BallSet>& draws, const FairnessOptions& options,
                           bool* cancelled) {
    const QString name = QStringLiteral("pairs");
    const qint64 n = qint64(draws.size());
    if (const std::optional<FairnessTest> none = tooFewDraws(name, n))
        return *none;

    std::vector<qint64> counts(kPairs);
    for (BallSet set : draws)
        countPairs(ballsOf(set), counts);

    FairnessTest test;
    test.name = name;
    test.available = true;
    test.draws = n;
    test.statistic = pairStatistic(counts, n);
    test.chart = pairChart(counts, n);

    const bool simulate =
        options.pairMethod == PairNullMethod::Simulation ||
        (options.pairMethod == PairNullMethod::Automatic && n * kPairChance < kFormulaMinExpected);
    static const PairLimitLaw law;
    if (simulate && options.simulations > 0) {
        test.simulations = options.simulations;
        test.law = QStringLiteral("simulation");
        const auto sums = simulatedSums(
            options, 0, true, [n](std::mt19937_64& random) { return simulatedPairSum(n, random); },
            cancelled);
        test.pValue = sums ? shareAtLeast(*sums, sumOfSquares(counts)) : kNaN;
        test.method = QStringLiteral("Частоты 1176 пар: χ² Пирсона; p — доля из %1 смоделированных "
                                     "честных историй по %2 тиражей с не меньшим χ².")
                          .arg(test.simulations)
                          .arg(n);
    } else {
        test.law = QStringLiteral("%1*chi2(%2)+%3*chi2(%4)")
                       .arg(QString::number(law.w1, 'f', 3))
                       .arg(law.df1)
                       .arg(QString::number(law.w2, 'f', 3))
                       .arg(law.df2);
        test.pValue = weightedChiSquareUpperTail(law.w1, law.df1, law.w2, law.df2, test.statistic);
        test.method =
            QStringLiteral("Частоты 1176 пар: χ² Пирсона; при честных тиражах он распределён как "
                           "%1·χ²(48) + %2·χ²(1127) (Генест, Локхарт, Стивенс, 2002: пары "
                           "одного тиража зависимы), p по этому закону.")
                .arg(QString::number(law.w1, 'f', 3).replace(u'.', u','),
                     QString::number(law.w2, 'f', 3).replace(u'.', u','));
        if (n * kPairChance < kFormulaMinExpected)
            test.method += QStringLiteral(" Мало тиражей (меньше 5 ожидаемых на пару): "
                                          "p приблизительное.");
    }
    return test;
}

} // namespace Analysis
