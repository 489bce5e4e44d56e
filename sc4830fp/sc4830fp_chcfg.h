#ifndef SC4830FP_CHCFG_H
#define SC4830FP_CHCFG_H

#include <visa.h>

#include <QWidget>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class cr2200fp_led;
class sc4830fp_fp;

// The page of one channel: input source, mode, coupling, gain, excitation and shunt,
// Apply and Apply to all, calibration selection, status lamps, excitation read-back,
// total gain, imbalance and identification.
//
// The page drives the unit through its panel's session (scuFp->d_vi); while that is 0
// (demonstration) it makes no driver call. Every driver call is checked with
// sc4830fp_check(). The channel index ch counts from 0; the driver and every caption get
// ch + 1. GUI thread only.
class sc4830fp_chCfg : public QWidget
{
    Q_OBJECT

public:
    // Builds the page for channel index ch (0..15) with panel as its parent. Calls no
    // slot and no driver function.
    sc4830fp_chCfg(sc4830fp_fp *panel, int ch);

    // The configuration the controls show: list indices, and the excitation in volts.
    struct Settings
    {
        int input;
        int mode;
        int coupling;
        int gain;
        double posExc;
        double negExc;
        int shunt;
    };
    // What the page's last apply left: the first call the unit refused with an error or
    // the carrier's status (the call text as the check quoted it, static storage), and
    // that status; a null call when everything went through or nothing was sent. Set by
    // the time an apply returns (its own, Apply to all's, the attach's), and told to the
    // panel, whose tab for this channel follows.
    struct ApplyOutcome
    {
        const char *refusedCall = nullptr;
        ViStatus refusedStatus = 0;
        bool refused() const { return refusedCall != nullptr; }
    };
    // The calibrations a page offers, each with its check box.
    enum Calibration { SignalPath, Excitation, Autobalance };
    // Where the channel stands against the unit, the first that holds: NotSent while
    // nothing can have reached the unit (no apply yet, or the panel's carrier session came
    // without an opened unit); Refused while the last apply was refused (lastApply());
    // Changed while the controls differ from applied(); Applied otherwise.
    enum State { Applied, Changed, Refused, NotSent };

    Settings settings() const;
    // The panel's failed open of the unit when there was one (everything the page sends
    // is skipped then), else what the page's own last apply left.
    ApplyOutcome lastApply() const;
    // The settings the unit took with the last apply it took whole (in demonstration,
    // what the last apply settled); the page's first settings before any.
    Settings applied() const { return appliedSettings; }
    // The controls show other settings than applied().
    bool changed() const;
    // The same settings for the unit: excitations compared as typed.
    static bool sameSettings(const Settings &a, const Settings &b);
    State state() const;
    // Shows settings in the controls as an operator would choose them, each control's
    // handler running (mode before coupling and shunt, so that the mode's own adjustments
    // do not undo them; an index the list lacks keeps the control's own). Sends nothing.
    // False when the page went with its panel in the gain warning.
    bool setSettings(const Settings &settings);
    // Shows applied() again as setSettings() does and settles the page as its apply did;
    // sends nothing. False when the page went with its panel in the gain warning.
    bool revertToApplied();
    // Shows settings as setSettings() does, for review before they are applied: Apply is
    // enabled where they differ from applied() or the last apply was refused. Sends
    // nothing. False when the page went with its panel in the gain warning.
    bool stageSettings(const Settings &settings);
    // After an attach: runs the mode and gain handlers on what the controls show and
    // applies it to the unit.
    void applyAsAttached();
    // The unit's status bits of this channel: ICP current in order (shown only in ICP
    // mode) and excitation current at its limit.
    void showStatus(bool icpOk, bool excLimit);
    // The host's gain factor in front of this channel; the total gain follows.
    void setHostGain(int gain);
    // One phase of the identification blink: lit or dark while identification is on.
    void showIdentificationPhase(bool lit);
    // What the status lamps show: the ICP lamp lit red in ICP mode, the current-limit
    // lamp lit.
    bool icpFault() const;
    bool atExcitationLimit() const;
    // The status poll has stopped for good: the status lamps' descriptions say from now
    // on that they show the last state read; the identification lamp, no longer blinked,
    // stays lit while identification is on.
    void showStatusNotMonitored();

