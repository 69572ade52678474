// The gap test: the draws between two appearances of a ball.
#include "analysis/Distributions.h"
#include "analysis/FairnessCommon.h"

#include <algorithm>
#include <cmath>

namespace Analysis {

using namespace FairnessCommon;

namespace {

constexpr int kMaxClasses = 10;
// Expected gaps per ball and class the classes are sized for.
constexpr double kPerClass = 6;

// Under fair draws the gaps of one ball are independent, geometric:
// P(gap = g) = p (1 - p)^g for g = 0, 1, 2, ... The classes hold about equal
// probability; the last one is the pooled tail.
struct GapClasses {
    std::vector<qint64> firstGap; // the smallest gap of each class
    std::vector<double> chance;

    // p: the chance of a given ball in a fair draw, K/N.
    GapClasses(int wanted, double p) {
        qint64 g = 0;
        double below = 0; // P(gap < g)
        for (int c = 0; c < wanted; ++c) {
            firstGap.push_back(g);
            if (c == wanted - 1) {
                chance.push_back(1 - below);
                break;
            }
            const double target = double(c + 1) / wanted;
            double share = 0;
            do {
                share += p * std::pow(1 - p, double(g++));
            } while (below + share < target);
            chance.push_back(share);
            below += share;
        }
    }
    int size() const { return int(chance.size()); }
    int classOf(qint64 gap) const {
        return int(std::upper_bound(firstGap.begin(), firstGap.end(), gap) - firstGap.begin()) - 1;
    }
};

} // namespace

FairnessTest gapTest(const std::vector<DrawBalls>& draws, const Drum& drum) {
    const QString name = drum.testName(QStringLiteral("gaps"));
    const qint64 n = qint64(draws.size());
    const double chance = double(drum.k) / drum.n; // a given ball in a fair draw
    // A ball shows about n·p - 1 whole gaps.
    const double gapsPerBall = double(n) * chance - 1;
    const int classes = std::min(kMaxClasses, int(gapsPerBall / kPerClass));
    if (classes < 2)
        return unavailable(name, n,
                           QStringLiteral("Мало тиражей для проверки промежутков (нужно не "
                                          "меньше %1).")
                               .arg(int(std::ceil((2 * kPerClass + 1) / chance))));

    const GapClasses law(classes, chance);
    std::vector<std::vector<qint64>> counts(size_t(drum.n) + 1,
                                            std::vector<qint64>(size_t(classes)));
    std::vector<qint64> last(size_t(drum.n) + 1, -1);
    for (qint64 t = 0; t < n; ++t)
        for (const int ball : draws[size_t(t)]) {
            if (last[size_t(ball)] >= 0)
                ++counts[size_t(ball)][size_t(law.classOf(t - last[size_t(ball)] - 1))];
            last[size_t(ball)] = t;
        }

    FairnessTest test;
    test.name = name;
    test.available = true;
    test.draws = n;
    test.chart.observed.assign(size_t(classes), 0.0);
    test.chart.expected.assign(size_t(classes), 0.0);
    for (int c = 0; c < classes; ++c)
        test.chart.labels.append(c == classes - 1 ? classLabel(law.firstGap[size_t(c)], -1)
                                                  : classLabel(law.firstGap[size_t(c)],
                                                               law.firstGap[size_t(c) + 1] - 1));
    // Each ball against its own number of whole gaps; the sums over the balls
    // add up to one χ² with (classes - 1) degrees of freedom per ball.
    for (int ball = 1; ball <= drum.n; ++ball) {
        FairnessChart one;
        qint64 gaps = 0;
        for (qint64 c : counts[size_t(ball)])
            gaps += c;
        if (gaps == 0)
            continue;
        for (int c = 0; c < classes; ++c) {
            one.observed.push_back(double(counts[size_t(ball)][size_t(c)]));
            one.expected.push_back(double(gaps) * law.chance[size_t(c)]);
            test.chart.observed[size_t(c)] += one.observed.back();
            test.chart.expected[size_t(c)] += one.expected.back();
        }
        test.statistic += pearson(one);
        test.df += classes - 1;
    }
    test.pValue = chiSquareUpperTail(test.statistic, test.df);
    test.law = QStringLiteral("chi2(%1)").arg(test.df);
    test.method = drumPrefix(drum) +
                  QStringLiteral("Промежутки между выпадениями каждого шара против "
                                 "геометрического закона с p = %3/%4: χ² Пирсона по %1 классам "
                                 "(хвост объединён) для каждого шара, сумма по %4 шарам, "
                                 "закон χ²(%2).")
                      .arg(QString::number(classes), QString::number(test.df),
                           QString::number(drum.k), QString::number(drum.n));
    return test;
}

} // namespace Analysis
