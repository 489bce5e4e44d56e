// The simulated carrier: one environment record and one access record shared by every
// carrier session, laid out as the carrier's driver keeps them on x86-64.

#include "simcarrier.h"
#include "visasim.h"

#include <cstddef>
#include <cstring>
#include <mutex>
#include <unordered_map>

namespace {

using AccessFn = ViStatus (*)(ViSession vi, ViInt32 space, ViInt32 flags, void **accessRecord);
using ReadFn
    = ViStatus (*)(ViSession vi, ViUInt32 reg, ViInt32 width, void *dst, ViUInt32 bytes, void *aux);

// The fields before and between the ones a front panel reads belong to the carrier's
// driver; they stay null here. Laid out from the fixed offsets apart from the plug-in's
// view of them (sc4830fp/sc4830fp_records.h) on purpose, so that a wrong offset there
// makes the tests fail instead of being mirrored here.
struct EnvironmentRecord
{
    void *reserved[3];
    AccessFn access;
};
static_assert(offsetof(EnvironmentRecord, access) == 24, "access function at offset 24");

struct AccessRecord
{
    void *reserved;
    ReadFn read;
};
static_assert(offsetof(AccessRecord, read) == 8, "read function at offset 8");

constexpr ViUInt32 kIdentRegister = 0xA2;
constexpr ViStatus kErrorParameter = static_cast<ViStatus>(0xBFFF0078UL);
constexpr unsigned char kDefaultIdent[4] = { 0x30, 0x48, 0xCF, 0xB7 };

ViStatus accessFn(ViSession vi, ViInt32 space, ViInt32 flags, void **accessRecord);
ViStatus readFn(ViSession vi, ViUInt32 reg, ViInt32 width, void *dst, ViUInt32 bytes, void *aux);

struct Carrier
{
    std::mutex mutex;
    std::unordered_map<ViSession, ViUInt16> models;
    unsigned char ident[4]
        = { kDefaultIdent[0], kDefaultIdent[1], kDefaultIdent[2], kDefaultIdent[3] };
    ViStatus accessStatus = VI_SUCCESS;
    ViStatus readStatus = VI_SUCCESS;
    int shape = SIMCARRIER_RECORD_WHOLE;
    // Readers hold pointers into these records without the lock; only the shape knobs
    // write them, and tests turn those between probes.
    EnvironmentRecord environment = { { nullptr, nullptr, nullptr }, &accessFn };
    AccessRecord accessRecord = { nullptr, &readFn };
};

Carrier &carrier()
{
    static Carrier *instance = new Carrier;
    return *instance;
}

bool isCarrierSession(Carrier &c, ViSession vi)
{
    return c.models.find(vi) != c.models.end();
}

void *userDataFor(Carrier &c)
{
    return c.shape == SIMCARRIER_RECORD_NULL_ENVIRONMENT ? nullptr : &c.environment;
}

// Brings the records and every session's user data in line with the shape; lock held.
void applyShape(Carrier &c)
{
    c.environment.access = c.shape == SIMCARRIER_RECORD_NULL_ACCESS_FN ? nullptr : &accessFn;
    c.accessRecord.read = c.shape == SIMCARRIER_RECORD_NULL_READ_FN ? nullptr : &readFn;
    void *userData = userDataFor(c);
    for (const auto &session : c.models)
        viSetAttribute(session.first, VI_ATTR_USER_DATA, reinterpret_cast<uintptr_t>(userData));
}

ViStatus accessFn(ViSession vi, ViInt32 /*space*/, ViInt32 /*flags*/, void **accessRecord)
{
    Carrier &c = carrier();
    std::lock_guard<std::mutex> lock(c.mutex);
    if (!isCarrierSession(c, vi))
        return VI_ERROR_INV_OBJECT;
    if (!accessRecord)
        return kErrorParameter;
    if (c.accessStatus < 0)
        return c.accessStatus;
    *accessRecord = c.shape == SIMCARRIER_RECORD_NULL_ACCESS_REC ? nullptr : &c.accessRecord;
    return c.accessStatus;
}

bool validTransfer(ViInt32 width, ViUInt32 bytes)
{
    const bool validWidth = width == 1 || width == 2 || width == 4;
    return validWidth && bytes % static_cast<ViUInt32>(width) == 0;
}

// The identification register answers its four bytes; every other register reads as 0.
ViStatus readFn(
    ViSession vi, ViUInt32 reg, ViInt32 width, void *dst, ViUInt32 bytes, void * /*aux*/)
{
    Carrier &c = carrier();
    std::lock_guard<std::mutex> lock(c.mutex);
    if (!isCarrierSession(c, vi))
        return VI_ERROR_INV_OBJECT;
    if (!dst || !validTransfer(width, bytes))
        return kErrorParameter;
    if (c.readStatus < 0)
        return c.readStatus;
    auto *out = static_cast<unsigned char *>(dst);
    std::memset(out, 0, bytes);
    if (reg == kIdentRegister)
        std::memcpy(out, c.ident, bytes < 4 ? bytes : 4);
    return c.readStatus;
}

} // namespace

extern "C" {

ViSession simcarrier_open(ViUInt16 model)
{
    Carrier &c = carrier();
    std::lock_guard<std::mutex> lock(c.mutex);
    const ViSession vi = visasim_openSession(userDataFor(c));
    c.models.emplace(vi, model);
    return vi;
}

void simcarrier_close(ViSession vi)
{
    Carrier &c = carrier();
    std::lock_guard<std::mutex> lock(c.mutex);
    if (c.models.erase(vi) != 0)
        visasim_closeSession(vi);
}

ViUInt16 simcarrier_model(ViSession vi)
{
    Carrier &c = carrier();
    std::lock_guard<std::mutex> lock(c.mutex);
    const auto it = c.models.find(vi);
    return it == c.models.end() ? 0 : it->second;
}

void simcarrier_setIdentBytes(
    unsigned char b0, unsigned char b1, unsigned char b2, unsigned char b3)
{
    Carrier &c = carrier();
    std::lock_guard<std::mutex> lock(c.mutex);
    c.ident[0] = b0;
    c.ident[1] = b1;
    c.ident[2] = b2;
    c.ident[3] = b3;
}

void simcarrier_setAccessStatus(ViStatus status)
{
    Carrier &c = carrier();
    std::lock_guard<std::mutex> lock(c.mutex);
    c.accessStatus = status;
}

void simcarrier_setReadStatus(ViStatus status)
{
    Carrier &c = carrier();
    std::lock_guard<std::mutex> lock(c.mutex);
    c.readStatus = status;
}

void simcarrier_setRecordShape(int shape)
{
    Carrier &c = carrier();
    std::lock_guard<std::mutex> lock(c.mutex);
    const bool known = shape >= SIMCARRIER_RECORD_WHOLE && shape <= SIMCARRIER_RECORD_NULL_READ_FN;
    c.shape = known ? shape : SIMCARRIER_RECORD_WHOLE;
    applyShape(c);
}

void simcarrier_reset(void)
{
    Carrier &c = carrier();
    std::lock_guard<std::mutex> lock(c.mutex);
    std::memcpy(c.ident, kDefaultIdent, sizeof c.ident);
    c.accessStatus = VI_SUCCESS;
    c.readStatus = VI_SUCCESS;
    c.shape = SIMCARRIER_RECORD_WHOLE;
    applyShape(c);
}

} // extern "C"
