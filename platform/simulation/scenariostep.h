#ifndef SFP_SCENARIOSTEP_H
#define SFP_SCENARIOSTEP_H

#include <visa.h>

#include <QString>

class Simulation;

// One step of a scenario file: what is done to the simulation, and when (in ms
// from the start of the scenario). Parsed from one line by Scenario.
class ScenarioStep
{
public:
    enum Kind {
        StatusIcp, // value: the ICP status word
        StatusExc, // value: the excitation status word
        Fail, // function, status, always
        Clear, // function
        ClearAll,
        CarrierCode, // value: the carrier's error code
        Latency, // value: microseconds
        CalibrationTime, // value: milliseconds
        CalibrationHang, // value: milliseconds until a hanging calibration returns, 0: never
        CalibrationRun, // calibrations no longer hang (those hanging stay until released)
        CalibrationRelease,
        Quit,
    };

    // Does the step to the simulation. Quit does nothing here: the player ends the run.
    void apply(Simulation &simulation) const;

    qint64 atMs = 0;
    int line = 0; // line number in the file, from 1
    Kind kind = Quit;
    QString function;
    ViStatus status = 0;
    bool always = false;
    qint64 value = 0;
};

#endif // SFP_SCENARIOSTEP_H
