#pragma once

#include "analysis/BallSet.h"

#include <QString>
#include <array>
#include <atomic>
#include <functional>

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

// What a long computation listens to: the share done (0 to 1) now and then,
// and a flag that another thread sets to ask it to stop early.
struct Control {
    std::function<void(double share)> progress;
    const std::atomic_bool* stop = nullptr;

    bool stopRequested() const { return stop && stop->load(std::memory_order_relaxed); }
};

} // namespace Lab
