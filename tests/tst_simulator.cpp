// The stand-ins for what lies outside the panel: the VISA session table, the simulated
// carrier and the simulated unit. Every other test leans on them, so their log, their
// failures and their records are checked here once, the way a front panel meets them.

#include "simlog.h"
#include "simreset.h"

#include <sc4830sim.h>
#include <sfp_version.h>
#include <simcarrier.h>
#include <visasim.h>

#include <QElapsedTimer>
#include <QThread>
#include <QtTest>

#include <atomic>
#include <cmath>
#include <cstring>
#include <functional>
#include <thread>
#include <vector>

using DriverCall = std::function<ViStatus(ViSession)>;
Q_DECLARE_METATYPE(DriverCall)

namespace {

// A pointer-sized field of a driver-owned record, read the way a front panel reads it.
template<typename T> T field(const void *record, std::size_t offset)
{
    T value;
    std::memcpy(&value, static_cast<const char *>(record) + offset, sizeof value);
    return value;
}

using AccessFn = ViStatus (*)(ViSession, ViInt32, ViInt32, void **);
using ReadFn = ViStatus (*)(ViSession, ViUInt32, ViInt32, void *, ViUInt32, void *);
using ReferenceReadFn = int (*)(void *, ViReal64 *);

// Outcome of the carrier identification probe: the step that failed, or the code read.
struct Probe
{
    QString failedAt;
    int code = 0;
};

Probe probeCarrier(ViSession masterVi)
{
    Probe probe;
    void *environment = nullptr;
    if (viGetAttribute(masterVi, VI_ATTR_USER_DATA, &environment) < 0) {
        probe.failedAt = "attribute";
        return probe;
    }
    const auto access = environment ? field<AccessFn>(environment, 24) : nullptr;
    void *accessRecord = nullptr;
    if (!access || access(masterVi, 0, 0, &accessRecord) < 0 || !accessRecord) {
        probe.failedAt = "access";
        return probe;
    }
    const auto read = field<ReadFn>(accessRecord, 8);
    unsigned char bytes[4] = { 0, 0, 0, 0 };
    if (!read || read(masterVi, 0xA2, 2, bytes, 4, bytes) < 0) {
        probe.failedAt = "read";
        return probe;
    }
    if (bytes[0] == static_cast<unsigned char>(~bytes[2])
        && bytes[1] == static_cast<unsigned char>(~bytes[3]))
        probe.code = bytes[1] * 256 + bytes[0];
    return probe;
}

// What a front panel learns of the reference through the unit session's records.
struct ReferenceSeen
{
    bool sourceFound = false;
    bool present = false;
    int readResult = -100;
    ViReal64 volts = 0.0;
};

ReferenceSeen seeReference(ViSession vi)
{
    ReferenceSeen seen;
    void *env = nullptr;
    if (viGetAttribute(vi, VI_ATTR_USER_DATA, &env) < 0 || !env)
        return seen;
    void *link = field<void *>(env, 16);
    void *source = link ? field<void *>(link, 48) : nullptr;
    int *presence = source ? field<int *>(source, 8) : nullptr;
    if (!source || !presence)
        return seen;
    seen.sourceFound = true;
    seen.present = *presence != 0;
    const auto read = field<ReferenceReadFn>(source, 32);
    seen.readResult = read(field<void *>(env, 24), &seen.volts);
    return seen;
}

// Lets hanging calibrations go and joins their threads, also when a check fails early.
class CalibrationThreads
{
public:
    CalibrationThreads() = default;
    CalibrationThreads(const CalibrationThreads &) = delete;
    CalibrationThreads &operator=(const CalibrationThreads &) = delete;
    ~CalibrationThreads() { join(); }

    template<typename F> void start(F f) { m_threads.emplace_back(f); }
    void join()
    {
        sc4830sim_releaseCalibrations();
        for (std::thread &t : m_threads) {
            if (t.joinable())
                t.join();
        }
    }

private:
    std::vector<std::thread> m_threads;
};

// A worker thread as a calibration runs one: it makes the one blocking driver call.
// (QThread::create is not used: its std::future wrapper catches the cancellation by a
// reference that UndefinedBehaviorSanitizer reports.)
class HangingAutobalance : public QThread
{
public:
    explicit HangingAutobalance(ViSession vi)
        : m_vi(vi)
    {
    }

protected:
    void run() override
    {
        ViReal64 imbalance = 0.0;
        sc4830_autobalance(m_vi, 1, &imbalance);
    }

private:
    const ViSession m_vi;
};

} // namespace

class SimulatorTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void sessionTable();
    void getAttributeInjection_data();
    void getAttributeInjection();

    void carrierProbe_data();
    void carrierProbe();

    void unitOpensOnlyOnLiveCarrier();
    void logSpellsEveryCall_data();
    void logSpellsEveryCall();
    void injection_data();
    void injection();
    void failedCallsStillWriteOutputs();
    void deadSessionIsRefusedButLogged();
    void modelKeepsWhatWasSet();
    void resetRestoresDefaults();

    void referenceRecords_data();
    void referenceRecords();

    void errorMessageNamesTheStatus_data();
    void errorMessageNamesTheStatus();
    void textsTerminatedAndBounded();
    void unterminatedTextsFillBuffers();

    void calibrationTakesItsTime();
    void hangingCalibrationWaitsForRelease();
    void hangEndsByItselfAfterTimeout();
    void terminatedCalibrationLeavesNoLock_data();
    void terminatedCalibrationLeavesNoLock();
    void latencyDelaysEveryCall();
    void logSurvivesTwoThreads();

private:
    ViSession m_carrier = 0;
    ViSession m_unit = 0;
};

