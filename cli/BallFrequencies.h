#pragma once

#include <QtGlobal>
#include <array>
#include <optional>

class Connection;

// How often each ball 1 to 49 was drawn, counted as the window's frequency
// views count (the ball_hits aggregate: a draw counts once for each ball it
// holds, rows without a draw number are left out), over all draws or the
// newest ones by draw number.
namespace BallFrequencies {

using Counts = std::array<qint64, 49>; // [0] is ball 1

// last: the number of newest draws to count; none for all of them. The
// connection needs ball_hits (registerBallHits).
Counts count(Connection& connection, std::optional<qint64> last = std::nullopt);

} // namespace BallFrequencies
