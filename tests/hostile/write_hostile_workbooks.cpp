// Writes the hostile workbooks of the reader's tests as files: small ones (for
// the limits the tests use) as fuzzing seeds, or with "full" at the scale of
// the reader's own limits and of the reported findings, for benchmarks.
//
//   numeron_write_hostile_workbooks DIR [full]
#include "tests/hostile/HostileWorkbooks.h"

#include <QDir>
#include <QFile>
#include <QTextStream>

int main(int argc, char** argv) {
    QTextStream out(stdout);
    const bool full = argc == 3 && QByteArray(argv[2]) == "full";
    if (argc < 2 || argc > 3 || (argc == 3 && !full)) {
        out << "usage: numeron_write_hostile_workbooks DIR [full]\n";
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.mkpath(QStringLiteral("."))) {
        out << "cannot make " << dir.path() << '\n';
        return 1;
    }
    for (const HostileWorkbook& book :
         hostileWorkbooks(full ? XlsxLimits() : smallLimits(), full)) {
        QFile file(dir.filePath(book.name + QLatin1String(".xlsx")));
        if (!file.open(QIODevice::WriteOnly) || file.write(book.bytes) != book.bytes.size()) {
            out << "cannot write " << file.fileName() << '\n';
            return 1;
        }
        out << file.fileName() << ' ' << book.bytes.size() << " bytes\n";
    }
    return 0;
}