void SimulatorTest::init()
{
    resetSimulators();
    m_carrier = simcarrier_open(SIMCARRIER_MODEL_16CH);
    QCOMPARE(sc4830_init(m_carrier, VI_TRUE, VI_TRUE, &m_unit), VI_SUCCESS);
    QVERIFY(m_unit != 0);
    sc4830sim_clearLog();
}

void SimulatorTest::cleanup()
{
    sc4830sim_reset();
    sc4830_close(m_unit);
    simcarrier_close(m_carrier);
    m_unit = 0;
    m_carrier = 0;
    QCOMPARE(sc4830sim_openSessionCount(), 0);
    QCOMPARE(visasim_openSessionCount(), 0);
}

void SimulatorTest::sessionTable()
{
    int record = 0;
    const ViSession a = visasim_openSession(&record);
    const ViSession b = visasim_openSession(nullptr);
    QVERIFY(a != 0 && b > a);

    void *seen = nullptr;
    QCOMPARE(viGetAttribute(a, VI_ATTR_USER_DATA, &seen), VI_SUCCESS);
    QCOMPARE(seen, static_cast<void *>(&record));
    QCOMPARE(viGetAttribute(a, 0x3FFF0001UL, &seen), VI_ERROR_NSUP_ATTR);

    QCOMPARE(
        viSetAttribute(b, VI_ATTR_USER_DATA, reinterpret_cast<uintptr_t>(&record)), VI_SUCCESS);
    QCOMPARE(viGetAttribute(b, VI_ATTR_USER_DATA, &seen), VI_SUCCESS);
    QCOMPARE(seen, static_cast<void *>(&record));

    visasim_closeSession(a);
    visasim_closeSession(b);
    QCOMPARE(viGetAttribute(a, VI_ATTR_USER_DATA, &seen), VI_ERROR_INV_OBJECT);
    QCOMPARE(viSetAttribute(b, VI_ATTR_USER_DATA, 0), VI_ERROR_INV_OBJECT);
    const ViSession c = visasim_openSession(nullptr);
    QVERIFY(c > b); // never reused
    visasim_closeSession(c);
}

void SimulatorTest::getAttributeInjection_data()
{
    QTest::addColumn<ViStatus>("injected");
    QTest::addColumn<int>("always");
    QTest::addColumn<ViStatus>("secondCall");
    QTest::addColumn<bool>("pointerStored");

    const ViStatus error = static_cast<ViStatus>(0xBFFF0015UL);
    QTest::newRow("error once") << error << 0 << VI_SUCCESS << false;
    QTest::newRow("error always") << error << 1 << error << false;
    QTest::newRow("warning once stores the record")
        << ViStatus(0x3FFF0077) << 0 << VI_SUCCESS << true;
}

void SimulatorTest::getAttributeInjection()
{
    QFETCH(ViStatus, injected);
    QFETCH(int, always);
    QFETCH(ViStatus, secondCall);
    QFETCH(bool, pointerStored);

    visasim_injectGetAttributeStatus(injected, always);
    // The driver's own check of the carrier neither trips over nor uses up the injection.
    ViSession other = 0;
    QCOMPARE(sc4830_init(m_carrier, VI_TRUE, VI_TRUE, &other), VI_SUCCESS);

    void *sentinel = reinterpret_cast<void *>(uintptr_t(0x1234));
    void *seen = sentinel;
    QCOMPARE(viGetAttribute(other, VI_ATTR_USER_DATA, &seen), injected);
    QCOMPARE(seen != sentinel, pointerStored);
    QCOMPARE(viGetAttribute(other, VI_ATTR_USER_DATA, &seen), secondCall);

    visasim_reset();
    QCOMPARE(viGetAttribute(other, VI_ATTR_USER_DATA, &seen), VI_SUCCESS);
    QVERIFY(seen != nullptr);
    sc4830_close(other);
}

void SimulatorTest::carrierProbe_data()
{
    QTest::addColumn<QByteArray>("ident");
    QTest::addColumn<int>("shape");
    QTest::addColumn<ViStatus>("accessStatus");
    QTest::addColumn<ViStatus>("readStatus");
    QTest::addColumn<QString>("failedAt");
    QTest::addColumn<int>("code");

    const QByteArray present("\x30\x48\xCF\xB7", 4);
    const ViStatus error = static_cast<ViStatus>(0xBFFF0015UL);
    const ViStatus warning = 0x3FFF0077;
    QTest::newRow("present unit") << present << 0 << VI_SUCCESS << VI_SUCCESS << "" << 0x4830;
    QTest::newRow("warnings still answer") << present << 0 << warning << warning << "" << 0x4830;
    QTest::newRow("another unit") << QByteArray("\x12\x34\xED\xCB", 4) << 0 << VI_SUCCESS
                                  << VI_SUCCESS << "" << 0x3412;
    QTest::newRow("broken complement")
        << QByteArray("\x30\x48\xCF\xB6", 4) << 0 << VI_SUCCESS << VI_SUCCESS << "" << 0;
    QTest::newRow("access fails") << present << 0 << error << VI_SUCCESS << "access" << 0;
    QTest::newRow("read fails") << present << 0 << VI_SUCCESS << error << "read" << 0;
    QTest::newRow("null environment") << present << int(SIMCARRIER_RECORD_NULL_ENVIRONMENT)
                                      << VI_SUCCESS << VI_SUCCESS << "access" << 0;
    QTest::newRow("null access function") << present << int(SIMCARRIER_RECORD_NULL_ACCESS_FN)
                                          << VI_SUCCESS << VI_SUCCESS << "access" << 0;
    QTest::newRow("null access record") << present << int(SIMCARRIER_RECORD_NULL_ACCESS_REC)
                                        << VI_SUCCESS << VI_SUCCESS << "access" << 0;
    QTest::newRow("null read function") << present << int(SIMCARRIER_RECORD_NULL_READ_FN)
                                        << VI_SUCCESS << VI_SUCCESS << "read" << 0;
}

