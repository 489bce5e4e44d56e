#ifndef SC4830FP_EXCCALIBRATION_H
#define SC4830FP_EXCCALIBRATION_H

#include "sc4830fp_calibrationthread.h"

// Excitation calibration of one channel: sc4830_excitCalibration(vi, ch, 0, 0, 0, 0)
// with a session, an 8 s sleep in demonstration.
class sc4830fp_excCalibration : public sc4830fp_calibrationThread
{
public:
    using sc4830fp_calibrationThread::sc4830fp_calibrationThread;
    // Ends the worker while the whole object still exists.
    ~sc4830fp_excCalibration() override;

protected:
    void run() override;
};

#endif // SC4830FP_EXCCALIBRATION_H
