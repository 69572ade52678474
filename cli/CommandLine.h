#pragma once

#include <QString>
#include <QStringList>

class Console;

// numeron-cli's command line: the shared options, "help", and the dispatch to
// the subcommands of CommandRegistry.
namespace CommandLine {

// Runs the command line (the program name first) with razyg.ini looked for in
// appDir, and returns the exit code (see ExitCode).
int run(const QStringList& arguments, const QString& appDir, Console& console);

} // namespace CommandLine