void SimulatorTest::carrierProbe()
{
    QFETCH(QByteArray, ident);
    QFETCH(int, shape);
    QFETCH(ViStatus, accessStatus);
    QFETCH(ViStatus, readStatus);
    QFETCH(QString, failedAt);
    QFETCH(int, code);

    const auto byte = [&ident](int i) { return static_cast<unsigned char>(ident.at(i)); };
    simcarrier_setIdentBytes(byte(0), byte(1), byte(2), byte(3));
    simcarrier_setRecordShape(shape);
    simcarrier_setAccessStatus(accessStatus);
    simcarrier_setReadStatus(readStatus);
    QCOMPARE(simcarrier_model(m_carrier), ViUInt16(SIMCARRIER_MODEL_16CH));

    // The shape reaches a session opened before it and one opened after it alike.
    const ViSession later = simcarrier_open(SIMCARRIER_MODEL_8CH);
    QCOMPARE(simcarrier_model(later), ViUInt16(SIMCARRIER_MODEL_8CH));
    for (const ViSession vi : { m_carrier, later }) {
        const Probe probe = probeCarrier(vi);
        QCOMPARE(probe.failedAt, failedAt);
        QCOMPARE(probe.code, code);
    }
    simcarrier_close(later);
    QCOMPARE(simcarrier_model(later), ViUInt16(0));

    simcarrier_reset();
    QCOMPARE(probeCarrier(m_carrier).code, 0x4830);
}

void SimulatorTest::unitOpensOnlyOnLiveCarrier()
{
    ViSession vi = 77;
    QCOMPARE(sc4830_init(0, VI_TRUE, VI_TRUE, &vi), VI_ERROR_INV_OBJECT);
    QCOMPARE(vi, ViSession(77));
    const ViSession gone = simcarrier_open(SIMCARRIER_MODEL_16CH);
    simcarrier_close(gone);
    QCOMPARE(sc4830_init(gone, VI_TRUE, VI_TRUE, &vi), VI_ERROR_INV_OBJECT);
    QCOMPARE(vi, ViSession(77));
    QCOMPARE(sc4830sim_openSessionCount(), 1);
    QCOMPARE(sc4830sim_callCount("sc4830_init"), 2);
}

void SimulatorTest::logSpellsEveryCall_data()
{
    QTest::addColumn<DriverCall>("call");
    QTest::addColumn<QString>("entry"); // %1 is the unit session

    static ViReal64 real;
    static ViInt16 word;
    static ViInt32 code;
    static ViUInt32 serial;
    static char text[1024];
    QTest::newRow("channel configuration")
        << DriverCall([](ViSession vi) { return sc4830_setChannelConf(vi, 1, 3, 5, 10, 0); })
        << "sc4830_setChannelConf(%1, 1, 3, 5, 10, 0)";
    QTest::newRow("excitation reals")
        << DriverCall([](ViSession vi) { return sc4830_setExcitation(vi, 3, 1.5, -2.0); })
        << "sc4830_setExcitation(%1, 3, 1.5, -2)";
    QTest::newRow("status with null reserved words") << DriverCall([](ViSession vi) {
        return sc4830_getStatus(vi, &word, &word, VI_NULL, VI_NULL);
    }) << "sc4830_getStatus(%1, ptr, ptr, NULL, NULL)";
    QTest::newRow("revision with null driver text")
        << DriverCall([](ViSession vi) { return sc4830_revision_query(vi, VI_NULL, text); })
        << "sc4830_revision_query(%1, NULL, ptr)";
    QTest::newRow("serial number")
        << DriverCall([](ViSession vi) { return sc4830_serialNumber(vi, text, &serial); })
        << "sc4830_serialNumber(%1, ptr, ptr)";
    QTest::newRow("reference routing") << DriverCall([](ViSession vi) {
        return sc4830_setVoltRefOutput(vi, sc4830_VREF_SRC_FC, 2.4999999, VI_FALSE);
    }) << "sc4830_setVoltRefOutput(%1, 1, 2.5, 0)";
    QTest::newRow("reference read") << DriverCall([](ViSession vi) {
        return sc4830_getVoltRefOutput(vi, &code, &real, VI_NULL);
    }) << "sc4830_getVoltRefOutput(%1, ptr, ptr, NULL)";
    QTest::newRow("signal-path calibration")
        << DriverCall([](ViSession vi) { return sc4830_pgaCalibration(vi, 16, 1, 0.125, 0, 0); })
        << "sc4830_pgaCalibration(%1, 16, 1, 0.125, 0, 0)";
    QTest::newRow("excitation calibration")
        << DriverCall([](ViSession vi) { return sc4830_excitCalibration(vi, 2, 0, 0, 0, 0); })
        << "sc4830_excitCalibration(%1, 2, 0, 0, 0, 0)";
    QTest::newRow("autobalance") << DriverCall([](ViSession vi) {
        return sc4830_autobalance(vi, 4, &real);
    }) << "sc4830_autobalance(%1, 4, ptr)";
    QTest::newRow("shunt and identify") << DriverCall([](ViSession vi) {
        return sc4830_setShuntCal(vi, 5, VI_TRUE) | sc4830_channelIdentify(vi, 6, sc4830_OFF);
    }) << "sc4830_setShuntCal(%1, 5, 1)|sc4830_channelIdentify(%1, 6, 0)";
    QTest::newRow("excitation read-back")
        << DriverCall([](ViSession vi) { return sc4830_getExcitation(vi, 7, &real, &real); })
        << "sc4830_getExcitation(%1, 7, ptr, ptr)";
    QTest::newRow("carrier error code")
        << DriverCall([](ViSession vi) { return sc4830_getFCLastError(vi, &code); })
        << "sc4830_getFCLastError(%1, ptr)";
    QTest::newRow("error text of a negative status")
        << DriverCall([](ViSession vi) { return sc4830_error_message(vi, sc4830_ERROR_FC, text); })
        << "sc4830_error_message(%1, -1074001134, ptr)";
    QTest::newRow("init with null out pointer") << DriverCall([](ViSession vi) {
        return sc4830_init(vi, VI_FALSE, VI_TRUE, VI_NULL) < 0 ? VI_SUCCESS : -1;
    }) << "sc4830_init(%1, 0, 1, NULL)";
}

