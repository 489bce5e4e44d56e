#ifndef SFP_SIMRESET_H
#define SFP_SIMRESET_H

// Brings the stand-ins back to their defaults between tests, from the bottom up: VISA's
// injections, the carrier's identification and records, then the unit's model, injections
// and call log (which also lets hanging calibrations go). Open sessions stay open.
void resetSimulators();

#endif // SFP_SIMRESET_H
