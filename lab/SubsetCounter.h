#pragma once

#include "lab/Ticket.h"

#include <array>
#include <vector>

namespace Lab {

// MatchCounter's way for tickets of any one-drum game, K numbers of 1..N: how
// many tickets of a set match m = fewest..K balls of a draw, exactly. It keeps
// how many tickets hold each set of j numbers, fewest <= j < K, in a dense
// table per j (the colex rank of the subset), and the whole tickets in a hash
// table; for a draw D, N_j, the sum of those counts over the j-subsets of D,
// equals the sum over k of C(k, j)·h_k, solved from K down. A draw of seven
// costs at most 127 look-ups whatever the size of the set.
class SubsetCounter {
public:
    // Whether the tables for the game fit in the memory allowed for them
    // (fewest at least 1).
    static bool fits(int k, int n, int fewest);
    SubsetCounter(int k, int n, int fewest);

    void add(BallBits ticket) { change(ticket, 1); }
    void remove(BallBits ticket) { change(ticket, -1); }
    // Tickets with exactly m matches for m = fewest..K ([m]; below fewest 0).
    std::array<qint64, Lottery::kMaxBalls + 1> hits(BallBits draw) const;

private:
    using Terms = std::array<std::array<qint64, Lottery::kMaxBalls + 1>, Lottery::kMaxBalls>;
    Terms termsOf(BallBits set) const;
    void change(BallBits ticket, int by);
    qint64& wholeCount(BallBits ticket);
    qint64 wholeCountOf(BallBits ticket) const;
    size_t slotOf(BallBits ticket) const;

    int m_k, m_fewest;
    std::vector<std::array<qint64, Lottery::kMaxBalls + 1>> m_binomial; // C(n, i), n < N
    // Per j, the j-subsets of K positions, j numbers each, one after another.
    std::array<std::vector<quint8>, Lottery::kMaxBalls> m_positions;
    std::array<std::vector<qint32>, Lottery::kMaxBalls> m_counts; // per j, by colex rank
    std::vector<BallBits> m_keys;                                 // whole tickets; 0: empty
    std::vector<qint64> m_wholes;
    size_t m_used = 0;
};

} // namespace Lab
