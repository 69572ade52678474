// Times the import of a results workbook into an empty database through the
// program's own import (the same code the online update runs), and prints the
// time and the peak memory. The workbook is made by
// tools/make_synthetic_workbook.py (synthetic data).
//
//   numeron_bench_import WORKBOOK.xlsx
#include "bench/BenchApp.h"
#include "bench/BenchReport.h"
#include "dataset/Query.h"
#include "gui/Unit1.h"
#include "startup/DatabaseSetup.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    setUpBenchApplication(app);
    QTextStream out(stdout);
    if (argc != 2) {
        out << "usage: numeron_bench_import WORKBOOK.xlsx\n";
        return 2;
    }
    const QString workbook = QString::fromLocal8Bit(argv[1]);
    QTemporaryDir dir;
    DatabaseSetup::ensureDefaults(dir.path());
    CountingBoxes boxes;
    TForm1 form(dir.path(), &boxes);
    form.FormCreate(&form);
    if (form.terminated() || !QFile::copy(workbook, form.ResultsFileName)) {
        out << "cannot prepare the import\n";
        return 1;
    }

    QElapsedTimer timer;
    timer.start();
    form.ADOQuery5->open();
    form.RazygUpdate();
    form.ADOQuery5->close();
    const double ms = timer.nsecsElapsed() / 1e6;

    form.ADOQuery1->close();
    form.ADOQuery1->open();
    out << "Import of " << workbook << " (synthetic data) into an empty database\n";
    out << "  draws stored:  " << form.ADOQuery1->recordCount() << '\n';
    out << "  message:       " << boxes.texts.value(boxes.texts.size() - 1) << '\n';
    out << "  time:          " << QString::number(ms, 'f', 1) << " ms\n";
    out << "  peak memory:   " << QString::number(peakMemoryKiB() / 1024.0, 'f', 1) << " MiB\n";
    return 0;
}
