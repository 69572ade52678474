#pragma once

#include <QString>

// Builds a database of made-up draws for the benchmarks. Nothing in it comes
// from real lottery results: balls, winner counts and amounts are drawn from a
// fixed-seed generator, so every run with the same row count gets the same file.
namespace SyntheticDraws {

// "synthetic-draws-<rows>.db".
QString fileName(int rows);

// Makes sure path holds exactly `rows` synthetic draws (and a few hundred
// bets). An existing file with the right counts is kept; anything else is
// replaced. Returns true when the file was (re)built.
bool ensure(const QString& path, int rows);

// Number of bets written next to the draws.
constexpr int kBetCount = 300;

} // namespace SyntheticDraws
