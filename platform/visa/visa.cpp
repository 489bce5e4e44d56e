// The VISA stand-in: a process-wide session table whose only attribute is the record
// pointer that a driver keeps behind its session (VI_ATTR_USER_DATA).

#include "visa.h"
#include "visasim.h"

#include <mutex>
#include <unordered_map>

namespace {

// VISA's "user buffer" error, for a null destination.
constexpr ViStatus kErrorUserBuf = static_cast<ViStatus>(0xBFFF0071UL);

struct Injection
{
    ViStatus status = VI_SUCCESS;
    bool always = false;
};

struct SessionTable
{
    std::mutex mutex;
    std::unordered_map<ViSession, void *> userData;
    ViSession lastSession = 0;
    Injection injection;
};

// Never destroyed: drivers and tests may still call in from static destructors.
SessionTable &table()
{
    static SessionTable *instance = new SessionTable;
    return *instance;
}

// Reads the record pointer without looking at the injection; the caller holds the lock.
ViStatus lookUp(SessionTable &t, ViObject vi, void **record)
{
    const auto it = t.userData.find(vi);
    if (it == t.userData.end())
        return VI_ERROR_INV_OBJECT;
    *record = it->second;
    return VI_SUCCESS;
}

// Takes the injected status, if any, consuming a one-shot injection.
ViStatus takeInjection(SessionTable &t)
{
    const ViStatus status = t.injection.status;
    if (status != VI_SUCCESS && !t.injection.always)
        t.injection = Injection();
    return status;
}

} // namespace

extern "C" {

ViStatus viGetAttribute(ViObject vi, ViAttr attribute, void *attrState)
{
    SessionTable &t = table();
    std::lock_guard<std::mutex> lock(t.mutex);
    const ViStatus injected = takeInjection(t);
    if (injected < 0)
        return injected;
    if (attribute != VI_ATTR_USER_DATA)
        return VI_ERROR_NSUP_ATTR;
    if (!attrState)
        return kErrorUserBuf;
    void *record = nullptr;
    const ViStatus status = lookUp(t, vi, &record);
    if (status < 0)
        return status;
    *static_cast<void **>(attrState) = record;
    return injected;
}

ViStatus viSetAttribute(ViObject vi, ViAttr attribute, uintptr_t attrState)
{
    if (attribute != VI_ATTR_USER_DATA)
        return VI_ERROR_NSUP_ATTR;
    SessionTable &t = table();
    std::lock_guard<std::mutex> lock(t.mutex);
    const auto it = t.userData.find(vi);
    if (it == t.userData.end())
        return VI_ERROR_INV_OBJECT;
    it->second = reinterpret_cast<void *>(attrState);
    return VI_SUCCESS;
}

ViSession visasim_openSession(void *userData)
{
    SessionTable &t = table();
    std::lock_guard<std::mutex> lock(t.mutex);
    const ViSession vi = ++t.lastSession;
    t.userData.emplace(vi, userData);
    return vi;
}

void visasim_closeSession(ViSession vi)
{
    SessionTable &t = table();
    std::lock_guard<std::mutex> lock(t.mutex);
    t.userData.erase(vi);
}

void visasim_injectGetAttributeStatus(ViStatus status, int always)
{
    SessionTable &t = table();
    std::lock_guard<std::mutex> lock(t.mutex);
    t.injection.status = status;
    t.injection.always = status != VI_SUCCESS && always != 0;
}

int visasim_openSessionCount(void)
{
    SessionTable &t = table();
    std::lock_guard<std::mutex> lock(t.mutex);
    return static_cast<int>(t.userData.size());
}

void visasim_reset(void)
{
    SessionTable &t = table();
    std::lock_guard<std::mutex> lock(t.mutex);
    t.injection = Injection();
}

// For the simulated unit driver, which checks with this that a carrier session is live,
// so that an injected viGetAttribute failure meant for the panel's own read is neither
// consumed nor tripped by the driver's internal check.
ViStatus visasim_peekUserData(ViSession vi, void **record)
{
    if (!record)
        return kErrorUserBuf;
    SessionTable &t = table();
    std::lock_guard<std::mutex> lock(t.mutex);
    return lookUp(t, vi, record);
}

} // extern "C"
