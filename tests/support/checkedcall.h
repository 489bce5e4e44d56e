#ifndef SFP_CHECKEDCALL_H
#define SFP_CHECKEDCALL_H

#include <sc4830.h>

#include <QString>
#include <QStringList>

// A driver call that the panel checks: the function the simulated unit is told to fail, and
// the call as the panel's report quotes it, to the operator in a box or to the host through
// masterError, word for word.
struct CheckedCall
{
    const char *function;
    const char *text;
};

// The panel's checked calls, in the order an operator meets them.
namespace checked {
constexpr CheckedCall open { "sc4830_init", "sc4830_init(masterVi, VI_TRUE, VI_TRUE, &d_vi)" };
constexpr CheckedCall unitRecord { "viGetAttribute",
    "viGetAttribute(scuFp->d_vi, VI_ATTR_USER_DATA, &instEnv)" };
constexpr CheckedCall routing { "sc4830_setVoltRefOutput",
    "sc4830_setVoltRefOutput (scuFp->d_vi, sc4830_VREF_SRC_FC, vref, VI_FALSE)" };
constexpr CheckedCall serial { "sc4830_serialNumber",
    "sc4830_serialNumber(scuFp->d_vi, sub, &serial)" };
constexpr CheckedCall revision { "sc4830_revision_query",
    "sc4830_revision_query(scuFp->d_vi, VI_NULL, rev)" };
constexpr CheckedCall channelConf { "sc4830_setChannelConf",
    "sc4830_setChannelConf(scuFp->d_vi, ch, mode[cbMode->currentIndex()], "
    "gain[cbGain->currentIndex()], coup[cbCoup->currentIndex()], "
    "input[cbInput->currentIndex()])" };
constexpr CheckedCall excitation { "sc4830_setExcitation",
    "sc4830_setExcitation(scuFp->d_vi, ch, (ViReal64)dsbPosExc->text().toDouble(), "
    "(ViReal64)dsbNegExc->text().toDouble())" };
constexpr CheckedCall shuntCal { "sc4830_setShuntCal",
    "sc4830_setShuntCal (scuFp->d_vi, ch, (cbShCal->currentIndex())?VI_TRUE:VI_FALSE)" };
constexpr CheckedCall readBack { "sc4830_getExcitation",
    "sc4830_getExcitation(scuFp->d_vi, ch, &posExc, &negExc)" };
constexpr CheckedCall identify { "sc4830_channelIdentify",
    "sc4830_channelIdentify(scuFp->d_vi, ch, (pbIdentify->isChecked())?sc4830_ON:sc4830_OFF)" };
constexpr CheckedCall poll { "sc4830_getStatus",
    "sc4830_getStatus(d_vi, &icpErr, &excErr, VI_NULL, VI_NULL)" };
constexpr CheckedCall monitorRead { "sc4830_getVoltRefOutput",
    "sc4830_getVoltRefOutput (d_vi, &srcBckup, &vrefBckup, VI_NULL)" };
constexpr CheckedCall monitorWrite { "sc4830_setVoltRefOutput",
    "sc4830_setVoltRefOutput (d_vi, srcBckup, vrefBckup, "
    "(pbVrefMonitor->isChecked())?VI_TRUE:VI_FALSE)" };
// Every calibration step is checked after its worker has ended, by the same words.
constexpr CheckedCall signalPathCal { "sc4830_pgaCalibration", "thread->getStatus()" };
constexpr CheckedCall excitationCal { "sc4830_excitCalibration", "thread->getStatus()" };
constexpr CheckedCall autobalanceCal { "sc4830_autobalance", "thread->getStatus()" };
} // namespace checked

// The statuses the suites make the simulated unit answer, one of each kind the check tells
// apart: the carrier's error (0xBFFC0B12), which goes to the host with the carrier's own
// code; an error of the unit (VI_ERROR_TMO), which opens the error box; and a warning
// (VI_WARN_NSUP_ID_QUERY), which opens the warning box.
constexpr ViStatus carrierErrorStatus = sc4830_ERROR_FC;
constexpr ViInt32 carrierErrorCode = -1073807343;
constexpr ViStatus unitErrorStatus = ViStatus(0xBFFF0015);
constexpr ViStatus unitWarningStatus = ViStatus(0x3FFC0101);

// The two boxes the check opens, as SeenBox::face() shows them: the error box, which asks
// whether to exit, and the warning box.
QStringList errorBoxFace(const char *callText, const QString &driverText);
QStringList warningBoxFace(const QString &driverText);

#endif // SFP_CHECKEDCALL_H
