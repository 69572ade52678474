#pragma once

#include "analysis/BallSet.h"
#include "draws/StoredDraws.h"

#include <array>
#include <vector>

namespace Analysis {

// The balls of one draw in the order they came out of the drum (ss1..ss6).
using DrawnOrder = std::array<quint8, 6>;

// What the tests read of the stored draws: the drawn order too, and a row
// repeating the number of one stored before it (an outside edit: the program
// never stores a number twice) left out, as the same draw again: only the
// first stored counts.
Draws::Request fairnessRequest();

// The draws the tests take from the newest lastN draws (all for lastN <= 0):
// the regular ones, oldest first, and the drawn orders of those that keep a valid one.
struct FairnessSample {
    std::vector<BallSet> draws;
    std::vector<DrawnOrder> orders;
    qint64 irregular = 0;      // draws left out: not six distinct balls 1..49
    qint64 orderMalformed = 0; // regular draws whose drawn order is unusable
    qint64 duplicates = 0;     // of the whole history (Draws::History::repeated)
};

// Of a history read with fairnessRequest().
FairnessSample fairnessSample(const Draws::History& history, qint64 lastN);

} // namespace Analysis
