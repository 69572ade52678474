// The ticket lab against its references, measured in turns in the same run:
// - the count of all combinations through six filters against the plain
//   vectorised count of filter_count_reference.py (Debian python3-numpy),
//   for 6 из 49 and then for 5 из 36, 6 из 45 and 7 из 49 (--game);
// - a backtest of 1,000 synthetic tickets over the synthetic draws against
//   the bet check query of the window run once per ticket by the sqlite3
//   shell (one shell process reads all 1,000 queries, so process start-up is
//   paid once: the stricter reference); the replay alone, as the shell does
//   no more;
// - the p-value by 2,000 relabellings of the balls for 5,000 synthetic
//   tickets over 2,500 draws against the plain way: each relabelled ticket
//   checked against each draw (timed on 20 relabellings, scaled to 2,000).
// Prints each figure, its reference and the ratio, and the peak memory.
//
//   numeron_bench_lab ROWS WORKDIR REFERENCE_SCRIPT
#include "bench/BenchReport.h"
#include "bench/SyntheticDraws.h"
#include "dataset/Connection.h"
#include "draws/StoredDraws.h"
#include "lab/Backtest.h"
#include "lab/FilterEngine.h"
#include "views/ViewQueries.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTextStream>
#include <algorithm>
#include <random>

using namespace Lab;

namespace {

constexpr int kTickets = 1000;
QTextStream out(stdout);

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

template <typename F> double timeMs(F&& f) {
    QElapsedTimer timer;
    timer.start();
    f();
    return double(timer.nsecsElapsed()) / 1e6;
}

bool report(const QString& what, double ms, const QString& reference, double referenceMs,
            double goal) {
    const double ratio = ms / referenceMs;
    const bool met = ratio <= goal;
    out << what << ": " << QString::number(ms, 'f', 1) << " ms\n  reference, " << reference << ": "
        << QString::number(referenceMs, 'f', 1) << " ms\n  ratio " << QString::number(ratio, 'f', 4)
        << " (goal <= " << goal << "): " << (met ? "met" : "MISSED") << "\n\n";
    return met;
}

// The six filters of the reference script's example.
Filter referenceFilters() {
    Filter f;
    f.sum = Span{120, 180};
    f.odd = f.low = Span{2, 4};
    f.maxRun = f.decadeMax = 2;
    f.exclude = {13};
    return f;
}

// The reference script's own figure (seconds of computing, its start-up left
// out), checked to count as we do.
double referenceFilterMs(const QString& script, qint64 expected,
                         const Lottery::Game& game = Lottery::Game()) {
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 {script, QStringLiteral("--game"), game.code(), QStringLiteral("--sum"),
                  QStringLiteral("120-180"), QStringLiteral("--odd"), QStringLiteral("2-4"),
                  QStringLiteral("--low"), QStringLiteral("2-4"), QStringLiteral("--max-run"),
                  QStringLiteral("2"), QStringLiteral("--decade-max"), QStringLiteral("2"),
                  QStringLiteral("--exclude"), QStringLiteral("13")});
    python.waitForFinished(600000);
    const QString text = QString::fromUtf8(python.readAllStandardOutput());
    static const QRegularExpression line(QStringLiteral("passing (\\d+), ([0-9.]+) s"));
    const QRegularExpressionMatch m = line.match(text);
    if (!m.hasMatch())
        throw std::runtime_error("the reference script failed: " +
                                 python.readAllStandardError().toStdString());
    if (m.captured(1).toLongLong() != expected)
        throw std::runtime_error("the reference counts " + m.captured(1).toStdString());
    return m.captured(2).toDouble() * 1000;
}

// The same six filters over every combination of other games: five runs of
// ours, `runs` of the reference (one for 7 из 49, whose 85,900,584 rows take
// the reference half a minute and 7 GB), in turns.
int otherGameRows(const QString& script) {
    int missed = 0;
    for (const auto& [code, runs] :
         {std::pair{"5/36", 3}, std::pair{"6/45", 3}, std::pair{"7/49", 1}}) {
        Filter filters = referenceFilters();
        filters.game = Lottery::Game::parse(QLatin1String(code));
        CountResult count;
        std::vector<double> ours, theirs;
        for (int i = 0; i < 5; ++i) {
            ours.push_back(timeMs([&] { count = countPassing(filters, HistoryFacts{}); }));
            if (i % 2 == 0 && int(theirs.size()) < runs)
                theirs.push_back(referenceFilterMs(script, count.passing, filters.game));
        }
        out << "--game " << code << ": " << count.passing << " of " << count.total
            << " pass (the reference counts the same)\n";
        missed += !report(QStringLiteral("Filter count %1 (median of 5)").arg(QLatin1String(code)),
                          median(ours),
                          QStringLiteral("filter_count_reference.py --game %1 (median of %2)")
                              .arg(QLatin1String(code))
                              .arg(runs),
                          median(theirs), 0.1);
    }
    return missed;
}