void SimulatorTest::logSpellsEveryCall()
{
    QFETCH(DriverCall, call);
    QFETCH(QString, entry);

    sc4830sim_setCalibrationDurationMs(0);
    QCOMPARE(call(m_unit), VI_SUCCESS);
    QCOMPARE(simCallLog(), entry.arg(m_unit).split('|'));
    const QString function = entry.section('(', 0, 0);
    QCOMPARE(sc4830sim_callCount(function.toLatin1().constData()), 1);

    // The log's own interface under simCallLog(): an entry cut to the buffer and still
    // terminated, its whole length returned, -1 past the end.
    char small[8];
    const int length = sc4830sim_logEntry(0, small, sizeof small);
    QCOMPARE(length, simCallLog().first().size());
    QCOMPARE(QByteArray(small), simCallLog().first().left(7).toLatin1());
    QCOMPARE(sc4830sim_logEntry(sc4830sim_logCount(), small, sizeof small), -1);
}

void SimulatorTest::injection_data()
{
    QTest::addColumn<QByteArray>("function");
    QTest::addColumn<DriverCall>("call");
    QTest::addColumn<int>("always");

    const DriverCall status = [](ViSession vi) {
        ViInt16 icp = 0, exc = 0;
        return sc4830_getStatus(vi, &icp, &exc, VI_NULL, VI_NULL);
    };
    const DriverCall calibration
        = [](ViSession vi) { return sc4830_excitCalibration(vi, 1, 0, 0, 0, 0); };
    QTest::newRow("status once") << QByteArray("sc4830_getStatus") << status << 0;
    QTest::newRow("status always") << QByteArray("sc4830_getStatus") << status << 1;
    QTest::newRow("calibration once") << QByteArray("sc4830_excitCalibration") << calibration << 0;
    QTest::newRow("calibration always")
        << QByteArray("sc4830_excitCalibration") << calibration << 1;
}

void SimulatorTest::injection()
{
    QFETCH(QByteArray, function);
    QFETCH(DriverCall, call);
    QFETCH(int, always);

    sc4830sim_setCalibrationDurationMs(1);
    sc4830sim_injectStatus("sc4830_setShuntCal", -5, 1); // other functions are not touched
    sc4830sim_injectStatus(function.constData(), sc4830_ERROR_FC, always);
    QCOMPARE(call(m_unit), sc4830_ERROR_FC);
    QCOMPARE(call(m_unit), always ? sc4830_ERROR_FC : VI_SUCCESS);
    QCOMPARE(call(m_unit), always ? sc4830_ERROR_FC : VI_SUCCESS);

    sc4830sim_injectStatus(function.constData(), 0, 0);
    QCOMPARE(call(m_unit), VI_SUCCESS);
    sc4830sim_injectStatus(function.constData(), 0x3FFC0101, 1);
    QCOMPARE(call(m_unit), ViStatus(0x3FFC0101));
    sc4830sim_clearInjections();
    QCOMPARE(call(m_unit), VI_SUCCESS);
    QCOMPARE(sc4830_setShuntCal(m_unit, 1, VI_TRUE), VI_SUCCESS);
    QCOMPARE(sc4830sim_callCount(function.constData()), 6);
}

void SimulatorTest::failedCallsStillWriteOutputs()
{
    const ViStatus error = -1074000000;
    sc4830sim_setStatusWords(0x0005, 0x0100);
    sc4830sim_setImbalance(3, -0.75);
    sc4830sim_setCalibrationDurationMs(0);
    sc4830sim_injectStatus("sc4830_getStatus", error, 1);
    sc4830sim_injectStatus("sc4830_autobalance", error, 1);
    sc4830sim_injectStatus("sc4830_setExcitation", error, 1);
    sc4830sim_injectStatus("sc4830_init", error, 0);

    ViInt16 icp = 0, exc = 0;
    QCOMPARE(sc4830_getStatus(m_unit, &icp, &exc, VI_NULL, VI_NULL), error);
    QCOMPARE(icp, ViInt16(0x0005));
    QCOMPARE(exc, ViInt16(0x0100));
    ViReal64 imbalance = 0.0;
    QCOMPARE(sc4830_autobalance(m_unit, 3, &imbalance), error);
    QCOMPARE(imbalance, -0.75);

    // A setting that fails leaves the unit as it was.
    QCOMPARE(sc4830_setExcitation(m_unit, 2, 5.0, -5.0), error);
    sc4830sim_Channel ch {};
    QCOMPARE(sc4830sim_getChannel(2, &ch), 0);
    QCOMPARE(ch.posExc, 0.0);

    ViSession vi = 123;
    QCOMPARE(sc4830_init(m_carrier, VI_TRUE, VI_TRUE, &vi), error);
    QCOMPARE(vi, ViSession(123));
    QCOMPARE(sc4830sim_openSessionCount(), 1);
}

