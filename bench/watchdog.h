#ifndef SFP_WATCHDOG_H
#define SFP_WATCHDOG_H

#include <condition_variable>
#include <mutex>
#include <thread>

// Ends the process if a run takes longer than it may: a bench must never hang, whatever
// the code under measurement does. Runs its own thread; the destructor disarms it.
class Watchdog
{
public:
    Watchdog(int seconds, const char *what);
    ~Watchdog();
    Watchdog(const Watchdog &) = delete;
    Watchdog &operator=(const Watchdog &) = delete;

private:
    std::mutex mutex;
    std::condition_variable wake;
    bool disarmed = false;
    std::thread thread;
};

#endif // SFP_WATCHDOG_H
