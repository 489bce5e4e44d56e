#include "watchdog.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

Watchdog::Watchdog(int seconds, const char *what)
{
    thread = std::thread([this, seconds, what] {
        std::unique_lock<std::mutex> lock(mutex);
        if (wake.wait_for(lock, std::chrono::seconds(seconds), [this] { return disarmed; }))
            return;
        std::fprintf(stderr, "ANOMALY %s did not end within %d s and was stopped\n", what, seconds);
        std::fflush(stderr);
        // Nothing of the hung process can be trusted to shut down in order.
        std::_Exit(3);
    });
}

Watchdog::~Watchdog()
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        disarmed = true;
    }
    wake.notify_all();
    thread.join();
}
