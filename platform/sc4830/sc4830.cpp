// The simulated Orbisa 4830's driver ABI (sc4830.h), answered from the model in
// simulatedunit.h. Every function starts as a DriverCall: logged, its latency slept, the
// model locked, the session checked and an injected status taken.

#include "drivercall.h"
#include "statusmessage.h"

#include <sc4830.h>
#include <visasim.h>

namespace {

using sc4830sim::DriverCall;
using sc4830sim::kMessageSize;
using sc4830sim::kRevisionSize;
using sc4830sim::kSubModelSize;
using sc4830sim::ptr;
using sc4830sim::SimulatedUnit;
using sc4830sim::statusMessage;
using sc4830sim::store;
using sc4830sim::writeText;

// The instrument driver's "parameter n out of range" statuses.
constexpr ViStatus kErrorParameter3 = static_cast<ViStatus>(0xBFFC0003UL);
constexpr ViStatus kErrorParameter4 = static_cast<ViStatus>(0xBFFC0004UL);

} // namespace

extern "C" {

ViStatus sc4830_init(ViSession masterVi, ViBoolean idQuery, ViBoolean reset, ViSession *vi)
{
    DriverCall call(__func__, "%u, %u, %u, %s", masterVi, idQuery, reset, ptr(vi));
    if (!vi)
        return kErrorParameter4;
    void *carrierRecord = nullptr;
    const ViStatus carrierStatus = visasim_peekUserData(masterVi, &carrierRecord);
    if (carrierStatus < 0)
        return carrierStatus;
    if (call.inject() < 0)
        return call.status();
    const ViSession session = visasim_openSession(call.unit().userData());
    call.unit().sessions.insert(session);
    *vi = session;
    return call.status();
}

ViStatus sc4830_close(ViSession vi)
{
    DriverCall call(__func__, "%u", vi);
    SimulatedUnit &u = call.unit();
    ++u.closes;
    if (u.sessions.erase(vi) == 0)
        return VI_ERROR_INV_OBJECT;
    // The session goes even when the close reports a failure: nobody could close it again.
    visasim_closeSession(vi);
    return call.inject();
}

ViStatus sc4830_revision_query(ViSession vi, ViChar driverRev[], ViChar instrRev[])
{
    DriverCall call(__func__, "%u, %s, %s", vi, ptr(driverRev), ptr(instrRev));
    if (call.admit(vi)) {
        const SimulatedUnit &u = call.unit();
        const bool unterminated = u.unterminatedTexts.load();
        writeText(driverRev, kRevisionSize, u.identity.driverRev, unterminated);
        writeText(instrRev, kRevisionSize, u.identity.instrRev, unterminated);
    }
    return call.status();
}

ViStatus sc4830_serialNumber(ViSession vi, ViChar subModel[], ViUInt32 *serial)
{
    DriverCall call(__func__, "%u, %s, %s", vi, ptr(subModel), ptr(serial));
    if (call.admit(vi)) {
        const SimulatedUnit &u = call.unit();
        writeText(subModel, kSubModelSize, u.identity.subModel, u.unterminatedTexts.load());
        store(serial, u.identity.serial);
    }
    return call.status();
}

ViStatus sc4830_setChannelConf(
    ViSession vi, ViUInt16 ch, ViUInt16 mode, ViUInt16 gain, ViUInt16 coup, ViUInt16 input)
{
    DriverCall call(__func__, "%u, %u, %u, %u, %u, %u", vi, ch, mode, gain, coup, input);
    if (sc4830sim_Channel *c = call.channelToSet(vi, ch)) {
        c->mode = mode;
        c->gain = gain;
        c->coup = coup;
        c->input = input;
    }
    return call.status();
}

ViStatus sc4830_setExcitation(ViSession vi, ViUInt16 ch, ViReal64 pos, ViReal64 neg)
{
    DriverCall call(__func__, "%u, %u, %.6g, %.6g", vi, ch, pos, neg);
    if (sc4830sim_Channel *c = call.channelToSet(vi, ch)) {
        c->posExc = pos;
        c->negExc = neg;
    }
    return call.status();
}

ViStatus sc4830_setShuntCal(ViSession vi, ViUInt16 ch, ViBoolean on)
{
    DriverCall call(__func__, "%u, %u, %u", vi, ch, on);
    return call.setChannelField(vi, ch, &sc4830sim_Channel::shunt, on);
}

ViStatus sc4830_getExcitation(ViSession vi, ViUInt16 ch, ViReal64 *pos, ViReal64 *neg)
{
    DriverCall call(__func__, "%u, %u, %s, %s", vi, ch, ptr(pos), ptr(neg));
    if (call.admit(vi, ch)) {
        SimulatedUnit &u = call.unit();
        const SimulatedUnit::Readback &r = u.readback[ch - 1];
        const sc4830sim_Channel &c = u.channel(ch);
        store(pos, r.overridden ? r.pos : c.posExc);
        store(neg, r.overridden ? r.neg : c.negExc);
    }
    return call.status();
}

ViStatus sc4830_channelIdentify(ViSession vi, ViUInt16 ch, ViUInt16 state)
{
    DriverCall call(__func__, "%u, %u, %u", vi, ch, state);
    return call.setChannelField(vi, ch, &sc4830sim_Channel::identify, state);
}

ViStatus sc4830_getStatus(
    ViSession vi, ViInt16 *icpErr, ViInt16 *excErr, ViInt16 *reserved1, ViInt16 *reserved2)
{
    DriverCall call(__func__, "%u, %s, %s, %s, %s", vi, ptr(icpErr), ptr(excErr), ptr(reserved1),
        ptr(reserved2));
    if (call.admit(vi)) {
        store(icpErr, call.unit().icpErr);
        store(excErr, call.unit().excErr);
        store(reserved1, ViInt16 { 0 });
        store(reserved2, ViInt16 { 0 });
    }
    return call.status();
}

ViStatus sc4830_getVoltRefOutput(
    ViSession vi, ViInt32 *source, ViReal64 *voltage, ViBoolean *enabled)
{
    DriverCall call(__func__, "%u, %s, %s, %s", vi, ptr(source), ptr(voltage), ptr(enabled));
    if (call.admit(vi)) {
        const SimulatedUnit::VoltRef &voltRef = call.unit().voltRef;
        store(source, voltRef.source);
        store(voltage, voltRef.voltage);
        store(enabled, voltRef.enabled);
    }
    return call.status();
}

ViStatus sc4830_setVoltRefOutput(ViSession vi, ViInt32 source, ViReal64 voltage, ViBoolean enable)
{
    DriverCall call(__func__, "%u, %d, %.6g, %u", vi, source, voltage, enable);
    if (call.takesEffect(vi))
        call.unit().voltRef = { source, voltage, enable };
    return call.status();
}

ViStatus sc4830_pgaCalibration(
    ViSession vi, ViUInt16 ch, ViInt16 type, ViReal64 level, ViInt16 reserved1, ViInt16 reserved2)
{
    DriverCall call(
        __func__, "%u, %u, %d, %.6g, %d, %d", vi, ch, type, level, reserved1, reserved2);
    if (call.calibrate(vi, ch) && call.status() >= 0)
        call.unit().channel(ch).lastCalLevel = level;
    return call.status();
}

ViStatus sc4830_excitCalibration(ViSession vi, ViUInt16 ch, ViInt16 reserved1, ViInt16 reserved2,
    ViInt16 reserved3, ViInt16 reserved4)
{
    DriverCall call(
        __func__, "%u, %u, %d, %d, %d, %d", vi, ch, reserved1, reserved2, reserved3, reserved4);
    call.calibrate(vi, ch);
    return call.status();
}

ViStatus sc4830_autobalance(ViSession vi, ViUInt16 ch, ViReal64 *imbalance)
{
    DriverCall call(__func__, "%u, %u, %s", vi, ch, ptr(imbalance));
    if (call.calibrate(vi, ch))
        store(imbalance, call.unit().imbalance[ch - 1]);
    return call.status();
}

ViStatus sc4830_getFCLastError(ViSession vi, ViInt32 *code)
{
    DriverCall call(__func__, "%u, %s", vi, ptr(code));
    if (call.admit(vi))
        store(code, call.unit().fcLastError);
    return call.status();
}

ViStatus sc4830_error_message(ViSession vi, ViStatus status, ViChar message[])
{
    DriverCall call(__func__, "%u, %d, %s", vi, status, ptr(message));
    if (!message)
        return kErrorParameter3;
    // The text is written for any session: callers report with it whatever went wrong,
    // also after the session itself has failed.
    const SimulatedUnit &u = call.unit();
    const std::string text = u.customErrorText ? u.errorText : statusMessage(status);
    writeText(message, kMessageSize, text, u.unterminatedTexts.load());
    call.admit(vi);
    return call.status();
}

} // extern "C"
