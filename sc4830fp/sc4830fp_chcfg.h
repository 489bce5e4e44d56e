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

    // Takes the voltage reference out of the page when the unit has none: unchecks and
    // disables the signal-path calibration and removes the input "Voltage Ref.".
    void disableVoltageRefInput();
    // Shows an autobalance result in volts with six decimals.
    void setImbalance(double imbalance);

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
};

#endif // SC4830FP_CHCFG_H
