// Feeds the decoder of the unit's identification answer every 4-byte answer a carrier
// could return. The decoded code must be 0, or b1 * 256 + b0 when both bytes come with
// their complements; and an answer whose complements hold must never be thrown away.
#include "sc4830fp_records.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size != 4)
        return 0;
    const unsigned code = sc4830fp_records::decodeIdentification(data);
    const bool complementsHold = uint8_t(~data[2]) == data[0] && uint8_t(~data[3]) == data[1];
    const unsigned answered = data[1] * 256u + data[0];
    if (code != 0 && (!complementsHold || code != answered))
        std::abort();
    if (complementsHold && code != answered)
        std::abort();
    return 0;
}
