#pragma once

#include "game/BallSet.h"
#include "game/Ticket.h"

#include <QtAlgorithms>
#include <QtGlobal>

struct sqlite3_stmt;

namespace Analysis {

// The balls of one draw or bet as a set: bit n stands for ball n (1 to 49).
// Six stored numbers give at most six balls; a value that is not a whole
// number from 1 to 49 (hand entry allows 0, 50 and more) stands for no ball,
// and a number written twice is one ball.
using BallSet = quint64;

inline int ballCount(BallSet set) {
    return qPopulationCount(set);
}

// A regular draw: six distinct balls from 1 to 49 in its six columns.
inline bool isRegularDraw(BallSet set) {
    return ballCount(set) == 6;
}

// Calls f(ball) for every ball of the set, in ascending order.
template <typename F> void forEachBall(BallSet set, F&& f) {
    while (set) {
        f(int(qCountTrailingZeroBits(set)));
        set &= set - 1;
    }
}

// The set of the balls in the six result columns first .. first + 5.
BallSet ballSetFromColumns(sqlite3_stmt* statement, int first);

// The balls 1 to 49 of a drum as read (Draws::Drum::sorted) or ranked: the
// statistics here count the balls of 6 из 49.
inline BallSet ballSetOf(const Lottery::BallSet& balls) {
    return balls.low() & (((BallSet(1) << 49) - 1) << 1);
}
inline BallSet ballSetOf(const Lottery::Numbers& balls) {
    BallSet set = 0;
    for (const int ball : balls)
        set |= ball <= 49 ? BallSet(1) << ball : 0;
    return set;
}

} // namespace Analysis
