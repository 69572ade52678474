// Wheel benchmarks (run_wheels_benchmark.sh):
//   numeron_bench_wheels check WORKDIR REFERENCE.py
//       the exact check of a synthetic 100-ticket "3 if 6" wheel on 30 numbers, against the
//       numpy reference script on the same tickets, timed in the same run;
//   numeron_bench_wheels sizes SECONDS [FROM TO [T]]
//       generated sizes against the published records, "3 if 3" and "4 if 4" (or only "T if T")
//       on FROM..TO numbers;
//   numeron_bench_wheels lotto49 SECONDS
//       "2 if 6" and "3 if 6" on all 49 numbers.
// Each prints the peak memory of its process at the end.

#include "wheels/Combinatorics.h"
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

void generateRow(int v, int t, int m, double seconds) {
    GenerateOptions options;
    options.seconds = seconds;
    QElapsedTimer timer;
    timer.start();
    const GenerateResult result = generateWheel(firstNumbers(v, t, m), options);
    const double took = double(timer.elapsed()) / 1000.0;
    const auto record = findRecord(v, t, m);
    const int ours = int(result.tickets.size());
    if (record)
        std::printf("%2d  %d/%d  %5d  %6d  %5d  %5.3f  %6.2f%s\n", v, t, m, ours, record->best,
                    record->lowerBound, double(ours) / record->best, took,
                    result.check.guaranteed() ? "" : "  NOT CHECKED");
    else
        std::printf("%2d  %d/%d  %5d  %6s  %5s  %5s  %6.2f\n", v, t, m, ours, "-", "-", "-", took);
    std::fflush(stdout);
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
        std::printf(" v  t/m   ours  record  lower  ratio  seconds (budget %.0f s)\n", seconds);
        for (int t = 3; t <= 4; ++t)
            for (int v = from; v <= to && (onlyT == 0 || onlyT == t); ++v)
                generateRow(v, t, t, seconds);
    } else if (mode == QLatin1String("lotto49") && args.size() >= 3) {
        std::printf(" v  t/m   ours  record  lower  ratio  seconds\n");
        generateRow(49, 2, 6, args[2].toDouble());
        generateRow(49, 3, 6, args[2].toDouble());
    } else {
        std::fprintf(stderr,
                     "usage: %s check WORKDIR REFERENCE.py | sizes SECONDS [FROM TO [T]] | "
                     "lotto49 SECONDS\n",
                     argv[0]);
        return 2;
    }
    printPeakMemory();
    return status;
}
