#ifndef SFP_SIMULATIONSHAPE_H
#define SFP_SIMULATIONSHAPE_H

// How the simulated carrier and unit are set up when a Simulation starts: what a run
// leaves out of an otherwise complete 16-channel carrier with its unit. Whoever starts
// the simulation fills it (sfp-host from its command line).
struct SimulationShape
{
    bool noReference = false; // the carrier offers no reference voltage
    bool noUnit = false; // no unit answers the identification probe
};

#endif // SFP_SIMULATIONSHAPE_H
