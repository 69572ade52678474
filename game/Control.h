#pragma once

#include <QtGlobal>
#include <atomic>
#include <functional>

// What a long computation listens to (a filter over every combination, a
// wheel search, a simulation): a flag that another thread sets to ask it to
// stop early, and a report of how far it got, now and then. One type for every
// library; each chooses what it reports.
namespace Lottery {

// The usual report: so many units done out of so many.
struct Progress {
    qint64 done = 0;
    qint64 total = 0;
    // The share done, 0 to 1 (0 while the total is unknown).
    double share() const { return total > 0 ? double(done) / double(total) : 0.0; }
};

template <typename Report = Progress> struct Control {
    // Set from another thread to ask for an early stop; may be null.
    const std::atomic<bool>* stop = nullptr;
    // Called on the computing thread; may be empty.
    std::function<void(const Report&)> progress;

    bool stopRequested() const { return stop && stop->load(std::memory_order_relaxed); }
    void report(const Report& report) const {
        if (progress)
            progress(report);
    }
};

} // namespace Lottery
