#include "simulation.h"

#include <sc4830sim.h>
#include <simcarrier.h>

#include <QByteArray>
#include <QFile>

#include <cstdio>
#include <vector>

namespace {

constexpr ViReal64 referenceVolts = 2.5;

QString hex(quint32 value, int digits)
{
    return QStringLiteral("0x")
        + QString::number(value, 16).toUpper().rightJustified(digits, QLatin1Char('0'));
}

} // namespace

Simulation::Simulation(const SimulationShape &shape, QObject *parent)
    : QObject(parent)
{
    sc4830sim_reset();
    simcarrier_reset();
    if (shape.noReference)
        sc4830sim_setReference(SC4830SIM_REF_INDICATOR_ZERO, referenceVolts, 0);
    if (shape.noUnit)
        simcarrier_setIdentBytes(emptySlotByte, emptySlotByte, emptySlotByte, emptySlotByte);
}

Simulation::~Simulation()
{
    // A calibration thread blocked in the simulator would outlive the panel otherwise.
    sc4830sim_setCalibrationHang(0);
    sc4830sim_releaseCalibrations();
    closeCarrier();
}

ViSession Simulation::openCarrier(ViUInt16 model)
{
    if (!carrierVi)
        carrierVi = simcarrier_open(model);
    return carrierVi;
}

void Simulation::closeCarrier()
{
    if (carrierVi)
        simcarrier_close(carrierVi);
    carrierVi = 0;
}

void Simulation::setStatusWords(ViUInt16 icp, ViUInt16 exc)
{
    icpWord = icp;
    excWord = exc;
    sc4830sim_setStatusWords(ViInt16(icp), ViInt16(exc));
    settingChanged(QStringLiteral("status icp %1 exc %2").arg(hex(icp, 4), hex(exc, 4)));
}

void Simulation::injectFailure(const QString &function, ViStatus status, bool always)
{
    sc4830sim_injectStatus(function.toLatin1().constData(), status, always ? 1 : 0);
    settingChanged(QStringLiteral("fail %1 %2 %3")
                       .arg(function, statusName(status),
                           always ? QStringLiteral("always") : QStringLiteral("once")));
}

void Simulation::clearFailure(const QString &function)
{
    sc4830sim_injectStatus(function.toLatin1().constData(), 0, 0);
    settingChanged(QStringLiteral("clear %1").arg(function));
}

void Simulation::clearFailures()
{
    sc4830sim_clearInjections();
    settingChanged(QStringLiteral("clear all"));
}

void Simulation::setCarrierErrorCode(ViInt32 code)
{
    carrierCode = code;
    sc4830sim_setFCLastError(code);
    settingChanged(QStringLiteral("carrier-code %1").arg(hex(quint32(code), 8)));
}

void Simulation::setCallLatencyUs(int microseconds)
{
    latencyUs = qMax(microseconds, 0);
    sc4830sim_setCallLatencyUs(latencyUs);
    settingChanged(QStringLiteral("latency %1 us").arg(latencyUs));
}

void Simulation::setCalibrationTimeMs(int milliseconds)
{
    calibrationMs = qMax(milliseconds, 0);
    sc4830sim_setCalibrationDurationMs(calibrationMs);
    settingChanged(QStringLiteral("calibration time %1 ms").arg(calibrationMs));
}

void Simulation::setCalibrationHang(bool on)
{
    hang = on;
    sc4830sim_setCalibrationHang(on ? 1 : 0);
    settingChanged(on ? QStringLiteral("calibration hang") : QStringLiteral("calibration run"));
}

void Simulation::setCalibrationHangTimeoutMs(int milliseconds)
{
    hangTimeoutMs = qMax(milliseconds, 0);
    sc4830sim_setCalibrationHangTimeoutMs(hangTimeoutMs);
    settingChanged(hangTimeoutMs > 0
            ? QStringLiteral("calibration hang timeout %1 ms").arg(hangTimeoutMs)
            : QStringLiteral("calibration hang timeout none"));
}

void Simulation::releaseCalibrations()
{
    sc4830sim_releaseCalibrations();
    settingChanged(QStringLiteral("calibration release"));
}

int Simulation::hangingCalibrations()
{
    return sc4830sim_hangingCalibrations();
}

const QStringList &Simulation::driverFunctions()
{
    static const QStringList functions {
        QStringLiteral("sc4830_init"),
        QStringLiteral("sc4830_close"),
        QStringLiteral("sc4830_revision_query"),
        QStringLiteral("sc4830_serialNumber"),
        QStringLiteral("sc4830_setChannelConf"),
        QStringLiteral("sc4830_setExcitation"),
        QStringLiteral("sc4830_setShuntCal"),
        QStringLiteral("sc4830_getExcitation"),
        QStringLiteral("sc4830_channelIdentify"),
        QStringLiteral("sc4830_getStatus"),
        QStringLiteral("sc4830_getVoltRefOutput"),
        QStringLiteral("sc4830_setVoltRefOutput"),
        QStringLiteral("sc4830_pgaCalibration"),
        QStringLiteral("sc4830_excitCalibration"),
        QStringLiteral("sc4830_autobalance"),
        QStringLiteral("sc4830_getFCLastError"),
        QStringLiteral("sc4830_error_message"),
    };
    return functions;
}

QString Simulation::statusName(ViStatus status)
{
    switch (status) {
    case carrierErrorStatus:
        return QStringLiteral("carrier");
    case errorStatus:
        return QStringLiteral("error");
    case warningStatus:
        return QStringLiteral("warning");
    default:
        return hex(quint32(status), 8);
    }
}

QStringList Simulation::callLog(int first)
{
    QStringList entries;
    const int count = sc4830sim_logCount();
    std::vector<char> buffer(256);
    for (int i = qMax(first, 0); i < count; ++i) {
        int length = sc4830sim_logEntry(i, buffer.data(), int(buffer.size()));
        if (length >= int(buffer.size())) {
            buffer.resize(size_t(length) + 1);
            length = sc4830sim_logEntry(i, buffer.data(), int(buffer.size()));
        }
        if (length >= 0)
            entries.append(QString::fromLatin1(buffer.data()));
    }
    return entries;
}

int Simulation::callLogCount()
{
    return sc4830sim_logCount();
}

bool Simulation::writeCallLog(const QString &path)
{
    QByteArray text;
    for (const QString &entry : callLog())
        text += entry.toLatin1() + '\n';
    if (path == QLatin1String("-")) {
        const bool written
            = std::fwrite(text.constData(), 1, size_t(text.size()), stdout) == size_t(text.size());
        return std::fflush(stdout) == 0 && written;
    }
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Text) && file.write(text) == text.size()
        && file.flush();
}

void Simulation::settingChanged(const QString &line)
{
    emit reported(QStringLiteral("simulation: ") + line);
    emit changed();
}