std::vector<Ticket> syntheticTickets(int count = kTickets) {
    std::mt19937_64 random(20261208);
    std::vector<Ticket> tickets;
    while (tickets.size() < size_t(count)) {
        std::array<int, 49> drum{};
        for (int i = 0; i < 49; ++i)
            drum[size_t(i)] = i + 1;
        Ticket t{};
        for (size_t i = 0; i < 6; ++i) {
            std::swap(drum[i], drum[i + random() % (49 - i)]);
            t[i] = drum[i];
        }
        std::sort(t.begin(), t.end());
        tickets.push_back(t);
    }
    return tickets;
}

// The bet check for every ticket, as one script for the shell.
QString shellScript(const QString& dir, const std::vector<Ticket>& tickets) {
    const QString path = dir + QStringLiteral("/lab-bet-checks.sql");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error("cannot write the shell script");
    QTextStream script(&file);
    const QString query = ViewQueries::betCheck() + QLatin1Char(';');
    for (const Ticket& t : tickets) {
        for (int i = 0; i < 6; ++i)
            script << ".parameter set :" << ViewQueries::ballParam(i + 1) << ' ' << t[size_t(i)]
                   << '\n';
        script << query << '\n';
    }
    return path;
}

// Runs the shell on the script; the rows it printed, and the time.
qint64 runShell(const QString& db, const QString& script, double& ms) {
    QProcess shell;
    shell.setStandardInputFile(script);
    QElapsedTimer timer;
    timer.start();
    shell.start(QStringLiteral("sqlite3"), {QStringLiteral("-batch"), db});
    shell.waitForStarted();
    qint64 rows = 0;
    while (shell.state() != QProcess::NotRunning || shell.bytesAvailable() > 0) {
        shell.waitForReadyRead(100);
        rows += shell.readAllStandardOutput().count('\n');
    }
    ms = double(timer.nsecsElapsed()) / 1e6;
    if (shell.exitCode() != 0)
        throw std::runtime_error("the sqlite3 shell failed: " +
                                 shell.readAllStandardError().toStdString());
    return rows;
}

// The plain relabelling: every ticket's balls permuted, then checked against
// every draw with prizes, ticket by ticket; the time of `replicates` of them.
double plainRelabellingMs(const Draws::History& history, qint64 end,
                          const std::vector<Ticket>& tickets, int replicates) {
    std::mt19937_64 random(649);
    std::array<int, 50> label{};
    std::vector<Analysis::BallSet> relabelled(tickets.size());
    qint64 sink = 0;
    const double ms = timeMs([&] {
        for (int r = 0; r < replicates; ++r) {
            for (int ball = 0; ball < 50; ++ball)
                label[size_t(ball)] = ball;
            std::shuffle(label.begin() + 1, label.end(), random);
            for (size_t t = 0; t < tickets.size(); ++t) {
                relabelled[t] = 0;
                for (int ball : tickets[t])
                    relabelled[t] |= Analysis::BallSet(1) << label[size_t(ball)];
            }
            qint64 total = 0;
            for (qint64 n = 0; n < end; ++n) {
                const Draws::StoredDraw& stored = history.draws[size_t(n)];
                if (!history.prizesStored(n) || !history.wellFormed(n))
                    continue;
                const Analysis::BallSet draw = Analysis::ballSetOf(stored.main);
                std::array<qint64, 4> amount{}; // [0] three matches: the category "3", the last
                for (size_t k = 0; k < 4; ++k)
                    amount[k] = history.prize(n, 3 - int(k)).value_or(0);
                for (Analysis::BallSet t : relabelled)
                    if (const int k = Analysis::ballCount(t & draw); k >= 3)
                        total += amount[size_t(k - 3)];
            }
            sink += total;
        }
    });
    return sink == -1 ? 0 : ms;
}

