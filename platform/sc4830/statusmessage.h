// The text sc4830_error_message gives a status by default.
#ifndef SFP_STATUSMESSAGE_H
#define SFP_STATUSMESSAGE_H

#include <visa.h>

#include <string>

#pragma GCC visibility push(hidden)
namespace sc4830sim {

// "NAME (0xXXXXXXXX): meaning.", as a VISA driver words a status it knows, and
// "Unknown status (0xXXXXXXXX)" for one it does not.
std::string statusMessage(ViStatus status);

} // namespace sc4830sim
#pragma GCC visibility pop

#endif // SFP_STATUSMESSAGE_H
