/* The simulated data-acquisition carrier (libsimcarrier.so).
 *
 * A carrier session is a VISA session (libvisa.so) whose VI_ATTR_USER_DATA is the
 * carrier driver's environment record, laid out as on x86-64 Windows builds:
 *   offset 24: access function ViStatus access(ViSession, ViInt32 space, ViInt32 flags,
 *              void **accessRecord)
 *   access record offset 8: read function ViStatus read(ViSession, ViUInt32 reg,
 *              ViInt32 width, void *dst, ViUInt32 bytes, void *aux)
 * Register 0xA2 read with width 2 and 4 bytes answers the unit's identification bytes
 * (0x30, 0x48, 0xCF, 0xB7 for a present Orbisa 4830).
 *
 * Settings are global to the process and apply to every carrier session; thread-safe.
 */
#ifndef SFP_SIMCARRIER_H
#define SFP_SIMCARRIER_H

#include "visa.h"

#ifdef __cplusplus
extern "C" {
#endif

#define SIMCARRIER_MODEL_16CH 0x2611
#define SIMCARRIER_MODEL_8CH 0x2624

/* Opens a carrier session for the given model code; never returns 0. */
ViSession simcarrier_open(ViUInt16 model);
void simcarrier_close(ViSession vi);
/* Model code of an open carrier session, 0 if vi is not one. */
ViUInt16 simcarrier_model(ViSession vi);

/* The four bytes the identification register answers. */
void simcarrier_setIdentBytes(
    unsigned char b0, unsigned char b1, unsigned char b2, unsigned char b3);
/* What the access and read functions return (0 success, negative error, positive
 * warning); a failing function stores nothing. */
void simcarrier_setAccessStatus(ViStatus status);
void simcarrier_setReadStatus(ViStatus status);

/* Holes in the carrier's records, to prove that readers treat null as absent. */
enum simcarrier_RecordShape {
    SIMCARRIER_RECORD_WHOLE = 0,
    SIMCARRIER_RECORD_NULL_ENVIRONMENT = 1, /* user data is a null pointer */
    SIMCARRIER_RECORD_NULL_ACCESS_FN = 2, /* access function pointer null */
    SIMCARRIER_RECORD_NULL_ACCESS_REC = 3, /* access function stores a null record */
    SIMCARRIER_RECORD_NULL_READ_FN = 4 /* access record's read function null */
};
void simcarrier_setRecordShape(int shape);

/* Back to a present unit, successful calls, whole records. */
void simcarrier_reset(void);

#ifdef __cplusplus
}
#endif

#endif /* SFP_SIMCARRIER_H */
