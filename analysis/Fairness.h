#pragma once

#include "analysis/FairnessSample.h"
#include "game/Control.h"

#include <QString>
#include <QStringList>
#include <limits>
#include <vector>

namespace Analysis {

// Observed against expected counts, one bar pair per label, for a small chart.
struct FairnessChart {
    QStringList labels;
    std::vector<double> observed;
    std::vector<double> expected;
};

// One test of "the draws are fair". pValue is the probability, under fair
// draws, of a statistic at least this large, for this test alone;
// adjustedPValue the same with Holm's correction for all the tests of the
// report run together. A test without enough data is not available: its
// figures are NaN and method says why.
struct FairnessTest {
    // balls, pairs, gaps, position1 .. positionK; a second drum's tests the
    // same after "drum2_" (drum2_balls, drum2_position1)
    QString name;
    bool available = false;
    qint64 draws = 0;   // draws the test used
    qint64 leftOut = 0; // draws of the window left out as malformed (for the drawn order,
                        // also those whose order is unusable)
    double statistic = 0;
    int df = 0;   // degrees of freedom when the law is χ²(df); 0 for any other law
    QString law;  // "chi2(48)", "4.574*chi2(48)+0.835*chi2(1127)" or "simulation"
    int drum = 1; // 1: the main drum, 2: the second
    double pValue = 0;
    double adjustedPValue = 0;
    int simulations = 0; // fair histories simulated for the p-value; 0: a formula
    QString method;
    FairnessChart chart;
};

struct FairnessReport {
    qint64 draws = 0;          // regular draws tested
    qint64 irregular = 0;      // draws in the window left out as malformed
    qint64 duplicates = 0;     // rows repeating a stored draw number: counted once
    qint64 ordered = 0;        // regular draws with a valid drawn order
    qint64 orderMalformed = 0; // regular draws whose drawn order is unusable
    bool cancelled = false;    // stopped before a simulation ended
    // balls, pairs, gaps, position1 .. positionK, then the second drum's
    std::vector<FairnessTest> tests;
    int testsRun = 0; // the available ones, corrected for together
    // The smallest adjusted p: the chance, under fair draws, that some test
    // comes out at least as extreme. NaN when no test could run.
    double overallPValue = std::numeric_limits<double>::quiet_NaN();
};

enum class PairNullMethod {
    Automatic, // the formula when every pair is expected at least 5 times, else simulation
    Formula,   // the weighted χ² limit law of the pair statistic
    Simulation // fair histories of the same length
};

struct FairnessOptions {
    PairNullMethod pairMethod = PairNullMethod::Automatic;
    // Fair histories simulated by a test that simulates: the pairs test by
    // its method, and the counts of single balls and of drawn-order positions
    // when fewer than 5 hits are expected per ball, where χ² is no guide.
    int simulations = 2000;
    quint64 seed = 49;
    // Hears now and then during a simulation of the histories done so far;
    // its stop flag stops a simulation, and the report is then cancelled.
    Lottery::Control<> control;
};

constexpr double kFairnessAlpha = 0.05;
// The fewest draws any test is run on.
constexpr qint64 kFairnessMinDraws = 2;

// The tests of the sample's drum, then those of its second drum.
FairnessReport computeFairness(const FairnessSample& sample, const FairnessOptions& options = {});
// Of a history read with fairnessRequest().
inline FairnessReport computeFairness(const Draws::History& history, qint64 lastN,
                                      const FairnessOptions& options = {}) {
    return computeFairness(fairnessSample(history, lastN), options);
}

// The tests one by one on the draws of a drum (computeFairness runs them all
// and adjusts their p-values together); without a drum, the main drum of
// 6 из 49. positionTests gives the K drawn-order tests.
FairnessTest ballCountTest(const std::vector<DrawBalls>& draws, const FairnessOptions& options = {},
                           bool* cancelled = nullptr, const Drum& drum = {});
FairnessTest pairCountTest(const std::vector<DrawBalls>& draws, const FairnessOptions& options,
                           bool* cancelled = nullptr, const Drum& drum = {});
FairnessTest gapTest(const std::vector<DrawBalls>& draws, const Drum& drum = {});
std::vector<FairnessTest> positionTests(const std::vector<DrawnOrder>& orders,
                                        const FairnessOptions& options = {},
                                        bool* cancelled = nullptr, const Drum& drum = {});

// The limit law of the pairs test on a drum of K balls from 1..N: Pearson's
// sum over the C(N, 2) pair counts tends to w1·χ²(df1) + w2·χ²(df2). The
// covariance of one draw's pair indicators acts as 0 on the constant vector,
// q·w1 on the N - 1 dimensions spanned by the ball counts and q·w2 on the
// other N(N - 3)/2, with q = K(K - 1)/(N(N - 1)) the chance of a pair:
// w1 = (K - 1)(N - K)/(N - 2), w2 = (N - K)(N - K - 1)/((N - 2)(N - 3)).
// 6 из 49: 215/47·χ²(48) + 903/1081·χ²(1127).
struct PairLimitLaw {
    double w1 = 0;
    int df1 = 0;
    double w2 = 0; // 0 when df2 is 0 (N = 3) or K = N - 1
    int df2 = 0;
};
PairLimitLaw pairLimitLaw(const Drum& drum);

// Holm's step-down adjustment of p-values tested together.
std::vector<double> holmAdjusted(const std::vector<double>& p);

// A test's outcome in plain words at level alpha, among `together` tests:
// «нет оснований считать тиражи неслучайными, p = 0,43», «p = 0,03 — редкое,
// но возможное при честных тиражах отклонение…», «тиражи не похожи на
// случайные: …». A result counts only when p < alpha.
QString fairnessVerdict(const FairnessTest& test, int together, double alpha = kFairnessAlpha);
// The one verdict on all the tests, by their Holm-adjusted p-values.
QString overallVerdict(const FairnessReport& report, double alpha = kFairnessAlpha);
// "Частоты шаров", "Место 3 в порядке выпадения": a test's title for the user.
QString fairnessTitle(const QString& name);
// "0,43", "0,004", "< 0,001": the p-value as the verdicts write it, with as
// many decimals as it takes to stay on its side of alpha (0,0496, never 0,05).
QString formatPValue(double p, double alpha = kFairnessAlpha);

} // namespace Analysis
