// The tests on counts of single balls: all balls of a draw together, and each
// drawn-order position alone.
#include "analysis/Distributions.h"
#include "analysis/FairnessCommon.h"

#include <algorithm>
#include <numeric>

namespace Analysis {

using namespace FairnessCommon;

namespace {

// Below this many expected hits per ball the χ² law is only a rough guide.
constexpr double kSmallExpected = 5;

QString smallSampleNote(double expected) {
    return expected < kSmallExpected
               ? QStringLiteral(" Мало тиражей (меньше 5 ожидаемых на шар): p приблизительное.")
               : QString();
}

// Holm's step-down adjustment of p-values tested together.
std::vector<double> holmAdjusted(const std::vector<double>& p) {
    std::vector<size_t> order(p.size());
    std::iota(order.begin(), order.end(), size_t(0));
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return p[a] < p[b]; });
    std::vector<double> adjusted(p.size());
    double running = 0;
    for (size_t rank = 0; rank < order.size(); ++rank) {
        running = std::max(running, std::min(1.0, double(p.size() - rank) * p[order[rank]]));
        adjusted[order[rank]] = running;
    }
    return adjusted;
}

} // namespace

FairnessTest ballCountTest(const std::vector<BallSet>& draws) {
    const QString name = QStringLiteral("balls");
    const qint64 n = qint64(draws.size());
    if (n == 0)
        return unavailable(name, 0, QStringLiteral("Нет тиражей для проверки."));

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
    test.df = kBalls - 1;
    test.pValue = test.rawPValue = chiSquareUpperTail(test.statistic, test.df);
    test.method = QStringLiteral("Частоты 49 шаров: χ² Пирсона × 48/43 (поправка Генеста, "
                                 "Локхарта и Стивенса на выбор шести шаров без возвращения), "
                                 "закон χ²(48).") +
                  smallSampleNote(expected);
    return test;
}

std::vector<FairnessTest> positionTests(const std::vector<DrawnOrder>& orders) {
    std::vector<FairnessTest> tests;
    const qint64 n = qint64(orders.size());
    for (int position = 0; position < kDrawn; ++position) {
        const QString name = QStringLiteral("position%1").arg(position + 1);
        if (n == 0) {
            tests.push_back(unavailable(
                name, 0, QStringLiteral("В тиражах не записан порядок выпадения (ss1–ss6).")));
            continue;
        }
        FairnessTest test;
        test.name = name;
        test.available = true;
        test.draws = n;
        const double expected = double(n) / kBalls;
        test.chart = uniformBallChart(expected);
        for (const DrawnOrder& order : orders)
            test.chart.observed[size_t(order[size_t(position)] - 1)] += 1;
        test.statistic = pearson(test.chart);
        test.df = kBalls - 1;
        test.rawPValue = chiSquareUpperTail(test.statistic, test.df);
        test.method = QStringLiteral("Шар, вышедший %1-м, равновероятен среди 1–49: χ² Пирсона, "
                                     "закон χ²(48); p с поправкой Холма на шесть позиций.")
                          .arg(position + 1) +
                      smallSampleNote(expected);
        tests.push_back(test);
    }
    if (n > 0) {
        std::vector<double> raw;
        for (const FairnessTest& test : tests)
            raw.push_back(test.rawPValue);
        const std::vector<double> adjusted = holmAdjusted(raw);
        for (size_t i = 0; i < tests.size(); ++i)
            tests[i].pValue = adjusted[i];
    }
    return tests;
}

} // namespace Analysis
