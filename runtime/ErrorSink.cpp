#include "runtime/ErrorSink.h"

#include "runtime/AppError.h"

#include <QtGlobal>

namespace ErrorSink {

namespace {
Reporter& current() {
    static Reporter reporter;
    return reporter;
}
} // namespace

void setReporter(Reporter reporter) {
    current() = std::move(reporter);
}

void report(const std::exception& error) {
    if (current())
        current()(error);
    else
        qWarning("%s", error.what());
}

} // namespace ErrorSink
