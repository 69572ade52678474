#pragma once

#include <QCommandLineOption>
#include <QList>
#include <QString>

class CliCommand;

// The help texts of numeron-cli and the options every command shares.
namespace HelpText {

QCommandLineOption dbOption();      // --db PATH
QCommandLineOption helpOption();    // -h, --help
QCommandLineOption versionOption(); // --version

// "numeron-cli --help" and "numeron-cli help".
QString general();
// "numeron-cli help import" and "numeron-cli import --help".
QString forCommand(const CliCommand& command);
// The line that follows a usage error.
QString seeHelp(const QString& commandName = QString());

} // namespace HelpText
