// The prologue that every driver function of the simulated unit shares.
#ifndef SFP_DRIVERCALL_H
#define SFP_DRIVERCALL_H

#include "simulatedunit.h"

#include <mutex>

#pragma GCC visibility push(hidden)
namespace sc4830sim {

// One driver call, from its entry to its answer. Constructing it logs and counts the call
// (its arguments printf-formatted), lets it sleep its latency with no lock held, and then
// holds the model's lock until the call returns; only a calibration lets go of the lock,
// for the time it takes. admit() checks the session (and the channel) and takes the status
// injected for the function; status() is then what the call answers.
class DriverCall
{
public:
    DriverCall(const char *function, const char *argumentFormat, ...)
        __attribute__((format(printf, 3, 4)));
    DriverCall(const DriverCall &) = delete;
    DriverCall &operator=(const DriverCall &) = delete;

    SimulatedUnit &unit() const { return m_unit; }
    ViStatus status() const { return m_status; }

    // Takes the function's injected status, for calls that need no open session.
    ViStatus inject();
    // False, with VI_ERROR_INV_OBJECT as the status, when vi is not an open unit session
    // (an injection then stays in place); otherwise takes the injected status.
    bool admit(ViSession vi);
    // The same, and a channel outside 1..16 answers "parameter 2 out of range".
    bool admit(ViSession vi, ViUInt16 ch);
    // admit() for a setting: true only when the setting takes effect, admitted and
    // answering no error, since a setting call that fails changes nothing in the unit.
    bool takesEffect(ViSession vi);
    // The same for a setting of channel ch: the channel to change, or null.
    sc4830sim_Channel *channelToSet(ViSession vi, ViUInt16 ch);
    // A setting of one field of channel ch; answers the call's status.
    template<typename T>
    ViStatus setChannelField(ViSession vi, ViUInt16 ch, T sc4830sim_Channel::*field, T value)
    {
        if (sc4830sim_Channel *c = channelToSet(vi, ch))
            c->*field = value;
        return m_status;
    }
    // admit(vi, ch), then the calibration's time with the lock let go: its duration, or
    // a hang until released. The injection is taken before the wait, so that of
    // calibrations running side by side the first one called gets a one-shot status.
    bool calibrate(ViSession vi, ViUInt16 ch);

private:
    const char *m_function;
    SimulatedUnit &m_unit;
    std::unique_lock<std::mutex> m_lock;
    ViStatus m_status = VI_SUCCESS;
};

// How the call log shows an output pointer.
inline const char *ptr(const void *p)
{
    return p ? "ptr" : "NULL";
}

} // namespace sc4830sim
#pragma GCC visibility pop

#endif // SFP_DRIVERCALL_H
