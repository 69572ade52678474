#pragma once

#include "analysis/Fairness.h"

#include <cmath>
#include <limits>

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
    test.statistic = test.pValue = test.rawPValue = kNaN;
    test.method = reason;
    return test;
}

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
