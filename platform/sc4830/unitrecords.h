// The driver-owned records behind a unit session, as a front panel walks them to reach
// the carrier's reference voltage (VI_ATTR_USER_DATA). Layout of x86-64 builds:
// pointer-sized fields of 8 bytes. Unnamed fields belong to the driver and stay null.
//
// The plug-in has its own view of these records (sc4830fp/sc4830fp_records.h). The two
// are declared apart on purpose: each is laid out from the fixed offsets on its own, so
// that a wrong offset on the panel's side makes the tests fail instead of being copied
// into the simulator, which would then agree with it.
#ifndef SFP_UNITRECORDS_H
#define SFP_UNITRECORDS_H

#include <visa.h>

#include <cstddef>

#pragma GCC visibility push(hidden)
namespace sc4830sim {

using ReferenceReadFn = int (*)(void *context, ViReal64 *vref);

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

} // namespace sc4830sim
#pragma GCC visibility pop

#endif // SFP_UNITRECORDS_H
