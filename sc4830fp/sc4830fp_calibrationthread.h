#ifndef SC4830FP_CALIBRATIONTHREAD_H
#define SC4830FP_CALIBRATIONTHREAD_H

#include <visa.h>

#include <QThread>

#include <atomic>

class sc4830fp_estimationThread;

// Base of the calibration workers: runs one blocking calibration call of the unit's
// driver on a thread of its own while an estimation thread raises a progress estimate,
// so that the GUI thread can keep its event loop turning and show a progress bar.
//
// One worker serves a whole calibration sequence: startCalibration() runs it for one
// channel; once progress reads 100 the driver call has returned and status (and the
// subclass's result) are stored; waitOrTerminate() then confirms the end. A worker that
// overruns its budget is terminated. The base's own run() does nothing; each subclass
// makes one kind of calibration.
//
// Threads: the GUI thread builds, starts, reads progress, calls waitOrTerminate(), reads
// the results and destroys; run() writes status, the subclass's result and progress;
// the estimation thread raises progress. status and the results are read only after
// waitOrTerminate() has seen the thread end: run() stores its final 100 with release
// order after its results, and every wait that sees the end loads progress with acquire
// order, so that the hand-over does not rest on Qt's (uninstrumented) locks alone.
class sc4830fp_calibrationThread : public QThread
{
public:
    // vi: the unit's session (0 = demonstration: the worker only sleeps);
    // estimatedTime: the expected duration in units of 100 ms. With an estimated time of
    // 0 (or less) there is no estimate: progress stays 0 until the end, and the stop
    // budget is that of 50 (5 s), that is 10 s.
    sc4830fp_calibrationThread(ViSession vi, int estimatedTime);
    // Stops the estimate and waits for (or terminates) the worker first.
    ~sc4830fp_calibrationThread() override;

    // Runs the calibration of channel ch (counted from 1): resets progress and status,
    // starts the estimation thread and then the worker. Does nothing while the worker
    // still runs. GUI thread.
    void startCalibration(ViUInt16 ch);
    // Result of the last driver call; valid after waitOrTerminate(). GUI thread.
    ViStatus getStatus() const;
    // Stops the estimation thread, then waits for the worker, up to 2 x estimatedTime
    // units of 100 ms, in short slices with the GUI thread's events processed in between;
    // a worker still running after that is terminated (forcedStop) and given up to 2 s
    // more to end. Returns at once for a worker that has ended or never started. True
    // when the worker's thread has ended; false only for a driver call that even
    // termination could not end: the object must then not be destroyed or restarted.
    // GUI thread.
    bool waitOrTerminate();
    // As waitOrTerminate(), but without the budget and without turning the event loop:
    // a running worker is terminated at once. For when the panel goes away under a
    // running calibration. GUI thread.
    bool stopNow();

    const ViSession vi; // the unit's session; 0 in demonstration
    ViStatus status; // written by run(), read after the worker's end
    ViUInt16 ch; // channel counted from 1; set before each start
    int estimatedTime; // units of 100 ms; also sets the stop budget
    std::atomic<float> progress; // percent; 100 is written only by run(), at its end
    sc4830fp_estimationThread *estimator; // owned; null without an estimate
    // The last run was ended by force, in the middle of its driver call: the unit's
    // calibration state is unknown. GUI thread.
    bool forcedStop;

protected:
    void run() override;
    // The last act of every run(): tells the GUI thread that the results are stored.
    void finishCalibration();

private:
    bool terminateAndWait(bool turnEventLoop);
    // wait(waitMs), and on the thread's end the acquire of what run() stored. GUI thread.
    bool ended(unsigned long waitMs);
};

#endif // SC4830FP_CALIBRATIONTHREAD_H
