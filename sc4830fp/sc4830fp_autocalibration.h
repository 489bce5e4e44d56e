#ifndef SC4830FP_AUTOCALIBRATION_H
#define SC4830FP_AUTOCALIBRATION_H

#include "sc4830fp_calibrationthread.h"

// Autobalance of one channel: sc4830_autobalance(vi, ch, &imbalance) with a session, a
// 16 s sleep in demonstration. imbalance (volts) is cleared at the start of every run,
// so a failed or demonstration run leaves 0.0; the sequencer reads it on the GUI thread
// after the worker has ended.
class sc4830fp_autoCalibration : public sc4830fp_calibrationThread
{
public:
    using sc4830fp_calibrationThread::sc4830fp_calibrationThread;
    // Ends the worker before imbalance goes away.
    ~sc4830fp_autoCalibration() override;

    ViReal64 imbalance = 0.0; // volts; written by run()

protected:
    void run() override;
};

#endif // SC4830FP_AUTOCALIBRATION_H
