#pragma once

#include "lab/Ticket.h"

#include <array>
#include <memory>
#include <vector>

namespace Lab {

// Tickets with 3, 4, 5 and 6 matches: [0] three .. [3] six.
using MatchHits = std::array<qint64, 4>;

// How many tickets of six numbers of 1..49 in a set (a multiset: a ticket
// given twice counts twice) match 3, 4, 5 or 6 balls of a draw of six,
// exactly: the backtest's way for 6 из 49 (see PlayedTickets).
//
// A small set is counted ticket by ticket. A large one keeps how many of its
// tickets hold each set of 3, 4, 5 and 6 numbers; for a draw D, N_j, the sum
// of those counts over the j-number subsets of D, equals Σ_k C(k, j)·h_k, where
// h_k is the number of tickets with k matches. Solving from six down,
//   h6 = N6, h5 = N5 − 6·h6, h4 = N4 − 5·h5 − 15·h6, h3 = N3 − 4·h4 − 10·h5 − 20·h6,
// costs 42 look-ups a draw whatever the size of the set: a million tickets are
// checked against a draw as fast as a few dozen.
class MatchCounter {
public:
    // largestSet: the most tickets the set will hold at once (chooses the way of counting).
    explicit MatchCounter(size_t largestSet);
    ~MatchCounter();
    MatchCounter(const MatchCounter&) = delete;
    MatchCounter& operator=(const MatchCounter&) = delete;

    // A ticket of six balls in, or out (it must be in the set).
    void add(BallBits ticket);
    void remove(BallBits ticket);
    qint64 size() const { return m_size; }

    // The hits of the set on a draw of six balls.
    MatchHits hits(BallBits draw) const;

private:
    struct SubsetCounts;
    void change(quint64 ticket, int by);
    qint64 m_size = 0;
    std::vector<quint64> m_tickets;               // a small set, ticket by ticket
    std::unique_ptr<SubsetCounts> m_subsetCounts; // a large one
};

} // namespace Lab
