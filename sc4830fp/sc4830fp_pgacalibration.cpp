#include "sc4830fp_pgacalibration.h"

#include <sc4830.h>

namespace {
constexpr ViInt16 calibrationType = 1;
constexpr unsigned long demoDurationMs = 6000;
} // namespace

sc4830fp_pgaCalibration::~sc4830fp_pgaCalibration()
{
    // The base destructor would wait too, but only after this part of the object, which
    // run() still reads, has gone.
    waitOrTerminate();
}

void sc4830fp_pgaCalibration::run()
{
    if (vi)
        status = sc4830_pgaCalibration(vi, ch, calibrationType, calLevel, 0, 0);
    else
        msleep(demoDurationMs);
    finishCalibration();
}
