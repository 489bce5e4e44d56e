#ifndef SC4830FP_CHECK_H
#define SC4830FP_CHECK_H

#include <visa.h>

class sc4830fp_fp;

// The one check that follows every driver call of the panel.
//
// status 0 does nothing. The carrier-error status sends the carrier's last error code
// and fcall out through the panel's masterError signal, without a box. Any other
// negative status opens the error box "<fcall> failed due to [<driver text>]", any
// positive one the warning box "Warning: [<driver text>]". The driver's code and text
// are always asked of the panel's unit session d_vi. fcall must live in static storage:
// receivers of masterError may keep the pointer. The check changes no state of the
// panel; what happens next is the caller's business.
//
// Returns true when status is 0. GUI thread only.
bool sc4830fp_check(sc4830fp_fp *scuFp, ViStatus status, const char *fcall);

#endif // SC4830FP_CHECK_H
