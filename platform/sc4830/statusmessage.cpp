#include "statusmessage.h"

#include <sc4830.h>

#include <cstdarg>
#include <cstdio>

namespace sc4830sim {

namespace {

// What sc4830_error_message says about a status: its VISA or driver name and meaning.
struct StatusText
{
    ViStatus status;
    const char *name;
    const char *meaning;
};

constexpr ViStatus statusOf(unsigned long code)
{
    return static_cast<ViStatus>(code);
}

// The statuses this unit, its carrier and the VISA layer under them answer with: VISA's
// own, the VXIplug&play instrument driver ones and the unit's carrier error.
constexpr StatusText kStatusTexts[] = {
    { VI_SUCCESS, "VI_SUCCESS", "Operation completed successfully." },
    { statusOf(0x3FFC0101UL), "VI_WARN_NSUP_ID_QUERY", "Identification query not supported." },
    { statusOf(0x3FFC0102UL), "VI_WARN_NSUP_RESET", "Reset not supported." },
    { statusOf(0x3FFC0103UL), "VI_WARN_NSUP_SELF_TEST", "Self-test not supported." },
    { statusOf(0x3FFC0104UL), "VI_WARN_NSUP_ERROR_QUERY", "Error query not supported." },
    { statusOf(0x3FFC0105UL), "VI_WARN_NSUP_REV_QUERY", "Revision query not supported." },
    { statusOf(0xBFFC0011UL), "VI_ERROR_FAIL_ID_QUERY", "Instrument identification query failed." },
    { statusOf(0xBFFC0012UL), "VI_ERROR_INV_RESPONSE", "Error interpreting instrument response." },
    { sc4830_ERROR_FC, "sc4830_ERROR_FC",
        "The carrier reported an error; sc4830_getFCLastError gives its code." },
    { statusOf(0xBFFF0000UL), "VI_ERROR_SYSTEM_ERROR", "Unknown system error." },
    { VI_ERROR_INV_OBJECT, "VI_ERROR_INV_OBJECT",
        "The given session or object reference is invalid." },
    { statusOf(0xBFFF0011UL), "VI_ERROR_RSRC_NFOUND",
        "The requested device or resource is not present in the system." },
    { statusOf(0xBFFF0015UL), "VI_ERROR_TMO", "Timeout expired before operation completed." },
    { VI_ERROR_NSUP_ATTR, "VI_ERROR_NSUP_ATTR",
        "The specified attribute is not defined or supported by the referenced resource." },
    { statusOf(0xBFFF003EUL), "VI_ERROR_IO", "Could not perform operation because of I/O error." },
    { statusOf(0xBFFF0067UL), "VI_ERROR_NSUP_OPER",
        "The given session does not support this operation." },
    { statusOf(0xBFFF0071UL), "VI_ERROR_USER_BUF",
        "A specified user buffer is not valid or cannot be accessed for the required size." },
    { statusOf(0xBFFF0078UL), "VI_ERROR_INV_PARAMETER", "The value of some parameter is invalid." },
};

// The instrument driver's "parameter n out of range" statuses are a numbered family:
// VI_ERROR_PARAMETER1 (0xBFFC0001) to VI_ERROR_PARAMETER6 (0xBFFC0006).
constexpr unsigned kParameterErrorBase = 0xBFFC0000U;
constexpr unsigned kParameterErrors = 6;

const StatusText *findStatusText(ViStatus status)
{
    for (const StatusText &known : kStatusTexts) {
        if (known.status == status)
            return &known;
    }
    return nullptr;
}

std::string formatted(const char *fmt, ...) __attribute__((format(printf, 1, 2)));
std::string formatted(const char *fmt, ...)
{
    char buffer[512];
    va_list args;
    va_start(args, fmt);
    std::vsnprintf(buffer, sizeof buffer, fmt, args);
    va_end(args);
    return buffer;
}

} // namespace

std::string statusMessage(ViStatus status)
{
    const unsigned code = static_cast<unsigned>(status);
    if (const StatusText *known = findStatusText(status))
        return formatted("%s (0x%08X): %s", known->name, code, known->meaning);
    const unsigned parameter = code - kParameterErrorBase;
    if (parameter >= 1 && parameter <= kParameterErrors)
        return formatted("VI_ERROR_PARAMETER%u (0x%08X): Parameter %u out of range.", parameter,
            code, parameter);
    return formatted("Unknown status (0x%08X)", code);
}

} // namespace sc4830sim
