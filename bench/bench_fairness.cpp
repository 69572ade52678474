// Calibration, power and speed of the randomness tests on synthetic histories
// made by a fixed-seed generator (nothing here comes from real draws).
//
//   numeron_bench_fairness [--histories H] [--draws D] [--power-histories P]
//                          [--power-draws Q] [--timing-draws T]
//                          [--simulated-histories M] [--pair-simulations S]
//
// 1. H fair histories of D draws: how often each test rejects at α = 0.05
//    (the goal is 4.5–5.5%); the pairs test by its formula.
// 2. P histories of Q draws (Q = D unless given) where ball 1 is 10% more likely: each test's
// power.
// 3. M fair histories with the pairs test by simulation of S fair histories
//    each (skipped when M is 0).
// 4. Each test on one fair history of T draws: median time of 5 runs against
//    a reference measured in the same run (one pass counting the balls).
#include "analysis/Fairness.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>
#include <algorithm>
#include <cmath>
#include <map>
#include <random>

using namespace Analysis;

namespace {

constexpr double kAlpha = 0.05;

// Draws six balls in drawn order; ball 1 weighs `weight` times any other.
class SyntheticDrum {
public:
    SyntheticDrum(quint64 seed, double weight) : m_random(seed), m_weight(weight) {
        for (int i = 0; i < 48; ++i)
            m_others[size_t(i)] = i + 2;
    }
    FairnessSample history(int draws) {
        FairnessSample sample;
        sample.draws.reserve(size_t(draws));
        sample.orders.reserve(size_t(draws));
        for (int d = 0; d < draws; ++d) {
            DrawnOrder order{};
            BallSet set = 0;
            bool oneTaken = false;
            int others = 0; // balls 2..49 taken so far
            for (size_t i = 0; i < 6; ++i) {
                const double total = (oneTaken ? 0 : m_weight) + (48 - others);
                int ball;
                if (!oneTaken && m_uniform(m_random) * total < m_weight) {
                    ball = 1;
                    oneTaken = true;
                } else {
                    const size_t j = size_t(others) + size_t(m_random() % quint64(48 - others));
                    std::swap(m_others[size_t(others)], m_others[j]);
                    ball = m_others[size_t(others++)];
                }
                order[i] = quint8(ball);
                set |= BallSet(1) << ball;
            }
            sample.draws.push_back(set);
            sample.orders.push_back(order);
        }
        return sample;
    }

private:
    std::mt19937_64 m_random;
    std::uniform_real_distribution<double> m_uniform{0.0, 1.0};
    double m_weight;
    std::array<int, 48> m_others{};
};

struct Tally {
    std::map<QString, int> rejected;
    int anyPosition = 0; // histories where some position was rejected (adjusted p)
    int histories = 0;
    void add(const FairnessReport& report) {
        ++histories;
        bool position = false;
        for (const FairnessTest& test : report.tests) {
            const bool positionTest = test.name.startsWith(u"position");
            // Each position alone at α, and the six together with Holm's adjustment.
            if ((positionTest ? test.rawPValue : test.pValue) <= kAlpha)
                ++rejected[test.name];
            position |= positionTest && test.pValue <= kAlpha;
        }
        anyPosition += position;
    }
};

void printTally(QTextStream& out, const QString& title, const Tally& tally, bool goal) {
    out << "\n" << title << " (" << tally.histories << " histories)\n";
    const double margin = 1.96 * std::sqrt(kAlpha * (1 - kAlpha) / tally.histories) * 100;
    auto line = [&](const QString& name, int count) {
        const double rate = 100.0 * count / tally.histories;
        out << "  " << name.leftJustified(28) << QString::number(rate, 'f', 2).rightJustified(7)
            << " %";
        if (goal)
            out << (rate >= 4.5 && rate <= 5.5 ? "   within 4.5-5.5" : "   OUTSIDE 4.5-5.5");
        out << "\n";
    };
    for (const QString& name :
         {QStringLiteral("balls"), QStringLiteral("pairs"), QStringLiteral("gaps")})
        line(name, tally.rejected.count(name) ? tally.rejected.at(name) : 0);
    for (int i = 1; i <= 6; ++i) {
        const QString name = QStringLiteral("position%1").arg(i);
        line(name + QStringLiteral(" (unadjusted)"),
             tally.rejected.count(name) ? tally.rejected.at(name) : 0);
    }
    line(QStringLiteral("positions, any of six (Holm)"), tally.anyPosition);
    if (goal)
        out << "  (a true 5% rate lands within ±" << QString::number(margin, 'f', 2)
            << " points of 5% in 95% of runs of this size)\n";
}

template <typename F> double medianMs(F&& f) {
    std::vector<double> ms;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer timer;
        timer.start();
        f();
        ms.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms[2];
}

int option(const QStringList& args, const QString& name, int fallback) {
    const qsizetype i = args.lastIndexOf(name); // the last one given wins
    return i >= 0 && i + 1 < args.size() ? args[i + 1].toInt() : fallback;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int histories = option(args, QStringLiteral("--histories"), 10000);
    const int draws = option(args, QStringLiteral("--draws"), 2500);
    const int powerHistories = option(args, QStringLiteral("--power-histories"), histories);
    const int powerDraws = option(args, QStringLiteral("--power-draws"), draws);
    const int timingDraws = option(args, QStringLiteral("--timing-draws"), 10000);
    const int simulatedHistories = option(args, QStringLiteral("--simulated-histories"), 0);
    const int pairSimulations = option(args, QStringLiteral("--pair-simulations"), 199);
    QTextStream out(stdout);
    out << "Randomness tests on synthetic histories of " << draws << " draws, alpha = " << kAlpha
        << "\n";

    FairnessOptions formula;
    formula.pairMethod = PairNullMethod::Formula;
    int missed = 0;
    if (histories > 0) {
        SyntheticDrum drum(1, 1.0);
        Tally tally;
        for (int h = 0; h < histories; ++h)
            tally.add(computeFairness(drum.history(draws), formula));
        printTally(out, QStringLiteral("Rejection rate of fair histories"), tally, true);
        for (const auto& [name, count] : tally.rejected) {
            const double rate = 100.0 * count / histories;
            missed += !name.startsWith(u"position") && (rate < 4.5 || rate > 5.5);
        }
        const double anyRate = 100.0 * tally.anyPosition / histories;
        missed += anyRate < 4.5 || anyRate > 5.5;
    }
    if (powerHistories > 0) {
        SyntheticDrum drum(2, 1.1);
        Tally tally;
        for (int h = 0; h < powerHistories; ++h)
            tally.add(computeFairness(drum.history(powerDraws), formula));
        printTally(out,
                   QStringLiteral("Power when ball 1 is 10% more likely, %1 draws").arg(powerDraws),
                   tally, false);
    }
    if (simulatedHistories > 0) {
        FairnessOptions simulated;
        simulated.pairMethod = PairNullMethod::Simulation;
        simulated.pairSimulations = pairSimulations;
        SyntheticDrum drum(3, 1.0);
        int rejected = 0;
        for (int h = 0; h < simulatedHistories; ++h) {
            simulated.seed = quint64(1000 + h);
            rejected += pairCountTest(drum.history(draws).draws, simulated).pValue <= kAlpha;
        }
        out << "\nPairs by simulation (" << pairSimulations << " fair histories each), "
            << simulatedHistories << " fair histories: rejection rate "
            << QString::number(100.0 * rejected / simulatedHistories, 'f', 2) << " %\n";
    }

    const FairnessSample sample = SyntheticDrum(4, 1.0).history(timingDraws);
    std::array<qint64, 50> counts{};
    const double referenceMs = medianMs([&] {
        counts.fill(0);
        for (BallSet set : sample.draws)
            forEachBall(set, [&](int ball) { ++counts[size_t(ball)]; });
    });
    FairnessOptions simulated;
    simulated.pairMethod = PairNullMethod::Simulation;
    simulated.pairSimulations = pairSimulations;
    const std::vector<std::pair<QString, std::function<void()>>> timed = {
        {QStringLiteral("balls"), [&] { ballCountTest(sample.draws); }},
        {QStringLiteral("pairs (formula)"), [&] { pairCountTest(sample.draws, formula); }},
        {QStringLiteral("pairs (%1 simulations)").arg(pairSimulations),
         [&] { pairCountTest(sample.draws, simulated); }},
        {QStringLiteral("gaps"), [&] { gapTest(sample.draws); }},
        {QStringLiteral("position1..6"), [&] { positionTests(sample.orders); }},
        {QStringLiteral("all, as the window runs them"),
         [&] { computeFairness(sample, FairnessOptions{}); }},
    };
    out << "\nTime on " << timingDraws << " draws (median of 5; goal < 100 ms); reference: one "
        << "pass counting the balls, " << QString::number(referenceMs, 'f', 3) << " ms\n";
    for (const auto& [name, run] : timed) {
        const double ms = medianMs(run);
        const bool background = name.contains(u"simulations");
        out << "  " << name.leftJustified(30) << QString::number(ms, 'f', 3).rightJustified(10)
            << " ms  ratio " << QString::number(ms / std::max(referenceMs, 1e-6), 'f', 1)
            << (background ? "  (runs in the background with progress)"
                           : (ms < 100 ? "  goal met" : "  GOAL MISSED"))
            << "\n";
        missed += !background && ms >= 100;
    }
    out << "\nGoals missed: " << missed << "\n";
    return missed ? 1 : 0;
}
