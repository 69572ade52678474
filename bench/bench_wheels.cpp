// Wheel benchmarks (run_wheels_benchmark.sh):
//   numeron_bench_wheels check WORKDIR REFERENCE.py
//       the exact check of a synthetic 100-ticket "3 if 6" wheel on 30 numbers, against the
//       numpy reference script on the same tickets, timed in the same run;
//   numeron_bench_wheels sizes SECONDS [FROM TO [T]]
//       generated sizes against the published records, "3 if 3" and "4 if 4" (or only "T if T")
//       on FROM..TO numbers, each row with its goal, ratio and origin;
//   numeron_bench_wheels lotto49 SECONDS
//       "2 if 6" and "3 if 6" on all 49 numbers;
//   numeron_bench_wheels stop SECONDS
//       "5 if 5" on all 49 numbers (380,000 tickets): how far past its time budget a generation
//       ends, and how soon after a stop in the middle of its search; and how soon a wheel
//       already at its lower bound ends.
// Each prints the peak memory of its process at the end.

#include "wheels/Combinatorics.h"
#include "wheels/ReadyWheels.h"
#include "wheels/WheelCheck.h"
#include "wheels/WheelGenerator.h"
#include "wheels/WheelRecords.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include <sys/resource.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>

using namespace Wheels;

namespace {

WheelRequest firstNumbers(int v, int t, int m) {
    WheelRequest r{{}, Guarantee{t, m}, {}};
    for (int n = 1; n <= v; ++n)
        r.numbers.push_back(n);
    return r;
}

void printPeakMemory() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak memory (maxrss): %.1f MiB\n", double(usage.ru_maxrss) / 1024.0);
}

// 100 tickets on 1..30: a covering "3 if 6" wheel from the generator filled up with synthetic
// random tickets (a fixed seed), so that both checkers see a full cover; or, with `covering`
// false, 100 random tickets, which leave sets uncovered and defeat early exits more often.
std::vector<Ticket> checkInput(const WheelRequest& r, bool covering) {
    GenerateOptions options;
    options.seconds = 0;
    std::vector<Ticket> tickets;
    if (covering)
        tickets = generateWheel(r, options).tickets;
    Random random(2026);
    while (tickets.size() < 100) {
        Mask m = 0;
        while (popcount(m) < 6)
            m |= Mask(1) << (1 + random.below(30));
        Ticket t{};
        for (int i = 0; m; m &= m - 1)
            t[std::size_t(i++)] = lowestBit(m);
        tickets.push_back(t);
    }
    return tickets;
}

int benchCheck(const QString& workDir, const QString& reference, bool covering) {
    const WheelRequest r = firstNumbers(30, 3, 6);
    const std::vector<Ticket> tickets = checkInput(r, covering);
    const QString csv =
        workDir + QStringLiteral("/wheel_30_3if6_%1.csv")
                      .arg(covering ? QStringLiteral("cover") : QStringLiteral("random"));
    QFile file(csv);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 1;
    file.write("ticket,b1,b2,b3,b4,b5,b6\n");
    for (std::size_t i = 0; i < tickets.size(); ++i) {
        QByteArray line = QByteArray::number(qulonglong(i + 1));
        for (int b : tickets[i])
            line += ',' + QByteArray::number(b);
        file.write(line + '\n');
    }
    file.close();

    std::vector<double> times;
    CheckResult result;
    for (int run = 0; run < 7; ++run) {
        QElapsedTimer timer;
        timer.start();
        result = checkWheel(r, tickets);
        times.push_back(double(timer.nsecsElapsed()) / 1e9);
    }
    std::sort(times.begin(), times.end());
    const double ours = times[times.size() / 2];

    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"), {reference, csv, QStringLiteral("1-30"),
                                                      QStringLiteral("3"), QStringLiteral("6")});
    python.waitForFinished(600000);
    const QString output = QString::fromUtf8(python.readAllStandardOutput()).trimmed();
    const auto match = QRegularExpression(QStringLiteral("([0-9.]+) s$")).match(output);
    std::printf("check, 100 tickets on 30 numbers (%s), \"3 if 6\": %llu sets, %llu covered "
                "(%.4f%%)\n",
                covering ? "a full cover" : "random tickets", (unsigned long long)result.totalSets,
                (unsigned long long)result.coveredSets, 100.0 * result.share());
    std::printf("  ours (median of 7): %.4f s\n", ours);
    if (!match.hasMatch()) {
        std::printf("  reference failed: %s %s\n", qPrintable(output),
                    qPrintable(QString::fromUtf8(python.readAllStandardError())));
        return 1;
    }
    const double theirs = match.captured(1).toDouble();
    std::printf("  reference (%s): %.4f s  [%s]\n", qPrintable(reference), theirs,
                qPrintable(output));
    std::printf("  ratio ours/reference: %.4f (goal <= 0.05)\n", ours / theirs);
    return 0;
}

// The goal of a row: the largest size that meets it (0: none set), and its words.
struct Goal {
    int atMost = 0;
    const char* words = "";
};

Goal goalOf(int v, int t, int m, int record, double seconds) {
    if (m != t) {
        if (v == 49 && t == 3)
            return {168, "<= 168"};
        if (v == 49 && t == 2)
            return {19, "= 19"};
        return {};
    }
    if (t == 4) {
        switch (v) {
        case 26:
            return {1170, "<= 1170"};
        case 27:
            return {1170, "= 1170"};
        case 28:
            return {1489, "= 1489"};
        case 29:
            return {1848, "<= 1848"};
        case 30:
            return {2260, "<= 2260"};
        default:
            break;
        }
        if (v >= 16 && v <= 25)
            return seconds >= 60 ? Goal{int(std::floor(record * 1.05)), "<= 1.05x"}
                                 : Goal{int(std::floor(record * 1.10)), "<= 1.10x"};
        return {};
    }
    if (t == 3 && v <= 30) {
        const bool constructed = v <= 17 || (v >= 21 && v <= 23) || (v >= 25 && v <= 27);
        return constructed ? Goal{record, "= record"}
                           : Goal{int(std::floor(record * 1.03)), "<= 1.03x"};
    }
    return {};
}

