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

QString FairnessCommon::genitiveCount(int k) {
    static const char16_t* const words[] = {u"нуля",    u"одного", u"двух",  u"трёх",
                                            u"четырёх", u"пяти",   u"шести", u"семи"};
    return k >= 0 && k <= 7 ? QString::fromUtf16(words[k]) : QString::number(k);
}

FairnessTest ballCountTest(const std::vector<DrawBalls>& draws, const FairnessOptions& options,
                           bool* cancelled, const Drum& drum) {
    const QString name = drum.testName(QStringLiteral("balls"));
    const qint64 n = qint64(draws.size());
    if (const std::optional<FairnessTest> none = tooFewDraws(name, n))
        return *none;

    FairnessTest test;
    test.name = name;
    test.available = true;
    test.draws = n;
    const double expected = double(n) * drum.k / drum.n;
    test.chart = uniformBallChart(drum, expected);
    for (const DrawBalls& balls : draws)
        for (const int ball : balls)
            test.chart.observed[size_t(ball - 1)] += 1;
    // K balls without replacement make the N counts of a draw dependent:
    // Pearson's sum is then (N - K)/(N - 1) times a χ²(N - 1) in the limit.
    test.statistic = pearson(test.chart) * (drum.n - 1) / (drum.n - drum.k);
    const QString what =
        drumPrefix(drum) + QStringLiteral("Частоты %1 шаров: χ² Пирсона × %2/%3 (поправка Генеста, "
                                          "Локхарта и Стивенса на выбор %4 шаров без "
                                          "возвращения)")
                               .arg(QString::number(drum.n), QString::number(drum.n - 1),
                                    QString::number(drum.n - drum.k), genitiveCount(drum.k));
    if (expected < kSmallExpected && options.simulations > 0) {
        test.simulations = options.simulations;
        test.law = QStringLiteral("simulation");
        const auto sums = simulatedSums(
            options, saltOf(drum, kBallsSalt), false,
            [n, drum](std::mt19937_64& random) {
                DrumShuffle shuffle(drum);
                std::vector<qint64> counts(size_t(drum.n));
                for (qint64 d = 0; d < n; ++d)
                    shuffle.draw(random, drum.k, [&](int ball) { ++counts[size_t(ball - 1)]; });
                return sumOfSquares(counts);
            },
            cancelled);
        test.pValue = sums ? shareAtLeast(*sums, sumOfSquares(countsOf(test.chart))) : kNaN;
        test.method = what + QStringLiteral("; ") + simulationText(test.simulations, n);
        return test;
    }
    test.df = drum.n - 1;
    test.law = QStringLiteral("chi2(%1)").arg(test.df);
    test.pValue = chiSquareUpperTail(test.statistic, test.df);
    test.method = what + QStringLiteral(", закон χ²(%1).").arg(test.df);
    return test;
}

std::vector<FairnessTest> positionTests(const std::vector<DrawnOrder>& orders,
                                        const FairnessOptions& options, bool* cancelled,
                                        const Drum& drum) {
    std::vector<FairnessTest> tests;
    const qint64 n = qint64(orders.size());
    const double expected = double(n) / drum.n;
    // Every position has the same law: one simulation serves all K.
    std::optional<std::vector<qint64>> sums;
    const bool simulate =
        n >= kFairnessMinDraws && expected < kSmallExpected && options.simulations > 0;
    if (simulate)
        sums = simulatedSums(
            options, saltOf(drum, kPositionsSalt), false,
            [n, drum](std::mt19937_64& random) {
                const FixedModulo ball(quint64(drum.n));
                std::vector<qint64> counts(size_t(drum.n));
                for (qint64 d = 0; d < n; ++d)
                    ++counts[size_t(ball.of(random()))];
                return sumOfSquares(counts);
            },
            cancelled);
    const QString columns = drum.number == 1 ? QStringLiteral("ss1–ss%1").arg(drum.k)
                                             : QStringLiteral("xx1–xx%1").arg(drum.k);
    for (int position = 0; position < drum.k; ++position) {
        const QString name = drum.testName(QStringLiteral("position%1").arg(position + 1));
        if (n == 0) {
            tests.push_back(unavailable(
                name, 0,
                QStringLiteral("В тиражах не записан порядок выпадения (%1).").arg(columns)));
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
        test.chart = uniformBallChart(drum, expected);
        for (const DrawnOrder& order : orders)
            test.chart.observed[size_t(order[position] - 1)] += 1;
        test.statistic = pearson(test.chart);
        const QString what =
            drumPrefix(drum) +
            QStringLiteral("Шар, вышедший %1-м, равновероятен среди 1–%2: χ² Пирсона")
                .arg(QString::number(position + 1), QString::number(drum.n));
        if (simulate) {
            test.simulations = options.simulations;
            test.law = QStringLiteral("simulation");
            test.pValue = sums ? shareAtLeast(*sums, sumOfSquares(countsOf(test.chart))) : kNaN;
            test.method = what + QStringLiteral("; ") + simulationText(test.simulations, n);
        } else {
            test.df = drum.n - 1;
            test.law = QStringLiteral("chi2(%1)").arg(test.df);
            test.pValue = chiSquareUpperTail(test.statistic, test.df);
            test.method = what + QStringLiteral(", закон χ²(%1).").arg(test.df);
        }
        tests.push_back(test);
    }
    return tests;
}

} // namespace Analysis
