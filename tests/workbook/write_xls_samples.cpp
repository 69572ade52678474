// Writes the legacy workbooks the reader tests are built on into a folder: the
// seed corpus of the .xls fuzz target (fuzz/fuzz_xls_workbook.cpp).
//
//   write_xls_samples DIR
#include "tests/support/XlsSamples.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: write_xls_samples DIR\n";
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.mkpath(QStringLiteral("."))) {
        err << "cannot create " << dir.path() << '\n';
        return 1;
    }
    for (const XlsSamples::Sample& sample : XlsSamples::all()) {
        QFile file(dir.filePath(sample.name));
        if (!file.open(QIODevice::WriteOnly) || file.write(sample.bytes) != sample.bytes.size()) {
            err << "cannot write " << file.fileName() << '\n';
            return 1;
        }
    }
    return 0;
}
