#pragma once

#include "game/Control.h"
#include "lab/Filter.h"
#include "lab/HistoryFacts.h"
#include "lab/Ticket.h"

#include <functional>
#include <vector>

namespace Lab {

// How many of all the combinations pass; stopped when the stop flag cut the
// count short (passing then counts what was seen).
struct CountResult {
    qint64 passing = 0;
    qint64 total = 0; // C(N, K)
    bool stopped = false;
    double share() const { return double(passing) / double(total); }
};

// The filters run over all C(N, K) combinations of the filter's game in
// ascending order (1 2 3 4 5 6, 1 2 3 4 5 7, ... for 6 из 49), choosing one
// number after another and dropping a whole branch as soon as a condition can
// no longer hold: a sum that cannot reach its range, a run or a decade already
// too long, a number to include that was passed over. A count of 6 из 49
// takes tens of milliseconds, of the 85,900,584 combinations of 7 из 49 a
// few hundred.
//
// The filter must be sound (filterProblem empty). Facts give the history-using
// conditions; they are ignored when the filter has none.

// Whether one ticket passes (the main drum's numbers ascending, distinct, 1..N).
bool passes(const Filter& filter, const HistoryFacts& facts, const Ticket& ticket);

CountResult countPassing(const Filter& filter, const HistoryFacts& facts,
                         const Lottery::Control<>& control = {});

// Hands every passing ticket, in ascending order, to sink until sink returns
// false (stopped is then set too).
CountResult streamPassing(const Filter& filter, const HistoryFacts& facts,
                          const std::function<bool(const Ticket&)>& sink,
                          const Lottery::Control<>& control = {});

// The passing tickets offset .. offset + limit - 1 in ascending order.
std::vector<Ticket> passingPage(const Filter& filter, const HistoryFacts& facts, qint64 offset,
                                qint64 limit, const Lottery::Control<>& control = {});

// Up to `size` passing tickets chosen uniformly at random (reservoir
// sampling with the given seed: the same seed gives the same sample), in
// ascending order.
std::vector<Ticket> passingSample(const Filter& filter, const HistoryFacts& facts, int size,
                                  quint64 seed, const Lottery::Control<>& control = {});

} // namespace Lab
