// Times the main window's views on a synthetic database, each against a
// reference measured in turns with it in the same run:
//   numeron_bench_views ROWS [WORKDIR]
// Builds (or reuses) WORKDIR/synthetic-draws-ROWS.db and points razyg.ini at
// it. Start-up and every view command run BENCH_RUNS times (default 11). A
// list view is compared with the sqlite3 shell printing the rows of the same
// query to /dev/null as a separate process, the chart re-read with the
// frequency table "Статистика (шар)". Prints the medians, their ratios and the
// process's peak memory.
#include "bench/BenchApp.h"
#include "bench/BenchReport.h"
#include "bench/ShellReference.h"
#include "bench/SyntheticDraws.h"
#include "dataset/Query.h"
#include "gui/Unit1.h"
#include "views/ViewQueries.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTextStream>
#include <functional>
#include <memory>
#include <stdexcept>

namespace {

void writeIni(const QString& workDir, const QString& dbPath) {
    QFile ini(QDir(workDir).filePath(QStringLiteral("razyg.ini")));
    if (!ini.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error("cannot write razyg.ini");
    ini.write("[CONFIG]\nfilenamedb=" + dbPath.toUtf8() + '\n');
}

// Lets the window lay out and paint whatever the command changed.
void settle() {
    QCoreApplication::processEvents();
}

double timeMs(const std::function<void()>& work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

// What a command is compared with: one run of it, timed in milliseconds.
struct Reference {
    QString name;
    std::function<double()> run;
};

// The bet the bet check looks for.
const char* const kBet[] = {"5", "12", "23", "31", "40", "47"};

class Bench {
public:
    Bench(const QString& workDir, const QString& dbPath, int runs)
        : m_workDir(workDir), m_dbPath(dbPath), m_runs(runs) {}

    void measureStartup() {
        Measurement m;
        m.command = QStringLiteral("Start-up (window, first list, chart)");
        runInTurns(
            m,
            [this] {
                m_form.reset();
                m_form = std::make_unique<TForm1>(m_workDir, &m_boxes);
                m_form->FormCreate(m_form.get());
                m_form->show();
                settle();
                if (m_form->terminated())
                    throw std::runtime_error("the window ended its start-up");
            },
            shell(ViewQueries::byDrawDesc()));
        m.resultRows = m_form->ADOQuery1->recordCount();
        m_results.push_back(m);
    }

    void measure(const QString& name, const std::function<void(TForm1&)>& command,
                 const Query* (*shown)(TForm1&), const Reference& reference = {},
                 double goalRatio = 0) {
        Measurement m;
        m.command = name;
        m.goalRatio = goalRatio;
        runInTurns(
            m,
            [&] {
                command(*m_form);
                settle();
            },
            reference);
        const Query* query = shown(*m_form);
        m.resultRows = query->isActive() ? query->recordCount() : -1;
        m_results.push_back(m);
    }

    // The shell running the same query text on the same database.
    Reference shell(const QString& sql, const ShellReference::Parameters& parameters = {}) const {
        const QString db = m_dbPath;
        return {QStringLiteral("sqlite3 shell"),
                [db, sql, parameters] { return ShellReference::runMs(db, sql, parameters); }};
    }

    // Another command of the window.
    Reference command(const QString& name, const std::function<void(TForm1&)>& command) {
        return {name, [this, command] {
                    return timeMs([&] {
                        command(*m_form);
                        settle();
                    });
                }};
    }

    TForm1& form() { return *m_form; }
    const std::vector<Measurement>& results() const { return m_results; }
    const QStringList& boxTexts() const { return m_boxes.texts; }
    void closeWindow() { m_form.reset(); }

private:
    // The runs of the command and of its reference alternate, each going first
    // in every other turn, so that both see the same load of the machine.
    void runInTurns(Measurement& m, const std::function<void()>& work, const Reference& reference) {
        m.reference = reference.name;
        for (int run = 0; run < m_runs; ++run) {
            const bool referenceFirst = run % 2 == 1;
            if (reference.run && referenceFirst)
                m.referenceMs.push_back(reference.run());
            m.runsMs.push_back(timeMs(work));
            if (reference.run && !referenceFirst)
                m.referenceMs.push_back(reference.run());
        }
    }

    QString m_workDir;
    QString m_dbPath;
    int m_runs;
    CountingBoxes m_boxes;
    std::unique_ptr<TForm1> m_form;
    std::vector<Measurement> m_results;
};

const Query* drawList(TForm1& f) {
    return f.ADOQuery1;
}
const Query* chart(TForm1& f) {
    return f.ADOQuery4;
}

// A list view, with its chart re-read and paint, is to take no longer than
// the shell printing the same rows; the chart re-read no longer than twice
// the frequency table of the same counts.
constexpr double kListViewGoal = 1.0;
constexpr double kChartGoal = 2.0;

void runCommands(Bench& bench) {
    using F = TForm1;
    bench.measure(
        QStringLiteral("Newest first (Button11)"), [](F& f) { f.Button11Click(&f); }, drawList,
        bench.shell(ViewQueries::byDrawDesc()), kListViewGoal);
    bench.measure(
        QStringLiteral("By ball combination (Button10)"), [](F& f) { f.Button10Click(&f); },
        drawList, bench.shell(ViewQueries::byCombination()), kListViewGoal);
    bench.measure(
        QStringLiteral("Balls in drawn order (Button19)"), [](F& f) { f.Button19Click(&f); },
        drawList, bench.shell(ViewQueries::drawnOrder()), kListViewGoal);
    bench.measure(
        QStringLiteral("Winners of six (Button17)"), [](F& f) { f.Button17Click(&f); }, drawList,
        bench.shell(ViewQueries::sixWinners()), kListViewGoal);
    bench.measure(
        QStringLiteral("Winners of five (Button18)"), [](F& f) { f.Button18Click(&f); }, drawList,
        bench.shell(ViewQueries::fiveWinners()), kListViewGoal);
    // The frequency queries need the program's own aggregate: the shell cannot run them.
    bench.measure(
        QStringLiteral("Frequency by ball (Button12)"), [](F& f) { f.Button12Click(&f); },
        drawList);
    bench.measure(
        QStringLiteral("Frequency by count (Button9)"), [](F& f) { f.Button9Click(&f); }, drawList);
    bench.measure(
        QStringLiteral("Chart re-read (ADOQuery4 close/open)"),
        [](F& f) {
            f.ADOQuery4->close();
            f.ADOQuery4->open();
        },
        chart, bench.command(QStringLiteral("Button12"), [](F& f) { f.Button12Click(&f); }),
        kChartGoal);
    ShellReference::Parameters bet;
    for (int i = 1; i <= 6; ++i) {
        bench.form().ES[i]->setText(QLatin1String(kBet[i - 1]));
        bet.append({QLatin1Char(':') + ViewQueries::ballParam(i), QLatin1String(kBet[i - 1])});
    }
    bench.measure(
        QStringLiteral("Bet check 5 12 23 31 40 47 (Button8)"), [](F& f) { f.Button8Click(&f); },
        drawList, bench.shell(ViewQueries::betCheck(), bet));
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

    bool runsSet = false;
    const int runsAsked = qEnvironmentVariableIntValue("BENCH_RUNS", &runsSet);
    // Eleven runs keep a median steady on a machine shared with other work.
    const int runs = runsSet && runsAsked > 0 ? runsAsked : 11;
    const QString shellVersion = ShellReference::version();
    if (shellVersion.isEmpty()) {
        err << "the sqlite3 shell is not installed (Debian package sqlite3): it is the "
               "reference the views are measured against\n";
        return 2;
    }
    try {
        QDir().mkpath(workDir);
        const QString dbPath = QDir(workDir).filePath(SyntheticDraws::fileName(rows));
        QElapsedTimer prepare;
        prepare.start();
        const bool built = SyntheticDraws::ensure(dbPath, rows);
        out << (built ? "Built " : "Reused ") << dbPath << " (synthetic data, " << rows
            << " draws, " << SyntheticDraws::kBetCount << " bets)";
        if (built)
            out << " in " << QString::number(prepare.elapsed() / 1000.0, 'f', 1) << " s";
        out << '\n';
        out.flush();
        writeIni(workDir, dbPath);
        out << "Reference: sqlite3 " << shellVersion.section(QLatin1Char(' '), 0, 0)
            << " as a separate process, rows printed to /dev/null; " << runs
            << " runs of each command in turns with its reference\n";
        out.flush();

        Bench bench(workDir, dbPath, runs);
        bench.measureStartup();
        runCommands(bench);
        bench.closeWindow();
        const qint64 peak = peakMemoryKiB();

        const double peakGoalMiB = rows == 1000000 ? 300 : 0;
        const int missed = printReport(out, rows, bench.results(), peak, peakGoalMiB);
        if (!bench.boxTexts().isEmpty()) {
            out << "Message boxes shown during the runs (a command failed):\n";
            for (const QString& text : bench.boxTexts())
                out << "  " << text << '\n';
            return 1;
        }
        return missed == 0 ? 0 : 3;
    } catch (const std::exception& e) {
        err << "bench failed: " << e.what() << '\n';
        return 1;
    }
}
