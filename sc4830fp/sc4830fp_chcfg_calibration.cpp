// The channel page's calibration sequencers: the Calibrate and Calibrate All buttons.
// The rest of the page lives in sc4830fp_chcfg.cpp.

#include "sc4830fp_chcfg.h"

#include "sc4830fp_autocalibration.h"
#include "sc4830fp_calibrationdialog.h"
#include "sc4830fp_exccalibration.h"
#include "sc4830fp_fp.h"
#include "sc4830fp_pgacalibration.h"

#include <cr2200fp_messages.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>

#include <iterator>
#include <memory>

namespace {

// Expected durations in units of 100 ms; they also bound how long a cancel waits.
constexpr int pgaEstimatedTime = 60;
constexpr int excEstimatedTime = 80;
constexpr int autoEstimatedTime = 160;

constexpr int frontPanelInput = 0;

// Deletes a worker at the end of its sequence. A worker whose driver call even a forced
// termination could not end is left behind on purpose: destroying a running thread would
// abort the whole host.
template<typename Worker> void finishWorker(std::unique_ptr<Worker> &worker)
{
    if (!worker->waitOrTerminate())
        static_cast<void>(worker.release());
}

// The objects of one sequence, built at its start and destroyed at its end in reverse
// order: the workers (each waiting for its thread) before the dialog. While they exist
// the panel's status poll leaves the unit to the workers.
//
// The sequence runs nested event loops (the dialog's, message boxes), in which the host
// may delete the panel. The dialog then goes with its page, and the panel is reached only
// through guards; a sequence whose page has gone ends without touching it.
struct CalibrationSequence
{
    explicit CalibrationSequence(sc4830fp_chCfg *page)
        : dialog(new sc4830fp_calibrationDialog(page, page->scuFp))
        , pga(new sc4830fp_pgaCalibration(page->scuFp->d_vi, pgaEstimatedTime))
        , exc(new sc4830fp_excCalibration(page->scuFp->d_vi, excEstimatedTime))
        , autob(new sc4830fp_autoCalibration(page->scuFp->d_vi, autoEstimatedTime))
        , page(page)
        , panel(page->scuFp)
    {
        dialog->setWindowTitle(sc4830fp_chCfg::tr("Orbisa 4830 Calibration"));
        panel->calibrating = true;
    }
    ~CalibrationSequence()
    {
        if (panel)
            panel->calibrating = false;
        finishWorker(autob);
        finishWorker(exc);
        finishWorker(pga);
        delete dialog.data();
    }

    // Runs the dialog's current worker on channel index chIdx; false when cancelled or
    // when the page has gone. A step ended by force is reported to the operator with
    // forcedText (its %1 the channel number): the unit's calibration state is unknown.
    bool run(int chIdx, const QString &message, const QString &forcedText)
    {
        dialog->lblMessage->setText(message.arg(chIdx + 1));
        dialog->runCalibration(static_cast<ViUInt16>(chIdx + 1));
        if (!dialog)
            return false;
        const bool cancelled = dialog->result() == 0;
        if (dialog->thread->forcedStop) {
            showWarningMessage(forcedText.arg(chIdx + 1));
            if (!page)
                return false;
        }
        return !cancelled;
    }

