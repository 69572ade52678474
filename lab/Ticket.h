#pragma once

#include "analysis/BallSet.h"
#include "game/Game.h"
#include "game/Odds.h"
#include "game/Ticket.h"

#include <QString>
#include <array>
#include <vector>

namespace Lab {

// A set of balls of one drum, 1 to 90 (bit b stands for ball b), as one
// 128-bit value: the filters and the backtest intersect and count these in a
// few instructions whatever the game.
__extension__ using BallBits = unsigned __int128;

inline BallBits ballBit(int ball) {
    return BallBits(1) << ball;
}
inline int bitCount(BallBits bits) {
    return qPopulationCount(quint64(bits)) + qPopulationCount(quint64(bits >> 64));
}
// Calls f(ball) for every ball of the set, in ascending order.
template <typename F> void forEachBit(BallBits bits, F&& f) {
    for (quint64 w = quint64(bits); w; w &= w - 1)
        f(int(qCountTrailingZeroBits(w)));
    for (quint64 w = quint64(bits >> 64); w; w &= w - 1)
        f(64 + int(qCountTrailingZeroBits(w)));
}
BallBits bitsOf(const Lottery::Numbers& numbers);

// One ticket of the lab: the numbers of the main drum ascending, then zeros
// (at most seven), and those of the second drum the same way. Indexing and
// iteration see the main drum, so that a ticket of six is written and read
// as six numbers: Ticket{1, 2, 3, 4, 5, 6}.
struct Ticket {
    std::array<int, Lottery::kMaxBalls> main{};
    std::array<int, Lottery::kMaxBalls> second{};

    int& operator[](size_t i) { return main[i]; }
    int operator[](size_t i) const { return main[i]; }
    // The numbers of the main drum: those before the first 0.
    int size() const {
        int n = 0;
        while (n < Lottery::kMaxBalls && main[size_t(n)] != 0)
            ++n;
        return n;
    }
    int* begin() { return main.data(); }
    int* end() { return main.data() + size(); }
    const int* begin() const { return main.data(); }
    const int* end() const { return main.data() + size(); }

    bool operator==(const Ticket& other) const {
        return main == other.main && second == other.second;
    }
    bool operator!=(const Ticket& other) const { return !(*this == other); }
    bool operator<(const Ticket& other) const {
        return main != other.main ? main < other.main : second < other.second;
    }
};

// Every combination of six numbers from 49.
inline const qint64 kAllCombinations = qint64(Lottery::combinations(Lottery::Game()));

// The main drum's balls.
BallBits ballsOf(const Ticket& ticket);
// The second drum's balls; none in a one-drum game.
BallBits secondBallsOf(const Ticket& ticket);

// The same ticket as the game's ticket files read and write it, and back.
Lottery::Ticket toGameTicket(const Ticket& ticket);
Ticket fromGameTicket(const Lottery::Ticket& ticket);
// The main drum's six numbers of tickets of six, for the window's 6 из 49 lists.
std::vector<std::array<int, 6>> sixNumberTickets(const std::vector<Ticket>& tickets);

// "шести": a count of balls (3 to 7) in the genitive, for "не больше шести чисел".
QString countGenitive(int k);
// What makes a draw of the game well-formed, for messages: "шесть разных чисел
// от 1 до 49", or with genitive "шести разных чисел от 1 до 49"; a second drum
// adds " и 1 от 1 до 20".
QString wellFormedDrawText(const Lottery::Game& game, bool genitive = false);

// "1 2 3 4 5 6" style text with the given separator (the main drum).
QString ticketText(const Ticket& ticket, QChar separator);

} // namespace Lab
