#include "sc4830fp_calibrationsequence.h"

#include "sc4830fp_autocalibration.h"
#include "sc4830fp_calibrationdialog.h"
#include "sc4830fp_exccalibration.h"
#include "sc4830fp_fp.h"
#include "sc4830fp_pgacalibration.h"

#include <cr2200fp_messages.h>

#include <QLabel>
#include <QMessageBox>

namespace {

// Expected durations in units of 100 ms; they also bound how long a cancel waits.
constexpr int pgaEstimatedTime = 60;
constexpr int excEstimatedTime = 80;
constexpr int autoEstimatedTime = 160;

// Deletes a worker at the end of its sequence. A worker whose driver call even a forced
// termination could not end is left behind on purpose: destroying a running thread would
// abort the whole host.
template<typename Worker> void finishWorker(std::unique_ptr<Worker> &worker)
{
    if (!worker->waitOrTerminate())
        static_cast<void>(worker.release());
}

// What the dialog says while a kind runs, and the report of a step of that kind stopped
// by force; each takes the channel number as %1. The texts belong to the page's
// translation context.
struct StepTexts
{
    QString message;
    QString forcedStop;
};

StepTexts stepTexts(sc4830fp_chCfg::Calibration kind)
{
    switch (kind) {
    case sc4830fp_chCfg::SignalPath:
        return { sc4830fp_chCfg::tr("Channel %1 signal path calibration..."),
            sc4830fp_chCfg::tr("The signal path calibration of channel %1 did not end and was "
                               "stopped by force.\nThe unit's calibration state of channel %1 "
                               "is unknown.") };
    case sc4830fp_chCfg::Excitation:
        return { sc4830fp_chCfg::tr("Channel %1 excitation calibration..."),
            sc4830fp_chCfg::tr("The excitation calibration of channel %1 did not end and was "
                               "stopped by force.\nThe unit's calibration state of channel %1 "
                               "is unknown.") };
    case sc4830fp_chCfg::Autobalance:
        break;
    }
    return { sc4830fp_chCfg::tr("Channel %1 autobalance calibration..."),
        sc4830fp_chCfg::tr("The autobalance of channel %1 did not end and was stopped by "
                           "force.\nThe unit's calibration state of channel %1 is unknown.") };
}

} // namespace

sc4830fp_calibrationSequence::sc4830fp_calibrationSequence(sc4830fp_chCfg *page)
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

sc4830fp_calibrationSequence::~sc4830fp_calibrationSequence()
{
    if (panel)
        panel->calibrating = false;
    finishWorker(autob);
    finishWorker(exc);
    finishWorker(pga);
    delete dialog.data();
}

void sc4830fp_calibrationSequence::runOnPage()
{
    // Should the page go with the panel meanwhile, the sequence ends at once.
    sc4830fp_chCfg *const own = page;
    if (own->calibrationChosen(sc4830fp_chCfg::SignalPath)) {
        runStep(sc4830fp_chCfg::SignalPath, own);
        if (!page)
            return;
    }
    if (own->calibrationChosen(sc4830fp_chCfg::Excitation)) {
        runStep(sc4830fp_chCfg::Excitation, own);
        if (!page)
            return;
    }
    if (own->calibrationChosen(sc4830fp_chCfg::Autobalance)) {
        const bool confirmed = !own->usesFrontPanelInput()
            || confirmLoad(sc4830fp_chCfg::tr("Please make sure that load is connected to "
                                              "channel %1,\notherwise out of range error may "
                                              "occur.")
                               .arg(own->ch + 1));
        if (!page)
            return;
        if (confirmed) {
            runStep(sc4830fp_chCfg::Autobalance, own);
            if (!page)
                return;
            // Shown whatever the outcome: a failed or cancelled run leaves 0.0 or the
            // driver's partial result, and the operator sees that it ran.
            own->setImbalance(autob->imbalance);
        }
    }
}

void sc4830fp_calibrationSequence::runOnAllChannels()
{
    // The kinds are those chosen on the pressed page.
    if (page->calibrationChosen(sc4830fp_chCfg::SignalPath)
        && !runOnEveryChannel(sc4830fp_chCfg::SignalPath))
        return;
    if (page->calibrationChosen(sc4830fp_chCfg::Excitation)
        && !runOnEveryChannel(sc4830fp_chCfg::Excitation))
        return;
    if (!page->calibrationChosen(sc4830fp_chCfg::Autobalance))
        return;
    if (anyFrontPanelAutobalance()
        && !confirmLoad(sc4830fp_chCfg::tr("Please make sure that load is connected to all "
                                           "channels,\notherwise out of range error may "
                                           "occur.")))
        return;
    runOnEveryChannel(sc4830fp_chCfg::Autobalance);
}

sc4830fp_calibrationThread *sc4830fp_calibrationSequence::worker(Calibration kind) const
{
    switch (kind) {
    case sc4830fp_chCfg::SignalPath:
        return pga.get();
    case sc4830fp_chCfg::Excitation:
        return exc.get();
    case sc4830fp_chCfg::Autobalance:
        break;
    }
    return autob.get();
}

bool sc4830fp_calibrationSequence::runStep(Calibration kind, sc4830fp_chCfg *target)
{
    // The signal path is calibrated at the level of the channel's own gain.
    if (kind == sc4830fp_chCfg::SignalPath)
        pga->calLevel = target->signalPathLevel();
    const int channel = target->ch + 1;
    const StepTexts texts = stepTexts(kind);
    dialog->thread = worker(kind);
    dialog->lblMessage->setText(texts.message.arg(channel));
    // The channel's tab says "Calibrating" for as long as the step runs.
    panel->showCalibrationStep(target->ch);
    dialog->runCalibration(static_cast<ViUInt16>(channel));
    if (panel)
        panel->showCalibrationStep(-1);
    if (!dialog)
        return false;
    const bool cancelled = dialog->result() == 0;
    if (dialog->thread->forcedStop) {
        showWarningMessage(texts.forcedStop.arg(channel));
        if (!page)
            return false;
    }
    return !cancelled;
}

bool sc4830fp_calibrationSequence::runOnEveryChannel(Calibration kind)
{
    for (int i = 0; i < panel->chCount; ++i) {
        sc4830fp_chCfg *target = panel->chPages[i];
        if (!target->calibrationOffered(kind))
            continue;
        if (!runStep(kind, target))
            return false;
        if (kind == sc4830fp_chCfg::Autobalance)
            target->setImbalance(autob->imbalance);
    }
    return true;
}

bool sc4830fp_calibrationSequence::confirmLoad(const QString &text)
{
    const QMessageBox::StandardButton answer
        = showModalBox(QMessageBox::Warning, sc4830fp_chCfg::tr("Orbisa 4830 Warning"), text,
            QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok, page);
    return answer != QMessageBox::Cancel && answer != QMessageBox::NoButton;
}

bool sc4830fp_calibrationSequence::anyFrontPanelAutobalance() const
{
    for (int i = 0; i < panel->chCount; ++i) {
        const sc4830fp_chCfg *target = panel->chPages[i];
        if (target->usesFrontPanelInput()
            && target->calibrationOffered(sc4830fp_chCfg::Autobalance))
            return true;
    }
    return false;
}
