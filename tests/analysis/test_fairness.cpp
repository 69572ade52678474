// The randomness tests on synthetic histories: hand-computed statistics, tail
// probabilities against values from an independent arbitrary-precision
// computation, and histories built to be plainly unfair.
#include "analysis/Distributions.h"
#include "analysis/Fairness.h"
#include "dataset/Connection.h"
#include "draws/StoredDraws.h"

#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <random>
#include <sqlite3.h>

using namespace Analysis;

namespace {

using BallSet = DrawBalls;

// Synthetic draws: fair ones from a fixed seed, drawn order kept.
FairnessSample fairSample(int draws, quint64 seed) {
    std::mt19937_64 random(seed);
    std::array<int, 49> drum{};
    for (int i = 0; i < 49; ++i)
        drum[size_t(i)] = i + 1;
    FairnessSample sample;
    for (int d = 0; d < draws; ++d) {
        DrawnOrder order;
        for (size_t i = 0; i < 6; ++i) {
            std::swap(drum[i], drum[i + random() % (49 - i)]);
            order.append(drum[i]);
        }
        sample.draws.push_back(order.sorted());
        sample.orders.push_back(order);
    }
    return sample;
}

// The order with its ball at `position` replaced by `ball`.
DrawnOrder replaced(const DrawnOrder& order, int position, int ball) {
    DrawnOrder changed;
    for (int i = 0; i < order.size(); ++i)
        changed.append(i == position ? ball : order[i]);
    return changed;
}

// Plainly unfair synthetic histories.
FairnessSample unfairSample(const QString& kind) {
    FairnessSample sample = fairSample(2000, 11);
    for (size_t d = 0; d < sample.draws.size(); ++d) {
        DrawnOrder& order = sample.orders[d];
        if (kind == u"ball 1 every draw" && !sample.draws[d].set().contains(1)) {
            order = replaced(order, 0, 1);
            sample.draws[d] = order.sorted();
        } else if (kind == u"balls in turn") { // 6 consecutive balls, shifted by 6 each draw
            order = {};
            for (size_t i = 0; i < 6; ++i)
                order.append(int((d * 6 + i) % 49 + 1));
            sample.draws[d] = order.sorted();
        } else if (kind == u"ascending order") {
            order = order.sorted();
        }
    }
    return sample;
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The pair law's weights of a K-of-N drum from the covariance of the pair
// counts, over every one of the C(N, K) draws: the variance of a linear
// statistic f·X of the pair counts X, for an f in each invariant space
// (f1: pairs holding ball 1 minus those holding ball 2; f2: {1,2} - {1,4} -
// {3,2} + {3,4}), divided by |f|² and the chance q of a pair.
std::pair<double, double> bruteForceWeights(int k, int n) {
    std::vector<int> draw(size_t(k), 0);
    for (int i = 0; i < k; ++i)
        draw[size_t(i)] = i + 1;
    const auto is = [](int a, int b, int x, int y) {
        return (a == x && b == y) || (a == y && b == x);
    };
    double draws = 0, sum1 = 0, square1 = 0, sum2 = 0, square2 = 0;
    for (;;) {
        double y1 = 0, y2 = 0;
        for (int i = 0; i < k; ++i)
            for (int j = i + 1; j < k; ++j) {
                const int a = draw[size_t(i)], b = draw[size_t(j)];
                y1 += (a == 1 || b == 1) - (a == 2 || b == 2);
                y2 += is(a, b, 1, 2) - is(a, b, 1, 4) - is(a, b, 3, 2) + is(a, b, 3, 4);
            }
        draws += 1;
        sum1 += y1, square1 += y1 * y1, sum2 += y2, square2 += y2 * y2;
        int i = k - 1; // the next combination in lexicographic order
        while (i >= 0 && draw[size_t(i)] == n - k + i + 1)
            --i;
        if (i < 0)
            break;
        ++draw[size_t(i)];
        for (int j = i + 1; j < k; ++j)
            draw[size_t(j)] = draw[size_t(j - 1)] + 1;
    }
    const double q = double(k) * (k - 1) / (double(n) * (n - 1));
    const double variance1 = square1 / draws - (sum1 / draws) * (sum1 / draws);
    const double variance2 = square2 / draws - (sum2 / draws) * (sum2 / draws);
    return {variance1 / (2.0 * (n - 2)) / q, variance2 / 4.0 / q};
}

BallSet balls(std::initializer_list<int> list) {
    return DrawBalls(list).sorted();
}

} // namespace

class TestFairness : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void tailProbabilities_data();
    void tailProbabilities();
    void ballStatistic_data();
    void ballStatistic();
    void tooFewDrawsAndTies_data();
    void tooFewDrawsAndTies();
    void pValueText_data();
    void pValueText();
    void verdicts_data();
    void verdicts();
    void pairSimulation();
    void readsOnlyUsableDraws_data();
    void readsOnlyUsableDraws();
    void pairLaw_data();
    void pairLaw();
};

