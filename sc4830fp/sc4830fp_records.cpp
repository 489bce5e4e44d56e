#include "sc4830fp_records.h"

namespace sc4830fp_records {

unsigned decodeIdentification(const unsigned char bytes[4])
{
    const bool complementsHold = bytes[0] == static_cast<unsigned char>(~bytes[2])
        && bytes[1] == static_cast<unsigned char>(~bytes[3]);
    return complementsHold ? bytes[1] * 256u + bytes[0] : 0u;
}

} // namespace sc4830fp_records
