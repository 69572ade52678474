#pragma once

#include <QtGlobal>

// The time as the program reads it where time decides what happens (how long
// an import writes before it commits): a monotonic count of milliseconds.
// Tests put a clock of their own in place, so that they say when time passes
// instead of sleeping.
class Clock {
public:
    virtual ~Clock() = default;
    virtual qint64 monotonicMilliseconds() const;

    static qint64 now() { return instance().monotonicMilliseconds(); }
    static const Clock& instance();
    // Puts clock in place (nullptr: the system's clock again); the caller
    // keeps it alive while it is in place.
    static void setInstance(const Clock* clock);
};
