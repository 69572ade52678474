#include "runtime/Clock.h"

#include <QElapsedTimer>

namespace {

const Clock* g_clock = nullptr;

} // namespace

qint64 Clock::monotonicMilliseconds() const {
    static const QElapsedTimer start = [] {
        QElapsedTimer timer;
        timer.start();
        return timer;
    }();
    return start.elapsed();
}

const Clock& Clock::instance() {
    static const Clock system;
    return g_clock ? *g_clock : system;
}

void Clock::setInstance(const Clock* clock) {
    g_clock = clock;
}
