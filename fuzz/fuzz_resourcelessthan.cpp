// Feeds resourceLessThan pairs of names. The input is split at its first line feed (or in
// the middle when there is none) and each half read as UTF-8. Besides the sanitizers'
// findings, a pair that is less than each other, or a name less than itself, is a crash:
// std::sort relies on both never happening.
#include "cr2200fp_app.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const char *text = reinterpret_cast<const char *>(data);
    const void *newline = std::memchr(text, '\n', size);
    const size_t split = newline ? size_t(static_cast<const char *>(newline) - text) : size / 2;
    const size_t rest = newline ? split + 1 : split;
    const QString a = QString::fromUtf8(text, int(split));
    const QString b = QString::fromUtf8(text + rest, int(size - rest));

    const bool ab = resourceLessThan(a, b);
    const bool ba = resourceLessThan(b, a);
    if (ab && ba)
        std::abort();
    if (resourceLessThan(a, a) || resourceLessThan(b, b))
        std::abort();
    return 0;
}
