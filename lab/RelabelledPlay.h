#pragma once

#include "lab/Money.h"
#include "lab/PlayedTickets.h"

#include <vector>

namespace Lab {

// How unusual a ticket set's total prize is for the same set with its balls
// relabelled at random: a uniform permutation of the main drum's 1..N applied
// to every ticket keeps the set's structure (how its tickets overlap), so a
// set of 30 tickets on 9 numbers is compared with other sets of 30 tickets on
// 9 numbers, not with 30 independent random tickets, whose wins come far less
// bunched. Under fair draws the set's own labels are one of these relabellings
// like any other, so the p-value is honest whatever the structure. A second
// drum keeps its numbers: its matches are the set's own.
//
// Monte Carlo with a fixed seed (the same inputs give the same figure): each
// replicate is one permutation, kept for all the draws. Relabelling the
// tickets by a permutation or the draw by its inverse gives the same matches,
// so each draw is relabelled (K balls) and checked against the set as
// played, by the same exact count of matches as the set itself.
class RelabelledPlay {
public:
    // n: the main drum's numbers 1..n.
    RelabelledPlay(int replicates, quint64 seed, int n);

    int replicates() const { return int(m_totals.size()); }
    // One draw: the tickets played on it and what each category paid (the
    // game's order).
    void addDraw(const PlayedTickets& played, BallBits drawMain, BallBits drawSecond,
                 const std::vector<qint64>& amount);
    // (1 + replicates winning at least `observed`) / (1 + replicates): never 0.
    double pValue(Money observed) const;

private:
    size_t m_stride = 0;          // n + 1
    std::vector<quint8> m_labels; // per replicate: ball 0..n -> its new label
    std::vector<Money> m_totals;
};

} // namespace Lab