int missed = 0; // rows whose goal was not met

void generateRow(int v, int t, int m, double seconds) {
    GenerateOptions options;
    options.seconds = seconds;
    QElapsedTimer timer;
    timer.start();
    const GenerateResult result = generateWheel(firstNumbers(v, t, m), options);
    const double took = double(timer.elapsed()) / 1000.0;
    const auto record = findRecord(v, t, m);
    const int ours = int(result.tickets.size());
    const Goal goal = goalOf(v, t, m, record ? record->best : 0, seconds);
    const bool met = goal.atMost == 0 || ours <= goal.atMost;
    missed += !met;
    // Where the wheel came from: the generator's words, and a shipped wheel's own origin.
    QString origin = result.method;
    if (const ReadyWheel* ready = findReadyWheel(v, t, m);
        ready && result.method.startsWith(QStringLiteral("готовая система")))
        origin += QStringLiteral(" [") + QString::fromUtf8(ready->origin) + QLatin1Char(']');
    std::printf(
        "%2d  %d/%d  %5d  %6s  %5s  %6s  %-9s %-6s %6.2f  %s%s\n", v, t, m, ours,
        record ? qPrintable(QString::number(record->best)) : "-",
        record && record->lowerBound ? qPrintable(QString::number(record->lowerBound)) : "-",
        record ? qPrintable(QString::number(double(ours) / record->best, 'f', 3)) : "-", goal.words,
        goal.atMost == 0 ? ""
        : met            ? "met"
                         : "MISSED",
        took, qPrintable(origin.left(160)), result.check.guaranteed() ? "" : "  NOT CHECKED");
    std::fflush(stdout);
}

void printSizesHeader(double seconds) {
    std::printf(
        " v  t/m   ours  record  lower  ratio  goal      met   seconds  origin (budget %.0f s)\n",
        seconds);
}

// How far past its budget a "5 if 5" generation on 49 numbers ends, how soon after a stop in
// its search, and how soon a wheel at its lower bound ends.
void benchStop(double seconds) {
    const WheelRequest all = firstNumbers(49, 5, 5);
    GenerateOptions options;
    options.seconds = seconds;
    QElapsedTimer timer;
    timer.start();
    GenerateResult result = generateWheel(all, options);
    std::printf("\"5 if 5\" on 49, budget %.0f s: %zu tickets, ended after %.2f s (%.2f s past "
                "the budget)\n",
                seconds, result.tickets.size(), double(timer.elapsed()) / 1000.0,
                double(timer.elapsed()) / 1000.0 - seconds);
    std::atomic<bool> stop{false};
    options.seconds = 600;
    options.stop = &stop;
    QElapsedTimer sinceStop;
    options.progress = [&](const GenerateProgress& p) {
        if (p.moves > 0 && !stop) {
            stop = true;
            sinceStop.start();
        }
    };
    result = generateWheel(all, options);
    std::printf("\"5 if 5\" on 49, stopped during the search: returned %.3f s after the stop, "
                "%zu tickets, check %s (goal: within 0.5 s)\n",
                double(sinceStop.nsecsElapsed()) / 1e9, result.tickets.size(),
                result.check.guaranteed() ? "passed" : "FAILED");
    GenerateOptions small;
    small.seconds = seconds;
    timer.restart();
    result = generateWheel(firstNumbers(10, 3, 5), small);
    std::printf("\"3 if 5\" on 10 (%zu tickets, lower bound %llu), budget %.0f s: ended after "
                "%.3f s\n",
                result.tickets.size(), (unsigned long long)result.lowerBound, seconds,
                double(timer.nsecsElapsed()) / 1e9);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString mode = args.value(1);
    int status = 0;
    if (mode == QLatin1String("check") && args.size() >= 4) {
        status = benchCheck(args[2], args[3], true) | benchCheck(args[2], args[3], false);
    } else if (mode == QLatin1String("sizes") && args.size() >= 3) {
        const double seconds = args[2].toDouble();
        const int from = args.size() > 3 ? args[3].toInt() : 7;
        const int to = args.size() > 4 ? args[4].toInt() : 30;
        const int onlyT = args.size() > 5 ? args[5].toInt() : 0; // 3 or 4: one guarantee
        printSizesHeader(seconds);
        for (int t = 3; t <= 4; ++t)
            for (int v = from; v <= to && (onlyT == 0 || onlyT == t); ++v)
                generateRow(v, t, t, seconds);
    } else if (mode == QLatin1String("lotto49") && args.size() >= 3) {
        printSizesHeader(args[2].toDouble());
        generateRow(49, 2, 6, args[2].toDouble());
        generateRow(49, 3, 6, args[2].toDouble());
    } else if (mode == QLatin1String("stop") && args.size() >= 3) {
        benchStop(args[2].toDouble());
    } else {
        std::fprintf(stderr,
                     "usage: %s check WORKDIR REFERENCE.py | sizes SECONDS [FROM TO [T]] | "
                     "lotto49 SECONDS | stop SECONDS\n",
                     argv[0]);
        return 2;
    }
    if (missed > 0)
        std::printf("goals missed: %d row(s)\n", missed);
    printPeakMemory();
    return status;
}
