#ifndef SFP_SIMULATION_H
#define SFP_SIMULATION_H

#include "simulationshape.h"

#include <visa.h>

#include <QObject>
#include <QString>
#include <QStringList>

// The simulated carrier and unit that sfp-host offers the panel, and every handle the
// host has on them: the carrier session it opens, the unit's status words, injected
// driver failures, the carrier's error code, call latency, calibration time and hanging
// calibrations, and the unit's call log. The console and scenario files both work
// through it, so that what they do is reported alike.
//
// One per process (the simulator's settings are global). GUI thread only; the simulator
// itself may meanwhile be called from the panel's calibration threads.
class Simulation : public QObject
{
    Q_OBJECT

public:
    // Statuses that injected failures answer with.
    static constexpr ViStatus carrierErrorStatus = ViStatus(0xBFFC0B12); // the carrier's
    static constexpr ViStatus errorStatus = ViStatus(0xBFFF0015); // a time-out
    static constexpr ViStatus warningStatus = ViStatus(0x3FFC0101); // ID query unsupported
    // The identification bytes of a slot in which no unit sits: the bus reads all ones.
    static constexpr unsigned char emptySlotByte = 0xFF;
    // The simulator's calibration time after a reset, in ms.
    static constexpr int defaultCalibrationMs = 20;

    // Resets the simulator and gives the carrier and unit the shape asked for.
    explicit Simulation(const SimulationShape &shape, QObject *parent = nullptr);
    // Closes the carrier session, if one is open. Delete the panel first: it closes its
    // unit session on the way out.
    ~Simulation() override;

    // Opens a carrier session of the given model code (once; later calls return it).
    ViSession openCarrier(ViUInt16 model);
    void closeCarrier();
    ViSession carrier() const { return carrierVi; }

    // The two status words the unit answers (bit i: channel index i).
    void setStatusWords(ViUInt16 icp, ViUInt16 exc);
    ViUInt16 icpStatus() const { return icpWord; }
    ViUInt16 excStatus() const { return excWord; }

    // Makes the named driver function answer status once or until cleared.
    void injectFailure(const QString &function, ViStatus status, bool always);
    void clearFailure(const QString &function);
    void clearFailures();

    // The code sc4830_getFCLastError gives, which the panel passes on in masterError.
    void setCarrierErrorCode(ViInt32 code);
    ViInt32 carrierErrorCode() const { return carrierCode; }

    // Every driver call waits this long before it answers, in microseconds.
    void setCallLatencyUs(int microseconds);
    int callLatencyUs() const { return latencyUs; }

    void setCalibrationTimeMs(int milliseconds);
    int calibrationTimeMs() const { return calibrationMs; }
    // While on, calibrations block until released, or until they have hung the time-out
    // (0: no time-out).
    void setCalibrationHang(bool on);
    bool calibrationHang() const { return hang; }
    void setCalibrationHangTimeoutMs(int milliseconds);
    int calibrationHangTimeoutMs() const { return hangTimeoutMs; }
    void releaseCalibrations();
    static int hangingCalibrations();

    // The 17 driver functions, in the driver header's order.
    static const QStringList &driverFunctions();
    // "carrier error", "error", "warning" or the status in hex.
    static QString statusName(ViStatus status);

    // Entries of the unit's call log from index first on, oldest first.
    static QStringList callLog(int first = 0);
    static int callLogCount();
    // Writes the call log to path ("-": standard output); false if it cannot be written.
    static bool writeCallLog(const QString &path);

signals:
    // One of the settings above changed; the console follows.
    void changed();
    // A line for the host's log, saying what was done to the simulation.
    void reported(const QString &line);

private:
    void settingChanged(const QString &line);

    ViSession carrierVi = 0;
    ViUInt16 icpWord = 0;
    ViUInt16 excWord = 0;
    ViInt32 carrierCode = 0;
    int latencyUs = 0;
    int calibrationMs = defaultCalibrationMs;
    bool hang = false;
    int hangTimeoutMs = 0;
};

#endif // SFP_SIMULATION_H
