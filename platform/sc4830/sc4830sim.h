/* Control API of the simulated Orbisa 4830 unit (libsc4830.so).
 *
 * Tests, the host and the benchmarks use it to shape what the driver functions of
 * sc4830.h answer, and to read back what the panel asked of the unit. It is not part of
 * the driver ABI and the plug-in never includes it: only the sc4830_control target
 * publishes this header. Every function is thread-safe: calibrations call the driver from
 * worker threads.
 *
 * Defaults after load and after sc4830sim_reset():
 *   - every call succeeds, no latency; the log is empty;
 *   - identity: sub-model "AB", serial 0x00C0FFEE, instrument revision "1.2.0.7",
 *     driver revision the project's version;
 *   - status words 0; carrier last error code 0;
 *   - reference: present, 2.5 V, its read function returns 0; reference routing as
 *     sc4830_getVoltRefOutput answers it: source 0, 0.0 V, monitor off;
 *   - excitation read-back: the values last set per channel (0.0 at first);
 *   - calibrations take 20 ms and do not hang; autobalance result 0.0 per channel;
 *   - error message text as a VISA driver words it: the status's name, its code in hex
 *     and its meaning, "VI_ERROR_TMO (0xBFFF0015): Timeout expired before operation
 *     completed."; a status it does not know reads "Unknown status (0x12345678)".
 */
#ifndef SFP_SC4830SIM_H
#define SFP_SC4830SIM_H

#include "sc4830.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Back to the defaults above: injections, settings, per-channel state and the log. Open
 * unit sessions stay open; hanging calibrations are released. */
void sc4830sim_reset(void);

/* --- Failures ------------------------------------------------------------------------ */

/* Makes the named driver function (e.g. "sc4830_getStatus") return status: on its next
 * call only (always == 0) or on every call until cleared (always != 0). A function that
 * fails still writes its outputs as on success, except sc4830_init, which leaves *vi
 * untouched when it fails; a setting call that fails changes nothing in the unit, and
 * sc4830_close closes the session whatever it answers. A call on a session that is not an
 * open unit session answers VI_ERROR_INV_OBJECT and leaves the injection in place.
 * Calibrations answer the injected status after their duration. status 0 clears the
 * function's injection. */
void sc4830sim_injectStatus(const char *function, ViStatus status, int always);
void sc4830sim_clearInjections(void);

/* The code that sc4830_getFCLastError writes. */
void sc4830sim_setFCLastError(ViInt32 code);

/* The text that sc4830_error_message writes for every status (at most 1023 bytes are
 * used). NULL restores the default text. The text is written for any session, also one
 * that is not open (the call still answers VI_ERROR_INV_OBJECT then). */
void sc4830sim_setErrorText(const char *text);

/* Misbehaviour on purpose: with on != 0, sc4830_serialNumber, sc4830_revision_query and
 * sc4830_error_message fill their whole buffer (8, 32, 1024 bytes) with their text,
 * repeated, and write no terminating NUL. */
void sc4830sim_setUnterminatedTexts(int on);

/* Every driver call sleeps this long before it answers (0 = none). */
void sc4830sim_setCallLatencyUs(int microseconds);

/* --- What the unit answers ----------------------------------------------------------- */

void sc4830sim_setStatusWords(ViInt16 icpErr, ViInt16 excErr);

/* subModel and the revisions are copied (NULL keeps the current text). */
void sc4830sim_setIdentity(
    const char *subModel, ViUInt32 serial, const char *instrRev, const char *driverRev);

/* Overrides the excitation read-back of channel ch (1..16); NaN and infinities are
 * allowed. sc4830sim_reset() returns to reading back the values set. */
void sc4830sim_setExcitationReadback(ViUInt16 ch, ViReal64 pos, ViReal64 neg);

/* Autobalance result of channel ch (1..16). */
void sc4830sim_setImbalance(ViUInt16 ch, ViReal64 imbalance);

/* How long each calibration call takes. */
void sc4830sim_setCalibrationDurationMs(int milliseconds);

/* With on != 0, calibration calls block until sc4830sim_releaseCalibrations() is
 * called (or their thread is terminated; they hold no lock while they wait). */
void sc4830sim_setCalibrationHang(int on);
/* A hanging calibration returns by itself once it has hung this long (0 = only when
 * released); also for calibrations hanging already. Reset makes it 0. */
void sc4830sim_setCalibrationHangTimeoutMs(int milliseconds);
void sc4830sim_releaseCalibrations(void);
/* Number of calibration calls blocked right now. */
int sc4830sim_hangingCalibrations(void);

/* The carrier's reference voltage source as the unit's environment record shows it. */
enum sc4830sim_ReferenceShape {
    SC4830SIM_REF_PRESENT = 0, /* source record, indicator 1 */
    SC4830SIM_REF_INDICATOR_ZERO = 1, /* source record, indicator 0 */
    SC4830SIM_REF_NO_INDICATOR = 2, /* source record, indicator pointer null */
    SC4830SIM_REF_NO_SOURCE = 3, /* link record's source pointer null */
    SC4830SIM_REF_NO_LINK = 4, /* environment record's link pointer null */
    SC4830SIM_REF_NO_ENVIRONMENT = 5 /* the session's user data is a null pointer */
};
/* readResult is what the source's read function returns (0 = success). */
void sc4830sim_setReference(int shape, ViReal64 volts, int readResult);

/* --- What the panel did -------------------------------------------------------------- */

/* Per-channel state as the panel left it (ch 1..16); 0 on success, -1 for a bad ch. */
typedef struct sc4830sim_Channel
{
    ViUInt16 mode, gain, coup, input;
    ViReal64 posExc, negExc;
    ViBoolean shunt;
    ViUInt16 identify;
    ViReal64 lastCalLevel; /* level of the last signal-path calibration */
} sc4830sim_Channel;
int sc4830sim_getChannel(ViUInt16 ch, sc4830sim_Channel *out);

/* The reference routing as last set. */
void sc4830sim_getVoltRef(ViInt32 *source, ViReal64 *voltage, ViBoolean *monitorEnabled);

/* Unit sessions opened by sc4830_init and not yet closed, and closes made since the last
 * reset (sc4830_close on a session that is not open counts as a close and answers an
 * error). */
int sc4830sim_openSessionCount(void);
int sc4830sim_closeCount(void);

/* The call log: one entry per driver call, in call order, such as
 *   sc4830_setChannelConf(1, 3, 5, 10, 0, 0)
 *   sc4830_setExcitation(1, 3, 1.5, -2)
 *   sc4830_getStatus(1, ptr, ptr, NULL, NULL)
 * Integers in decimal, reals with "%.6g", output pointers as "ptr" or "NULL", texts
 * passed in (status of error_message) as numbers. The log keeps the last 100000 calls. */
int sc4830sim_logCount(void);
/* Copies entry i (0-based) NUL-terminated into buf; returns its full length, or -1. */
int sc4830sim_logEntry(int i, char *buf, int size);
void sc4830sim_clearLog(void);
/* Number of calls of the named function since the log was last cleared (also those the
 * log no longer keeps). */
int sc4830sim_callCount(const char *function);

#ifdef __cplusplus
}
#endif

#endif /* SFP_SC4830SIM_H */
