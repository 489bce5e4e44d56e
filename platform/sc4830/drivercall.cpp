#include "drivercall.h"

#include "scopedcount.h"

#include <chrono>
#include <cstdarg>
#include <cstdio>

#include <unistd.h>

namespace sc4830sim {

namespace {

constexpr useconds_t kPollSliceUs = 1000;
// The instrument driver's "parameter 2 out of range" status.
constexpr ViStatus kErrorParameter2 = static_cast<ViStatus>(0xBFFC0002UL);

void sleepMicroseconds(SimulatedUnit &u, long long microseconds)
{
    ScopedCount counted(u.sleeping);
    const auto deadline
        = std::chrono::steady_clock::now() + std::chrono::microseconds(microseconds);
    while (std::chrono::steady_clock::now() < deadline)
        ::usleep(kPollSliceUs);
}

// Waits for a release, or until the hang time-out has passed since the wait began. The
// time-out is read on every slice, so a change reaches calibrations already hanging.
void waitForRelease(SimulatedUnit &u)
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

} // namespace

DriverCall::DriverCall(const char *function, const char *argumentFormat, ...)
    : m_function(function)
    , m_unit(SimulatedUnit::instance())
    , m_lock(m_unit.mutex, std::defer_lock)
{
    char arguments[512];
    va_list args;
    va_start(args, argumentFormat);
    std::vsnprintf(arguments, sizeof arguments, argumentFormat, args);
    va_end(args);
    m_lock.lock();
    m_unit.logCall(function, arguments);
    m_lock.unlock();
    const int latency = m_unit.latencyUs.load();
    if (latency > 0)
        sleepMicroseconds(m_unit, latency);
    m_lock.lock();
}

ViStatus DriverCall::inject()
{
    m_status = m_unit.takeInjection(m_function);
    return m_status;
}

bool DriverCall::admit(ViSession vi)
{
    if (!m_unit.isOpen(vi)) {
        m_status = VI_ERROR_INV_OBJECT;
        return false;
    }
    inject();
    return true;
}

bool DriverCall::admit(ViSession vi, ViUInt16 ch)
{
    if (m_unit.isOpen(vi) && !validChannel(ch)) {
        m_status = kErrorParameter2;
        return false;
    }
    return admit(vi);
}

bool DriverCall::takesEffect(ViSession vi)
{
    return admit(vi) && m_status >= 0;
}

sc4830sim_Channel *DriverCall::channelToSet(ViSession vi, ViUInt16 ch)
{
    return admit(vi, ch) && m_status >= 0 ? &m_unit.channel(ch) : nullptr;
}

bool DriverCall::calibrate(ViSession vi, ViUInt16 ch)
{
    if (!admit(vi, ch))
        return false;
    m_lock.unlock();
    if (m_unit.calibrationHang.load())
        waitForRelease(m_unit);
    else
        sleepMicroseconds(m_unit, 1000LL * m_unit.calibrationMs.load());
    m_lock.lock();
    return true;
}

} // namespace sc4830sim
