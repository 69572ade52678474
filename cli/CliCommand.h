#pragma once

#include "runtime/AppError.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <memory>

class CliSession;

// Exit codes of numeron-cli.
namespace ExitCode {
constexpr int Done = 0;
constexpr int Failed = 1;   // the message is on standard error
constexpr int BadUsage = 2; // the command line was wrong
} // namespace ExitCode

// A wrong command line: an unknown value, a missing or extra argument.
class UsageError : public AppError {
public:
    using AppError::AppError;
};

// One subcommand of numeron-cli ("import", "export", ...). Each lives in a
// file of cli/commands/ and is listed in cli/CommandList.h.
class CliCommand {
public:
    virtual ~CliCommand() = default;

    virtual QString name() const = 0;
    // One line for the command list of the general help.
    virtual QString summary() const = 0;
    // What follows the options in the usage line, e.g. "ФАЙЛ...".
    virtual QString arguments() const { return QString(); }
    // The body of the command's help: what it does, its arguments, an example.
    virtual QString description() const = 0;
    // The command's own options (--db and --help are everybody's).
    virtual QList<QCommandLineOption> options() const { return {}; }

    // Runs the command with its parsed command line. Returns an ExitCode;
    // throws UsageError for a wrong command line and AppError for a failure.
    virtual int run(CliSession& session, const QCommandLineParser& parser) = 0;
};

using CliCommandPtr = std::unique_ptr<CliCommand>;
