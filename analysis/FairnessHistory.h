#pragma once

#include "analysis/BallSet.h"

#include <array>
#include <vector>

class Connection;

namespace Analysis {

// The balls of one draw in the order they came out of the drum (ss1..ss6).
using DrawnOrder = std::array<quint8, 6>;

enum class OrderKind : quint8 {
    None,     // ss1..ss6 all empty: the draw keeps no drawn order
    Valid,    // six distinct balls 1..49, the same six as the draw's own balls
    Malformed // anything else: some columns filled, a bad value, a repeat, other balls
};

// One stored draw as the randomness tests see it.
struct FairnessDraw {
    BallSet balls = 0;
    DrawnOrder order{}; // meaningful only when orderKind is Valid
    OrderKind orderKind = OrderKind::None;
};

// Every stored draw, oldest first, by draw number; a row without a draw
// number is not a draw, and a row repeating the number of one stored before it
// (an outside edit: the program never stores a number twice) is the same draw
// again: only the first stored counts. Malformed draws are kept here and left
// out by the tests.
struct FairnessHistory {
    std::vector<FairnessDraw> draws;
    qint64 duplicates = 0; // rows left out for repeating a draw number

    qint64 size() const { return qint64(draws.size()); }
    // Index of the first of the newest lastN draws; lastN <= 0 means all.
    qint64 windowStart(qint64 lastN) const {
        return lastN > 0 && lastN < size() ? size() - lastN : 0;
    }
};

// The draws the tests take from the newest lastN draws (all for lastN <= 0):
// the regular ones, oldest first, and the drawn orders of those that keep a valid one.
struct FairnessSample {
    std::vector<BallSet> draws;
    std::vector<DrawnOrder> orders;
    qint64 irregular = 0;      // draws left out: not six distinct balls 1..49
    qint64 orderMalformed = 0; // regular draws whose drawn order is unusable
    qint64 duplicates = 0;     // of the whole history (FairnessHistory::duplicates)
};

// Reads s1..s6 and ss1..ss6 of every draw. Throws AppError with the engine's text.
FairnessHistory readFairnessHistory(Connection& connection);

// Classifies the six drawn-order values (0 for an empty column, -1 for a value
// that is no ball) of a draw with the given balls.
OrderKind classifyOrder(BallSet balls, const std::array<int, 6>& values);

FairnessSample fairnessSample(const FairnessHistory& history, qint64 lastN);

} // namespace Analysis
