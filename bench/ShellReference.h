#pragma once

#include <QList>
#include <QPair>
#include <QString>

// The reference the view timings are measured against: the sqlite3 shell run
// as a separate process on the same database, printing the rows of the same
// query text to /dev/null.
namespace ShellReference {

// "sqlite3 3.40.1 ..." or empty when the shell is not installed.
QString version();

// Named values for the query's parameters (":v1" -> "5"), set with the shell's
// .parameter command before the query runs.
using Parameters = QList<QPair<QString, QString>>;

// Wall time in milliseconds from starting the process to its end. Throws
// std::runtime_error when the shell cannot start or reports a failure.
double runMs(const QString& database, const QString& sql, const Parameters& parameters = {});

} // namespace ShellReference
