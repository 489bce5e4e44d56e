#include "scenariostep.h"

#include "simulatedbench.h"

void ScenarioStep::apply(SimulatedBench &bench) const
{
    switch (kind) {
    case StatusIcp:
        bench.setStatusWords(ViUInt16(value), bench.excStatus());
        break;
    case StatusExc:
        bench.setStatusWords(bench.icpStatus(), ViUInt16(value));
        break;
    case Fail:
        bench.injectFailure(function, status, always);
        break;
    case Clear:
        bench.clearFailure(function);
        break;
    case ClearAll:
        bench.clearFailures();
        break;
    case CarrierCode:
        bench.setCarrierErrorCode(ViInt32(value));
        break;
    case Latency:
        bench.setCallLatencyUs(int(value));
        break;
    case CalibrationTime:
        bench.setCalibrationTimeMs(int(value));
        break;
    case CalibrationHang:
        if (bench.calibrationHangTimeoutMs() != value)
            bench.setCalibrationHangTimeoutMs(int(value));
        bench.setCalibrationHang(true);
        break;
    case CalibrationRun:
        bench.setCalibrationHang(false);
        break;
    case CalibrationRelease:
        bench.releaseCalibrations();
        break;
    case Quit:
        break;
    }
}
