// Calibration, power and speed of the randomness tests on synthetic histories
// made by a fixed-seed generator (nothing here comes from real draws).
//
//   numeron_bench_fairness [--histories H] [--draws D] [--power-histories P]
//                          [--power-draws Q] [--strong-histories S] [--strong-weight-percent W]
//                          [--small-histories M] [--timing-draws T]
//                          [--simulated-histories N] [--simulations R]
//
// 1. H fair histories of D draws: how often each test alone rejects at
//    α = 0.05 (the goal is 4.5–5.5%); how often any of the nine does, each at
//    5% without correction (the reference), and how often the one overall
//    verdict does, by Holm's correction over all the tests (the goal: at most
//    5.5%, and the ratio to the reference).
// 2. P histories of Q draws (Q = D unless given) where ball 1 is 10% more likely: each test's
//    power.
// 3. S histories of D draws where ball 1 is W% as likely as another (150): how often
//    the overall verdict rejects (the goal: at least 95%).
// 4. M fair histories of 10 and of 25 draws, where the counts are simulated:
//    each test's rate and the overall verdict's (none should pass 5.5%).
// 5. N fair histories with the pairs test by simulation of R fair histories
//    each (skipped when N is 0).
// 6. Each test on one fair history of T draws: median time of 5 runs against
//    a reference measured in the same run (one pass counting the balls).
//
// --game K/N draws the histories from a drum of K balls of 1..N instead of
// 6 из 49 (the pair law and the other tests for that K and N).
#include "analysis/BallSet.h"
#include "analysis/Fairness.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <random>

using namespace Analysis;

