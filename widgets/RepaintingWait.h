#pragma once

#include <functional>

// Runs `work` on a worker thread while the calling (GUI) thread waits in a
// local event loop that keeps the window painting and its timers running but
// takes no user input: clicks and keys stay queued until the work is done, as
// during a download. What `work` throws is thrown here. Without an application
// object the work simply runs here.
void runWhileRepainting(const std::function<void()>& work);
