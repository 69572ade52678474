#pragma once

#include "analysis/FairnessHistory.h"

#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>
#include <vector>

namespace Analysis {

// Observed against expected counts, one bar pair per label, for a small chart.
struct FairnessChart {
    QStringList labels;
    std::vector<double> observed;
    std::vector<double> expected;
};

// One test of "the draws are fair". pValue is the probability, under fair
// draws, of a statistic at least this large; for the drawn-order positions it
// is adjusted for testing six positions (rawPValue is the unadjusted one).
// A test without enough data is not available: its figures are NaN and
// method says why.
struct FairnessTest {
    QString name; // balls, pairs, gaps, position1 .. position6
    bool available = false;
    qint64 draws = 0; // draws the test used
    double statistic = 0;
    int df = 0;
    double pValue = 0;
    double rawPValue = 0;
    int simulations = 0; // fair histories simulated for the p-value; 0: a formula
    QString method;
    FairnessChart chart;
};

struct FairnessReport {
    qint64 draws = 0;                // regular draws tested
    qint64 irregular = 0;            // draws in the window left out as malformed
    qint64 ordered = 0;              // regular draws with a valid drawn order
    qint64 orderMalformed = 0;       // regular draws whose drawn order is unusable
    bool cancelled = false;          // stopped before the pairs' simulation ended
    std::vector<FairnessTest> tests; // balls, pairs, gaps, position1 .. position6
};

enum class PairNullMethod {
    Automatic, // the formula when every pair is expected at least 5 times, else simulation
    Formula,   // the weighted χ² limit law of the pair statistic
    Simulation // fair histories of the same length
};

struct FairnessOptions {
    PairNullMethod pairMethod = PairNullMethod::Automatic;
    int pairSimulations = 2000;
    quint64 seed = 49;
    // Called now and then during a simulation with the histories done so far.
    std::function<void(int done, int total)> progress;
    // Set from another thread to stop a simulation; the report is then cancelled.
    const std::atomic<bool>* stop = nullptr;
};

constexpr double kFairnessAlpha = 0.05;

FairnessReport computeFairness(const FairnessSample& sample, const FairnessOptions& options = {});
inline FairnessReport computeFairness(const FairnessHistory& history, qint64 lastN,
                                      const FairnessOptions& options = {}) {
    return computeFairness(fairnessSample(history, lastN), options);
}

// The tests one by one (computeFairness runs them all). positionTests gives
// the six drawn-order tests with their adjusted p-values.
FairnessTest ballCountTest(const std::vector<BallSet>& draws);
FairnessTest pairCountTest(const std::vector<BallSet>& draws, const FairnessOptions& options,
                           bool* cancelled = nullptr);
FairnessTest gapTest(const std::vector<BallSet>& draws);
std::vector<FairnessTest> positionTests(const std::vector<DrawnOrder>& orders);

// The outcome in plain words at level alpha, e.g. «нет оснований считать
// тиражи неслучайными, p = 0,43».
QString fairnessVerdict(const FairnessTest& test, double alpha = kFairnessAlpha);
// "0,43", "0,004", "< 0,001": the p-value as the verdict writes it.
QString formatPValue(double p);

} // namespace Analysis
