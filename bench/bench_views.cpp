// Times the main window's views on a synthetic database:
//   numeron_bench_views ROWS [WORKDIR]
// Builds (or reuses) WORKDIR/synthetic-draws-ROWS.db, points razyg.ini at it,
// then runs start-up and every view command three times each and prints the
// minimum and median times and the process's peak memory.
#include "app/Unit1.h"
#include "bench/BenchApp.h"
#include "bench/BenchReport.h"
#include "bench/SyntheticDraws.h"
#include "dataset/Query.h"

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

constexpr int kRuns = 3;

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

class Bench {
public:
    explicit Bench(const QString& workDir) : m_workDir(workDir) {}

    void measureStartup() {
        Measurement m{QStringLiteral("Start-up (window, first list, chart)"), -1, {}};
        for (int run = 0; run < kRuns; ++run) {
            m_form.reset();
            QElapsedTimer timer;
            timer.start();
            m_form = std::make_unique<TForm1>(m_workDir, &m_boxes);
            m_form->FormCreate(m_form.get());
            m_form->show();
            settle();
            m.runsMs.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
            if (m_form->terminated())
                throw std::runtime_error("the window ended its start-up");
        }
        m.resultRows = m_form->ADOQuery1->recordCount();
        m_results.push_back(m);
    }

    void measure(const QString& name, const std::function<void(TForm1&)>& command,
                 const std::function<const Query*(TForm1&)>& shown) {
        Measurement m{name, -1, {}};
        for (int run = 0; run < kRuns; ++run) {
            QElapsedTimer timer;
            timer.start();
            command(*m_form);
            settle();
            m.runsMs.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        }
        const Query* query = shown(*m_form);
        m.resultRows = query->isActive() ? query->recordCount() : -1;
        m_results.push_back(m);
    }

    TForm1& form() { return *m_form; }
    const std::vector<Measurement>& results() const { return m_results; }
    const QStringList& boxTexts() const { return m_boxes.texts; }
    void closeWindow() { m_form.reset(); }

private:
    QString m_workDir;
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

void runCommands(Bench& bench) {
    using F = TForm1;
    bench.measure(
        QStringLiteral("Newest first (Button11)"), [](F& f) { f.Button11Click(&f); }, drawList);
    bench.measure(
        QStringLiteral("By ball combination (Button10)"), [](F& f) { f.Button10Click(&f); },
        drawList);
    bench.measure(
        QStringLiteral("Balls in drawn order (Button19)"), [](F& f) { f.Button19Click(&f); },
        drawList);
    bench.measure(
        QStringLiteral("Winners of six (Button17)"), [](F& f) { f.Button17Click(&f); }, drawList);
    bench.measure(
        QStringLiteral("Winners of five (Button18)"), [](F& f) { f.Button18Click(&f); }, drawList);
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
        chart);
    const char* const bet[] = {"5", "12", "23", "31", "40", "47"};
    for (int i = 1; i <= 6; ++i)
        bench.form().ES[i]->setText(QLatin1String(bet[i - 1]));
    bench.measure(
        QStringLiteral("Bet check 5 12 23 31 40 47 (Button8)"), [](F& f) { f.Button8Click(&f); },
        drawList);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    setUpBenchApplication(app);

    QTextStream out(stdout);
    QTextStream err(stderr);
    const std::optional<BenchArguments> arguments = benchArguments(app.arguments());
    if (!arguments) {
        err << "usage: numeron_bench_views ROWS [WORKDIR]\n";
        return 2;
    }
    const int rows = arguments->rows;
    const QString workDir = arguments->workDir;

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

        Bench bench(workDir);
        bench.measureStartup();
        runCommands(bench);
        bench.closeWindow();
        const qint64 peak = peakMemoryKiB();

        const int missed = printReport(out, rows, bench.results(), peak);
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
