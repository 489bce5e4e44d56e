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
// The call texts the callers pass quote each call as the panel's original source wrote
// it, spaces, casts and variable names included: operators' reports and hosts' logs are
// matched against them. They are not to be "corrected" to the code around them, which
// may read a value another way for good reason (the excitation text quotes
// dsbPosExc->text().toDouble(), while the page reads the spin box's value locale-free).
//
// Returns true when status is 0. GUI thread only.
bool sc4830fp_check(sc4830fp_fp *scuFp, ViStatus status, const char *fcall);

#endif // SC4830FP_CHECK_H
