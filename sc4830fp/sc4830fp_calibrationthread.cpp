#include "sc4830fp_calibrationthread.h"

#include "sc4830fp_estimationthread.h"

#include <QCoreApplication>

namespace {
// The estimate is held below 100 so that only the worker's end completes the bar.
constexpr float estimateLimit = 90.0f;
// Stand-in estimate when none is given: sets the stop budget only.
constexpr int defaultEstimatedTime = 50;
constexpr unsigned long waitSliceMs = 100;
} // namespace

sc4830fp_calibrationThread::sc4830fp_calibrationThread(ViSession vi, int estimatedTime)
    : vi(vi)
    , status(0)
    , ch(1)
    , estimatedTime(estimatedTime)
    , progress(0.0f)
    , estimator(nullptr)
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
    if (estimator)
        estimator->start(QThread::InheritPriority);
    start(QThread::InheritPriority);
}

ViStatus sc4830fp_calibrationThread::getStatus() const
{
    return status;
}

void sc4830fp_calibrationThread::waitOrTerminate()
{
    if (estimator)
        estimator->stop();

    for (int round = 0; round < 2 * estimatedTime; ++round) {
        if (wait(waitSliceMs))
            return;
        QCoreApplication::processEvents();
    }
    if (wait(0))
        return;
    terminate();
    // A terminated thread may still be unwinding; the object is destroyed or started
    // again only once it has really ended.
    wait();
}

void sc4830fp_calibrationThread::run() { }

void sc4830fp_calibrationThread::finishCalibration()
{
    progress = 100.0f;
}
