/* Instrument driver of the Orbisa 4830 signal conditioning unit: the C ABI of
 * sc4830_64.dll. On this machine libsc4830.so, the simulated unit, implements it.
 *
 * Every function returns a ViStatus: 0 success, negative an error, positive a warning.
 * Channel numbers count from 1. Text buffers are written NUL-terminated within the sizes
 * the callers use: subModel 8 bytes, revisions 32 bytes, error messages 1024 bytes.
 */
#ifndef SFP_SC4830_H
#define SFP_SC4830_H

#include "visa.h"

#ifdef __cplusplus
extern "C" {
#endif

#define sc4830_ON 1
#define sc4830_OFF 0
#define sc4830_VREF_SRC_FC 1

/* The driver passes a failure of the carrier (the "FC") on with this status; the
 * carrier's own code is then read with sc4830_getFCLastError. */
#define sc4830_ERROR_FC ((ViStatus)0xBFFC0B12L)

ViStatus sc4830_init(ViSession masterVi, ViBoolean idQuery, ViBoolean reset, ViSession *vi);
ViStatus sc4830_close(ViSession vi);
ViStatus sc4830_revision_query(ViSession vi, ViChar driverRev[], ViChar instrRev[]);
ViStatus sc4830_serialNumber(ViSession vi, ViChar subModel[], ViUInt32 *serial);
ViStatus sc4830_setChannelConf(
    ViSession vi, ViUInt16 ch, ViUInt16 mode, ViUInt16 gain, ViUInt16 coup, ViUInt16 input);
ViStatus sc4830_setExcitation(ViSession vi, ViUInt16 ch, ViReal64 pos, ViReal64 neg);
ViStatus sc4830_setShuntCal(ViSession vi, ViUInt16 ch, ViBoolean on);
ViStatus sc4830_getExcitation(ViSession vi, ViUInt16 ch, ViReal64 *pos, ViReal64 *neg);
ViStatus sc4830_channelIdentify(ViSession vi, ViUInt16 ch, ViUInt16 state);
ViStatus sc4830_getStatus(
    ViSession vi, ViInt16 *icpErr, ViInt16 *excErr, ViInt16 *reserved1, ViInt16 *reserved2);
ViStatus sc4830_getVoltRefOutput(
    ViSession vi, ViInt32 *source, ViReal64 *voltage, ViBoolean *enabled);
ViStatus sc4830_setVoltRefOutput(ViSession vi, ViInt32 source, ViReal64 voltage, ViBoolean enable);
ViStatus sc4830_pgaCalibration(
    ViSession vi, ViUInt16 ch, ViInt16 type, ViReal64 level, ViInt16 reserved1, ViInt16 reserved2);
ViStatus sc4830_excitCalibration(ViSession vi, ViUInt16 ch, ViInt16 reserved1, ViInt16 reserved2,
    ViInt16 reserved3, ViInt16 reserved4);
ViStatus sc4830_autobalance(ViSession vi, ViUInt16 ch, ViReal64 *imbalance);
ViStatus sc4830_getFCLastError(ViSession vi, ViInt32 *code);
ViStatus sc4830_error_message(ViSession vi, ViStatus status, ViChar message[]);

#ifdef __cplusplus
}
#endif

#endif /* SFP_SC4830_H */
