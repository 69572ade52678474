// The tests on counts of single balls: all balls of a draw together, and each
// drawn-order position alone.
#include "analysis/Distributions.h"
#include "analysis/FairnessCommon.h"

namespace Analysis {

using namespace FairnessCommon;

namespace {

// Below this many expected hits per ball the χ² law over-rejects (7–10% at
// 10–25 draws for a position): the p-value comes from simulated fair
// histories there.
constexpr double kSmallExpected = 5;

// Salts of the simulations' seeds, so that no two tests share a stream.
constexpr quint64 kBallsSalt = 1;
constexpr quint64 kPositionsSalt = 2;

std::vector<qint64> countsOf(const FairnessChart& chart) {
    return std::vector<qint64>(chart.observed.begin(), chart.observed.end());
}

QString simulationText(int simulations, qint64 draws) {
    return QStringLiteral("p — доля из %1 смоделированных честных историй по %2 тиражей с не "
                          "меньшей суммой квадратов частот (меньше 5 ожидаемых выпадений на шар: "
                          "закон χ² здесь не годится).")
        .arg(simulations)
        .arg(draws);
}

} // namespace

FairnessTest ballCountTest(const std::vector<BallSet>& draws, const FairnessOptions& options,
                           bool* cancelled) {
    const QString name = QStringLiteral("balls");
    const qint64 n = qint64(draws.size());
    if (const std::optional<FairnessTest> none = tooFewDraws(name, n))
        return *none;

    FairnessTest test;
    test.name = name;
    test.available = true;
    test.draws = n;
    const double expected = double(n) * kDrawn / kBalls;
    test.chart = uniformBallChart(expected);
    for (BallSet set : draws)
        forEachBall(set, [&](int ball) { test.chart.observed[size_t(ball - 1)] += 1; });
    // Six balls without replacement make the 49 counts of a draw dependent:
    // Pearson's sum is then (49 - 6)/(49 - 1) times a χ²(48) in the limit.
    test.statistic = pearson(test.chart) * (kBalls - 1) / (kBalls - kDrawn);
    const QString what = QStringLiteral("Частоты 49 шаров: χ² Пирсона × 48/43 (поправка Генеста, "
                                        "Локхарта и Стивенса на выбор шести шаров без "
                                        "возвращения)");
    if (expected < kSmallExpected && options.simulations > 0) {
        test.simulations = options.simulations;
        test.law = QStringLiteral("simulation");
        const auto sums = simulatedSums(
            options, kBallsSalt, false,
            [n](std::mt19937_64& random) {
                std::array<int, kBalls> drum = fullDrum();
                std::vector<qint64> counts(kBalls);
                for (qint64 d = 0; d < n; ++d)
                    for (int ball : drawSix(drum, random))
                        ++counts[size_t(ball - 1)];
                return sumOfSquares(counts);
            },
            cancelled);
        test.pValue = sums ? shareAtLeast(*sums, sumOfSquares(countsOf(test.chart))) : kNaN;
        test.method = what + QStringLiteral("; ") + simulationText(test.simulations, n);
        return test;
    }
    test.df = kBalls - 1;
    test.law = QStringLiteral("chi2(48)");
    test.pValue = chiSquareUpperTail(test.statistic, test.df);
    test.method = what + QStringLiteral(", закон χ²(48).");
    return test;
}

std::vector<FairnessTest> positionTests(const std::vector<DrawnOrder>& orders,
                                        const FairnessOptions& options, bool* cancelled) {
    std::vector<FairnessTest> tests;
    const qint64 n = qint64(orders.size());
    const double expected = double(n) / kBalls;
    // Every position has the same law: one simulation serves all six.
    std::optional<std::vector<qint64>> sums;
    const bool simulate =
        n >= kFairnessMinDraws && expected < kSmallExpected && options.simulations > 0;
    if (simulate)
        sums = simulatedSums(
            options, kPositionsSalt, false,
            [n](std::mt19937_64& random) {
                std::vector<qint64> counts(kBalls);
                for (qint64 d = 0; d < n; ++d)
                    ++counts[size_t(random() % quint64(kBalls))];
                return sumOfSquares(counts);
            },
            cancelled);
    for (int position = 0; position < kDrawn; ++position) {
        const QString name = QStringLiteral("position%1").arg(position + 1);
        if (n == 0) {
            tests.push_back(unavailable(
                name, 0, QStringLiteral("В тиражах не записан порядок выпадения (ss1–ss6).")));
            continue;
        }
        if (const std::optional<FairnessTest> none = tooFewDraws(name, n)) {
            tests.push_back(*none);
            continue;
        }
        FairnessTest test;
        test.name = name;
        test.available = true;
        test.draws = n;
        test.chart = uniformBallChart(expected);
        for (const DrawnOrder& order : orders)
            test.chart.observed[size_t(order[size_t(position)] - 1)] += 1;
        test.statistic = pearson(test.chart);
        const QString what =
            QStringLiteral("Шар, вышедший %1-м, равновероятен среди 1–49: χ² Пирсона")
                .arg(position + 1);
        if (simulate) {
            test.simulations = options.simulations;
            test.law = QStringLiteral("simulation");
            test.pValue = sums ? shareAtLeast(*sums, sumOfSquares(countsOf(test.chart))) : kNaN;
            test.method = what + QStringLiteral("; ") + simulationText(test.simulations, n);
        } else {
            test.df = kBalls - 1;
            test.law = QStringLiteral("chi2(48)");
            test.pValue = chiSquareUpperTail(test.statistic, test.df);
            test.method = what + QStringLiteral(", закон χ²(48).");
        }
        tests.push_back(test);
    }
    return tests;
}

} // namespace Analysis
