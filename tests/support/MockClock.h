#pragma once

#include "runtime/Clock.h"

// A clock that moves only when the test says so; in place while it lives.
class MockClock : public Clock {
public:
    MockClock() { Clock::setInstance(this); }
    ~MockClock() override { Clock::setInstance(nullptr); }
    MockClock(const MockClock&) = delete;
    MockClock& operator=(const MockClock&) = delete;

    qint64 monotonicMilliseconds() const override { return m_now; }
    void advance(qint64 milliseconds) { m_now += milliseconds; }

private:
    qint64 m_now = 0;
};
