#include "sc4830fp_calibrationthread.h"

#include "sc4830fp_estimationthread.h"

#include <QCoreApplication>

namespace {
// The estimate is held below 100 so that only the worker's end completes the bar.
constexpr float estimateLimit = 90.0f;
// Stand-in estimate when none is given: sets the stop budget only.
constexpr int defaultEstimatedTime = 50;
// One unit of estimatedTime.
constexpr unsigned long estimateUnitMs = 100;
// The GUI thread waits in slices this short, turning its event loop in between, so that
// a Cancel or a repaint is answered at once while a step ends.
constexpr unsigned long waitSliceMs = 10;
// How long a terminated worker is given to end. Termination takes effect at the next
// cancellation point of the driver call; one that never reaches any is left running.
constexpr unsigned long terminateGraceMs = 2000;
} // namespace

sc4830fp_calibrationThread::sc4830fp_calibrationThread(ViSession vi, int estimatedTime)
    : vi(vi)
    , status(0)
    , ch(1)
    , estimatedTime(estimatedTime)
    , progress(0.0f)
    , estimator(nullptr)
    , forcedStop(false)
{
    if (estimatedTime > 0)
        estimator = new sc4830fp_estimationThread(estimatedTime, &progress, estimateLimit);
    else
        this->estimatedTime = defaultEstimatedTime;
}

sc4830fp_calibrationThread::~sc4830fp_calibrationThread()
{
    waitOrTerminate();
    delete estimator;
}

void sc4830fp_calibrationThread::startCalibration(ViUInt16 ch)
{
    if (isRunning())
        return;
    // An estimate still running from the previous channel would miss the reset below
    // and could not be started again.
    if (estimator && estimator->isRunning())
        estimator->stop();

    this->ch = ch;
    progress = 0.0f;
    status = 0;
    forcedStop = false;
    if (estimator)
        estimator->start(QThread::InheritPriority);
    start(QThread::InheritPriority);
}

ViStatus sc4830fp_calibrationThread::getStatus() const
{
    return status;
}

bool sc4830fp_calibrationThread::waitOrTerminate()
{
    if (estimator)
        estimator->stop();

    const int rounds = 2 * estimatedTime * static_cast<int>(estimateUnitMs / waitSliceMs);
    for (int round = 0; round < rounds; ++round) {
        if (ended(waitSliceMs))
            return true;
        QCoreApplication::processEvents();
    }
    if (ended(0))
        return true;
    return terminateAndWait(true);
}

bool sc4830fp_calibrationThread::stopNow()
{
    if (estimator)
        estimator->stop();
    if (ended(0))
        return true;
    return terminateAndWait(false);
}

bool sc4830fp_calibrationThread::terminateAndWait(bool turnEventLoop)
{
    forcedStop = true;
    terminate();
    // A terminated thread may still be unwinding; the object is destroyed or started
    // again only once it has really ended.
    for (unsigned long waited = 0; waited < terminateGraceMs; waited += waitSliceMs) {
        if (ended(waitSliceMs))
            return true;
        if (turnEventLoop)
            QCoreApplication::processEvents();
    }
    return ended(0);
}

bool sc4830fp_calibrationThread::ended(unsigned long waitMs)
{
    if (!wait(waitMs))
        return false;
    // wait() orders the worker's writes before ours through Qt's own lock, which a thread
    // checker cannot see in a Qt not built for it. This acquire pairs with the release in
    // finishCalibration(), so that the hand-over of status and results is also stated in
    // our own code: after a cancel the GUI thread never reads progress otherwise.
    static_cast<void>(progress.load(std::memory_order_acquire));
    return true;
}

void sc4830fp_calibrationThread::run() { }

void sc4830fp_calibrationThread::finishCalibration()
{
    // Releases status and the subclass's results with the 100 (see ended()).
    progress.store(100.0f, std::memory_order_release);
}
