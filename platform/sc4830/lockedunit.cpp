#include "lockedunit.h"

namespace sc4830sim {

LockedUnit::LockedUnit()
    : m_unit(SimulatedUnit::instance())
    , m_lock(m_unit.mutex)
{
}

} // namespace sc4830sim
