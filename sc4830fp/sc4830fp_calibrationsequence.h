#ifndef SC4830FP_CALIBRATIONSEQUENCE_H
#define SC4830FP_CALIBRATIONSEQUENCE_H

#include "sc4830fp_chcfg.h"

#include <QPointer>
#include <QString>

#include <memory>

class sc4830fp_autoCalibration;
class sc4830fp_calibrationDialog;
class sc4830fp_calibrationThread;
class sc4830fp_excCalibration;
class sc4830fp_fp;
class sc4830fp_pgaCalibration;

// One press of Calibrate or Calibrate All: the kinds of calibration chosen on the page
// that was pressed, run step by step on worker threads under one progress dialog.
//
// Built at the press and destroyed when the sequence ends. While it exists the panel's
// calibrating flag is set, so that the status poll leaves the unit to the workers. The
// sequence learns from each page what it offers (its calibration selections, its
// signal-path level, its input) and gives the page back its imbalance; it changes no
// page's controls.
//
// The sequence runs nested event loops (the dialog's, message boxes), in which the host
// may delete the panel. The dialog then goes with its page and the panel is reached only
// through guards; a sequence whose page has gone ends without touching it. GUI thread
// only.
class sc4830fp_calibrationSequence
{
public:
    explicit sc4830fp_calibrationSequence(sc4830fp_chCfg *page);
    // The workers (each ended first) go before the dialog.
    ~sc4830fp_calibrationSequence();

    sc4830fp_calibrationSequence(const sc4830fp_calibrationSequence &) = delete;
    sc4830fp_calibrationSequence &operator=(const sc4830fp_calibrationSequence &) = delete;

    // Calibrate: the page's chosen kinds on its own channel. A cancel ends only the
    // running step: the next chosen one still follows.
    void runOnPage();
    // Calibrate All: the page's chosen kinds on every channel that offers them; a cancel
    // ends the whole sequence.
    void runOnAllChannels();

private:
    using Calibration = sc4830fp_chCfg::Calibration;

    sc4830fp_calibrationThread *worker(Calibration kind) const;
    // Runs one kind on target's channel; false when cancelled or when the page has gone.
    // A step ended by force is reported to the operator.
    bool runStep(Calibration kind, sc4830fp_chCfg *target);
    // Runs one kind on every channel that offers it (its selection enabled, checked or
    // not), the channel count read afresh for each; an autobalance shows its imbalance on
    // the channel's page. False when cancelled or when the page has gone.
    bool runOnEveryChannel(Calibration kind);
    // Autobalance drives the bridge; without a load on the front panel input the unit
    // answers out of range. False when the operator cancels, or when the page went with
    // the panel while the box was up.
    bool confirmLoad(const QString &text);
    bool anyFrontPanelAutobalance() const;

    // The dialog goes with its page should the host delete the panel.
    QPointer<sc4830fp_calibrationDialog> dialog;
    std::unique_ptr<sc4830fp_pgaCalibration> pga;
    std::unique_ptr<sc4830fp_excCalibration> exc;
    std::unique_ptr<sc4830fp_autoCalibration> autob;
    QPointer<sc4830fp_chCfg> page;
    QPointer<sc4830fp_fp> panel;
};

#endif // SC4830FP_CALIBRATIONSEQUENCE_H