int run(int rows, const QString& workDir, const QString& referenceScript) {
    int missed = 0;
    out << "Ticket lab benchmark, " << rows << " draws (synthetic data)\n\n";

    // Filter count: five runs of ours, three of the reference, in turns.
    const Filter filters = referenceFilters();
    qint64 count = 0;
    std::vector<double> ours, theirs;
    for (int i = 0; i < 5; ++i) {
        ours.push_back(timeMs([&] { count = countPassing(filters, HistoryFacts{}).passing; }));
        if (i % 2 == 0)
            theirs.push_back(referenceFilterMs(referenceScript, count));
    }
    out << "Filters --sum 120-180 --odd 2-4 --low 2-4 --max-run 2 --decade-max 2 --exclude 13: "
        << count << " of " << kAllCombinations << " pass (the reference counts the same)\n";
    missed += !report(QStringLiteral("Filter count (median of 5)"), median(ours),
                      QStringLiteral("filter_count_reference.py, numpy (median of 3)"),
                      median(theirs), 0.1);
    missed += otherGameRows(referenceScript);

    // Backtest: reading the draws with their prizes and replaying the tickets.
    const QString db = workDir + QLatin1Char('/') + SyntheticDraws::fileName(rows);
    SyntheticDraws::ensure(db, rows);
    const std::vector<Ticket> tickets = syntheticTickets();
    const QString script = shellScript(workDir, tickets);
    BacktestResult result;
    ours.clear();
    theirs.clear();
    qint64 shellRows = 0;
    for (int i = 0; i < 5; ++i) {
        ours.push_back(timeMs([&] {
            Connection connection(QStringLiteral("lab-bench"));
            connection.open(db);
            const Draws::History history = Draws::read(connection, backtestRequest());
            BacktestRequest request;
            request.tickets = tickets;
            request.ticketPrice = 100;
            request.pValueReplicates = 0; // the replay alone: the shell does no more
            result = runBacktest(history, request);
        }));
        if (i % 2 == 0) {
            double ms = 0;
            shellRows = runShell(db, script, ms);
            theirs.push_back(ms);
        }
    }
    qint64 hits = 0;
    for (const CategoryResult& c : result.categories)
        hits += c.hits;
    out << "Backtest of " << kTickets << " tickets over " << result.draws << " draws: " << hits
        << " wins of 3+ (the shell's bet checks list " << shellRows << "), prize "
        << result.totalPrize << ", expected " << QString::number(result.expectedTotalPrize, 'f', 0)
        << "\n";
    if (hits != shellRows)
        throw std::runtime_error("the backtest and the bet checks disagree");
    missed += !report(QStringLiteral("Backtest, reading included (median of 5)"), median(ours),
                      QStringLiteral("sqlite3 shell, the bet check once per ticket (median of 3)"),
                      median(theirs), 0.02);

    // The p-value of a large set: 5,000 tickets over (at most) 2,500 draws.
    {
        Connection connection(QStringLiteral("lab-bench-p"));
        connection.open(db);
        const Draws::History history = Draws::read(connection, backtestRequest());
        BacktestRequest request;
        request.tickets = syntheticTickets(5000);
        const qint64 end = std::min<qint64>(history.size(), 2500);
        request.toTir = history.draws[size_t(end - 1)].tir;
        const double replay = timeMs([&] {
            BacktestRequest alone = request;
            alone.pValueReplicates = 0;
            runBacktest(history, alone);
        });
        const double ms = timeMs([&] { result = runBacktest(history, request); });
        const double plain =
            plainRelabellingMs(history, end, request.tickets, 20) * request.pValueReplicates / 20;
        out << "p-value of 5,000 tickets over " << result.draws << " draws by "
            << request.pValueReplicates << " relabellings: p = " << result.pValue
            << " (the replay alone " << QString::number(replay, 'f', 1) << " ms)\n";
        missed += !report(QStringLiteral("Backtest with the p-value"), ms,
                          QStringLiteral("the plain relabelling, ticket by ticket (20 timed, "
                                         "scaled to %1)")
                              .arg(request.pValueReplicates),
                          plain, 0.1);
    }

    const double peakMiB = double(peakMemoryKiB()) / 1024;
    const bool memoryMet = peakMiB < 300;
    out << "Peak memory (VmHWM): " << QString::number(peakMiB, 'f', 1)
        << " MiB (goal < 300 MiB): " << (memoryMet ? "met" : "MISSED") << '\n';
    return missed + !memoryMet;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    bool ok = false;
    const int rows = args.value(1).toInt(&ok);
    if (args.size() != 4 || !ok || rows <= 0) {
        QTextStream(stderr) << "usage: numeron_bench_lab ROWS WORKDIR REFERENCE_SCRIPT\n";
        return 2;
    }
    try {
        return run(rows, QDir(args.at(2)).absolutePath(), args.at(3)) == 0 ? 0 : 1;
    } catch (const std::exception& e) {
        QTextStream(stderr) << "benchmark failed: " << e.what() << '\n';
        return 1;
    }
}