void SimulatorTest::deadSessionIsRefusedButLogged()
{
    const ViSession dead = m_unit + 1000;
    ViInt16 word = 0;
    ViReal64 real = 0.0;
    sc4830sim_injectStatus("sc4830_getStatus", 0x3FFC0101, 0);
    QCOMPARE(sc4830_getStatus(dead, &word, &word, VI_NULL, VI_NULL), VI_ERROR_INV_OBJECT);
    QCOMPARE(sc4830_getStatus(m_carrier, &word, &word, VI_NULL, VI_NULL), VI_ERROR_INV_OBJECT);
    QCOMPARE(sc4830_setChannelConf(0, 1, 0, 0, 0, 0), VI_ERROR_INV_OBJECT);
    QCOMPARE(sc4830_autobalance(dead, 1, &real), VI_ERROR_INV_OBJECT);
    // The injection waits for a call that reaches the unit.
    QCOMPARE(sc4830_getStatus(m_unit, &word, &word, VI_NULL, VI_NULL), ViStatus(0x3FFC0101));
    // Channels outside 1..16 are refused too.
    QVERIFY(sc4830_setShuntCal(m_unit, 0, VI_TRUE) < 0);
    QVERIFY(sc4830_setShuntCal(m_unit, 17, VI_TRUE) < 0);

    // The error text still comes, whatever the session.
    char message[1024];
    std::memset(message, 'x', sizeof message);
    QCOMPARE(sc4830_error_message(dead, -1, message), VI_ERROR_INV_OBJECT);
    QCOMPARE(QByteArray(message), QByteArray("Unknown status (0xFFFFFFFF)"));

    QCOMPARE(sc4830_close(dead), VI_ERROR_INV_OBJECT);
    QCOMPARE(sc4830sim_closeCount(), 1);
    QCOMPARE(sc4830sim_logCount(), 9);
    QCOMPARE(simCallLog().first(), QString("sc4830_getStatus(%1, ptr, ptr, NULL, NULL)").arg(dead));
}

void SimulatorTest::modelKeepsWhatWasSet()
{
    QCOMPARE(sc4830_setChannelConf(m_unit, 16, 2, 3, 1, 4), VI_SUCCESS);
    QCOMPARE(sc4830_setExcitation(m_unit, 16, 10.0, -10.0), VI_SUCCESS);
    QCOMPARE(sc4830_setShuntCal(m_unit, 16, VI_TRUE), VI_SUCCESS);
    QCOMPARE(sc4830_channelIdentify(m_unit, 16, sc4830_ON), VI_SUCCESS);
    QCOMPARE(sc4830_pgaCalibration(m_unit, 16, 1, 0.5, 0, 0), VI_SUCCESS);
    sc4830sim_Channel ch {};
    QCOMPARE(sc4830sim_getChannel(16, &ch), 0);
    QCOMPARE(ch.mode, ViUInt16(2));
    QCOMPARE(ch.gain, ViUInt16(3));
    QCOMPARE(ch.coup, ViUInt16(1));
    QCOMPARE(ch.input, ViUInt16(4));
    QCOMPARE(ch.shunt, ViBoolean(VI_TRUE));
    QCOMPARE(ch.identify, ViUInt16(sc4830_ON));
    QCOMPARE(ch.lastCalLevel, 0.5);
    QCOMPARE(sc4830sim_getChannel(17, &ch), -1);
    QCOMPARE(sc4830sim_getChannel(0, &ch), -1);

    ViReal64 pos = 0.0, neg = 0.0;
    QCOMPARE(sc4830_getExcitation(m_unit, 16, &pos, &neg), VI_SUCCESS);
    QCOMPARE(pos, 10.0);
    QCOMPARE(neg, -10.0);
    sc4830sim_setExcitationReadback(16, 9.98, std::nan(""));
    QCOMPARE(sc4830_setExcitation(m_unit, 16, 5.0, -5.0), VI_SUCCESS);
    QCOMPARE(sc4830_getExcitation(m_unit, 16, &pos, &neg), VI_SUCCESS);
    QCOMPARE(pos, 9.98);
    QVERIFY(std::isnan(neg));

    QCOMPARE(sc4830_setVoltRefOutput(m_unit, sc4830_VREF_SRC_FC, 2.5, VI_TRUE), VI_SUCCESS);
    ViInt32 source = 0;
    ViReal64 volts = 0.0;
    ViBoolean monitor = VI_FALSE;
    QCOMPARE(sc4830_getVoltRefOutput(m_unit, &source, &volts, &monitor), VI_SUCCESS);
    QCOMPARE(source, ViInt32(sc4830_VREF_SRC_FC));
    QCOMPARE(volts, 2.5);
    QCOMPARE(monitor, ViBoolean(VI_TRUE));
    sc4830sim_getVoltRef(&source, &volts, &monitor);
    QCOMPARE(monitor, ViBoolean(VI_TRUE));

    sc4830sim_setFCLastError(-42);
    ViInt32 code = 0;
    QCOMPARE(sc4830_getFCLastError(m_unit, &code), VI_SUCCESS);
    QCOMPARE(code, ViInt32(-42));
}