    // The dialog goes with its page should the host delete the panel.
    QPointer<sc4830fp_calibrationDialog> dialog;
    std::unique_ptr<sc4830fp_pgaCalibration> pga;
    std::unique_ptr<sc4830fp_excCalibration> exc;
    std::unique_ptr<sc4830fp_autoCalibration> autob;
    QPointer<sc4830fp_chCfg> page;
    QPointer<sc4830fp_fp> panel;
};

ViReal64 signalPathLevel(const sc4830fp_chCfg *page)
{
    const int index = page->cbGain->currentIndex();
    const int last = static_cast<int>(std::size(sc4830fp_chCfg::calLevel)) - 1;
    return sc4830fp_chCfg::calLevel[qBound(0, index, last)];
}

// Autobalance drives the bridge; without a load on the front panel input the unit
// answers out of range. False when the operator cancels, or when the page went with the
// panel while the box was up.
bool confirmLoad(sc4830fp_chCfg *page, const QString &text)
{
    const QMessageBox::StandardButton answer
        = showModalBox(QMessageBox::Warning, sc4830fp_chCfg::tr("Orbisa 4830 Warning"), text,
            QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok, page);
    return answer != QMessageBox::Cancel && answer != QMessageBox::NoButton;
}

// One kind of calibration: its worker, its check box on each page, the dialog's message
// and the report of a step stopped by force, each with the channel number as %1.
struct Kind
{
    sc4830fp_calibrationThread *worker;
    QCheckBox *sc4830fp_chCfg::*selection;
    QString message;
    QString forcedStop;
};

Kind signalPath(CalibrationSequence &sequence)
{
    return { sequence.pga.get(), &sc4830fp_chCfg::chkSignalPath,
        sc4830fp_chCfg::tr("Channel %1 signal path calibration..."),
        sc4830fp_chCfg::tr("The signal path calibration of channel %1 did not end and was "
                           "stopped by force.\nThe unit's calibration state of channel %1 is "
                           "unknown.") };
}

Kind excitation(CalibrationSequence &sequence)
{
    return { sequence.exc.get(), &sc4830fp_chCfg::chkExcitation,
        sc4830fp_chCfg::tr("Channel %1 excitation calibration..."),
        sc4830fp_chCfg::tr("The excitation calibration of channel %1 did not end and was "
                           "stopped by force.\nThe unit's calibration state of channel %1 is "
                           "unknown.") };
}

Kind autobalance(CalibrationSequence &sequence)
{
    return { sequence.autob.get(), &sc4830fp_chCfg::chkAutobalance,
        sc4830fp_chCfg::tr("Channel %1 autobalance calibration..."),
        sc4830fp_chCfg::tr("The autobalance of channel %1 did not end and was stopped by "
                           "force.\nThe unit's calibration state of channel %1 is unknown.") };
}

// Runs one kind on channel index chIdx; false when cancelled or when the page has gone.
bool runStep(CalibrationSequence &sequence, const Kind &kind, int chIdx)
{
    sequence.dialog->thread = kind.worker;
    return sequence.run(chIdx, kind.message, kind.forcedStop);
}

// Runs one kind on every channel whose check box of this kind is enabled, checked or
// not; the channel count is read afresh for each channel. The signal path gets each
// channel's own level. afterStep, when given, runs after each completed step with the
// channel's page. False when cancelled or when the page has gone.
template<typename AfterStep>
bool runOnAllChannels(CalibrationSequence &sequence, const Kind &kind, AfterStep afterStep)
{
    sc4830fp_fp *panel = sequence.panel;
    for (int i = 0; i < panel->chCount; ++i) {
        sc4830fp_chCfg *target = panel->chPages[i];
        if (!(target->*kind.selection)->isEnabled())
            continue;
        if (kind.worker == sequence.pga.get())
            sequence.pga->calLevel = signalPathLevel(target);
        if (!runStep(sequence, kind, i))
            return false;
        afterStep(target);
    }
    return true;
}

bool runOnAllChannels(CalibrationSequence &sequence, const Kind &kind)
{
    return runOnAllChannels(sequence, kind, [](sc4830fp_chCfg *) {});
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
    if (anyFrontPanelAutobalance(sequence.panel)
        && !confirmLoad(page,
            sc4830fp_chCfg::tr("Please make sure that load is connected to all "
                               "channels,\notherwise out of range error may "
                               "occur.")))
        return false;

    sc4830fp_autoCalibration *worker = sequence.autob.get();
    return runOnAllChannels(sequence, autobalance(sequence),
        [worker](sc4830fp_chCfg *target) { target->setImbalance(worker->imbalance); });
}

} // namespace

void sc4830fp_chCfg::calibrateAction()
{
    CalibrationSequence sequence(this);

    // A cancel ends only the running step: the next selected one still follows. Should
    // the page go with the panel meanwhile, the sequence ends at once.
    if (chkSignalPath->isChecked()) {
        sequence.pga->calLevel = signalPathLevel(this);
        runStep(sequence, signalPath(sequence), ch);
        if (!sequence.page)
            return;
    }
    if (chkExcitation->isChecked()) {
        runStep(sequence, excitation(sequence), ch);
        if (!sequence.page)
            return;
    }
    if (chkAutobalance->isChecked()) {
        const bool confirmed = cbInput->currentIndex() != frontPanelInput
            || confirmLoad(this,
                tr("Please make sure that load is connected to channel %1,\notherwise "
                   "out of range error may occur.")
                    .arg(ch + 1));
        if (!sequence.page)
            return;
        if (confirmed) {
            runStep(sequence, autobalance(sequence), ch);
            if (!sequence.page)
                return;
            // Shown whatever the outcome: a failed or cancelled run leaves 0.0 or the
            // driver's partial result, and the operator sees that it ran.
            setImbalance(sequence.autob->imbalance);
        }
    }
}

void sc4830fp_chCfg::calibrateAllAction()
{
    CalibrationSequence sequence(this);

    // The kinds are those checked on this page; a cancel ends the whole sequence.
    if (chkSignalPath->isChecked() && !runOnAllChannels(sequence, signalPath(sequence)))
        return;
    if (chkExcitation->isChecked() && !runOnAllChannels(sequence, excitation(sequence)))
        return;
    if (chkAutobalance->isChecked())
        autobalanceAllChannels(sequence, this);
}