namespace {

constexpr double kAlpha = 0.05;

// Draws K of N balls in drawn order; ball 1 weighs `weight` times any other.
class SyntheticDrum {
public:
    SyntheticDrum(quint64 seed, double weight, const Drum& drum = {})
        : m_random(seed), m_weight(weight), m_drum(drum), m_others(size_t(drum.n - 1)) {
        for (int i = 0; i < drum.n - 1; ++i)
            m_others[size_t(i)] = i + 2;
    }
    FairnessSample history(int draws) {
        FairnessSample sample;
        sample.drum = m_drum;
        sample.draws.reserve(size_t(draws));
        sample.orders.reserve(size_t(draws));
        const int rest = m_drum.n - 1; // balls 2..N
        for (int d = 0; d < draws; ++d) {
            DrawnOrder order;
            bool oneTaken = false;
            int others = 0; // balls 2..N taken so far
            for (int i = 0; i < m_drum.k; ++i) {
                const double total = (oneTaken ? 0 : m_weight) + (rest - others);
                int ball;
                if (!oneTaken && m_uniform(m_random) * total < m_weight) {
                    ball = 1;
                    oneTaken = true;
                } else {
                    const size_t j = size_t(others) + size_t(m_random() % quint64(rest - others));
                    std::swap(m_others[size_t(others)], m_others[j]);
                    ball = m_others[size_t(others++)];
                }
                order.append(ball);
            }
            sample.draws.push_back(order.sorted());
            sample.orders.push_back(order);
        }
        return sample;
    }

private:
    std::mt19937_64 m_random;
    std::uniform_real_distribution<double> m_uniform{0.0, 1.0};
    double m_weight;
    Drum m_drum;
    std::vector<int> m_others;
};

struct Tally {
    std::map<QString, int> rejected; // each test alone, at α
    int anyUncorrected = 0;          // histories where some test alone rejected
    int overall = 0;                 // histories the overall verdict rejects
    int histories = 0;
    void add(const FairnessReport& report) {
        ++histories;
        bool any = false;
        for (const FairnessTest& test : report.tests) {
            const bool alone = test.available && test.pValue < kAlpha;
            rejected[test.name] += alone;
            any |= alone;
        }
        anyUncorrected += any;
        overall += report.overallPValue < kAlpha;
    }
    double rate(int count) const { return 100.0 * count / histories; }
};

QString percent(double rate) {
    return QString::number(rate, 'f', 2).rightJustified(7) + QStringLiteral(" %");
}

void printTally(QTextStream& out, const QString& title, const Tally& tally, bool goal) {
    out << "\n" << title << " (" << tally.histories << " histories)\n";
    const double margin = 1.96 * std::sqrt(kAlpha * (1 - kAlpha) / tally.histories) * 100;
    for (const auto& [name, count] : tally.rejected) {
        const double rate = tally.rate(count);
        out << "  " << name.leftJustified(36) << percent(rate);
        if (goal && !name.startsWith(u"position"))
            out << (rate >= 4.5 && rate <= 5.5 ? "   within 4.5-5.5" : "   OUTSIDE 4.5-5.5");
        out << "\n";
    }
    out << "  " << QStringLiteral("any test alone at 5% (reference)").leftJustified(36)
        << percent(tally.rate(tally.anyUncorrected)) << "\n";
    out << "  " << QStringLiteral("overall verdict (Holm, all tests)").leftJustified(36)
        << percent(tally.rate(tally.overall)) << "   ratio to the reference "
        << QString::number(double(tally.overall) / std::max(1, tally.anyUncorrected), 'f', 2)
        << "\n";
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

// --game K/N: the drum the histories are drawn from (1 <= K < N <= 63, so
// that a second drum's size can be tried too); 6 из 49 without it.
Drum drumOption(const QStringList& args) {
    const qsizetype i = args.lastIndexOf(QStringLiteral("--game"));
    if (i < 0 || i + 1 >= args.size())
        return {};
    const QStringList parts = args[i + 1].split(u'/');
    const Drum drum{parts.value(0).toInt(), parts.value(1).toInt(), 1};
    if (parts.size() != 2 || drum.k < 1 || drum.k >= drum.n || drum.n > 63) {
        QTextStream(stderr) << "--game K/N with 1 <= K < N <= 63\n";
        std::exit(2);
    }
    return drum;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int histories = option(args, QStringLiteral("--histories"), 10000);
    const int draws = option(args, QStringLiteral("--draws"), 2500);
    const int powerHistories = option(args, QStringLiteral("--power-histories"), histories);
    const int powerDraws = option(args, QStringLiteral("--power-draws"), draws);
    const int strongHistories = option(args, QStringLiteral("--strong-histories"), 1000);
    const double strongWeight =
        option(args, QStringLiteral("--strong-weight-percent"), 150) / 100.0;
    const int smallHistories = option(args, QStringLiteral("--small-histories"), 1000);
    const int timingDraws = option(args, QStringLiteral("--timing-draws"), 10000);
    const int simulatedHistories = option(args, QStringLiteral("--simulated-histories"), 0);
    const int simulations = option(args, QStringLiteral("--simulations"), 199);
    const Drum game = drumOption(args);
    const bool sixFromFortyNine = game.k == Drum().k && game.n == Drum().n;
    QTextStream out(stdout);
    out << "Randomness tests on synthetic histories of " << draws << " draws, alpha = " << kAlpha
        << (sixFromFortyNine ? QString() : QStringLiteral(", %1 of %2").arg(game.k).arg(game.n))
        << "\n";

    FairnessOptions formula;
    formula.pairMethod = PairNullMethod::Formula;
    int missed = 0;
    if (histories > 0) {
        SyntheticDrum drum(1, 1.0, game);
        Tally tally;
        for (int h = 0; h < histories; ++h)
            tally.add(computeFairness(drum.history(draws), formula));
        printTally(out, QStringLiteral("Rejection rate of fair histories"), tally, true);
        for (const auto& [name, count] : tally.rejected) {
            const double rate = tally.rate(count);
            missed += !name.startsWith(u"position") && (rate < 4.5 || rate > 5.5);
        }
        const bool met = tally.rate(tally.overall) <= 5.5;
        out << "  overall verdict: goal <= 5.5 %: " << (met ? "met" : "MISSED") << "\n";
        missed += !met;
    }
    if (powerHistories > 0) {
        SyntheticDrum drum(2, 1.1, game);
        Tally tally;
        for (int h = 0; h < powerHistories; ++h)
            tally.add(computeFairness(drum.history(powerDraws), formula));
        printTally(out,
                   QStringLiteral("Power when ball 1 is 10% more likely, %1 draws").arg(powerDraws),
                   tally, false);
    }
    if (strongHistories > 0) {
        SyntheticDrum drum(5, strongWeight, game);
        Tally tally;
        for (int h = 0; h < strongHistories; ++h)
            tally.add(computeFairness(drum.history(draws), FairnessOptions{}));
        const double rate = tally.rate(tally.overall);
        const bool met = rate >= 95;
        out << "\nBall 1 " << strongWeight << " times as likely, " << draws << " draws ("
            << strongHistories << " histories): the overall verdict rejects" << percent(rate)
            << " (any test alone at 5%:" << percent(tally.rate(tally.anyUncorrected))
            << "); goal >= 95 %: " << (met ? "met" : "MISSED") << "\n";
        missed += !met;
    }
    for (const int few : {10, 25}) {
        if (smallHistories <= 0)
            break;
        FairnessOptions small;
        small.simulations = simulations;
        SyntheticDrum drum(6 + quint64(few), 1.0, game);
        Tally tally;
        for (int h = 0; h < smallHistories; ++h) {
            small.seed = quint64(7000 + h);
            tally.add(computeFairness(drum.history(few), small));
        }
        printTally(out,
                   QStringLiteral("Fair histories of %1 draws, counts by %2 simulations")
                       .arg(few)
                       .arg(simulations),
                   tally, false);
        int over = tally.rate(tally.overall) > 5.5;
        for (const auto& [name, count] : tally.rejected)
            over += tally.rate(count) > 5.5;
        out << "  goal: no rate above 5.5 %: " << (over ? "MISSED" : "met") << "\n";
        missed += over;
    }
    if (simulatedHistories > 0) {
        FairnessOptions simulated;
        simulated.pairMethod = PairNullMethod::Simulation;
        simulated.simulations = simulations;
        SyntheticDrum drum(3, 1.0, game);
        int rejected = 0;
        for (int h = 0; h < simulatedHistories; ++h) {
            simulated.seed = quint64(1000 + h);
            rejected +=
                pairCountTest(drum.history(draws).draws, simulated, nullptr, game).pValue < kAlpha;
        }
        out << "\nPairs by simulation (" << simulations << " fair histories each), "
            << simulatedHistories << " fair histories: rejection rate "
            << QString::number(100.0 * rejected / simulatedHistories, 'f', 2) << " %\n";
    }

    const FairnessSample sample = SyntheticDrum(4, 1.0, game).history(timingDraws);
    // The reference counts the balls of the draws held as 64-bit sets, as
    // the tests held them before they took any game.
    std::vector<BallSet> sets;
    for (const DrawBalls& balls : sample.draws) {
        BallSet set = 0;
        for (const int ball : balls)
            set |= BallSet(1) << ball;
        sets.push_back(set);
    }
    std::array<qint64, 64> counts{};
    const double referenceMs = medianMs([&] {
        counts.fill(0);
        for (BallSet set : sets)
            forEachBall(set, [&](int ball) { ++counts[size_t(ball)]; });
    });
    FairnessOptions simulated;
    simulated.pairMethod = PairNullMethod::Simulation;
    simulated.simulations = simulations;
    const std::vector<std::pair<QString, std::function<void()>>> timed = {
        {QStringLiteral("balls"), [&] { ballCountTest(sample.draws, {}, nullptr, game); }},
        {QStringLiteral("pairs (formula)"),
         [&] { pairCountTest(sample.draws, formula, nullptr, game); }},
        {QStringLiteral("pairs (%1 simulations)").arg(simulations),
         [&] { pairCountTest(sample.draws, simulated, nullptr, game); }},
        {QStringLiteral("gaps"), [&] { gapTest(sample.draws, game); }},
        {QStringLiteral("position1..%1").arg(game.k),
         [&] { positionTests(sample.orders, {}, nullptr, game); }},
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
