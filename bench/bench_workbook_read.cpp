// Times the reading of the same results workbook saved as .xls and as .xlsx:
// Workbook::open and the text of every cell of the eighteen import columns,
// as the import asks for them. Prints the median of several runs of each and
// the ratio of the .xls reader to the .xlsx reader (the reference).
//
//   numeron_bench_workbook_read BOOK.xls BOOK.xlsx [RUNS]
#include "bench/BenchReport.h"
#include "workbook/Workbook.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

namespace {

// Reads every cell and returns a checksum of the texts' lengths, so that the
// work cannot be left out.
qint64 readAll(const QString& path, int& rows) {
    const std::unique_ptr<Workbook> book = Workbook::open(path);
    rows = book->lastUsedRow();
    qint64 characters = 0;
    for (int row = 1; row <= rows; ++row) {
        for (int column = 1; column <= 18; ++column)
            characters += book->cellText(row, column).size();
    }
    return characters;
}

Measurement measure(const QString& label, const QString& path, int runs, int& rows,
                    qint64& characters) {
    Measurement measurement;
    measurement.command = label;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        characters = readAll(path, rows);
        measurement.runsMs.push_back(timer.nsecsElapsed() / 1e6);
    }
    measurement.resultRows = rows;
    return measurement;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    if (argc < 3) {
        out << "usage: numeron_bench_workbook_read BOOK.xls BOOK.xlsx [RUNS]\n";
        return 2;
    }
    const int runs = argc > 3 ? qMax(1, QByteArray(argv[3]).toInt()) : 5;
    int xlsRows = 0;
    int xlsxRows = 0;
    qint64 xlsCharacters = 0;
    qint64 xlsxCharacters = 0;
    const Measurement xlsx = measure(QStringLiteral(".xlsx"), QString::fromLocal8Bit(argv[2]), runs,
                                     xlsxRows, xlsxCharacters);
    const Measurement xls = measure(QStringLiteral(".xls"), QString::fromLocal8Bit(argv[1]), runs,
                                    xlsRows, xlsCharacters);
    out << "Reading a results workbook (synthetic data), median of " << runs << " runs\n";
    for (const Measurement* m : {&xlsx, &xls}) {
        out << "  " << m->command.leftJustified(6) << QString::number(m->medianMs(), 'f', 1)
            << " ms, " << m->resultRows << " rows\n";
    }
    out << "  ratio .xls / .xlsx: " << QString::number(xls.medianMs() / xlsx.medianMs(), 'f', 2)
        << '\n';
    out << "  peak memory:  " << QString::number(peakMemoryKiB() / 1024.0, 'f', 1) << " MiB\n";
    if (xlsRows != xlsxRows || xlsCharacters != xlsxCharacters) {
        out << "  the two files do not read alike (" << xlsCharacters << " and " << xlsxCharacters
            << " characters)\n";
        return 1;
    }
    return 0;
}
