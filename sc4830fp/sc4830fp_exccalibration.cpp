#include "sc4830fp_exccalibration.h"

#include <sc4830.h>

namespace {
constexpr unsigned long demoDurationMs = 8000;
} // namespace

sc4830fp_excCalibration::~sc4830fp_excCalibration()
{
    // run() is this class's; it must have ended before this part of the object goes.
    waitOrTerminate();
}

void sc4830fp_excCalibration::run()
{
    if (vi)
        status = sc4830_excitCalibration(vi, ch, 0, 0, 0, 0);
    else
        msleep(demoDurationMs);
    finishCalibration();
}
