// Writes a database of synthetic draws (see SyntheticDraws) for the
// command-line benchmark; an existing file with the right counts is kept.
//
//   numeron_bench_synthetic_db ROWS PATH
#include "bench/SyntheticDraws.h"

#include <QCoreApplication>
#include <QTextStream>
#include <exception>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = QCoreApplication::arguments();
    bool ok = false;
    const int rows = args.value(1).toInt(&ok);
    if (args.size() != 3 || !ok || rows < 0) {
        err << "usage: numeron_bench_synthetic_db ROWS PATH\n";
        return 2;
    }
    try {
        SyntheticDraws::ensure(args.at(2), rows);
    } catch (const std::exception& e) {
        err << "cannot write " << args.at(2) << ": " << e.what() << '\n';
        return 1;
    }
    return 0;
}
