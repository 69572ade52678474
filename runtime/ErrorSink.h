#pragma once

#include <exception>
#include <functional>

// Where errors go that no caller can take: those raised inside a signal that
// Qt delivers (an exception must not cross Qt's own code). The window installs
// the standard error box; without one the error is written as a warning.
namespace ErrorSink {

using Reporter = std::function<void(const std::exception&)>;

void setReporter(Reporter reporter);
void report(const std::exception& error);

// Runs action and reports what escapes it.
template <typename F> void guarded(F&& action) {
    try {
        action();
    } catch (const std::exception& e) {
        report(e);
    }
}

} // namespace ErrorSink
