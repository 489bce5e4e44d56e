#include "scenariostep.h"

#include "simulation.h"

void ScenarioStep::apply(Simulation &simulation) const
{
    switch (kind) {
    case StatusIcp:
        simulation.setStatusWords(ViUInt16(value), simulation.excStatus());
        break;
    case StatusExc:
        simulation.setStatusWords(simulation.icpStatus(), ViUInt16(value));
        break;
    case Fail:
        simulation.injectFailure(function, status, always);
        break;
    case Clear:
        simulation.clearFailure(function);
        break;
    case ClearAll:
        simulation.clearFailures();
        break;
    case CarrierCode:
        simulation.setCarrierErrorCode(ViInt32(value));
        break;
    case Latency:
        simulation.setCallLatencyUs(int(value));
        break;
    case CalibrationTime:
        simulation.setCalibrationTimeMs(int(value));
        break;
    case CalibrationHang:
        if (simulation.calibrationHangTimeoutMs() != value)
            simulation.setCalibrationHangTimeoutMs(int(value));
        simulation.setCalibrationHang(true);
        break;
    case CalibrationRun:
        simulation.setCalibrationHang(false);
        break;
    case CalibrationRelease:
        simulation.releaseCalibrations();
        break;
    case Quit:
        break;
    }
}