void SimulatorTest::resetRestoresDefaults()
{
    sc4830_setChannelConf(m_unit, 1, 2, 3, 1, 1);
    sc4830_setExcitation(m_unit, 1, 4.0, -4.0);
    sc4830sim_setExcitationReadback(1, 1.0, 1.0);
    sc4830sim_setStatusWords(1, 2);
    sc4830sim_setIdentity("ZZ", 7, "9.9", "8.8");
    sc4830sim_setErrorText("custom");
    sc4830sim_injectStatus("sc4830_getStatus", -1, 1);
    sc4830sim_setReference(SC4830SIM_REF_NO_ENVIRONMENT, 1.0, 3);
    sc4830sim_setCalibrationDurationMs(5000);
    sc4830sim_reset();

    QCOMPARE(sc4830sim_logCount(), 0);
    QCOMPARE(sc4830sim_callCount("sc4830_setChannelConf"), 0);
    QCOMPARE(sc4830sim_openSessionCount(), 1);
    sc4830sim_Channel ch {};
    sc4830sim_getChannel(1, &ch);
    QCOMPARE(ch.mode, ViUInt16(0));
    QCOMPARE(ch.posExc, 0.0);
    ViReal64 pos = -1.0, neg = -1.0;
    QCOMPARE(sc4830_getExcitation(m_unit, 1, &pos, &neg), VI_SUCCESS);
    QCOMPARE(pos, 0.0);
    ViInt16 icp = -1, exc = -1;
    QCOMPARE(sc4830_getStatus(m_unit, &icp, &exc, VI_NULL, VI_NULL), VI_SUCCESS);
    QCOMPARE(icp, ViInt16(0));
    QCOMPARE(exc, ViInt16(0));

    char sub[8], rev[32], driverRev[32], message[1024];
    ViUInt32 serial = 0;
    QCOMPARE(sc4830_serialNumber(m_unit, sub, &serial), VI_SUCCESS);
    QCOMPARE(sc4830_revision_query(m_unit, driverRev, rev), VI_SUCCESS);
    QCOMPARE(QByteArray(sub), QByteArray("AB"));
    QCOMPARE(serial, ViUInt32(0x00C0FFEE));
    QCOMPARE(QByteArray(rev), QByteArray("1.2.0.7"));
    QCOMPARE(QByteArray(driverRev), QByteArray(SFP_VERSION_STRING));
    sc4830_error_message(m_unit, ViStatus(0xBFFF0015), message);
    QCOMPARE(QByteArray(message),
        QByteArray("VI_ERROR_TMO (0xBFFF0015): Timeout expired before operation completed."));

    const ReferenceSeen seen = seeReference(m_unit);
    QVERIFY(seen.present);
    QCOMPARE(seen.volts, 2.5);

    QElapsedTimer timer;
    timer.start();
    QCOMPARE(sc4830_excitCalibration(m_unit, 1, 0, 0, 0, 0), VI_SUCCESS);
    QVERIFY(timer.elapsed() < 2000);
}

void SimulatorTest::referenceRecords_data()
{
    QTest::addColumn<int>("shape");
    QTest::addColumn<int>("readResult");
    QTest::addColumn<bool>("sourceFound");
    QTest::addColumn<bool>("present");

    QTest::newRow("present") << int(SC4830SIM_REF_PRESENT) << 0 << true << true;
    QTest::newRow("present, read fails") << int(SC4830SIM_REF_PRESENT) << 7 << true << true;
    QTest::newRow("indicator zero") << int(SC4830SIM_REF_INDICATOR_ZERO) << 0 << true << false;
    QTest::newRow("no indicator") << int(SC4830SIM_REF_NO_INDICATOR) << 0 << false << false;
    QTest::newRow("no source") << int(SC4830SIM_REF_NO_SOURCE) << 0 << false << false;
    QTest::newRow("no link") << int(SC4830SIM_REF_NO_LINK) << 0 << false << false;
    QTest::newRow("no environment") << int(SC4830SIM_REF_NO_ENVIRONMENT) << 0 << false << false;
}

void SimulatorTest::referenceRecords()
{
    QFETCH(int, shape);
    QFETCH(int, readResult);
    QFETCH(bool, sourceFound);
    QFETCH(bool, present);

    sc4830sim_setReference(shape, 4.096, readResult);
    ViSession later = 0;
    QCOMPARE(sc4830_init(m_carrier, VI_TRUE, VI_TRUE, &later), VI_SUCCESS);
    for (const ViSession vi : { m_unit, later }) {
        const ReferenceSeen seen = seeReference(vi);
        QCOMPARE(seen.sourceFound, sourceFound);
        QCOMPARE(seen.present, present);
        if (sourceFound) {
            QCOMPARE(seen.readResult, readResult);
            QCOMPARE(seen.volts, readResult == 0 ? 4.096 : 0.0);
        }
    }
    void *env = nullptr;
    QCOMPARE(viGetAttribute(later, VI_ATTR_USER_DATA, &env), VI_SUCCESS);
    QCOMPARE(env == nullptr, shape == SC4830SIM_REF_NO_ENVIRONMENT);
    sc4830_close(later);

    sc4830sim_setReference(SC4830SIM_REF_PRESENT, 2.5, 0);
    QVERIFY(seeReference(m_unit).present);
}

