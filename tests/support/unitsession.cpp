#include "unitsession.h"

#include <simcarrier.h>

UnitSession::UnitSession()
    : carrier(simcarrier_open(0x2611))
{
    sc4830_init(carrier, 1, 1, &vi);
}

UnitSession::~UnitSession()
{
    sc4830_close(vi);
    simcarrier_close(carrier);
}

ViStatus UnitSession::status(ViInt16 *icp, ViInt16 *exc)
{
    return sc4830_getStatus(vi, icp, exc, 0, 0);
}
