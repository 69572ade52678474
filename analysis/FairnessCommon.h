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

// The drum 1..N in order, to draw from.
inline std::vector<int> fullDrum(const Drum& drum) {
    std::vector<int> balls(size_t(drum.n));
    for (int i = 0; i < drum.n; ++i)
        balls[size_t(i)] = i + 1;
    return balls;
}

// K balls out of the drum (1..N, in any order on entry), calling f(ball) for
// each: a partial Fisher-Yates shuffle.
template <typename F>
inline void drawBalls(std::vector<int>& balls, int k, std::mt19937_64& random, F&& f) {
    const auto n = quint64(balls.size());
    for (size_t i = 0; i < size_t(k); ++i) {
        const size_t j = i + size_t(random() % (n - i));
        std::swap(balls[i], balls[j]);
        f(balls[i]);
    }
}

// The salt of a test's simulation on a drum, so that no two tests share a
// stream: the main drum's as given, the second drum's beyond them.
inline quint64 saltOf(const Drum& drum, quint64 salt) {
    return salt + quint64(drum.number - 1) * 16;
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

// Labels 1 .. N and the same expected count for every ball.
inline FairnessChart uniformBallChart(const Drum& drum, double expected) {
    FairnessChart chart;
    for (int ball = 1; ball <= drum.n; ++ball)
        chart.labels.append(QString::number(ball));
    chart.observed.assign(size_t(drum.n), 0.0);
    chart.expected.assign(size_t(drum.n), expected);
    return chart;
}

// "шести", "пяти": K in words, as in «выбор шести шаров».
QString genitiveCount(int k);
// "Второй барабан. " before a second drum's method, nothing for the main one.
inline QString drumPrefix(const Drum& drum) {
    return drum.number == 1 ? QString() : QStringLiteral("Второй барабан. ");
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
