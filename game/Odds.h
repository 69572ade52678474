#pragma once

#include "game/Game.h"

#include <QtGlobal>
#include <optional>

// Exact counts and chances of a game: binomial coefficients in 64 bits, the
// hypergeometric chance of m matches, and the chance of a prize category.
namespace Lottery {

// C(n, k) exactly, or nothing when it does not fit in 64 bits (C(90, 7) =
// 7,471,375,560 does; C(90, 45) does not). 0 for k < 0 or k > n.
std::optional<quint64> binomial(int n, int k);

// The same for sizes a game allows, where it always fits (n <= 90, k <= 7 or
// k >= n - 7). Throws GameError when it does not.
quint64 binomialOf(int n, int k);

// Ways for a ticket of k numbers from 1..n to match exactly m of the k drawn:
// C(k, m) · C(n − k, k − m). Out of C(n, k) in all.
quint64 matchWays(int n, int k, int m);

// The hypergeometric chance of exactly m matches: matchWays / C(n, k).
double matchChance(int n, int k, int m);

// The chance that one ticket of the game wins in the category: the main
// drum's chance times, with a second drum, the second drum's.
double categoryChance(const Game& game, const Category& category);

// Every combination of the main drum: C(N, K).
quint64 combinations(const Game& game);

} // namespace Lottery
