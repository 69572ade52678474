#pragma once

#include "lab/Filter.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <optional>

// The ticket filter's options, shared by "filter" and "backtest --walk-forward":
// --sum A-B, --odd A-B, --low A-B, --max-run R, --decade-max D, --include LIST,
// --exclude LIST, --not-drawn, --shared-with-last-max X, --hot N:W:H, --cold N:W:H.
namespace FilterOptions {

QList<QCommandLineOption> options();
// Whether any of them is on the command line.
bool anySet(const QCommandLineParser& parser);
// The filter they describe for the game (6 из 49 unless given). Throws
// UsageError naming the option when a value is malformed or unsound (a range
// backwards, a number outside 1..N).
Lab::Filter chosen(const QCommandLineParser& parser, const Lottery::Game& game = {});
// Whether the filter on the command line looks at the stored draws.
bool usesHistory(const QCommandLineParser& parser);

// A whole number option of at least `least`; none when it is not given.
// Throws UsageError for anything else.
std::optional<qint64> wholeNumber(const QCommandLineParser& parser, const QString& name,
                                  qint64 least);

} // namespace FilterOptions
