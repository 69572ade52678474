// Opens one workbook through the program's reader and prints how it ended
// (its last used row, or the message it was refused with), the time it took
// and the process's peak memory. One workbook per process, so that each peak
// belongs to one workbook alone (bench/run_hostile_benchmark.sh).
//
//   numeron_bench_workbook_open WORKBOOK
#include "bench/BenchReport.h"
#include "runtime/AppError.h"
#include "workbook/Workbook.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    if (argc != 2) {
        out << "usage: numeron_bench_workbook_open WORKBOOK\n";
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    QString outcome;
    QElapsedTimer timer;
    timer.start();
    try {
        const std::unique_ptr<Workbook> book = Workbook::open(path);
        outcome = QStringLiteral("opened, %1 rows").arg(book->lastUsedRow());
    } catch (const AppError& error) {
        outcome = QStringLiteral("refused: ") + error.message().left(90);
    }
    const double ms = timer.nsecsElapsed() / 1e6;
    out << QFileInfo(path).fileName() << '\t' << QFileInfo(path).size() / 1024 << " KiB\t"
        << QString::number(ms, 'f', 0) << " ms\t"
        << QString::number(peakMemoryKiB() / 1024.0, 'f', 1) << " MiB\t" << outcome << '\n';
    return 0;
}
