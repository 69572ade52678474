#pragma once

#include "game/BallSet.h"
#include "game/Game.h"

#include <QString>
#include <array>
#include <initializer_list>

// The numbers of a ticket or a draw of any game: up to seven of the main
// drum and up to seven of the second, held by value in 16 bytes.
namespace Lottery {

// Up to kMaxBalls numbers from 1 to 90, in the order given.
class Numbers {
public:
    constexpr Numbers() = default;
    Numbers(std::initializer_list<int> numbers);

    int size() const { return m_size; }
    bool isEmpty() const { return m_size == 0; }
    int operator[](int i) const { return m_values[size_t(i)]; }
    const quint8* begin() const { return m_values.data(); }
    const quint8* end() const { return m_values.data() + m_size; }

    // Appends a number from 0 to 255; false (and nothing added) when full.
    bool append(int number) {
        if (m_size >= kMaxBalls || number < 0 || number > 255)
            return false;
        m_values[m_size++] = quint8(number);
        return true;
    }
    // The same numbers in ascending order.
    Numbers sorted() const;
    BallSet set() const;
    // "1 2 3" with the given separator.
    QString text(QChar separator = QLatin1Char(' ')) const;

    bool operator==(const Numbers& other) const;
    bool operator!=(const Numbers& other) const { return !(*this == other); }
    bool operator<(const Numbers& other) const; // by the numbers, then by size

private:
    std::array<quint8, kMaxBalls> m_values{};
    quint8 m_size = 0;
};

// A ticket: K numbers of the main drum and K2 of the second, each part in
// ascending order.
struct Ticket {
    Numbers main;
    Numbers second;

    bool operator==(const Ticket& other) const {
        return main == other.main && second == other.second;
    }
    bool operator!=(const Ticket& other) const { return !(*this == other); }
    bool operator<(const Ticket& other) const {
        return main != other.main ? main < other.main : second < other.second;
    }
};

// Why the numbers are no ticket of the game (K distinct numbers from 1..N,
// and K2 from 1..N2), in words for the user; empty when they are one.
QString ticketProblem(const Game& game, const Numbers& main, const Numbers& second);

} // namespace Lottery