void TestFairness::tailProbabilities_data() {
    QTest::addColumn<double>("computed");
    QTest::addColumn<double>("expected");
    // Reference values: mpmath's regularized incomplete gamma at 30 digits.
    QTest::newRow("chi2(1) 95%") << chiSquareUpperTail(3.841458820694124, 1) << 0.05;
    QTest::newRow("chi2(10) 95%") << chiSquareUpperTail(18.307038053275146, 10) << 0.05;
    QTest::newRow("chi2(48) 95%") << chiSquareUpperTail(65.17076890690217, 48)
                                  << 0.04999999997135185;
    QTest::newRow("chi2(48) at its mean") << chiSquareUpperTail(48, 48) << 0.47284972054774399;
    QTest::newRow("chi2(1127)") << chiSquareUpperTail(1200, 1127) << 0.064308405352269891;
    QTest::newRow("far tail") << chiSquareUpperTail(400, 200) << 1.8438936497115742e-15;
    QTest::newRow("near underflow") << chiSquareUpperTail(1400, 2) << 9.8596765437597709e-305;
    QTest::newRow("P + Q = 1") << regularizedGammaP(24.5, 30) + regularizedGammaQ(24.5, 30) << 1.0;
    // Equal weights: one χ² with the degrees of freedom added.
    QTest::newRow("weighted 1, 1")
        << weightedChiSquareUpperTail(1, 48, 1, 1127, 1175) << chiSquareUpperTail(1175, 1175);
    // 2·χ²(2) + χ²(2): exponentials with means 4 and 2, tail 2e^(-x/4) - e^(-x/2).
    QTest::newRow("weighted 2, 1")
        << weightedChiSquareUpperTail(2, 2, 1, 2, 9) << 2 * std::exp(-9.0 / 4) - std::exp(-9.0 / 2);
}

void TestFairness::tailProbabilities() {
    QFETCH(double, computed);
    QFETCH(double, expected);
    QVERIFY2(std::fabs(computed - expected) <= 1e-9 * expected,
             qPrintable(QString::number(computed, 'g', 17)));
}

void TestFairness::ballStatistic_data() {
    QTest::addColumn<std::vector<BallSet>>("draws");
    QTest::addColumn<double>("statistic");
    // Σ(O - E)²/E = ΣO²/E - 6n with E = 6n/49, then × 48/43.
    // One draw is too few (see tooFewDrawsAndTies).
    QTest::newRow("two draws") << std::vector<BallSet>{balls({1, 2, 3, 4, 5, 6}),
                                                       balls({7, 8, 9, 10, 11, 12})}
                               << (12 * 49.0 / 12 - 12) * 48 / 43;
    QTest::newRow("a draw twice and another")
        << std::vector<BallSet>{balls({1, 2, 3, 4, 5, 6}), balls({1, 2, 3, 4, 5, 6}),
                                balls({7, 8, 9, 10, 11, 12})}
        << (30 * 49.0 / 18 - 18) * 48 / 43;
    std::vector<BallSet> even = unfairSample(QStringLiteral("balls in turn")).draws;
    even.resize(49); // every ball exactly six times
    QTest::newRow("every ball as often") << even << 0.0;
}

void TestFairness::ballStatistic() {
    QFETCH(std::vector<BallSet>, draws);
    QFETCH(double, statistic);
    const FairnessTest test = ballCountTest(draws);
    QVERIFY(std::fabs(test.statistic - statistic) < 1e-9);
    // Fewer than 5 hits expected per ball (under 41 draws): simulated fair histories.
    QCOMPARE(test.df, draws.size() < 41 ? 0 : 48);
    QCOMPARE(test.law,
             draws.size() < 41 ? QStringLiteral("simulation") : QStringLiteral("chi2(48)"));
    if (draws.size() >= 41)
        QCOMPARE(test.pValue, chiSquareUpperTail(statistic, 48));
}

