// The simulated Orbisa 4830's model: what the driver functions (sc4830.cpp) answer from
// and the control API (sc4830sim.cpp) shapes and reads. Internal to libsc4830.so.
//
// One mutex guards the model. Every driver call logs itself and then sleeps its latency
// without the lock; calibrations wait out their duration (or hang) without the lock too,
// polling in short slices, because a caller may terminate the calling thread while it
// waits and a lock held then would never be released.
#ifndef SFP_SIMULATEDUNIT_H
#define SFP_SIMULATEDUNIT_H

#include "sc4830sim.h"
#include "unitrecords.h"

#include <sfp_version.h>

#include <atomic>
#include <cstddef>
#include <deque>
#include <map>
#include <mutex>
#include <set>
#include <string>

// Hidden, as in every header of the model: its names stay inside libsc4830.so, whose
// users call only the C functions.
#pragma GCC visibility push(hidden)
namespace sc4830sim {

constexpr int kChannels = 16;
// The buffer sizes the panel hands the driver's text outputs.
constexpr std::size_t kSubModelSize = 8;
constexpr std::size_t kRevisionSize = 32;
constexpr std::size_t kMessageSize = 1024;
constexpr int kDefaultCalibrationMs = 20;
constexpr double kDefaultReferenceVolts = 2.5;

struct SimulatedUnit
{
    struct Injection
    {
        ViStatus status;
        bool always;
    };

    struct Readback
    {
        bool overridden = false;
        ViReal64 pos = 0.0;
        ViReal64 neg = 0.0;
    };

    // The driver's revision is the project's version.
    struct Identity
    {
        std::string subModel = "AB";
        ViUInt32 serial = 0x00C0FFEE;
        std::string instrRev = "1.2.0.7";
        std::string driverRev = SFP_VERSION_STRING;
    };

    struct VoltRef
    {
        ViInt32 source = 0;
        ViReal64 voltage = 0.0;
        ViBoolean enabled = VI_FALSE;
    };

    struct Reference
    {
        int shape = SC4830SIM_REF_PRESENT;
        ViReal64 volts = kDefaultReferenceVolts;
        int readResult = 0;
        int presence = 1;
    };

    // The one unit of the process, never destroyed: driver calls may still come in from
    // static destructors.
    static SimulatedUnit &instance();

    // The rest with the lock held.
    void reset();
    // Rebuilds the record chain for the reference shape and points every open session's
    // user data at it.
    void applyReference();
    void *userData();
    void logCall(const char *function, const std::string &arguments);
    // The injected status of a function, consuming a one-shot injection.
    ViStatus takeInjection(const char *function);
    bool isOpen(ViSession vi) const { return sessions.count(vi) != 0; }
    sc4830sim_Channel &channel(ViUInt16 ch) { return channels[ch - 1]; }

    std::mutex mutex;

    // Sessions and the model; guarded by mutex.
    std::set<ViSession> sessions;
    int closes = 0;
    std::map<std::string, Injection> injections;
    ViInt32 fcLastError = 0;
    bool customErrorText = false;
    std::string errorText;
    ViInt16 icpErr = 0;
    ViInt16 excErr = 0;
    Identity identity;
    sc4830sim_Channel channels[kChannels] = {};
    Readback readback[kChannels];
    ViReal64 imbalance[kChannels] = {};
    VoltRef voltRef;
    Reference reference;
    std::deque<std::string> log;
    std::map<std::string, int> callCounts;

    // Read outside the lock by calls that are about to sleep.
    std::atomic<bool> unterminatedTexts { false };
    std::atomic<int> latencyUs { 0 };
    std::atomic<int> calibrationMs { kDefaultCalibrationMs };
    std::atomic<bool> calibrationHang { false };
    std::atomic<int> hangTimeoutMs { 0 }; // 0: hang until released
    std::atomic<unsigned> releaseGeneration { 0 };
    std::atomic<int> hanging { 0 };
    std::atomic<int> sleeping { 0 }; // calls in their latency or calibration time

    // A panel reads these without the lock through the session's user data; they change
    // only through sc4830sim_setReference and sc4830sim_reset.
    ReferenceSourceRecord sourceRecord = {};
    LinkRecord linkRecord = {};
    UnitEnvironment environment = {};
};

bool validChannel(ViUInt16 ch);

// Writes text into a caller's buffer of size bytes: truncated and NUL-terminated, or, when
// the unit misbehaves on purpose, the whole buffer filled with the text repeated.
void writeText(char *dst, std::size_t size, const std::string &text, bool unterminated);

// Stores value into an output the caller may pass as null.
template<typename T> void store(T *out, const T &value)
{
    if (out)
        *out = value;
}

} // namespace sc4830sim
#pragma GCC visibility pop

#endif // SFP_SIMULATEDUNIT_H
