// Times the analysis on a synthetic database:
//   numeron_bench_analysis ROWS [WORKDIR]
// Builds (or reuses) WORKDIR/synthetic-draws-ROWS.db, then times each table
// of the analysis three ways, three runs each:
//   - the core: reading the database and computing the table, as the command
//     line does (and its CSV text);
//   - the window: the shown tab followed after a change of the data (read,
//     compute, fill the table and the chart, paint);
//   - a reference: an SQL aggregate that does comparable work (hits per ball,
//     pairs per draw, the bets joined to their draws), run by the same SQLite
//     library in this process, and by the sqlite3 shell when it is installed.
// Prints the medians, the ratios to the reference, and the peak memory.
#include "analysis/AnalysisTables.h"
#include "analysis/BallStats.h"
#include "analysis/MyBets.h"
#include "analysis/PairStats.h"
#include "bench/BenchApp.h"
#include "bench/BenchReport.h"
#include "bench/SyntheticDraws.h"
#include "dataset/Connection.h"
#include "dataset/Statement.h"
#include "draws/StoredDraws.h"
#include "gui/analysis/AnalysisWindow.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextStream>
#include <ctime>
#include <functional>
#include <stdexcept>

namespace {

constexpr int kRuns = 3;

// The processor time of this process so far, in ms: unlike the wall time it
// does not grow when other programs share the processor.
double cpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

struct Timing {
    double wallMs = -1;
    double cpuMs = -1;
};

Timing medianOf(const std::function<void()>& run, int runs = kRuns) {
    Measurement wall;
    Measurement cpu;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        const double cpuStart = cpuMs();
        timer.start();
        run();
        wall.runsMs.push_back(double(timer.nsecsElapsed()) / 1e6);
        cpu.runsMs.push_back(cpuMs() - cpuStart);
    }
    return {wall.medianMs(), cpu.medianMs()};
}

// The balls of every draw, one row per ball.
const char* const kBalls = "(SELECT tir AS draw, s1 AS b FROM razyg UNION ALL "
                           "SELECT tir, s2 FROM razyg UNION ALL SELECT tir, s3 FROM razyg "
                           "UNION ALL SELECT tir, s4 FROM razyg UNION ALL "
                           "SELECT tir, s5 FROM razyg UNION ALL SELECT tir, s6 FROM razyg)";

QString referenceSql(Analysis::AnalysisKind kind) {
    switch (kind) {
    case Analysis::AnalysisKind::Bets:
        return QStringLiteral(
            "SELECT r.tir, count(*), sum(d.chv3) FROM Rate r LEFT JOIN razyg d ON d.tir = r.tir "
            "GROUP BY r.tir");
    case Analysis::AnalysisKind::Balls:
        return QStringLiteral("SELECT b, count(*), max(draw) FROM %1 GROUP BY b")
            .arg(QLatin1String(kBalls));
    case Analysis::AnalysisKind::Pairs: {
        // The fifteen column pairs of every draw (stored in ascending order).
        QStringList pairs;
        for (int i = 1; i <= 6; ++i)
            for (int j = i + 1; j <= 6; ++j)
                pairs << QStringLiteral("SELECT s%1 AS a, s%2 AS b FROM razyg").arg(i).arg(j);
        return QStringLiteral("SELECT a, b, count(*) AS n FROM (%1) GROUP BY a, b "
                              "ORDER BY n DESC LIMIT 50")
            .arg(pairs.join(QLatin1String(" UNION ALL ")));
    }
    case Analysis::AnalysisKind::Fairness: // measured by bench_fairness
        break;
    }
    return {};
}

Timing engineReference(Connection& connection, Analysis::AnalysisKind kind, int runs) {
    const QString sql = referenceSql(kind);
    return medianOf(
        [&] {
            Statement query(connection, sql);
            while (query.step()) {
            }
        },
        runs);
}

// Wall time only (the work is another process's); -1 when the shell is not installed.
double shellReference(const QString& dbPath, Analysis::AnalysisKind kind, int runs) {
    const QString shell = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
    if (shell.isEmpty())
        return -1;
    const QString sql = referenceSql(kind);
    return medianOf(
               [&] {
                   QProcess process;
                   process.setStandardOutputFile(QProcess::nullDevice());
                   process.start(shell, {QStringLiteral("-readonly"), dbPath, sql});
                   process.waitForFinished(-1);
               },
               runs)
        .wallMs;
}

struct Row {
    QString name;
    Timing core;
    Timing csv;
    Timing window;
    Timing engine;
    double shellMs = -1;
};

QString ms(double value) {
    return value < 0 ? QStringLiteral("-") : QString::number(value, 'f', 1);
}

QString ratio(double value, double reference) {
    return reference > 0 ? QString::number(value / reference, 'f', 2) : QStringLiteral("-");
}

} // namespace