// One draw is too few for any test; two disjoint draws have the smallest pair
// sum of squares there is, however their balls are numbered: p = 1 exactly.
void TestFairness::tooFewDrawsAndTies_data() {
    QTest::addColumn<std::vector<BallSet>>("draws");
    QTest::addColumn<double>("pairsP"); // NaN: not available
    QTest::newRow("one draw, 1-6") << std::vector<BallSet>{balls({1, 2, 3, 4, 5, 6})} << kNaN;
    QTest::newRow("one draw, 44-49")
        << std::vector<BallSet>{balls({44, 45, 46, 47, 48, 49})} << kNaN;
    QTest::newRow("two draws, 1-12")
        << std::vector<BallSet>{balls({1, 2, 3, 4, 5, 6}), balls({7, 8, 9, 10, 11, 12})} << 1.0;
    QTest::newRow("two draws, 38-49")
        << std::vector<BallSet>{balls({44, 45, 46, 47, 48, 49}), balls({38, 39, 40, 41, 42, 43})}
        << 1.0;
}

void TestFairness::tooFewDrawsAndTies() {
    QFETCH(std::vector<BallSet>, draws);
    QFETCH(double, pairsP);
    FairnessSample sample;
    sample.draws = draws;
    for (const BallSet& set : draws)
        sample.orders.push_back(set);
    FairnessOptions options;
    options.simulations = 99;
    const FairnessReport report = computeFairness(sample, options);
    for (const FairnessTest& test : report.tests)
        if (std::isnan(pairsP))
            QVERIFY2(!test.available && test.method.startsWith(u"Мало тиражей"),
                     qPrintable(test.name + u' ' + test.method));
    if (!std::isnan(pairsP))
        QCOMPARE(report.tests[1].pValue, pairsP);
}

// Rounded, a p-value never crosses 0.05 or lands on it from either side.
void TestFairness::pValueText_data() {
    QTest::addColumn<double>("p");
    QTest::addColumn<QString>("text");
    QTest::newRow("just below") << 0.0496 << QStringLiteral("0,0496");
    QTest::newRow("just above") << 0.0504 << QStringLiteral("0,0504");
    QTest::newRow("exactly") << 0.05 << QStringLiteral("0,05");
    QTest::newRow("plain") << 0.43 << QStringLiteral("0,43");
    QTest::newRow("small") << 0.004 << QStringLiteral("0,004");
    QTest::newRow("tiny") << 0.0004 << QStringLiteral("< 0,001");
}

void TestFairness::pValueText() {
    QFETCH(double, p);
    QFETCH(QString, text);
    QCOMPARE(formatPValue(p), text);
}

void TestFairness::verdicts_data() {
    QTest::addColumn<QString>("history");
    QTest::addColumn<QStringList>("rejected");
    const QStringList all = {QStringLiteral("balls"), QStringLiteral("pairs"),
                             QStringLiteral("gaps")};
    QTest::newRow("fair") << QStringLiteral("fair") << QStringList();
    // Ball 1 pushed into a draw takes the place of the first ball drawn.
    QTest::newRow("ball 1 every draw")
        << QStringLiteral("ball 1 every draw") << all + QStringList{QStringLiteral("position1")};
    // Counts as even as can be, but each ball comes back after exactly 7 or 8 draws.
    QTest::newRow("balls in turn") << QStringLiteral("balls in turn")
                                   << QStringList{QStringLiteral("pairs"), QStringLiteral("gaps")};
    QTest::newRow("ascending order")
        << QStringLiteral("ascending order")
        << QStringList{QStringLiteral("position1"), QStringLiteral("position2"),
                       QStringLiteral("position3"), QStringLiteral("position4"),
                       QStringLiteral("position5"), QStringLiteral("position6")};
}

void TestFairness::verdicts() {
    QFETCH(QString, history);
    QFETCH(QStringList, rejected);
    const FairnessReport report =
        computeFairness(history == u"fair" ? fairSample(2000, 5) : unfairSample(history));
    QCOMPARE(report.tests.size(), size_t(9));
    for (const FairnessTest& test : report.tests) {
        QVERIFY2(test.available, qPrintable(test.name));
        const QString verdict = fairnessVerdict(test, report.testsRun);
        QCOMPARE(verdict.startsWith(u"тиражи не похожи на случайные: p "),
                 rejected.contains(test.name));
        QVERIFY2(verdict.contains(formatPValue(test.pValue)), qPrintable(verdict));
        if (rejected.contains(test.name))
            QVERIFY2(verdict.endsWith(u"с поправкой на 9 проверок p " +
                                      formatPValue(test.adjustedPValue)),
                     qPrintable(verdict));
    }
    QCOMPARE(report.overallPValue < kFairnessAlpha, !rejected.isEmpty());
}

