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
#include "analysis/AnalysisWindow.h"
#include "analysis/BallStats.h"
#include "analysis/DrawHistory.h"
#include "analysis/MyBets.h"
#include "analysis/PairStats.h"
#include "bench/BenchReport.h"
#include "bench/SyntheticDraws.h"
#include "dataset/Connection.h"
#include "dataset/Statement.h"
#include "widgets/MessageBoxes.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFont>
#include <QLabel>
#include <QLocale>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextStream>
#include <functional>
#include <stdexcept>

namespace {

constexpr int kRuns = 3;

class CountingBoxes : public MessageBoxes {
public:
    BoxResult show(const BoxRequest& request) override {
        texts.append(request.text);
        return BoxResult::Ok;
    }
    QStringList texts;
};

double medianOf(const std::function<void()>& run) {
    Measurement m;
    for (int i = 0; i < kRuns; ++i) {
        QElapsedTimer timer;
        timer.start();
        run();
        m.runsMs.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    return m.medianMs();
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
    }
    return {};
}

double engineReference(Connection& connection, Analysis::AnalysisKind kind) {
    const QString sql = referenceSql(kind);
    return medianOf([&] {
        Statement query(connection, sql);
        while (query.step()) {
        }
    });
}

// -1 when the shell is not installed.
double shellReference(const QString& dbPath, Analysis::AnalysisKind kind) {
    const QString shell = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
    if (shell.isEmpty())
        return -1;
    const QString sql = referenceSql(kind);
    return medianOf([&] {
        QProcess process;
        process.setStandardOutputFile(QProcess::nullDevice());
        process.start(shell, {QStringLiteral("-readonly"), dbPath, sql});
        process.waitForFinished(-1);
    });
}

struct Row {
    QString name;
    double coreMs = 0;
    double csvMs = 0;
    double windowMs = 0;
    double engineMs = 0;
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
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    app.setFont(font);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    bool ok = false;
    const int rows = args.size() >= 2 ? args.at(1).toInt(&ok) : 0;
    if (!ok || rows <= 0) {
        err << "usage: numeron_bench_analysis ROWS [WORKDIR]\n";
        return 2;
    }
    const QString workDir =
        QDir(args.size() >= 3 ? args.at(2) : QDir::currentPath()).absolutePath();
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
             [&] { Analysis::computeBallStats(Analysis::readDrawHistory(connection), 50); }},
            {"Пары (pairs, all draws)", AnalysisKind::Pairs,
             [&] { Analysis::computeTopPairs(Analysis::readDrawHistory(connection), 0); }},
        };
        std::vector<Row> results;
        int tab = 0;
        for (const auto& t : tables) {
            Row row;
            row.name = QString::fromUtf8(t.name);
            row.coreMs = medianOf(t.core);
            const qint64 lastN = t.kind == AnalysisKind::Balls ? 50 : 0;
            row.csvMs = medianOf([&] {
                Analysis::analysisText(connection, t.kind, lastN, Analysis::TableFormat::Csv);
            });
            window.tabs()->setCurrentIndex(tab++);
            QCoreApplication::processEvents();
            row.windowMs = medianOf([&] {
                // A change of the data, as an add in the main window makes one.
                connection.exec(QStringLiteral("UPDATE razyg SET ss1 = ss1 WHERE rowid = 1"));
                window.refresh();
                QCoreApplication::processEvents();
            });
            row.engineMs = engineReference(connection, t.kind);
            row.shellMs = shellReference(dbPath, t.kind);
            results.push_back(row);
        }
        window.close();
        const qint64 peakKiB = peakMemoryKiB();

        const double goalMs = rows <= 10000 ? 50 : 1000;
        int missed = 0;
        out << "\nNumeron analysis timings, " << rows << " draws (synthetic data), median of "
            << kRuns << " runs, ms\n";
        out << "core = read + compute; csv = core + CSV text; window = follow a change: read, "
               "compute, fill, paint\n";
        out << "engine / shell = comparable SQL aggregate in SQLite in-process / in the sqlite3 "
               "shell (start-up included)\n";
        const QString rule(118, QLatin1Char('-'));
        out << rule << '\n';
        out << QStringLiteral("Tab").leftJustified(26) << QStringLiteral("core").rightJustified(9)
            << QStringLiteral("csv").rightJustified(9) << QStringLiteral("window").rightJustified(9)
            << QStringLiteral("engine").rightJustified(9)
            << QStringLiteral("shell").rightJustified(9)
            << QStringLiteral("win/engine").rightJustified(12)
            << QStringLiteral("win/shell").rightJustified(11)
            << QStringLiteral("goal").rightJustified(8)
            << QStringLiteral("verdict").rightJustified(9) << '\n';
        out << rule << '\n';
        for (const Row& r : results) {
            const double worst = std::max({r.coreMs, r.csvMs, r.windowMs});
            const bool met = worst < goalMs;
            missed += met ? 0 : 1;
            out << r.name.leftJustified(26) << ms(r.coreMs).rightJustified(9)
                << ms(r.csvMs).rightJustified(9) << ms(r.windowMs).rightJustified(9)
                << ms(r.engineMs).rightJustified(9) << ms(r.shellMs).rightJustified(9)
                << ratio(r.windowMs, r.engineMs).rightJustified(12)
                << ratio(r.windowMs, r.shellMs).rightJustified(11) << ms(goalMs).rightJustified(8)
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
