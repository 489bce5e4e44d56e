// The simulated unit's model with its lock held.
#ifndef SFP_LOCKEDUNIT_H
#define SFP_LOCKEDUNIT_H

#include "simulatedunit.h"

#include <mutex>

#pragma GCC visibility push(hidden)
namespace sc4830sim {

// Holds the model's lock for as long as it lives: how the control API reads and shapes
// the model.
class LockedUnit
{
public:
    LockedUnit();
    LockedUnit(const LockedUnit &) = delete;
    LockedUnit &operator=(const LockedUnit &) = delete;

    SimulatedUnit *operator->() const { return &m_unit; }
    SimulatedUnit &operator*() const { return m_unit; }

private:
    SimulatedUnit &m_unit;
    std::lock_guard<std::mutex> m_lock;
};

} // namespace sc4830sim
#pragma GCC visibility pop

#endif // SFP_LOCKEDUNIT_H
