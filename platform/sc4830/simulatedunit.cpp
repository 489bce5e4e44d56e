#include "simulatedunit.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace sc4830sim {

namespace {

constexpr std::size_t kLogCapacity = 100000;

// The carrier's reference read function; it insists on the context of the environment
// record so that a reader handing it anything else is caught.
int readReference(void *context, ViReal64 *vref)
{
    SimulatedUnit &u = SimulatedUnit::instance();
    if (context != &u || !vref)
        return -1;
    std::lock_guard<std::mutex> lock(u.mutex);
    if (u.reference.readResult != 0)
        return u.reference.readResult;
    *vref = u.reference.volts;
    return 0;
}

} // namespace

SimulatedUnit &SimulatedUnit::instance()
{
    static SimulatedUnit *unit = [] {
        SimulatedUnit *u = new SimulatedUnit;
        std::lock_guard<std::mutex> lock(u->mutex);
        u->applyReference();
        return u;
    }();
    return *unit;
}

void SimulatedUnit::reset()
{
    closes = 0;
    injections.clear();
    fcLastError = 0;
    customErrorText = false;
    errorText.clear();
    icpErr = 0;
    excErr = 0;
    identity = Identity();
    for (int i = 0; i < kChannels; ++i) {
        channels[i] = sc4830sim_Channel();
        readback[i] = Readback();
        imbalance[i] = 0.0;
    }
    voltRef = VoltRef();
    reference = Reference();
    applyReference();
    log.clear();
    callCounts.clear();
    unterminatedTexts = false;
    latencyUs = 0;
    calibrationMs = kDefaultCalibrationMs;
    calibrationHang = false;
    hangTimeoutMs = 0;
}

void SimulatedUnit::applyReference()
{
    const int shape = reference.shape;
    reference.presence = shape == SC4830SIM_REF_INDICATOR_ZERO ? 0 : 1;
    sourceRecord = {};
    sourceRecord.presence = shape == SC4830SIM_REF_NO_INDICATOR ? nullptr : &reference.presence;
    sourceRecord.read = &readReference;
    linkRecord = {};
    linkRecord.source = shape == SC4830SIM_REF_NO_SOURCE ? nullptr : &sourceRecord;
    environment = {};
    environment.link = shape == SC4830SIM_REF_NO_LINK ? nullptr : &linkRecord;
    environment.context = this;
    void *record = userData();
    for (const ViSession vi : sessions)
        viSetAttribute(vi, VI_ATTR_USER_DATA, reinterpret_cast<uintptr_t>(record));
}

void *SimulatedUnit::userData()
{
    return reference.shape == SC4830SIM_REF_NO_ENVIRONMENT ? nullptr : &environment;
}

void SimulatedUnit::logCall(const char *function, const std::string &arguments)
{
    log.push_back(std::string(function) + "(" + arguments + ")");
    if (log.size() > kLogCapacity)
        log.pop_front();
    ++callCounts[function];
}

ViStatus SimulatedUnit::takeInjection(const char *function)
{
    const auto it = injections.find(function);
    if (it == injections.end())
        return VI_SUCCESS;
    const ViStatus status = it->second.status;
    if (!it->second.always)
        injections.erase(it);
    return status;
}

bool validChannel(ViUInt16 ch)
{
    return ch >= 1 && ch <= kChannels;
}

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

} // namespace sc4830sim
