#pragma once

#include <QtGlobal>
#include <optional>
#include <vector>

namespace Draws {
struct History;
}

namespace Analysis {

// How many balls are marked hot and how many cold.
constexpr int kHotColdCount = 5;

// One ball of the main drum over the draw history, the draws taken in
// draw-number order.
//
// Delays are counted in draws, not in draw numbers: a gap in the numbering is
// no draw. The draws without the ball fall into runs: the run before its first
// appearance, the runs between two appearances, and the run after its last.
// - delay: the current run, the draws after its last appearance (0 when it is
//   in the newest draw; all the draws when it never came out);
// - maxDelay: the longest run of all, the current one included (all the draws
//   when it never came out);
// - meanDelay: the mean length of the runs that ended with an appearance, that
//   is (draws up to its last appearance - hits) / hits; none when it never came out.
struct BallStat {
    int ball = 0;
    qint64 hits = 0;   // draws holding the ball
    double per100 = 0; // hits per 100 draws; 0 without draws
    qint64 delay = 0;
    qint64 maxDelay = 0;
    std::optional<double> meanDelay;
    qint64 hitsLastN = 0; // hits in the newest N draws
    bool hot = false;
    bool cold = false;
};

// The hottest balls have the most hits in the newest N draws (then the shorter
// current delay, then the lower number), the coldest the fewest (then the
// longer current delay, then the lower number) among the balls not marked hot.
// When every ball has as many hits in the window, nothing is marked.
struct BallTable {
    qint64 draws = 0;     // draws in the history
    qint64 lastN = 0;     // draws in the newest-N window
    qint64 irregular = 0; // draws that are not K distinct balls from 1 to N (and K2 of 1..N2)
    // Hits expected per 100 draws when each of the N balls is equally likely: 100·K/N.
    double expectedPer100 = 0;
    std::vector<BallStat> balls; // balls 1..N of the main drum, ball 1 at [0]
};

// lastN <= 0 or beyond the history: the window is the whole history.
BallTable computeBallStats(const Draws::History& history, qint64 lastN);

} // namespace Analysis
