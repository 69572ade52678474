#pragma once

#include <QString>
#include <array>
#include <vector>

namespace Lab {

// The chance that one ticket chosen at random matches exactly k of the six
// drawn numbers: C(6,k)·C(43,6-k)/C(49,6), computed exactly in integers.
double matchProbability(int k);

// One draw with stored prizes as random play sees it: how many tickets were
// played and what 3, 4, 5 and 6 matches paid.
struct PlayedDraw {
    qint64 tickets = 0;
    std::array<qint64, 4> amount{};
};

// How unusual a total prize is for random play: the share of random ticket
// sets, as many tickets on the same draws, that win at least as much.
struct PValue {
    double value = 1.0; // 1 when there is nothing to compare (the method says so)
    QString method;     // in words, for the report beside the figure
};

// Monte Carlo with a fixed seed (the same inputs give the same figure). Every
// replicate plays random tickets on the same draws; its hits per category are
// drawn exactly (a multinomial over all ticket-draws, split into binomials),
// and each hit pays the amount of a draw chosen in proportion to the tickets
// played there. A category with many hits (more than 100) adds the normal
// approximation of the sum of that many amounts instead of drawing each: by
// the central limit theorem it is accurate there, and it keeps a replicate
// cheap. Why not a formula: the total prize of random play is a sum of a few
// frequent small wins and very rare huge ones (a jackpot is one chance in
// fourteen million), so a normal approximation of the whole is wrong exactly
// in the tail a p-value is about, while simulation has the rare wins right.
// The estimate is (1 + replicates at or above) / (1 + replicates), never 0.
PValue randomPlayPValue(const std::vector<PlayedDraw>& draws, qint64 observedPrize, int replicates,
                        quint64 seed);

} // namespace Lab
