// Counts a call of the simulated unit for as long as it waits.
#ifndef SFP_SCOPEDCOUNT_H
#define SFP_SCOPEDCOUNT_H

#include <atomic>

#pragma GCC visibility push(hidden)
namespace sc4830sim {

// Its destructor also runs when the thread is cancelled (QThread::terminate) in its sleep:
// cancellation unwinds the stack. The waiting functions call the C library's sleep from
// their own frame, which holds this counter, so the deepest frame that the unwinding cleans
// up is theirs; an instrumented wrapper frame below it would leave stale AddressSanitizer
// poison behind.
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

} // namespace sc4830sim
#pragma GCC visibility pop

#endif // SFP_SCOPEDCOUNT_H
