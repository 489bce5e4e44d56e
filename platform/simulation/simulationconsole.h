#ifndef SFP_SIMULATIONCONSOLE_H
#define SFP_SIMULATIONCONSOLE_H

#include <QGroupBox>
#include <QTimer>

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class Simulation;

// The "Simulation" console beside the panel: the operator's hands on the simulated
// unit, not part of the panel. It sets the two status words channel by channel, makes a
// driver function fail once or always (carrier error, error or warning), sets the
// carrier's error code, slows every call down, sets the calibration time, makes
// calibrations hang (until released, or for a time) and releases them, and shows the
// unit's call log as it grows, following its newest call.
//
// Its controls follow the simulation, also when a scenario changes it. A screen reader
// hears each control by what it sets: a status box by its bit's meaning ("ICP Ch 1",
// "Excitation limit Ch 9"), a field by its caption. GUI thread only.
class SimulationConsole : public QGroupBox
{
    Q_OBJECT

public:
    static constexpr int channels = 16;
    static constexpr int refreshMs = 200;
    static constexpr int maxLogLines = 5000;
    static constexpr int maxHangSeconds = 600;

    explicit SimulationConsole(Simulation &simulation, QWidget *parent = nullptr);

    // Controls, reachable for tests and for restyling.
    QCheckBox *chkIcp[channels] = {};
    QCheckBox *chkExc[channels] = {};
    QComboBox *cbFunction = nullptr;
    QComboBox *cbFailure = nullptr;
    QCheckBox *chkAlways = nullptr;
    QPushButton *pbInject = nullptr;
    QPushButton *pbClearFailures = nullptr;
    QLineEdit *leCarrierCode = nullptr;
    QPushButton *pbCarrierCode = nullptr;
    QSpinBox *sbLatency = nullptr;
    QSpinBox *sbCalibrationTime = nullptr;
    QCheckBox *chkHang = nullptr;
    QSpinBox *sbHangTimeout = nullptr; // seconds; 0: until released
    QPushButton *pbRelease = nullptr;
    QLabel *lblHanging = nullptr;
    QPlainTextEdit *teCallLog = nullptr;
    QLabel *lblCallCount = nullptr;

public slots:
    // Reads the simulation's settings into the controls.
    void showSimulation();
    // Appends the calls made since the last refresh and shows the hanging calibrations.
    void refresh();

private:
    QWidget *buildStatusWords();
    QWidget *buildFailures();
    QWidget *buildTiming();
    QWidget *buildCallLog();
    void buildHang(QFormLayout *form);
    void statusBoxToggled();
    void injectFailure();
    void setCarrierCode();

    Simulation &simulation;
    QTimer refreshTimer;
    int callsShown = 0;
};

#endif // SFP_SIMULATIONCONSOLE_H
