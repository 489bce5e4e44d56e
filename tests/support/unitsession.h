#ifndef SFP_UNITSESSION_H
#define SFP_UNITSESSION_H

#include <sc4830.h>

// A unit session opened the way the panel opens one, to call the simulated driver as
// the panel would: a carrier session of the 16-channel model and sc4830_init on it, both
// closed again at the end.
struct UnitSession
{
    UnitSession();
    ~UnitSession();
    UnitSession(const UnitSession &) = delete;
    UnitSession &operator=(const UnitSession &) = delete;

    ViStatus status(ViInt16 *icp, ViInt16 *exc);

    ViSession carrier;
    ViSession vi = 0;
};

#endif // SFP_UNITSESSION_H
