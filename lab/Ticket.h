#pragma once

#include "analysis/BallSet.h"

#include <QString>
#include <array>

namespace Lab {

// One six-number ticket, its numbers ascending from 1 to 49.
using Ticket = std::array<int, 6>;

// Every combination of six numbers from 49.
constexpr qint64 kAllCombinations = 13983816;

inline Analysis::BallSet ballsOf(const Ticket& ticket) {
    Analysis::BallSet set = 0;
    for (int ball : ticket)
        set |= Analysis::BallSet(1) << ball;
    return set;
}

// "1 2 3 4 5 6" style text with the given separator.
QString ticketText(const Ticket& ticket, QChar separator);

} // namespace Lab
