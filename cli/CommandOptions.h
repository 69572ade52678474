#pragma once

#include "game/Game.h"
#include "runtime/TableText.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QStringList>
#include <optional>

// Options and argument checks that several subcommands share. Every check
// throws UsageError (exit code 2) with a Russian text.
namespace CommandOptions {

// --format with the given choices; the first one is the default.
QCommandLineOption format(const QStringList& choices);
// The chosen --format, one of the choices.
QString chosenFormat(const QCommandLineParser& parser, const QStringList& choices);

// --format csv|json of a table, CSV by default, and the one chosen.
QCommandLineOption tableFormat();
TableText::Format chosenTableFormat(const QCommandLineParser& parser);

// --last N, described by what it limits ("тиражей", "ставок").
QCommandLineOption last(const QString& what);
// N of --last (a whole number from 1), or none when the option is not given.
std::optional<qint64> lastCount(const QCommandLineParser& parser, const QString& what);

// --game K/N or K/N+K2/N2: the game of a command that can work without a
// database (pure filter conditions, wheels).
QCommandLineOption game();
// The game named by --game (UsageError for a bad one), or none when it is not
// given and the command is to work on the database's game.
std::optional<Lottery::Game> chosenGame(const QCommandLineParser& parser);

// Refuses positional arguments beyond the first allowed ones.
void allowArguments(const QCommandLineParser& parser, int allowed);

} // namespace CommandOptions
