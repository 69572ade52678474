#pragma once

#include "analysis/Fairness.h"

#include <array>
#include <cmath>
#include <functional>
#include <limits>
#include <optional>
#include <random>

// Pieces the fairness tests share.
namespace Analysis::FairnessCommon {

constexpr int kBalls = 49;
constexpr int kDrawn = 6;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Pearson's Σ (O - E)² / E over a chart's bars; bars expecting nothing are skipped.
inline double pearson(const FairnessChart& chart) {
    double sum = 0;
    for (size_t i = 0; i < chart.observed.size(); ++i)
        if (chart.expected[i] > 0) {
            const double d = chart.observed[i] - chart.expected[i];
            sum += d * d / chart.expected[i];
        }
    return sum;
}

// A test that cannot run, with the reason as its method.
inline FairnessTest unavailable(const QString& name, qint64 draws, const QString& reason) {
    FairnessTest test;
    test.name = name;
    test.draws = draws;
    test.statistic = test.pValue = test.adjustedPValue = kNaN;
    test.method = reason;
    return test;
}

// Fewer draws than any test needs: one draw says nothing of fairness.
inline std::optional<FairnessTest> tooFewDraws(const QString& name, qint64 draws) {
    if (draws >= kFairnessMinDraws)
        return std::nullopt;
    return unavailable(
        name, draws,
        draws == 0 ? QStringLiteral("Нет тиражей для проверки.")
                   : QStringLiteral("Мало тиражей: нужно не меньше %1.").arg(kFairnessMinDraws));
}

// Σ c² over counts: with the total fixed, Pearson's statistic grows with it,
// so fair histories are compared with the observed one by this whole number
// and ties are exact (the statistic in floating point would break them by
// its rounding).
inline qint64 sumOfSquares(const std::vector<qint64>& counts) {
    qint64 sum = 0;
    for (qint64 c : counts)
        sum += c * c;
    return sum;
}

// Six balls out of the drum (1..49, in any order on entry): a partial Fisher-Yates shuffle.
inline std::array<int, kDrawn> drawSix(std::array<int, kBalls>& drum, std::mt19937_64& random) {
    std::array<int, kDrawn> balls{};
    for (size_t i = 0; i < size_t(kDrawn); ++i) {
        const size_t j = i + size_t(random() % quint64(kBalls - int(i)));
        std::swap(drum[i], drum[j]);
        balls[i] = drum[i];
    }
    return balls;
}

// The drum 1..49 in order.
inline std::array<int, kBalls> fullDrum() {
    std::array<int, kBalls> drum{};
    for (int i = 0; i < kBalls; ++i)
        drum[size_t(i)] = i + 1;
    return drum;
}

// The sums of squares of options.simulations fair histories, each made by
// `history` from the random source (seeded with options.seed + salt), sorted;
// nothing when the stop flag was set (*cancelled is then set). With
// `reportProgress`, options.control hears of the histories done.
std::optional<std::vector<qint64>>
simulatedSums(const FairnessOptions& options, quint64 salt, bool reportProgress,
              const std::function<qint64(std::mt19937_64&)>& history, bool* cancelled);

// (1 + simulated sums at or above observed) / (1 + simulations): never 0.
double shareAtLeast(const std::vector<qint64>& sortedSums, qint64 observed);

// Labels 1 .. 49 and the same expected count for every ball.
inline FairnessChart uniformBallChart(double expected) {
    FairnessChart chart;
    for (int ball = 1; ball <= kBalls; ++ball)
        chart.labels.append(QString::number(ball));
    chart.observed.assign(kBalls, 0.0);
    chart.expected.assign(kBalls, expected);
    return chart;
}

// "7", "4–5", "≥ 18": a class of whole numbers from low to high (high < 0: no upper end).
inline QString classLabel(qint64 low, qint64 high) {
    if (high < 0)
        return u"≥ " + QString::number(low);
    if (low == high)
        return QString::number(low);
    return QString::number(low) + u'–' + QString::number(high);
}

} // namespace Analysis::FairnessCommon
