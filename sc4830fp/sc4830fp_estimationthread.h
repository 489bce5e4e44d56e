#ifndef SC4830FP_ESTIMATIONTHREAD_H
#define SC4830FP_ESTIMATIONTHREAD_H

#include <QThread>

#include <atomic>

class QElapsedTimer;

// Raises a calibration worker's progress estimate with the passing of time.
//
// A calibration is one blocking driver call that reports no progress of its own, so this
// thread adds 100 / estimatedTime percent to the worker's progress for every 100 ms of
// real time since its start until the estimate reaches limit (the estimate then ends
// between limit and limit plus one step) and holds there until the worker writes its
// final 100. The ticks fall due on a monotonic clock, so that late wake-ups on a busy
// machine do not add up into an estimate that lags its calibration. It never overwrites a
// value of 100 or more and never raises the estimate above 99 by itself: the worker's 100
// is the only sign of completion the sequencer watches.
//
// Threads: built, started, stopped and destroyed by the GUI thread; run() on its own
// thread. progress is shared with the worker thread and the GUI thread.
class sc4830fp_estimationThread : public QThread
{
public:
    // estimatedTime: the expected duration in units of 100 ms (0 or less: no estimate);
    // progress: the owning worker's progress in percent; limit: the estimate stops
    // rising once it has reached this value. No Qt parent: the worker deletes it.
    sc4830fp_estimationThread(int estimatedTime, std::atomic<float> *progress, float limit);
    // As stop().
    ~sc4830fp_estimationThread() override;

    // Asks the loop to end, waits up to 200 ms, terminates the thread if it still runs
    // (and waits up to 2 s for that to take effect), then clears the request so that the
    // thread can be started again. True when the thread has ended. GUI thread.
    bool stop();

    const int estimatedTime; // units of 100 ms
    std::atomic<float> *const progress; // the worker's progress, percent
    const float limit; // percent; always 90 for the calibration workers
    // Set by stop() on the GUI thread to end run(); cleared by stop() and, as its last
    // act, by run() itself.
    std::atomic<bool> stopFlag;

protected:
    void run() override;

private:
    void raiseEstimate();
    // Sleeps until clock reads dueMs; false as soon as a stop is asked for.
    bool sleepUntil(const QElapsedTimer &clock, qint64 dueMs);
};

#endif // SC4830FP_ESTIMATIONTHREAD_H
