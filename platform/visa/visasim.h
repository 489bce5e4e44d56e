/* Control API of the VISA stand-in: its session table, for the simulated carrier, the
 * simulated unit driver and the tests. Not part of VISA; the plug-in never includes it.
 * Thread-safe.
 */
#ifndef SFP_VISASIM_H
#define SFP_VISASIM_H

#include "visa.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Opens a new session whose VI_ATTR_USER_DATA is userData. Sessions are numbered from 1
 * and never reused within a process; 0 is never returned. */
ViSession visasim_openSession(void *userData);

/* Closes a session; later viGetAttribute calls on it fail with VI_ERROR_INV_OBJECT. */
void visasim_closeSession(ViSession vi);

/* Makes the next viGetAttribute call (always != 0: every call until cleared) return
 * status without touching *attrState. A positive status is a warning: the record
 * pointer is still stored. status 0 clears the injection. */
void visasim_injectGetAttributeStatus(ViStatus status, int always);

/* The record of an open session, read without counting as a viGetAttribute call and
 * without meeting an injected failure: for the simulated unit's own check that a
 * carrier session is live. VI_ERROR_INV_OBJECT for a session that is not open. */
ViStatus visasim_peekUserData(ViSession vi, void **record);

/* Number of open sessions. */
int visasim_openSessionCount(void);

/* Clears the injections (not the session table). */
void visasim_reset(void);

#ifdef __cplusplus
}
#endif

#endif /* SFP_VISASIM_H */
