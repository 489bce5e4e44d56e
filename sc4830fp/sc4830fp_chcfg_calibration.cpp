// The channel page's calibration sequencers: the Calibrate and Calibrate All buttons.
// The rest of the page lives in sc4830fp_chcfg.cpp.

#include "sc4830fp_chcfg.h"

#include "sc4830fp_autocalibration.h"
#include "sc4830fp_calibrationdialog.h"
#include "sc4830fp_exccalibration.h"
#include "sc4830fp_fp.h"
#include "sc4830fp_pgacalibration.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>

#include <iterator>

namespace {

// Expected durations in units of 100 ms; they also bound how long a cancel waits.
constexpr int pgaEstimatedTime = 60;
constexpr int excEstimatedTime = 80;
constexpr int autoEstimatedTime = 160;

constexpr int frontPanelInput = 0;

// The objects of one sequence, built at its start and destroyed at its end in reverse
// order: the workers (each waiting for its thread) before the dialog. While they exist
// the panel's status poll leaves the unit to the workers.
struct CalibrationSequence
{
    explicit CalibrationSequence(sc4830fp_chCfg *page)
        : dialog(page, page->scuFp)
        , pga(page->scuFp->d_vi, pgaEstimatedTime)
        , exc(page->scuFp->d_vi, excEstimatedTime)
        , autob(page->scuFp->d_vi, autoEstimatedTime)
        , panel(page->scuFp)
    {
        dialog.setWindowTitle(sc4830fp_chCfg::tr("Orbisa 4830 Calibration"));
        panel->calibrating = true;
    }
    ~CalibrationSequence() { panel->calibrating = false; }

    // Runs the dialog's current worker on channel index chIdx; false when cancelled.
    bool run(int chIdx, const QString &message)
    {
        dialog.lblMessage->setText(message.arg(chIdx + 1));
        dialog.runCalibration(static_cast<ViUInt16>(chIdx + 1));
        return dialog.result() != 0;
    }

    sc4830fp_calibrationDialog dialog;
    sc4830fp_pgaCalibration pga;
    sc4830fp_excCalibration exc;
    sc4830fp_autoCalibration autob;
    sc4830fp_fp *panel;
};

ViReal64 signalPathLevel(const sc4830fp_chCfg *page)
{
    const int index = page->cbGain->currentIndex();
    const int last = static_cast<int>(std::size(sc4830fp_chCfg::calLevel)) - 1;
    return sc4830fp_chCfg::calLevel[qBound(0, index, last)];
}

// Autobalance drives the bridge; without a load on the front panel input the unit
// answers out of range.
bool confirmLoad(sc4830fp_chCfg *page, const QString &text)
{
    const auto answer = QMessageBox::warning(page, sc4830fp_chCfg::tr("Orbisa 4830 Warning"), text,
        QMessageBox::Ok | QMessageBox::Cancel);
    return answer != QMessageBox::Cancel;
}

QString signalPathText()
{
    return sc4830fp_chCfg::tr("Channel %1 signal path calibration...");
}

QString excitationText()
{
    return sc4830fp_chCfg::tr("Channel %1 excitation calibration...");
}

QString autobalanceText()
{
    return sc4830fp_chCfg::tr("Channel %1 autobalance calibration...");
}

// Runs the dialog's current worker on every channel whose check box of this kind is
// enabled, checked or not; the channel count is read afresh for each channel. pga, when
// given, gets each channel's own signal-path level. False when cancelled.
bool runOnAllChannels(CalibrationSequence &sequence, QCheckBox *sc4830fp_chCfg::*kind,
    const QString &message, sc4830fp_pgaCalibration *pga = nullptr)
{
    sc4830fp_fp *panel = sequence.panel;
    for (int i = 0; i < panel->chCount; ++i) {
        sc4830fp_chCfg *page = panel->chPages[i];
        if (!(page->*kind)->isEnabled())
            continue;
        if (pga)
            pga->calLevel = signalPathLevel(page);
        if (!sequence.run(i, message))
            return false;
    }
    return true;
}

bool anyFrontPanelAutobalance(const sc4830fp_fp *panel)
{
    for (int i = 0; i < panel->chCount; ++i) {
        const sc4830fp_chCfg *page = panel->chPages[i];
        if (page->cbInput->currentIndex() == frontPanelInput && page->chkAutobalance->isEnabled())
            return true;
    }
    return false;
}

// The autobalance over all channels; false when the sequence ends here.
bool autobalanceAllChannels(CalibrationSequence &sequence, sc4830fp_chCfg *page)
{
    sc4830fp_fp *panel = sequence.panel;
    if (anyFrontPanelAutobalance(panel)
        && !confirmLoad(page,
            sc4830fp_chCfg::tr("Please make sure that load is connected to all "
                               "channels,\notherwise out of range error may "
                               "occur.")))
        return false;

    sequence.dialog.thread = &sequence.autob;
    for (int i = 0; i < panel->chCount; ++i) {
        sc4830fp_chCfg *target = panel->chPages[i];
        if (!target->chkAutobalance->isEnabled())
            continue;
        if (!sequence.run(i, autobalanceText()))
            return false;
        target->setImbalance(sequence.autob.imbalance);
    }
    return true;
}

} // namespace

void sc4830fp_chCfg::calibrateAction()
{
    CalibrationSequence sequence(this);
    sc4830fp_calibrationDialog &dialog = sequence.dialog;

    // A cancel ends only the running step: the next selected one still follows.
    if (chkSignalPath->isChecked()) {
        sequence.pga.calLevel = signalPathLevel(this);
        dialog.thread = &sequence.pga;
        sequence.run(ch, signalPathText());
    }
    if (chkExcitation->isChecked()) {
        dialog.thread = &sequence.exc;
        sequence.run(ch, excitationText());
    }
    if (chkAutobalance->isChecked()) {
        const bool confirmed = cbInput->currentIndex() != frontPanelInput
            || confirmLoad(this,
                tr("Please make sure that load is connected to channel %1,\notherwise "
                   "out of range error may occur.")
                    .arg(ch + 1));
        if (confirmed) {
            dialog.thread = &sequence.autob;
            sequence.run(ch, autobalanceText());
            // Shown whatever the outcome: a failed or cancelled run leaves 0.0 or the
            // driver's partial result, and the operator sees that it ran.
            setImbalance(sequence.autob.imbalance);
        }
    }
}

void sc4830fp_chCfg::calibrateAllAction()
{
    CalibrationSequence sequence(this);
    sc4830fp_calibrationDialog &dialog = sequence.dialog;

    // The kinds are those checked on this page; a cancel ends the whole sequence.
    if (chkSignalPath->isChecked()) {
        dialog.thread = &sequence.pga;
        if (!runOnAllChannels(
                sequence, &sc4830fp_chCfg::chkSignalPath, signalPathText(), &sequence.pga))
            return;
    }
    if (chkExcitation->isChecked()) {
        dialog.thread = &sequence.exc;
        if (!runOnAllChannels(sequence, &sc4830fp_chCfg::chkExcitation, excitationText()))
            return;
    }
    if (chkAutobalance->isChecked())
        autobalanceAllChannels(sequence, this);
}
