#pragma once

#include <QtAlgorithms>
#include <QtGlobal>

// A set of balls of one drum, 1 to 90 (bit b stands for ball b): two 64-bit
// words, so that a draw, a ticket or a choice of numbers is a value that
// intersects and counts in a few instructions.
namespace Lottery {

class BallSet {
public:
    constexpr BallSet() = default;
    // Bit b of the word pair: ball b for 0 <= b < 128; 0 is never a ball.
    static constexpr int kCapacity = 128;

    constexpr bool contains(int ball) const {
        return ball >= 0 && ball < kCapacity && (word(ball) >> (ball & 63) & 1) != 0;
    }
    // Adds a ball from 0 to 127; anything else is left out.
    constexpr void add(int ball) {
        if (ball >= 0 && ball < kCapacity)
            wordRef(ball) |= quint64(1) << (ball & 63);
    }
    constexpr void remove(int ball) {
        if (ball >= 0 && ball < kCapacity)
            wordRef(ball) &= ~(quint64(1) << (ball & 63));
    }
    int count() const { return qPopulationCount(m_low) + qPopulationCount(m_high); }
    constexpr bool isEmpty() const { return (m_low | m_high) == 0; }

    constexpr BallSet operator|(BallSet other) const {
        return BallSet(m_low | other.m_low, m_high | other.m_high);
    }
    constexpr BallSet operator&(BallSet other) const {
        return BallSet(m_low & other.m_low, m_high & other.m_high);
    }
    constexpr BallSet& operator|=(BallSet other) { return *this = *this | other; }
    constexpr BallSet& operator&=(BallSet other) { return *this = *this & other; }
    constexpr bool operator==(BallSet other) const {
        return m_low == other.m_low && m_high == other.m_high;
    }
    constexpr bool operator!=(BallSet other) const { return !(*this == other); }
    // Balls in both: the matches of a ticket with a draw.
    int common(BallSet other) const { return (*this & other).count(); }

    // Calls f(ball) for every ball, in ascending order.
    template <typename F> void forEach(F&& f) const {
        for (quint64 w = m_low; w; w &= w - 1)
            f(int(qCountTrailingZeroBits(w)));
        for (quint64 w = m_high; w; w &= w - 1)
            f(64 + int(qCountTrailingZeroBits(w)));
    }

    // The two words, for hashing and storage: balls 0..63, then 64..127.
    constexpr quint64 low() const { return m_low; }
    constexpr quint64 high() const { return m_high; }

private:
    constexpr BallSet(quint64 low, quint64 high) : m_low(low), m_high(high) {}
    constexpr quint64 word(int ball) const { return ball < 64 ? m_low : m_high; }
    constexpr quint64& wordRef(int ball) { return ball < 64 ? m_low : m_high; }
    quint64 m_low = 0;
    quint64 m_high = 0;
};

} // namespace Lottery
