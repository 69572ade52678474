#pragma once

#include "tests/support/SimpleXls.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The legacy workbooks the reader tests are built on; also the seed corpus of
// the .xls fuzz target (tests/update/write_xls_samples.cpp writes them out).
namespace XlsSamples {

// A book with a cell of every kind the reader knows (see XlsReaderTest for
// what each shows): numbers through built-in and custom formats, RK and MULRK
// values, shared strings split across CONTINUE records in both widths, rich
// text, labels, booleans, errors, formulas with every kind of cached result,
// cells of formatting alone, a cell beyond the last column, an embedded chart,
// a chart sheet before the worksheet and a second worksheet after it.
SimpleXls features();

// A BIFF5 book ("Book" stream) with its text in code page 1251.
SimpleXls biff5();

// `rows` results rows of eighteen columns below a heading, the amounts formatted
// "0.00"; enough rows take the workbook stream past the mini stream's 4096 bytes.
SimpleXls results(int rows);

struct Sample {
    QString name;
    QByteArray bytes;
};
// Every sample as a file: the books above in each kind of container.
QList<Sample> all();

} // namespace XlsSamples