    // Takes the voltage reference out of the page when the unit has none: unchecks and
    // disables the signal-path calibration and removes the input "Voltage Ref.".
    void disableVoltageRefInput();
    // The input list offers "Voltage Ref.": the unit has a voltage reference.
    bool hasVoltageRefInput() const;
    // Shows an autobalance result in volts with six decimals.
    void setImbalance(double imbalance);

    // What a calibration sequence asks of the page.
    bool calibrationChosen(Calibration kind) const; // checked
    bool calibrationOffered(Calibration kind) const; // enabled, checked or not
    // Checks or clears a calibration's box, as the operator would; for a setup, which
    // chooses only what the page offers.
    void setCalibrationChosen(Calibration kind, bool chosen);
    // The signal-path calibration level of the selected gain, in volts.
    ViReal64 signalPathLevel() const;
    bool usesFrontPanelInput() const;

    // Driver values by combo-box index.
    static const ViUInt16 mode[8];
    static const ViUInt16 gain[4];
    static const ViUInt16 coup[2];
    static const ViUInt16 input[2];
    // The gain reported to the host by cbGain index.
    static const ViReal64 gainValue[4];
    // Signal-path calibration level by cbGain index: 9 V divided by the gain.
    static const ViReal64 calLevel[4];

    sc4830fp_fp *scuFp;
    int ch;
    QComboBox *cbInput;
    QComboBox *cbMode;
    QComboBox *cbGain;
    QComboBox *cbCoup;
    QDoubleSpinBox *dsbPosExc;
    QDoubleSpinBox *dsbNegExc;
    QComboBox *cbShCal;
    QPushButton *pbApply;
    QPushButton *pbApplyAll;
    QCheckBox *chkSignalPath;
    QCheckBox *chkExcitation;
    QCheckBox *chkAutobalance;
    QPushButton *pbCalibrate;
    QPushButton *pbCalibrateAll;
    cr2200fp_led *ledExcLimit;
    cr2200fp_led *ledIcp;
    QGroupBox *gbExcitation;
    QPushButton *pbReadExc;
    QLineEdit *lePosExc;
    QLineEdit *leNegExc;
    QLineEdit *leDiffExc;
    QLineEdit *leTotalGain;
    QLineEdit *leImbalance;
    QPushButton *pbIdentify;
    cr2200fp_led *ledIdentify;
    int masterGain; // the host's gain factor in front of this channel
    bool identifyOn; // pbIdentify is checked; the panel's timer blinks ledIdentify
    bool icpMode; // the mode applied last is ICP; the status poll drives ledIcp

signals:
    // Fires from applyAction() with the channel index (0-based) and the unit's gain.
    void scuGainChanged(int chIdx, ViReal64 scuGainVal);

public slots:
    void modeChanged(int index);
    void gainChanged(int index);
    void inputChanged(int);
    void couplingChanged(int);
    void posExcChanged(double);
    void negExcChanged(double);
    void shCalChanged(int);
    void configChanged();
    void applyAction();
    void applyToAllAction();
    void calibrateAction();
    void calibrateAllAction();
    void readExcAction();
    void identifyChanged();

private:
    QCheckBox *selection(Calibration kind) const;
    void noteRefusal(ViStatus status, const char *fcall);
    // Autobalance needs a DC path: what the coupling shown offers, as an apply leaves it.
    void settleAutobalance();
    // The read-back fields as before the first read.
    void showNotMeasured();
    // The identification lamp's description, and its steady light once it no longer blinks.
    void showIdentification();

    ApplyOutcome lastApplyOutcome;
    Settings appliedSettings;
    bool applyMade = false; // an apply has run, whatever the unit made of it
    bool identificationBlinks = true; // false once the status poll has stopped for good
};

#endif // SC4830FP_CHCFG_H
