// The simulated Orbisa 4830's control API (sc4830sim.h): tests, the host and the
// benchmarks shape the model that the driver functions (sc4830.cpp) answer from, and read
// back what the panel asked of the unit.

#include "sc4830sim.h"

#include "lockedunit.h"

namespace {

using sc4830sim::kMessageSize;
using sc4830sim::LockedUnit;
using sc4830sim::SimulatedUnit;
using sc4830sim::store;
using sc4830sim::validChannel;
using sc4830sim::writeText;

} // namespace

extern "C" {

void sc4830sim_reset(void)
{
    LockedUnit u;
    u->reset();
    ++u->releaseGeneration;
}

/* --- Failures ------------------------------------------------------------------------ */

void sc4830sim_injectStatus(const char *function, ViStatus status, int always)
{
    if (!function)
        return;
    LockedUnit u;
    if (status == VI_SUCCESS)
        u->injections.erase(function);
    else
        u->injections[function] = SimulatedUnit::Injection { status, always != 0 };
}

void sc4830sim_clearInjections(void)
{
    LockedUnit()->injections.clear();
}

void sc4830sim_setFCLastError(ViInt32 code)
{
    LockedUnit()->fcLastError = code;
}

void sc4830sim_setErrorText(const char *text)
{
    LockedUnit u;
    u->customErrorText = text != nullptr;
    u->errorText = text ? std::string(text).substr(0, kMessageSize - 1) : std::string();
}

void sc4830sim_setUnterminatedTexts(int on)
{
    SimulatedUnit::instance().unterminatedTexts = on != 0;
}

void sc4830sim_setCallLatencyUs(int microseconds)
{
    SimulatedUnit::instance().latencyUs = microseconds > 0 ? microseconds : 0;
}

/* --- What the unit answers ----------------------------------------------------------- */

void sc4830sim_setStatusWords(ViInt16 icpErr, ViInt16 excErr)
{
    LockedUnit u;
    u->icpErr = icpErr;
    u->excErr = excErr;
}

void sc4830sim_setIdentity(
    const char *subModel, ViUInt32 serial, const char *instrRev, const char *driverRev)
{
    LockedUnit u;
    SimulatedUnit::Identity &identity = u->identity;
    if (subModel)
        identity.subModel = subModel;
    identity.serial = serial;
    if (instrRev)
        identity.instrRev = instrRev;
    if (driverRev)
        identity.driverRev = driverRev;
}

void sc4830sim_setExcitationReadback(ViUInt16 ch, ViReal64 pos, ViReal64 neg)
{
    if (validChannel(ch))
        LockedUnit()->readback[ch - 1] = SimulatedUnit::Readback { true, pos, neg };
}

void sc4830sim_setImbalance(ViUInt16 ch, ViReal64 imbalance)
{
    if (validChannel(ch))
        LockedUnit()->imbalance[ch - 1] = imbalance;
}

void sc4830sim_setCalibrationDurationMs(int milliseconds)
{
    SimulatedUnit::instance().calibrationMs = milliseconds > 0 ? milliseconds : 0;
}

void sc4830sim_setCalibrationHang(int on)
{
    SimulatedUnit::instance().calibrationHang = on != 0;
}

void sc4830sim_setCalibrationHangTimeoutMs(int milliseconds)
{
    SimulatedUnit::instance().hangTimeoutMs = milliseconds > 0 ? milliseconds : 0;
}

void sc4830sim_releaseCalibrations(void)
{
    ++SimulatedUnit::instance().releaseGeneration;
}

int sc4830sim_hangingCalibrations(void)
{
    return SimulatedUnit::instance().hanging.load();
}

void sc4830sim_setReference(int shape, ViReal64 volts, int readResult)
{
    LockedUnit u;
    const bool known = shape >= SC4830SIM_REF_PRESENT && shape <= SC4830SIM_REF_NO_ENVIRONMENT;
    u->reference.shape = known ? shape : SC4830SIM_REF_PRESENT;
    u->reference.volts = volts;
    u->reference.readResult = readResult;
    u->applyReference();
}

/* --- What the panel did -------------------------------------------------------------- */

int sc4830sim_getChannel(ViUInt16 ch, sc4830sim_Channel *out)
{
    if (!validChannel(ch) || !out)
        return -1;
    *out = LockedUnit()->channel(ch);
    return 0;
}

void sc4830sim_getVoltRef(ViInt32 *source, ViReal64 *voltage, ViBoolean *monitorEnabled)
{
    LockedUnit u;
    store(source, u->voltRef.source);
    store(voltage, u->voltRef.voltage);
    store(monitorEnabled, u->voltRef.enabled);
}

int sc4830sim_openSessionCount(void)
{
    return static_cast<int>(LockedUnit()->sessions.size());
}

int sc4830sim_closeCount(void)
{
    return LockedUnit()->closes;
}

int sc4830sim_logCount(void)
{
    return static_cast<int>(LockedUnit()->log.size());
}

int sc4830sim_logEntry(int i, char *buf, int size)
{
    LockedUnit u;
    if (i < 0 || static_cast<std::size_t>(i) >= u->log.size())
        return -1;
    const std::string &entry = u->log[static_cast<std::size_t>(i)];
    if (buf && size > 0)
        writeText(buf, static_cast<std::size_t>(size), entry, false);
    return static_cast<int>(entry.size());
}

void sc4830sim_clearLog(void)
{
    LockedUnit u;
    u->log.clear();
    u->callCounts.clear();
}

int sc4830sim_callCount(const char *function)
{
    if (!function)
        return 0;
    LockedUnit u;
    const auto it = u->callCounts.find(function);
    return it == u->callCounts.end() ? 0 : it->second;
}

} // extern "C"
