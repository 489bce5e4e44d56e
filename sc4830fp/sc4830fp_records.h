#ifndef SC4830FP_RECORDS_H
#define SC4830FP_RECORDS_H

#include <visa.h>

#include <cstddef>

// The panel's view of the environment records that the carrier's and the unit's drivers
// keep behind their VISA sessions (VI_ATTR_USER_DATA). The records belong to those
// drivers; the panel reads the few fields below and nothing else. Layout of x86-64
// builds: pointer-sized fields of 8 bytes. Any pointer in them may be null, and null
// always means "absent".
// The simulated carrier and unit lay the same records out again from the fixed offsets,
// on their own and sharing nothing with this view, on purpose: a wrong offset here then
// makes the tests fail instead of being mirrored by the simulator.
namespace sc4830fp_records {

using AccessFunction
    = ViStatus (*)(ViSession vi, ViInt32 space, ViInt32 flags, void **accessRecord);
using ReadFunction
    = ViStatus (*)(ViSession vi, ViUInt32 reg, ViInt32 width, void *dst, ViUInt32 bytes, void *aux);
using ReferenceReadFunction = int (*)(void *context, ViReal64 *vref);

// Behind the carrier's session.
struct CarrierEnvironment
{
    void *reserved[3];
    AccessFunction access;
};
struct CarrierAccess
{
    void *reserved;
    ReadFunction read;
};

// Behind the unit's session.
struct ReferenceSource
{
    void *reserved0;
    int *present;
    void *reserved1[2];
    ReferenceReadFunction read;
};
struct Link
{
    void *reserved[6];
    ReferenceSource *source;
};
struct UnitEnvironment
{
    void *reserved[2];
    Link *link;
    void *referenceContext;
};

static_assert(offsetof(CarrierEnvironment, access) == 24, "carrier access function");
static_assert(offsetof(CarrierAccess, read) == 8, "carrier read function");
static_assert(offsetof(UnitEnvironment, link) == 16, "unit link record");
static_assert(offsetof(UnitEnvironment, referenceContext) == 24, "reference context");
static_assert(offsetof(Link, source) == 48, "reference source record");
static_assert(offsetof(ReferenceSource, present) == 8, "reference presence");
static_assert(offsetof(ReferenceSource, read) == 32, "reference read function");

// Register of the unit's identification code on the carrier, and the code an Orbisa 4830
// answers.
constexpr ViUInt32 identificationRegister = 0xA2;
constexpr unsigned unitIdentification = 0x4830;

// The unit answers its code as two bytes each followed by its complement:
// b0 b1 ~b0 ~b1. Returns b1 * 256 + b0 when both complements hold, else 0.
unsigned decodeIdentification(const unsigned char bytes[4]);

} // namespace sc4830fp_records

#endif // SC4830FP_RECORDS_H
