#include "sc4830fp_estimationthread.h"

#include <QElapsedTimer>

#include <algorithm>

namespace {
constexpr qint64 tickMs = 100;
// The tick is slept in slices: the GUI thread waits for this thread in stop(), and a
// whole tick of sleep would freeze its event loop for up to 100 ms at every step's end.
constexpr qint64 sliceMs = 5;
constexpr unsigned long stopGraceMs = 200;
// How long a terminated thread is given to end. It sleeps in short slices, each a point
// at which a termination takes effect, so this is never reached in practice; the bound
// keeps the GUI thread from waiting for ever should it be.
constexpr unsigned long terminateGraceMs = 2000;
// An estimate of few, large steps (a short estimated time) could reach 100 by itself and
// pass for the end of a call that has not returned: 100 belongs to the worker alone.
constexpr float estimateCeiling = 99.0f;
} // namespace

sc4830fp_estimationThread::sc4830fp_estimationThread(
    int estimatedTime, std::atomic<float> *progress, float limit)
    : estimatedTime(estimatedTime)
    , progress(progress)
    , limit(limit)
    , stopFlag(false)
{
}

sc4830fp_estimationThread::~sc4830fp_estimationThread()
{
    stop();
}

bool sc4830fp_estimationThread::stop()
{
    // Exchanges, not plain stores: together with the store that ends run() they order the
    // thread's last accesses before whatever follows stop(). QThread::wait() orders them
    // as well, but through Qt's own locks, which thread checkers cannot see.
    stopFlag.exchange(true);
    bool ended = wait(stopGraceMs);
    if (!ended) {
        terminate();
        // terminate() only requests the end; the object must not be reused or destroyed
        // while the thread still runs.
        ended = wait(terminateGraceMs);
    }
    stopFlag.exchange(false);
    return ended;
}

void sc4830fp_estimationThread::run()
{
    if (estimatedTime > 0)
        raiseEstimate();
    // The thread's last act; stop() reads it back (see there).
    stopFlag.store(false);
}

void sc4830fp_estimationThread::raiseEstimate()
{
    const float step = static_cast<float>(100.0 / estimatedTime);
    // Ticks fall due on a monotonic clock, every tickMs from the start, rather than after
    // a tick's worth of sleeps: every sleep wakes late on a busy machine, and summed up
    // over a calibration they held the estimate back by a tenth or more. A tick that is
    // overdue is raised at once, so that a late wake-up catches up.
    QElapsedTimer clock;
    clock.start();
    qint64 dueMs = 0;

    while (progress->load() < 100.0f && !stopFlag) {
        dueMs += tickMs;
        if (!sleepUntil(clock, dueMs))
            break;
        float current = progress->load();
        // Compare-and-exchange rather than a plain add: if the worker has written its
        // final 100 since the load, the exchange fails and the 100 stays.
        if (current < limit)
            progress->compare_exchange_strong(current, std::min(current + step, estimateCeiling));
    }
}

bool sc4830fp_estimationThread::sleepUntil(const QElapsedTimer &clock, qint64 dueMs)
{
    for (qint64 left = dueMs - clock.elapsed(); left > 0; left = dueMs - clock.elapsed()) {
        if (stopFlag)
            return false;
        msleep(static_cast<unsigned long>(std::min<qint64>(left, sliceMs)));
    }
    return !stopFlag;
}