void TestFairness::pairSimulation() {
    FairnessOptions options;
    options.pairMethod = PairNullMethod::Simulation;
    options.simulations = 99;
    int calls = 0;
    options.control.progress = [&](const Lottery::Progress& p) { calls += p.done <= p.total; };
    const FairnessSample unfair = unfairSample(QStringLiteral("ball 1 every draw"));
    const FairnessTest test = pairCountTest(unfair.draws, options);
    QCOMPARE(test.pValue, 0.01); // no fair history comes near: (1 + 0)/(1 + 99)
    QCOMPARE(test.simulations, 99);
    QCOMPARE(calls, 99);
    const std::atomic<bool> stop{true};
    options.control.stop = &stop;
    bool cancelled = false;
    QVERIFY(std::isnan(pairCountTest(unfair.draws, options, &cancelled).pValue));
    QVERIFY(cancelled);
}

void TestFairness::readsOnlyUsableDraws_data() {
    QTest::addColumn<qint64>("lastN");
    QTest::addColumn<QList<qint64>>("counts"); // draws, irregular, ordered, order malformed
    QTest::newRow("all") << qint64(0) << QList<qint64>{3, 2, 1, 1};
    QTest::newRow("newest 3") << qint64(3) << QList<qint64>{2, 1, 0, 1};
}

void TestFairness::readsOnlyUsableDraws() {
    QFETCH(qint64, lastN);
    QFETCH(QList<qint64>, counts);
    QTemporaryDir dir;
    const QByteArray path = dir.filePath(QStringLiteral("draws.db")).toUtf8();
    sqlite3* db = nullptr;
    QCOMPARE(sqlite3_open(path.constData(), &db), SQLITE_OK);
    // Draw 5 stored first; ball 50 and a repeated ball are hand-entry faults;
    // draw 4's order names other balls; the row without a number is no draw.
    const char* sql =
        "CREATE TABLE razyg (id INTEGER PRIMARY KEY, tir, s1, s2, s3, s4, s5, s6, "
        "ss1, ss2, ss3, ss4, ss5, ss6);"
        "INSERT INTO razyg (tir, s1, s2, s3, s4, s5, s6, ss1, ss2, ss3, ss4, ss5, ss6) VALUES"
        " (5, 1, 2, 3, 4, 5, 6, NULL, NULL, NULL, NULL, NULL, NULL),"
        " (1, 1, 2, 3, 4, 5, 6, 6, 5, 4, 3, 2, 1),"
        " (2, 1, 2, 3, 4, 5, 50, NULL, NULL, NULL, NULL, NULL, NULL),"
        " (3, 1, 1, 3, 4, 5, 6, NULL, NULL, NULL, NULL, NULL, NULL),"
        " (4, 1, 2, 3, 4, 5, 6, 7, 5, 4, 3, 2, 1),"
        " (NULL, 1, 2, 3, 4, 5, 6, NULL, NULL, NULL, NULL, NULL, NULL);";
    QCOMPARE(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
    Connection connection(QStringLiteral("fairness-test"));
    connection.open(QString::fromUtf8(path));
    const FairnessSample sample = fairnessSample(Draws::read(connection, fairnessRequest()), lastN);
    QCOMPARE((QList<qint64>{qint64(sample.draws.size()), sample.irregular,
                            qint64(sample.orders.size()), sample.orderMalformed}),
             counts);
    if (!sample.orders.empty())
        QCOMPARE(sample.orders.front(), (DrawnOrder{6, 5, 4, 3, 2, 1}));
}

void TestFairness::pairLaw_data() {
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("n");
    QTest::addColumn<double>("w1");
    QTest::addColumn<double>("w2");
    QTest::newRow("6/49, as published") << 6 << 49 << 215.0 / 47 << 903.0 / 1081;
    for (const auto& [k, n] : {std::pair{5, 36}, {4, 20}, {7, 12}, {2, 5}, {3, 4}}) {
        const auto [w1, w2] = bruteForceWeights(k, n);
        QTest::addRow("%d/%d, all draws", k, n) << k << n << w1 << w2;
    }
}

void TestFairness::pairLaw() {
    QFETCH(int, k);
    QFETCH(int, n);
    QFETCH(double, w1);
    QFETCH(double, w2);
    const PairLimitLaw law = pairLimitLaw(Drum{k, n, 1});
    QVERIFY2(std::fabs(law.w1 - w1) < 1e-9 && std::fabs(law.w2 - w2) < 1e-9,
             qPrintable(QStringLiteral("%1 %2").arg(law.w1, 0, 'g', 17).arg(law.w2, 0, 'g', 17)));
    // The constant, the ball counts' and the rest: every pair once.
    QCOMPARE(1 + law.df1 + law.df2, n * (n - 1) / 2);
    QCOMPARE(law.df1, n - 1);
}

QTEST_GUILESS_MAIN(TestFairness)
#include "test_fairness.moc"
