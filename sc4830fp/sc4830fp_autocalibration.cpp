#include "sc4830fp_autocalibration.h"

#include <sc4830.h>

namespace {
constexpr unsigned long demoDurationMs = 16000;
} // namespace

sc4830fp_autoCalibration::~sc4830fp_autoCalibration()
{
    // run() writes imbalance; it must have ended before this part of the object goes.
    waitOrTerminate();
}

void sc4830fp_autoCalibration::run()
{
    imbalance = 0.0;
    if (vi)
        status = sc4830_autobalance(vi, ch, &imbalance);
    else
        msleep(demoDurationMs);
    finishCalibration();
}