int main(int argc, char** argv) {
    preferOffscreen();
    QApplication app(argc, argv);
    setUpBenchApplication(app);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const std::optional<BenchArguments> arguments = benchArguments(app.arguments());
    if (!arguments)
        return 2;
    const int rows = arguments->rows;
    const QString workDir = arguments->workDir;
    // The window reads the bet price from the user's settings: not the real ones.
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());

    try {
        QDir().mkpath(workDir);
        const QString dbPath = QDir(workDir).filePath(SyntheticDraws::fileName(rows));
        const bool built = SyntheticDraws::ensure(dbPath, rows);
        out << (built ? "Built " : "Reused ") << dbPath << " (synthetic data, " << rows
            << " draws, " << SyntheticDraws::kBetCount << " bets)\n";
        out.flush();

        Connection connection(QStringLiteral("bench"));
        connection.open(dbPath);
        CountingBoxes boxes;
        AnalysisWindow window(connection, &boxes);
        window.show();
        QCoreApplication::processEvents();

        using Analysis::AnalysisKind;
        const struct {
            const char* name;
            AnalysisKind kind;
            std::function<void()> core;
        } tables[] = {
            {"Мои ставки (bets)", AnalysisKind::Bets, [&] { Analysis::readMyBets(connection); }},
            {"Шары (balls, newest 50)", AnalysisKind::Balls,
             [&] { Analysis::computeBallStats(Draws::read(connection), 50); }},
            {"Пары (pairs, all draws)", AnalysisKind::Pairs,
             [&] { Analysis::computeTopPairs(Draws::read(connection), 0); }},
        };
        // The references take long on big databases: one run there.
        const int referenceRuns = rows > 100000 ? 1 : kRuns;
        std::vector<Row> results;
        int tab = 0;
        for (const auto& t : tables) {
            Row row;
            row.name = QString::fromUtf8(t.name);
            row.core = medianOf(t.core);
            const qint64 lastN = t.kind == AnalysisKind::Balls ? 50 : 0;
            row.csv = medianOf([&] {
                Analysis::analysisText(connection, t.kind, lastN, Analysis::TableFormat::Csv);
            });
            window.tabs()->setCurrentIndex(tab++);
            QCoreApplication::processEvents();
            row.window = medianOf([&] {
                // A change of the data, as an add in the main window makes one.
                connection.exec(QStringLiteral("UPDATE razyg SET ss1 = ss1 WHERE rowid = 1"));
                window.refresh();
                QCoreApplication::processEvents();
            });
            row.engine = engineReference(connection, t.kind, referenceRuns);
            row.shellMs = shellReference(dbPath, t.kind, referenceRuns);
            results.push_back(row);
        }
        window.close();
        const qint64 peakKiB = peakMemoryKiB();

        const double goalMs = rows <= 10000 ? 50 : 1000;
        int missed = 0;
        out << "\nNumeron analysis timings, " << rows << " draws (synthetic data), median of "
            << kRuns << " runs, ms (wall clock / processor time of this process)\n";
        out << "core = read + compute; csv = core + CSV text; window = follow a change: read, "
               "compute, fill, paint\n";
        out << "engine = a comparable SQL aggregate run by SQLite in this process; shell = the "
               "same in the sqlite3 shell, its start-up included ("
            << referenceRuns << (referenceRuns == 1 ? " run" : " runs") << ")\n";
        out << "goal: every tab under " << goalMs
            << " ms wall clock; ratio = window / engine (wall)\n";
        const QString rule(112, QLatin1Char('-'));
        out << rule << '\n';
        out << QStringLiteral("Tab").leftJustified(26) << QStringLiteral("core").rightJustified(14)
            << QStringLiteral("csv").rightJustified(14)
            << QStringLiteral("window").rightJustified(14)
            << QStringLiteral("engine").rightJustified(16)
            << QStringLiteral("shell").rightJustified(9)
            << QStringLiteral("ratio").rightJustified(8)
            << QStringLiteral("verdict").rightJustified(9) << '\n';
        out << rule << '\n';
        const auto pair = [](const Timing& t, int width) {
            return QString(ms(t.wallMs) + QLatin1Char('/') + ms(t.cpuMs)).rightJustified(width);
        };
        for (const Row& r : results) {
            const double worst = std::max({r.core.wallMs, r.csv.wallMs, r.window.wallMs});
            const bool met = worst < goalMs;
            missed += met ? 0 : 1;
            out << r.name.leftJustified(26) << pair(r.core, 14) << pair(r.csv, 14)
                << pair(r.window, 14) << pair(r.engine, 16) << ms(r.shellMs).rightJustified(9)
                << ratio(r.window.wallMs, r.engine.wallMs).rightJustified(8)
                << (met ? QStringLiteral("ok") : QStringLiteral("MISSED")).rightJustified(9)
                << '\n';
        }
        out << rule << '\n';
        const double peakMiB = peakKiB >= 0 ? double(peakKiB) / 1024.0 : -1;
        out << "Peak memory (VmHWM): " << QString::number(peakMiB, 'f', 1) << " MiB";
        if (rows == 1000000) {
            const bool met = peakMiB >= 0 && peakMiB < 300;
            missed += met ? 0 : 1;
            out << " (goal 300 MiB: " << (met ? "ok" : "MISSED") << ")";
        }
        out << '\n';
        if (!boxes.texts.isEmpty() || window.errorLabel()->isVisibleTo(&window)) {
            out << "The window reported a failure: " << window.errorLabel()->text()
                << boxes.texts.join(QLatin1Char(' ')) << '\n';
            return 1;
        }
        out << (missed == 0 ? QStringLiteral("All goals met")
                            : QStringLiteral("Goals missed: %1").arg(missed))
            << " at " << rows << " draws (synthetic data).\n";
        return missed == 0 ? 0 : 3;
    } catch (const std::exception& e) {
        err << "bench failed: " << e.what() << '\n';
        return 1;
    }
}
