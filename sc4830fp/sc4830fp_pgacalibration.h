#ifndef SC4830FP_PGACALIBRATION_H
#define SC4830FP_PGACALIBRATION_H

#include "sc4830fp_calibrationthread.h"

// Signal-path calibration of one channel: sc4830_pgaCalibration(vi, ch, 1, calLevel, 0, 0)
// with a session, a 6 s sleep in demonstration. The sequencer sets calLevel (volts, 9 V
// divided by the channel's gain) before each start, on the GUI thread.
class sc4830fp_pgaCalibration : public sc4830fp_calibrationThread
{
public:
    using sc4830fp_calibrationThread::sc4830fp_calibrationThread;
    // Ends the worker before calLevel goes away.
    ~sc4830fp_pgaCalibration() override;

    ViReal64 calLevel = 0.0; // volts

protected:
    void run() override;
};

#endif // SC4830FP_PGACALIBRATION_H