void SimulatorTest::errorMessageNamesTheStatus_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("text");

    QTest::newRow("time-out, the bench's error")
        << int(0xBFFF0015)
        << QByteArray("VI_ERROR_TMO (0xBFFF0015): Timeout expired before operation completed.");
    QTest::newRow("identification query warning, the bench's warning")
        << int(0x3FFC0101)
        << QByteArray("VI_WARN_NSUP_ID_QUERY (0x3FFC0101): Identification query not supported.");
    QTest::newRow("carrier error")
        << int(sc4830_ERROR_FC)
        << QByteArray("sc4830_ERROR_FC (0xBFFC0B12): The carrier reported an error; "
                      "sc4830_getFCLastError gives its code.");
    QTest::newRow("session not open")
        << int(VI_ERROR_INV_OBJECT)
        << QByteArray("VI_ERROR_INV_OBJECT (0xBFFF000E): The given session or object reference "
                      "is invalid.");
    QTest::newRow("channel out of range") << int(
        0xBFFC0002) << QByteArray("VI_ERROR_PARAMETER2 (0xBFFC0002): Parameter 2 out of range.");
    QTest::newRow("null output pointer") << int(
        0xBFFC0004) << QByteArray("VI_ERROR_PARAMETER4 (0xBFFC0004): Parameter 4 out of range.");
    QTest::newRow("attribute not supported")
        << int(VI_ERROR_NSUP_ATTR)
        << QByteArray("VI_ERROR_NSUP_ATTR (0xBFFF001D): The specified attribute is not defined or "
                      "supported by the referenced resource.");
    QTest::newRow("carrier's bad parameter")
        << int(0xBFFF0078)
        << QByteArray(
               "VI_ERROR_INV_PARAMETER (0xBFFF0078): The value of some parameter is invalid.");
    QTest::newRow("success") << 0
                             << QByteArray(
                                    "VI_SUCCESS (0x00000000): Operation completed successfully.");
    QTest::newRow("unknown error") << -33 << QByteArray("Unknown status (0xFFFFFFDF)");
    QTest::newRow("unknown warning") << 1 << QByteArray("Unknown status (0x00000001)");
    QTest::newRow("lowest status") << int(0x80000000) << QByteArray("Unknown status (0x80000000)");
}

void SimulatorTest::errorMessageNamesTheStatus()
{
    QFETCH(int, status);
    QFETCH(QByteArray, text);
    char message[1024];
    std::memset(message, 'x', sizeof message);
    QCOMPARE(sc4830_error_message(m_unit, ViStatus(status), message), VI_SUCCESS);
    QCOMPARE(QByteArray(message), text);
}

void SimulatorTest::textsTerminatedAndBounded()
{
    sc4830sim_setIdentity("ABCDEFGHIJ", 1, QByteArray(40, 'r').constData(), nullptr);
    sc4830sim_setErrorText(QByteArray(2000, 'm').constData());
    char buffer[2048];
    std::memset(buffer, 'x', sizeof buffer);
    ViUInt32 serial = 0;
    QCOMPARE(sc4830_serialNumber(m_unit, buffer, &serial), VI_SUCCESS);
    QCOMPARE(QByteArray(buffer), QByteArray("ABCDEFG"));
    QCOMPARE(buffer[8], 'x');

    std::memset(buffer, 'x', sizeof buffer);
    QCOMPARE(sc4830_revision_query(m_unit, VI_NULL, buffer), VI_SUCCESS);
    QCOMPARE(QByteArray(buffer), QByteArray(31, 'r'));

    std::memset(buffer, 'x', sizeof buffer);
    sc4830_error_message(m_unit, -1, buffer);
    QCOMPARE(QByteArray(buffer), QByteArray(1023, 'm'));
    QCOMPARE(buffer[1024], 'x');
}

void SimulatorTest::unterminatedTextsFillBuffers()
{
    sc4830sim_setUnterminatedTexts(1);
    // '~' marks what was not written: no text has it (the error texts have "0x").
    char buffer[2048];
    const auto check = [&buffer](int size) {
        const QByteArray written(buffer, size);
        return !written.contains('\0') && !written.contains('~') && buffer[size] == '~';
    };
    std::memset(buffer, '~', sizeof buffer);
    ViUInt32 serial = 0;
    sc4830_serialNumber(m_unit, buffer, &serial);
    QVERIFY(check(8));
    QCOMPARE(QByteArray(buffer, 8), QByteArray("ABABABAB"));
    std::memset(buffer, '~', sizeof buffer);
    sc4830_revision_query(m_unit, VI_NULL, buffer);
    QVERIFY(check(32));
    std::memset(buffer, '~', sizeof buffer);
    sc4830_error_message(m_unit, -1, buffer);
    QVERIFY(check(1024));

    sc4830sim_setUnterminatedTexts(0);
    sc4830_serialNumber(m_unit, buffer, &serial);
    QCOMPARE(QByteArray(buffer), QByteArray("AB"));
}

void SimulatorTest::calibrationTakesItsTime()
{
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(sc4830_pgaCalibration(m_unit, 1, 1, 0.1, 0, 0), VI_SUCCESS);
    QVERIFY(timer.elapsed() >= 20); // the default

    sc4830sim_setCalibrationDurationMs(120);
    sc4830sim_injectStatus("sc4830_autobalance", -9, 0);
    timer.restart();
    ViReal64 imbalance = 1.0;
    QCOMPARE(sc4830_autobalance(m_unit, 1, &imbalance), ViStatus(-9));
    QVERIFY(timer.elapsed() >= 120);
    QCOMPARE(imbalance, 0.0);
}

void SimulatorTest::hangingCalibrationWaitsForRelease()
{
    sc4830sim_setCalibrationHang(1);
    sc4830sim_setImbalance(2, 0.25);
    std::atomic<ViStatus> first { -1 }, second { -1 };
    ViReal64 imbalance = 0.0;
    const ViSession vi = m_unit;
    CalibrationThreads threads;
    threads.start([&first, vi] { first = sc4830_excitCalibration(vi, 1, 0, 0, 0, 0); });
    threads.start([&second, &imbalance, vi] { second = sc4830_autobalance(vi, 2, &imbalance); });
    QTRY_COMPARE(sc4830sim_hangingCalibrations(), 2);
    // Nothing is locked while they hang.
    ViInt16 icp = 0, exc = 0;
    QCOMPARE(sc4830_getStatus(m_unit, &icp, &exc, VI_NULL, VI_NULL), VI_SUCCESS);
    QTest::qWait(50);
    QCOMPARE(sc4830sim_hangingCalibrations(), 2);
    QCOMPARE(first.load(), ViStatus(-1));

    threads.join();
    QCOMPARE(first.load(), VI_SUCCESS);
    QCOMPARE(second.load(), VI_SUCCESS);
    QCOMPARE(imbalance, 0.25);
    QCOMPARE(sc4830sim_hangingCalibrations(), 0);

    // Still hanging for the next call, until reset lets it go.
    first = -1;
    CalibrationThreads next;
    next.start([&first, vi] { first = sc4830_excitCalibration(vi, 1, 0, 0, 0, 0); });
    QTRY_COMPARE(sc4830sim_hangingCalibrations(), 1);
    sc4830sim_reset();
    QTRY_COMPARE(first.load(), VI_SUCCESS);
    QCOMPARE(sc4830sim_hangingCalibrations(), 0);
}

