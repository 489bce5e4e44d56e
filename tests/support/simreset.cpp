#include "simreset.h"

#include <sc4830sim.h>
#include <simcarrier.h>
#include <visasim.h>

void resetSimulators()
{
    visasim_reset();
    simcarrier_reset();
    sc4830sim_reset();
}
