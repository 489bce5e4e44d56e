// The simulated Orbisa 4830: the driver ABI of sc4830.h answered from an in-memory model
// of the unit, shaped and inspected through sc4830sim.h.
//
// One mutex guards the model. Every driver call logs itself and then sleeps its latency
// without the lock; calibrations wait out their duration (or hang) without the lock too,
// polling in short slices, because a caller may terminate the calling thread while it
// waits and a lock held then would never be released.

#include "sc4830sim.h"
#include "visasim.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdarg>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <deque>
#include <map>
#include <mutex>
#include <set>
#include <string>

#include <unistd.h>

namespace {

constexpr int kChannels = 16;
constexpr std::size_t kLogCapacity = 100000;
constexpr std::size_t kSubModelSize = 8;
constexpr std::size_t kRevisionSize = 32;
constexpr std::size_t kMessageSize = 1024;
constexpr int kDefaultCalibrationMs = 20;
constexpr double kDefaultReferenceVolts = 2.5;
constexpr useconds_t kPollSliceUs = 1000;

// The instrument driver's "parameter n out of range" statuses.
constexpr ViStatus kErrorParameter2 = static_cast<ViStatus>(0xBFFC0002UL);
constexpr ViStatus kErrorParameter3 = static_cast<ViStatus>(0xBFFC0003UL);
constexpr ViStatus kErrorParameter4 = static_cast<ViStatus>(0xBFFC0004UL);

using ReferenceReadFn = int (*)(void *context, ViReal64 *vref);

// What sc4830_error_message says about a status: its VISA or driver name and meaning.
struct StatusText
{
    ViStatus status;
    const char *name;
    const char *meaning;
};

constexpr ViStatus statusOf(unsigned long code)
{
    return static_cast<ViStatus>(code);
}

// The statuses this unit, its carrier and the VISA layer under them answer with: VISA's
// own, the VXIplug&play instrument driver ones and the unit's carrier error.
constexpr StatusText kStatusTexts[] = {
    { VI_SUCCESS, "VI_SUCCESS", "Operation completed successfully." },
    { statusOf(0x3FFC0101UL), "VI_WARN_NSUP_ID_QUERY", "Identification query not supported." },
    { statusOf(0x3FFC0102UL), "VI_WARN_NSUP_RESET", "Reset not supported." },
    { statusOf(0x3FFC0103UL), "VI_WARN_NSUP_SELF_TEST", "Self-test not supported." },
    { statusOf(0x3FFC0104UL), "VI_WARN_NSUP_ERROR_QUERY", "Error query not supported." },
    { statusOf(0x3FFC0105UL), "VI_WARN_NSUP_REV_QUERY", "Revision query not supported." },
    { statusOf(0xBFFC0001UL), "VI_ERROR_PARAMETER1", "Parameter 1 out of range." },
    { statusOf(0xBFFC0002UL), "VI_ERROR_PARAMETER2", "Parameter 2 out of range." },
    { statusOf(0xBFFC0003UL), "VI_ERROR_PARAMETER3", "Parameter 3 out of range." },
    { statusOf(0xBFFC0004UL), "VI_ERROR_PARAMETER4", "Parameter 4 out of range." },
    { statusOf(0xBFFC0005UL), "VI_ERROR_PARAMETER5", "Parameter 5 out of range." },
    { statusOf(0xBFFC0006UL), "VI_ERROR_PARAMETER6", "Parameter 6 out of range." },
    { statusOf(0xBFFC0011UL), "VI_ERROR_FAIL_ID_QUERY", "Instrument identification query failed." },
    { statusOf(0xBFFC0012UL), "VI_ERROR_INV_RESPONSE", "Error interpreting instrument response." },
    { sc4830_ERROR_FC, "sc4830_ERROR_FC",
        "The carrier reported an error; sc4830_getFCLastError gives its code." },
    { statusOf(0xBFFF0000UL), "VI_ERROR_SYSTEM_ERROR", "Unknown system error." },
    { VI_ERROR_INV_OBJECT, "VI_ERROR_INV_OBJECT",
        "The given session or object reference is invalid." },
    { statusOf(0xBFFF0011UL), "VI_ERROR_RSRC_NFOUND",
        "The requested device or resource is not present in the system." },
    { statusOf(0xBFFF0015UL), "VI_ERROR_TMO", "Timeout expired before operation completed." },
    { VI_ERROR_NSUP_ATTR, "VI_ERROR_NSUP_ATTR",
        "The specified attribute is not defined or supported by the referenced resource." },
    { statusOf(0xBFFF003EUL), "VI_ERROR_IO", "Could not perform operation because of I/O error." },
    { statusOf(0xBFFF0067UL), "VI_ERROR_NSUP_OPER",
        "The given session does not support this operation." },
    { statusOf(0xBFFF0071UL), "VI_ERROR_USER_BUF",
        "A specified user buffer is not valid or cannot be accessed for the required size." },
    { statusOf(0xBFFF0078UL), "VI_ERROR_INV_PARAMETER", "The value of some parameter is invalid." },
};

// The driver-owned records behind a unit session, as a front panel walks them to reach
// the carrier's reference voltage. Unnamed fields belong to the driver and stay null.
struct ReferenceSourceRecord
{
    void *reserved0;
    int *presence;
    void *reserved16;
    void *reserved24;
    ReferenceReadFn read;
};
static_assert(offsetof(ReferenceSourceRecord, presence) == 8, "presence at offset 8");
static_assert(offsetof(ReferenceSourceRecord, read) == 32, "read function at offset 32");

struct LinkRecord
{
    void *reserved[6];
    ReferenceSourceRecord *source;
};
static_assert(offsetof(LinkRecord, source) == 48, "source record at offset 48");

struct UnitEnvironment
{
    void *reserved[2];
    LinkRecord *link;
    void *context;
};
static_assert(offsetof(UnitEnvironment, link) == 16, "link record at offset 16");
static_assert(offsetof(UnitEnvironment, context) == 24, "context at offset 24");

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

int readReference(void *context, ViReal64 *vref);

struct Unit
{
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

void applyReference(Unit &u);

// Never destroyed: driver calls may still come in from static destructors.
Unit &unit()
{
    static Unit *instance = [] {
        Unit *u = new Unit;
        std::lock_guard<std::mutex> lock(u->mutex);
        applyReference(*u);
        return u;
    }();
    return *instance;
}

std::string format(const char *fmt, ...) __attribute__((format(printf, 1, 2)));
std::string format(const char *fmt, ...)
{
    char buffer[512];
    va_list args;
    va_start(args, fmt);
    std::vsnprintf(buffer, sizeof buffer, fmt, args);
    va_end(args);
    return buffer;
}

const char *ptr(const void *p)
{
    return p ? "ptr" : "NULL";
}

// Counts a call for as long as it waits. Its destructor also runs when the thread is
// cancelled (QThread::terminate) in its sleep: cancellation unwinds the stack. The waiting
// functions below call the C library's sleep from their own frame, which holds this
// counter, so the deepest frame that the unwinding cleans up is theirs; an instrumented
// wrapper frame below it would leave stale AddressSanitizer poison behind.
class ScopedCount
{
public:
    explicit ScopedCount(std::atomic<int> &count)
        : m_count(count)
    {
        ++m_count;
    }
    ~ScopedCount() { --m_count; }
    ScopedCount(const ScopedCount &) = delete;
    ScopedCount &operator=(const ScopedCount &) = delete;

private:
    std::atomic<int> &m_count;
};

void sleepMicroseconds(Unit &u, long long microseconds)
{
    ScopedCount counted(u.sleeping);
    const auto deadline
        = std::chrono::steady_clock::now() + std::chrono::microseconds(microseconds);
    while (std::chrono::steady_clock::now() < deadline)
        ::usleep(kPollSliceUs);
}

// Waits for a release, or until the hang time-out has passed since the wait began. The
// time-out is read on every slice, so a change reaches calibrations already hanging.
void waitForRelease(Unit &u)
{
    ScopedCount counted(u.hanging);
    const unsigned generation = u.releaseGeneration.load();
    const auto start = std::chrono::steady_clock::now();
    while (u.releaseGeneration.load() == generation) {
        const int timeoutMs = u.hangTimeoutMs.load();
        if (timeoutMs > 0
            && std::chrono::steady_clock::now() - start >= std::chrono::milliseconds(timeoutMs))
            return;
        ::usleep(kPollSliceUs);
    }
}

// Logs the call, then gives it its latency; takes the lock only for the log.
void enter(const char *function, const std::string &arguments)
{
    Unit &u = unit();
    {
        std::lock_guard<std::mutex> lock(u.mutex);
        u.log.push_back(std::string(function) + "(" + arguments + ")");
        if (u.log.size() > kLogCapacity)
            u.log.pop_front();
        ++u.callCounts[function];
    }
    const int latency = u.latencyUs.load();
    if (latency > 0)
        sleepMicroseconds(u, latency);
}

// The injected status of a function, consuming a one-shot injection; lock held.
ViStatus takeInjection(Unit &u, const char *function)
{
    const auto it = u.injections.find(function);
    if (it == u.injections.end())
        return VI_SUCCESS;
    const ViStatus status = it->second.status;
    if (!it->second.always)
        u.injections.erase(it);
    return status;
}

ViStatus checkSession(const Unit &u, ViSession vi)
{
    return u.sessions.count(vi) != 0 ? VI_SUCCESS : VI_ERROR_INV_OBJECT;
}

bool validChannel(ViUInt16 ch)
{
    return ch >= 1 && ch <= kChannels;
}

ViStatus checkChannel(const Unit &u, ViSession vi, ViUInt16 ch)
{
    const ViStatus status = checkSession(u, vi);
    if (status < 0)
        return status;
    return validChannel(ch) ? VI_SUCCESS : kErrorParameter2;
}

sc4830sim_Channel &channel(Unit &u, ViUInt16 ch)
{
    return u.channels[ch - 1];
}

// Writes text into a caller's buffer of size bytes: truncated and NUL-terminated, or, when
// the unit misbehaves on purpose, the whole buffer filled with the text repeated.
void writeText(char *dst, std::size_t size, const std::string &text, bool unterminated)
{
    if (!dst || size == 0)
        return;
    if (unterminated) {
        const std::string filler = text.empty() ? std::string("#") : text;
        for (std::size_t i = 0; i < size; ++i)
            dst[i] = filler[i % filler.size()];
        return;
    }
    const std::size_t length = std::min(text.size(), size - 1);
    std::memcpy(dst, text.data(), length);
    dst[length] = '\0';
}

// "NAME (0xXXXXXXXX): meaning.", as a VISA driver words a status it knows.
std::string statusMessage(ViStatus status)
{
    const unsigned code = static_cast<unsigned>(status);
    for (const StatusText &known : kStatusTexts) {
        if (known.status == status)
            return format("%s (0x%08X): %s", known.name, code, known.meaning);
    }
    return format("Unknown status (0x%08X)", code);
}

void *userDataFor(Unit &u)
{
    return u.reference.shape == SC4830SIM_REF_NO_ENVIRONMENT ? nullptr : &u.environment;
}

// Rebuilds the record chain for the reference shape and points every open session's user
// data at it; lock held.
void applyReference(Unit &u)
{
    const int shape = u.reference.shape;
    u.reference.presence = shape == SC4830SIM_REF_INDICATOR_ZERO ? 0 : 1;
    u.sourceRecord = {};
    u.sourceRecord.presence = shape == SC4830SIM_REF_NO_INDICATOR ? nullptr : &u.reference.presence;
    u.sourceRecord.read = &readReference;
    u.linkRecord = {};
    u.linkRecord.source = shape == SC4830SIM_REF_NO_SOURCE ? nullptr : &u.sourceRecord;
    u.environment = {};
    u.environment.link = shape == SC4830SIM_REF_NO_LINK ? nullptr : &u.linkRecord;
    u.environment.context = &u;
    void *userData = userDataFor(u);
    for (const ViSession vi : u.sessions)
        viSetAttribute(vi, VI_ATTR_USER_DATA, reinterpret_cast<uintptr_t>(userData));
}

// The carrier's reference read function; it insists on the context of the environment
// record so that a reader handing it anything else is caught.
int readReference(void *context, ViReal64 *vref)
{
    Unit &u = unit();
    if (context != &u || !vref)
        return -1;
    std::lock_guard<std::mutex> lock(u.mutex);
    if (u.reference.readResult != 0)
        return u.reference.readResult;
    *vref = u.reference.volts;
    return 0;
}

void resetModel(Unit &u)
{
    u.closes = 0;
    u.injections.clear();
    u.fcLastError = 0;
    u.customErrorText = false;
    u.errorText.clear();
    u.icpErr = 0;
    u.excErr = 0;
    u.identity = Identity();
    for (int i = 0; i < kChannels; ++i) {
        u.channels[i] = sc4830sim_Channel();
        u.readback[i] = Readback();
        u.imbalance[i] = 0.0;
    }
    u.voltRef = VoltRef();
    u.reference = Reference();
    applyReference(u);
    u.log.clear();
    u.callCounts.clear();
    u.unterminatedTexts = false;
    u.latencyUs = 0;
    u.calibrationMs = kDefaultCalibrationMs;
    u.calibrationHang = false;
    u.hangTimeoutMs = 0;
}

// Calibrations share one shape: check, then take the time with no lock held, then report.
// The injection is taken at the start, so that of calibrations running side by side the
// first one called gets a one-shot status.
template<typename Effect>
ViStatus calibrate(const char *function, ViSession vi, ViUInt16 ch, Effect effect)
{
    Unit &u = unit();
    ViStatus status;
    {
        std::lock_guard<std::mutex> lock(u.mutex);
        status = checkChannel(u, vi, ch);
        if (status < 0)
            return status;
        status = takeInjection(u, function);
    }
    if (u.calibrationHang.load())
        waitForRelease(u);
    else
        sleepMicroseconds(u, 1000LL * u.calibrationMs.load());
    std::lock_guard<std::mutex> lock(u.mutex);
    effect(u, status);
    return status;
}

} // namespace

extern "C" {

/* --- Driver ABI ----------------------------------------------------------------------- */

ViStatus sc4830_init(ViSession masterVi, ViBoolean idQuery, ViBoolean reset, ViSession *vi)
{
    enter("sc4830_init", format("%u, %u, %u, %s", masterVi, idQuery, reset, ptr(vi)));
    if (!vi)
        return kErrorParameter4;
    void *carrierRecord = nullptr;
    const ViStatus carrierStatus = visasim_peekUserData(masterVi, &carrierRecord);
    if (carrierStatus < 0)
        return carrierStatus;
    Unit &u = unit();
    std::lock_guard<std::mutex> lock(u.mutex);
    const ViStatus status = takeInjection(u, "sc4830_init");
    if (status < 0)
        return status;
    const ViSession session = visasim_openSession(userDataFor(u));
    u.sessions.insert(session);
    *vi = session;
    return status;
}

ViStatus sc4830_close(ViSession vi)
{
    enter("sc4830_close", format("%u", vi));
    Unit &u = unit();
    std::lock_guard<std::mutex> lock(u.mutex);
    ++u.closes;
    if (u.sessions.erase(vi) == 0)
        return VI_ERROR_INV_OBJECT;
    // The session goes even when the close reports a failure: nobody could close it again.
    visasim_closeSession(vi);
    return takeInjection(u, "sc4830_close");
}

ViStatus sc4830_revision_query(ViSession vi, ViChar driverRev[], ViChar instrRev[])
{
    enter("sc4830_revision_query", format("%u, %s, %s", vi, ptr(driverRev), ptr(instrRev)));
    Unit &u = unit();
    std::lock_guard<std::mutex> lock(u.mutex);
    const ViStatus status = checkSession(u, vi);
    if (status < 0)
        return status;
    const bool unterminated = u.unterminatedTexts.load();
    writeText(driverRev, kRevisionSize, u.identity.driverRev, unterminated);
    writeText(instrRev, kRevisionSize, u.identity.instrRev, unterminated);
    return takeInjection(u, "sc4830_revision_query");
}

ViStatus sc4830_serialNumber(ViSession vi, ViChar subModel[], ViUInt32 *serial)
{
    enter("sc4830_serialNumber", format("%u, %s, %s", vi, ptr(subModel), ptr(serial)));
    Unit &u = unit();
    std::lock_guard<std::mutex> lock(u.mutex);
    const ViStatus status = checkSession(u, vi);
    if (status < 0)
        return status;
    writeText(subModel, kSubModelSize, u.identity.subModel, u.unterminatedTexts.load());
    if (serial)
        *serial = u.identity.serial;
    return takeInjection(u, "sc4830_serialNumber");
}

ViStatus sc4830_setChannelConf(
    ViSession vi, ViUInt16 ch, ViUInt16 mode, ViUInt16 gain, ViUInt16 coup, ViUInt16 input)
{
    enter(
        "sc4830_setChannelConf", format("%u, %u, %u, %u, %u, %u", vi, ch, mode, gain, coup, input));
    Unit &u = unit();
    std::lock_guard<std::mutex> lock(u.mutex);
    ViStatus status = checkChannel(u, vi, ch);
    if (status < 0)
        return status;
    status = takeInjection(u, "sc4830_setChannelConf");
    if (status >= 0) {
        sc4830sim_Channel &c = channel(u, ch);
        c.mode = mode;
        c.gain = gain;
        c.coup = coup;
        c.input = input;
    }
    return status;
}

ViStatus sc4830_setExcitation(ViSession vi, ViUInt16 ch, ViReal64 pos, ViReal64 neg)
{
    enter("sc4830_setExcitation", format("%u, %u, %.6g, %.6g", vi, ch, pos, neg));
    Unit &u = unit();
    std::lock_guard<std::mutex> lock(u.mutex);
    ViStatus status = checkChannel(u, vi, ch);
    if (status < 0)
        return status;
    status = takeInjection(u, "sc4830_setExcitation");
    if (status >= 0) {
        channel(u, ch).posExc = pos;
        channel(u, ch).negExc = neg;
    }
    return status;
}

ViStatus sc4830_setShuntCal(ViSession vi, ViUInt16 ch, ViBoolean on)
{
    enter("sc4830_setShuntCal", format("%u, %u, %u", vi, ch, on));
    Unit &u = unit();
    std::lock_guard<std::mutex> lock(u.mutex);
    ViStatus status = checkChannel(u, vi, ch);
    if (status < 0)
        return status;
    status = takeInjection(u, "sc4830_setShuntCal");
    if (status >= 0)
        channel(u, ch).shunt = on;
    return status;
}

ViStatus sc4830_getExcitation(ViSession vi, ViUInt16 ch, ViReal64 *pos, ViReal64 *neg)
{
    enter("sc4830_getExcitation", format("%u, %u, %s, %s", vi, ch, ptr(pos), ptr(neg)));
    Unit &u = unit();
    std::lock_guard<std::mutex> lock(u.mutex);
    const ViStatus status = checkChannel(u, vi, ch);
    if (status < 0)
        return status;
    const Readback &r = u.readback[ch - 1];
    const sc4830sim_Channel &c = channel(u, ch);
    if (pos)
        *pos = r.overridden ? r.pos : c.posExc;
    if (neg)
        *neg = r.overridden ? r.neg : c.negExc;
    return takeInjection(u, "sc4830_getExcitation");
}

ViStatus sc4830_channelIdentify(ViSession vi, ViUInt16 ch, ViUInt16 state)
{
    enter("sc4830_channelIdentify", format("%u, %u, %u", vi, ch, state));
    Unit &u = unit();
    std::lock_guard<std::mutex> lock(u.mutex);
    ViStatus status = checkChannel(u, vi, ch);
    if (status < 0)
        return status;
    status = takeInjection(u, "sc4830_channelIdentify");
    if (status >= 0)
        channel(u, ch).identify = state;
    return status;
}

ViStatus sc4830_getStatus(
    ViSession vi, ViInt16 *icpErr, ViInt16 *excErr, ViInt16 *reserved1, ViInt16 *reserved2)
{
    enter("sc4830_getStatus",
        format("%u, %s, %s, %s, %s", vi, ptr(icpErr), ptr(excErr), ptr(reserved1), ptr(reserved2)));
    Unit &u = unit();
    std::lock_guard<std::mutex> lock(u.mutex);
    const ViStatus status = checkSession(u, vi);
    if (status < 0)
        return status;
    if (icpErr)
        *icpErr = u.icpErr;
    if (excErr)
        *excErr = u.excErr;
    if (reserved1)
        *reserved1 = 0;
    if (reserved2)
        *reserved2 = 0;
    return takeInjection(u, "sc4830_getStatus");
}

ViStatus sc4830_getVoltRefOutput(
    ViSession vi, ViInt32 *source, ViReal64 *voltage, ViBoolean *enabled)
{
    enter("sc4830_getVoltRefOutput",
        format("%u, %s, %s, %s", vi, ptr(source), ptr(voltage), ptr(enabled)));
    Unit &u = unit();
    std::lock_guard<std::mutex> lock(u.mutex);
    const ViStatus status = checkSession(u, vi);
    if (status < 0)
        return status;
    if (source)
        *source = u.voltRef.source;
    if (voltage)
        *voltage = u.voltRef.voltage;
    if (enabled)
        *enabled = u.voltRef.enabled;
    return takeInjection(u, "sc4830_getVoltRefOutput");
}

ViStatus sc4830_setVoltRefOutput(ViSession vi, ViInt32 source, ViReal64 voltage, ViBoolean enable)
{
    enter("sc4830_setVoltRefOutput", format("%u, %d, %.6g, %u", vi, source, voltage, enable));
    Unit &u = unit();
    std::lock_guard<std::mutex> lock(u.mutex);
    ViStatus status = checkSession(u, vi);
    if (status < 0)
        return status;
    status = takeInjection(u, "sc4830_setVoltRefOutput");
    if (status >= 0) {
        u.voltRef.source = source;
        u.voltRef.voltage = voltage;
        u.voltRef.enabled = enable;
    }
    return status;
}

ViStatus sc4830_pgaCalibration(
    ViSession vi, ViUInt16 ch, ViInt16 type, ViReal64 level, ViInt16 reserved1, ViInt16 reserved2)
{
    enter("sc4830_pgaCalibration",
        format("%u, %u, %d, %.6g, %d, %d", vi, ch, type, level, reserved1, reserved2));
    return calibrate("sc4830_pgaCalibration", vi, ch, [ch, level](Unit &u, ViStatus status) {
        if (status >= 0)
            channel(u, ch).lastCalLevel = level;
    });
}

ViStatus sc4830_excitCalibration(ViSession vi, ViUInt16 ch, ViInt16 reserved1, ViInt16 reserved2,
    ViInt16 reserved3, ViInt16 reserved4)
{
    enter("sc4830_excitCalibration",
        format("%u, %u, %d, %d, %d, %d", vi, ch, reserved1, reserved2, reserved3, reserved4));
    return calibrate("sc4830_excitCalibration", vi, ch, [](Unit &, ViStatus) {});
}

ViStatus sc4830_autobalance(ViSession vi, ViUInt16 ch, ViReal64 *imbalance)
{
    enter("sc4830_autobalance", format("%u, %u, %s", vi, ch, ptr(imbalance)));
    return calibrate("sc4830_autobalance", vi, ch, [ch, imbalance](Unit &u, ViStatus) {
        if (imbalance)
            *imbalance = u.imbalance[ch - 1];
    });
}

ViStatus sc4830_getFCLastError(ViSession vi, ViInt32 *code)
{
    enter("sc4830_getFCLastError", format("%u, %s", vi, ptr(code)));
    Unit &u = unit();
    std::lock_guard<std::mutex> lock(u.mutex);
    const ViStatus status = checkSession(u, vi);
    if (status < 0)
        return status;
    if (code)
        *code = u.fcLastError;
    return takeInjection(u, "sc4830_getFCLastError");
}

ViStatus sc4830_error_message(ViSession vi, ViStatus status, ViChar message[])
{
    enter("sc4830_error_message", format("%u, %d, %s", vi, status, ptr(message)));
    if (!message)
        return kErrorParameter3;
    Unit &u = unit();
    std::lock_guard<std::mutex> lock(u.mutex);
    // The text is written for any session: callers report with it whatever went wrong,
    // also after the session itself has failed.
    const std::string text = u.customErrorText ? u.errorText : statusMessage(status);
    writeText(message, kMessageSize, text, u.unterminatedTexts.load());
    const ViStatus own = checkSession(u, vi);
    if (own < 0)
        return own;
    return takeInjection(u, "sc4830_error_message");
}

/* --- Control API ---------------------------------------------------------------------- */

void sc4830sim_reset(void)
{
    Unit &u = unit();
    std::lock_guard<std::mutex> lock(u.mutex);
    resetModel(u);
    ++u.releaseGeneration;
}

void sc4830sim_injectStatus(const char *function, ViStatus status, int always)
{
    if (!function)
        return;
    Unit &u = unit();
    std::lock_guard<std::mutex> lock(u.mutex);
    if (status == VI_SUCCESS)
        u.injections.erase(function);
    else
        u.injections[function] = Injection { status, always != 0 };
}

void sc4830sim_clearInjections(void)
{
    Unit &u = unit();
    std::lock_guard<std::mutex> lock(u.mutex);
    u.injections.clear();
}

void sc4830sim_setFCLastError(ViInt32 code)
{
    Unit &u = unit();
    std::lock_guard<std::mutex> lock(u.mutex);
    u.fcLastError = code;
}

void sc4830sim_setErrorText(const char *text)
{
    Unit &u = unit();
    std::lock_guard<std::mutex> lock(u.mutex);
    u.customErrorText = text != nullptr;
    u.errorText = text ? std::string(text).substr(0, kMessageSize - 1) : std::string();
}

void sc4830sim_setUnterminatedTexts(int on)
{
    unit().unterminatedTexts = on != 0;
}

void sc4830sim_setCallLatencyUs(int microseconds)
{
    unit().latencyUs = microseconds > 0 ? microseconds : 0;
}

void sc4830sim_setStatusWords(ViInt16 icpErr, ViInt16 excErr)
{
    Unit &u = unit();
    std::lock_guard<std::mutex> lock(u.mutex);
    u.icpErr = icpErr;
    u.excErr = excErr;
}

void sc4830sim_setIdentity(
    const char *subModel, ViUInt32 serial, const char *instrRev, const char *driverRev)
{
    Unit &u = unit();
    std::lock_guard<std::mutex> lock(u.mutex);
    if (subModel)
        u.identity.subModel = subModel;
    u.identity.serial = serial;
    if (instrRev)
        u.identity.instrRev = instrRev;
    if (driverRev)
        u.identity.driverRev = driverRev;
}

void sc4830sim_setExcitationReadback(ViUInt16 ch, ViReal64 pos, ViReal64 neg)
{
    if (!validChannel(ch))
        return;
    Unit &u = unit();
    std::lock_guard<std::mutex> lock(u.mutex);
    Readback &r = u.readback[ch - 1];
    r.overridden = true;
    r.pos = pos;
    r.neg = neg;
}

void sc4830sim_setImbalance(ViUInt16 ch, ViReal64 imbalance)
{
    if (!validChannel(ch))
        return;
    Unit &u = unit();
    std::lock_guard<std::mutex> lock(u.mutex);
    u.imbalance[ch - 1] = imbalance;
}

void sc4830sim_setCalibrationDurationMs(int milliseconds)
{
    unit().calibrationMs = milliseconds > 0 ? milliseconds : 0;
}

void sc4830sim_setCalibrationHang(int on)
{
    unit().calibrationHang = on != 0;
}

void sc4830sim_setCalibrationHangTimeoutMs(int milliseconds)
{
    unit().hangTimeoutMs = milliseconds > 0 ? milliseconds : 0;
}

void sc4830sim_releaseCalibrations(void)
{
    ++unit().releaseGeneration;
}

int sc4830sim_hangingCalibrations(void)
{
    return unit().hanging.load();
}

void sc4830sim_setReference(int shape, ViReal64 volts, int readResult)
{
    Unit &u = unit();
    std::lock_guard<std::mutex> lock(u.mutex);
    const bool known = shape >= SC4830SIM_REF_PRESENT && shape <= SC4830SIM_REF_NO_ENVIRONMENT;
    u.reference.shape = known ? shape : SC4830SIM_REF_PRESENT;
    u.reference.volts = volts;
    u.reference.readResult = readResult;
    applyReference(u);
}

int sc4830sim_getChannel(ViUInt16 ch, sc4830sim_Channel *out)
{
    if (!validChannel(ch) || !out)
        return -1;
    Unit &u = unit();
    std::lock_guard<std::mutex> lock(u.mutex);
    *out = channel(u, ch);
    return 0;
}

void sc4830sim_getVoltRef(ViInt32 *source, ViReal64 *voltage, ViBoolean *monitorEnabled)
{
    Unit &u = unit();
    std::lock_guard<std::mutex> lock(u.mutex);
    if (source)
        *source = u.voltRef.source;
    if (voltage)
        *voltage = u.voltRef.voltage;
    if (monitorEnabled)
        *monitorEnabled = u.voltRef.enabled;
}

int sc4830sim_openSessionCount(void)
{
    Unit &u = unit();
    std::lock_guard<std::mutex> lock(u.mutex);
    return static_cast<int>(u.sessions.size());
}

int sc4830sim_closeCount(void)
{
    Unit &u = unit();
    std::lock_guard<std::mutex> lock(u.mutex);
    return u.closes;
}

int sc4830sim_logCount(void)
{
    Unit &u = unit();
    std::lock_guard<std::mutex> lock(u.mutex);
    return static_cast<int>(u.log.size());
}

int sc4830sim_logEntry(int i, char *buf, int size)
{
    Unit &u = unit();
    std::lock_guard<std::mutex> lock(u.mutex);
    if (i < 0 || static_cast<std::size_t>(i) >= u.log.size())
        return -1;
    const std::string &entry = u.log[static_cast<std::size_t>(i)];
    if (buf && size > 0)
        writeText(buf, static_cast<std::size_t>(size), entry, false);
    return static_cast<int>(entry.size());
}

void sc4830sim_clearLog(void)
{
    Unit &u = unit();
    std::lock_guard<std::mutex> lock(u.mutex);
    u.log.clear();
    u.callCounts.clear();
}

int sc4830sim_callCount(const char *function)
{
    if (!function)
        return 0;
    Unit &u = unit();
    std::lock_guard<std::mutex> lock(u.mutex);
    const auto it = u.callCounts.find(function);
    return it == u.callCounts.end() ? 0 : it->second;
}

} // extern "C"
