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
    QString name; // balls, pairs, gaps, position1 .. position6
    bool available = false;
    qint64 draws = 0;   // draws the test used
    qint64 leftOut = 0; // draws of the window left out as malformed (for the drawn order,
                        // also those whose order is unusable)
    double statistic = 0;
    int df = 0;  // degrees of freedom when the law is χ²(df); 0 for any other law
    QString law; // "chi2(48)", "4.574*chi2(48)+0.835*chi2(1127)" or "simulation"
    double pValue = 0;
    double adjustedPValue = 0;
    int simulations = 0; // fair histories simulated for the p-value; 0: a formula
    QString method;
    FairnessChart chart;
};

struct FairnessReport {
    qint64 draws = 0;                // regular draws tested
    qint64 irregular = 0;            // draws in the window left out as malformed
    qint64 duplicates = 0;           // rows repeating a stored draw number: counted once
    qint64 ordered = 0;              // regular draws with a valid drawn order
    qint64 orderMalformed = 0;       // regular draws whose drawn order is unusable
    bool cancelled = false;          // stopped before a simulation ended
    std::vector<FairnessTest> tests; // balls, pairs, gaps, position1 .. position6
    int testsRun = 0;                // the available ones, corrected for together
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

FairnessReport computeFairness(const FairnessSample& sample, const FairnessOptions& options = {});
// Of a history read with fairnessRequest().
inline FairnessReport computeFairness(const Draws::History& history, qint64 lastN,
                                      const FairnessOptions& options = {}) {
    return computeFairness(fairnessSample(history, lastN), options);
}

// The tests one by one (computeFairness runs them all and adjusts their
// p-values together). positionTests gives the six drawn-order tests.
FairnessTest ballCountTest(const std::vector<BallSet>& draws, const FairnessOptions& options = {},
                           bool* cancelled = nullptr);
FairnessTest pairCountTest(const std::vector<BallSet>& draws, const FairnessOptions& options,
                           bool* cancelled = nullptr);
FairnessTest gapTest(const std::vector<BallSet>& draws);
std::vector<FairnessTest> positionTests(const std::vector<DrawnOrder>& orders,
                                        const FairnessOptions& options = {},
                                        bool* cancelled = nullptr);

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