void SimulatorTest::hangEndsByItselfAfterTimeout()
{
    sc4830sim_setCalibrationHang(1);
    sc4830sim_setCalibrationHangTimeoutMs(250);
    std::atomic<ViStatus> result { -1 };
    std::atomic<qint64> tookMs { 0 };
    const ViSession vi = m_unit;
    CalibrationThreads threads;
    threads.start([&result, &tookMs, vi] {
        QElapsedTimer timer;
        timer.start();
        result = sc4830_excitCalibration(vi, 1, 0, 0, 0, 0);
        tookMs = timer.elapsed();
    });
    QTRY_COMPARE(sc4830sim_hangingCalibrations(), 1);
    QTest::qWait(50);
    QCOMPARE(result.load(), ViStatus(-1)); // still hanging
    // Nobody releases it: it returns once it has hung its time.
    QTRY_COMPARE_WITH_TIMEOUT(result.load(), VI_SUCCESS, 3000);
    QVERIFY2(tookMs.load() >= 250, qPrintable(QString::number(tookMs.load())));
    QCOMPARE(sc4830sim_hangingCalibrations(), 0);

    // Back to hanging until released: a time-out given to one already hanging ends it too.
    sc4830sim_setCalibrationHangTimeoutMs(0);
    result = -1;
    threads.start([&result, vi] { result = sc4830_excitCalibration(vi, 2, 0, 0, 0, 0); });
    QTRY_COMPARE(sc4830sim_hangingCalibrations(), 1);
    QTest::qWait(300);
    QCOMPARE(result.load(), ViStatus(-1));
    sc4830sim_setCalibrationHangTimeoutMs(1);
    QTRY_COMPARE_WITH_TIMEOUT(result.load(), VI_SUCCESS, 3000);
}

void SimulatorTest::terminatedCalibrationLeavesNoLock_data()
{
    QTest::addColumn<bool>("hang");
    QTest::newRow("hanging calibration") << true;
    QTest::newRow("calibration taking its time") << false;
}

void SimulatorTest::terminatedCalibrationLeavesNoLock()
{
    QFETCH(bool, hang);

    sc4830sim_setCalibrationHang(hang);
    sc4830sim_setCalibrationDurationMs(60000);
    HangingAutobalance worker(m_unit);
    worker.start();
    QTRY_COMPARE(sc4830sim_callCount("sc4830_autobalance"), 1);
    QTRY_COMPARE(sc4830sim_hangingCalibrations(), hang ? 1 : 0);
    QTest::qWait(20);
    worker.terminate();
    QVERIFY(worker.wait(5000));

    // Every call and the control API go on working after the thread is gone.
    sc4830sim_setCalibrationHang(0);
    sc4830sim_setCalibrationDurationMs(0);
    QCOMPARE(sc4830_autobalance(m_unit, 1, nullptr), VI_SUCCESS);
    QCOMPARE(sc4830sim_callCount("sc4830_autobalance"), 2);
    QCOMPARE(sc4830sim_hangingCalibrations(), 0);
}

void SimulatorTest::latencyDelaysEveryCall()
{
    sc4830sim_setCallLatencyUs(100000);
    QElapsedTimer timer;
    timer.start();
    ViInt32 code = 0;
    sc4830_getFCLastError(m_unit, &code);
    char message[1024];
    sc4830_error_message(m_unit, -1, message);
    QVERIFY(timer.elapsed() >= 200);
    sc4830sim_setCallLatencyUs(0);
    timer.restart();
    sc4830_getFCLastError(m_unit, &code);
    QVERIFY(timer.elapsed() < 100);
}

void SimulatorTest::logSurvivesTwoThreads()
{
    constexpr int calls = 5000;
    const ViSession vi = m_unit;
    const auto hammer = [vi](ViUInt16 ch) {
        for (int i = 0; i < calls; ++i)
            sc4830_setShuntCal(vi, ch, ViBoolean(i & 1));
    };
    std::thread a(hammer, 1);
    std::thread b(hammer, 2);
    a.join();
    b.join();

    QCOMPARE(sc4830sim_logCount(), 2 * calls);
    QCOMPARE(sc4830sim_callCount("sc4830_setShuntCal"), 2 * calls);
    int perChannel[3] = { 0, 0, 0 };
    const QRegularExpression entry(
        QStringLiteral("^sc4830_setShuntCal\\(%1, ([12]), [01]\\)$").arg(vi));
    for (const QString &e : simCallLog()) {
        const QRegularExpressionMatch match = entry.match(e);
        QVERIFY2(match.hasMatch(), qPrintable(e));
        ++perChannel[match.captured(1).toInt()];
    }
    QCOMPARE(perChannel[1], calls);
    QCOMPARE(perChannel[2], calls);
}

QTEST_MAIN(SimulatorTest)
#include "tst_simulator.moc"
