// The calibration workers and their progress estimate, run against the simulated unit
// with its short (20 ms) or hanging calibrations.

#include "checkedcall.h"
#include "simlog.h"
#include "simreset.h"

#include <sc4830fp_autocalibration.h>
#include <sc4830fp_estimationthread.h>
#include <sc4830fp_exccalibration.h>
#include <sc4830fp_pgacalibration.h>

#include <sc4830.h>
#include <sc4830sim.h>
#include <simcarrier.h>

#include <QElapsedTimer>
#include <QStringList>
#include <QTimer>
#include <QtTest>

#include <algorithm>
#include <memory>

namespace {

enum Kind { SignalPath, Excitation, Autobalance };

std::unique_ptr<sc4830fp_calibrationThread> makeWorker(int kind, ViSession vi, int estimatedTime)
{
    switch (kind) {
    case SignalPath:
        return std::make_unique<sc4830fp_pgaCalibration>(vi, estimatedTime);
    case Excitation:
        return std::make_unique<sc4830fp_excCalibration>(vi, estimatedTime);
    default:
        return std::make_unique<sc4830fp_autoCalibration>(vi, estimatedTime);
    }
}

// The highest progress seen while turning the event loop for ms milliseconds.
float highestProgressFor(const std::atomic<float> &progress, int ms)
{
    QElapsedTimer clock;
    clock.start();
    float highest = progress.load();
    while (clock.elapsed() < ms) {
        highest = std::max(highest, progress.load());
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(2);
    }
    return std::max(highest, progress.load());
}

// Ends the simulator's hang once one calibration is blocked in it; a release sent before
// the call blocks would be lost.
void releaseHangingCalibration()
{
    QTRY_COMPARE_WITH_TIMEOUT(sc4830sim_hangingCalibrations(), 1, 5000);
    sc4830sim_setCalibrationHang(0);
    sc4830sim_releaseCalibrations();
}

// A driver call that no termination reaches, as one spinning inside the driver without a
// cancellation point: the test lets it end.
class UnstoppableCalibration : public sc4830fp_calibrationThread
{
public:
    UnstoppableCalibration()
        : sc4830fp_calibrationThread(0, 1)
    {
    }
    ~UnstoppableCalibration() override
    {
        release = true;
        wait();
    }
    std::atomic<bool> release { false };

protected:
    void run() override
    {
        setTerminationEnabled(false);
        while (!release)
            msleep(1);
        setTerminationEnabled(true);
        finishCalibration();
    }
};

} // namespace

class tst_CalibrationThread : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void makesOneDriverCallPerKind_data();
    void makesOneDriverCallPerKind();
    void storesStatusAndResult_data();
    void storesStatusAndResult();
    void autobalanceClearsEarlierResult();

    void onlyTheWorkerCompletesProgress_data();
    void onlyTheWorkerCompletesProgress();
    void estimateEndsWithinOneStepOfLimit_data();
    void estimateEndsWithinOneStepOfLimit();
    void estimateLeavesValuesAtOrAboveLimit();
    void estimateEndsWhenWorkerHasFinished();

    void restartResetsProgressAndStatus();
    void restartRunsTheEstimateAgain();
    void workerWithoutEstimate();

    void waitOrTerminateReturnsAtOnceWhenNothingRuns();
    void hangEndsByTerminationWithinBudget();
    void destroyingHangingWorkerEndsIt();
    void terminationThatDoesNotTakeIsBounded();

private:
    ViSession master = 0;
    ViSession vi = 0;
};

void tst_CalibrationThread::initTestCase()
{
    master = simcarrier_open(SIMCARRIER_MODEL_8CH);
    QCOMPARE(sc4830_init(master, VI_TRUE, VI_TRUE, &vi), 0);
    QVERIFY(vi != 0);
}

void tst_CalibrationThread::cleanupTestCase()
{
    sc4830_close(vi);
    simcarrier_close(master);
}

void tst_CalibrationThread::init()
{
    resetSimulators();
}

void tst_CalibrationThread::cleanup()
{
    // A failed test must not leave a calibration blocked for the next one.
    sc4830sim_setCalibrationHang(0);
    sc4830sim_releaseCalibrations();
}

void tst_CalibrationThread::makesOneDriverCallPerKind_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("channel");
    QTest::addColumn<double>("level");
    QTest::addColumn<QString>("call"); // %1 is the unit session

    QTest::newRow("signal path, gain 10")
        << int(SignalPath) << 3 << 0.9 << "sc4830_pgaCalibration(%1, 3, 1, 0.9, 0, 0)";
    QTest::newRow("signal path, gain 1000")
        << int(SignalPath) << 8 << 0.009 << "sc4830_pgaCalibration(%1, 8, 1, 0.009, 0, 0)";
    QTest::newRow("excitation") << int(Excitation) << 5 << 0.0
                                << "sc4830_excitCalibration(%1, 5, 0, 0, 0, 0)";
    QTest::newRow("autobalance") << int(Autobalance) << 1 << 0.0
                                 << "sc4830_autobalance(%1, 1, ptr)";
}

void tst_CalibrationThread::makesOneDriverCallPerKind()
{
    QFETCH(int, kind);
    QFETCH(int, channel);
    QFETCH(double, level);
    QFETCH(QString, call);

    auto worker = makeWorker(kind, vi, 60);
    if (auto *pga = dynamic_cast<sc4830fp_pgaCalibration *>(worker.get()))
        pga->calLevel = level;
    worker->startCalibration(static_cast<ViUInt16>(channel));
    QTRY_COMPARE(worker->progress.load(), 100.0f);
    worker->waitOrTerminate();

    QVERIFY(worker->isFinished());
    QCOMPARE(worker->getStatus(), 0);
    QCOMPARE(simCalibrationCalls(), QStringList { call.arg(vi) });
}

void tst_CalibrationThread::storesStatusAndResult_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("function");
    QTest::addColumn<int>("status");
    QTest::addColumn<double>("imbalance");

    QTest::newRow("signal path error")
        << int(SignalPath) << checked::signalPathCal.function << int(unitErrorStatus) << 0.0;
    QTest::newRow("excitation warning")
        << int(Excitation) << checked::excitationCal.function << int(unitWarningStatus) << 0.0;
    QTest::newRow("autobalance carrier error keeps the result")
        << int(Autobalance) << checked::autobalanceCal.function << int(carrierErrorStatus) << 0.125;
    QTest::newRow("autobalance success")
        << int(Autobalance) << checked::autobalanceCal.function << 0 << -0.0031;
}

void tst_CalibrationThread::storesStatusAndResult()
{
    QFETCH(int, kind);
    QFETCH(QString, function);
    QFETCH(int, status);
    QFETCH(double, imbalance);

    const ViUInt16 channel = 6;
    sc4830sim_setImbalance(channel, imbalance);
    sc4830sim_injectStatus(function.toLatin1().constData(), status, 0);

    auto worker = makeWorker(kind, vi, 80);
    worker->startCalibration(channel);
    // The status is stored before the 100 that announces the end.
    QTRY_COMPARE(worker->progress.load(), 100.0f);
    worker->waitOrTerminate();

    QCOMPARE(worker->getStatus(), status);
    if (auto *autob = dynamic_cast<sc4830fp_autoCalibration *>(worker.get()))
        QCOMPARE(autob->imbalance, imbalance);
}

void tst_CalibrationThread::autobalanceClearsEarlierResult()
{
    sc4830sim_setImbalance(2, 0.5);
    sc4830fp_autoCalibration worker(vi, 160);
    worker.startCalibration(2);
    QTRY_COMPARE(worker.progress.load(), 100.0f);
    worker.waitOrTerminate();
    QCOMPARE(worker.imbalance, 0.5);

    // Channel 17 does not exist: the driver refuses the call and writes no result, so the
    // earlier channel's 0.5 must not be shown for this one.
    worker.startCalibration(17);
    QTRY_COMPARE(worker.progress.load(), 100.0f);
    worker.waitOrTerminate();
    QVERIFY(worker.getStatus() < 0);
    QCOMPARE(worker.imbalance, 0.0);
}

void tst_CalibrationThread::onlyTheWorkerCompletesProgress_data()
{
    QTest::addColumn<int>("estimatedTime");
    QTest::addColumn<float>("settled"); // where the estimate must come to rest

    // Steps of 10 end exactly on the limit; steps of 100 and 14.3 would pass 100.
    QTest::newRow("one step of 100") << 1 << 99.0f;
    QTest::newRow("steps of 14.3") << 7 << 99.0f;
    QTest::newRow("steps of 10") << 10 << 90.0f;
}

void tst_CalibrationThread::onlyTheWorkerCompletesProgress()
{
    QFETCH(int, estimatedTime);
    QFETCH(float, settled);

    sc4830sim_setCalibrationHang(1);
    sc4830fp_excCalibration worker(vi, estimatedTime);
    worker.startCalibration(1);

    QTRY_COMPARE_WITH_TIMEOUT(worker.progress.load(), settled, 5000);
    // The call still blocks: the estimate holds and the bar is not complete.
    QCOMPARE(highestProgressFor(worker.progress, 300), settled);
    QCOMPARE(sc4830sim_hangingCalibrations(), 1);

    releaseHangingCalibration();
    QTRY_COMPARE(worker.progress.load(), 100.0f);
    worker.waitOrTerminate();
    QCOMPARE(worker.progress.load(), 100.0f);
}

void tst_CalibrationThread::estimateEndsWithinOneStepOfLimit_data()
{
    QTest::addColumn<int>("estimatedTime");

    // The three estimated times the calibration sequence uses.
    QTest::newRow("signal path, 6 s") << 60;
    QTest::newRow("excitation, 8 s") << 80;
    QTest::newRow("autobalance, 16 s") << 160;
}

void tst_CalibrationThread::estimateEndsWithinOneStepOfLimit()
{
    QFETCH(int, estimatedTime);

    const float step = static_cast<float>(100.0 / estimatedTime);
    // Started just below the limit so that the test does not wait out the whole estimate.
    std::atomic<float> progress { 88.0f };
    sc4830fp_estimationThread estimate(estimatedTime, &progress, 90.0f);
    estimate.start();

    QTRY_VERIFY_WITH_TIMEOUT(progress.load() >= 90.0f, 5000);
    const float highest = highestProgressFor(progress, 400);
    QVERIFY2(highest <= 90.0f + step, qPrintable(QString::number(highest)));
    QVERIFY(highest < 91.7f);
    QVERIFY(estimate.isRunning()); // holds, waiting for the worker's 100

    estimate.stop();
    QVERIFY(estimate.isFinished());
    QVERIFY(!estimate.stopFlag);
}

void tst_CalibrationThread::estimateLeavesValuesAtOrAboveLimit()
{
    std::atomic<float> progress { 95.0f };
    sc4830fp_estimationThread estimate(10, &progress, 90.0f);
    estimate.start();
    QCOMPARE(highestProgressFor(progress, 350), 95.0f);
    estimate.stop();
    QCOMPARE(progress.load(), 95.0f);
}

void tst_CalibrationThread::estimateEndsWhenWorkerHasFinished()
{
    std::atomic<float> progress { 0.0f };
    sc4830fp_estimationThread estimate(10, &progress, 90.0f);
    estimate.start();
    QTRY_VERIFY(progress.load() > 0.0f);

    progress = 100.0f; // what the worker writes last
    QTRY_VERIFY_WITH_TIMEOUT(estimate.isFinished(), 1000);
    QCOMPARE(progress.load(), 100.0f);
}

void tst_CalibrationThread::restartResetsProgressAndStatus()
{
    // No estimate: progress moves only when the worker writes it.
    sc4830fp_pgaCalibration worker(vi, 0);
    sc4830sim_injectStatus(checked::signalPathCal.function, unitErrorStatus, 0);
    worker.startCalibration(1);
    QTRY_COMPARE(worker.progress.load(), 100.0f);
    worker.waitOrTerminate();
    QCOMPARE(worker.getStatus(), int(unitErrorStatus));

    sc4830sim_setCalibrationHang(1);
    worker.startCalibration(2);
    QCOMPARE(worker.progress.load(), 0.0f);
    QCOMPARE(worker.getStatus(), 0);
    QCOMPARE(worker.ch, ViUInt16(2));

    releaseHangingCalibration();
    QTRY_COMPARE(worker.progress.load(), 100.0f);
    worker.waitOrTerminate();
    QCOMPARE(worker.getStatus(), 0);
}

void tst_CalibrationThread::restartRunsTheEstimateAgain()
{
    sc4830fp_autoCalibration worker(vi, 10);
    worker.startCalibration(1);
    QTRY_COMPARE(worker.progress.load(), 100.0f);
    worker.waitOrTerminate(); // stops the estimate with its stop flag
    QVERIFY(!worker.estimator->isRunning());

    sc4830sim_setCalibrationHang(1);
    worker.startCalibration(2);
    QVERIFY(worker.progress.load() < 100.0f);
    // The estimate starts from 0 again: its stop flag from the previous stop is cleared.
    QTRY_VERIFY_WITH_TIMEOUT(worker.progress.load() >= 30.0f, 3000);
    QVERIFY(worker.estimator->isRunning());

    releaseHangingCalibration();
    QTRY_COMPARE(worker.progress.load(), 100.0f);
    worker.waitOrTerminate();
    QCOMPARE(simCalibrationCalls().size(), 2);
}

void tst_CalibrationThread::workerWithoutEstimate()
{
    sc4830fp_excCalibration worker(vi, 0);
    QVERIFY(worker.estimator == nullptr);
    QCOMPARE(worker.estimatedTime, 50); // a stop budget of 10 s

    sc4830sim_setCalibrationHang(1);
    worker.startCalibration(4);
    QCOMPARE(highestProgressFor(worker.progress, 300), 0.0f);

    releaseHangingCalibration();
    QTRY_COMPARE(worker.progress.load(), 100.0f);
    worker.waitOrTerminate();
    QCOMPARE(worker.getStatus(), 0);
}

void tst_CalibrationThread::waitOrTerminateReturnsAtOnceWhenNothingRuns()
{
    QElapsedTimer clock;

    // Budget 32 s: anything near it would be a wait for a thread that is not there.
    sc4830fp_autoCalibration neverStarted(vi, 160);
    clock.start();
    neverStarted.waitOrTerminate();
    QVERIFY2(clock.elapsed() < 500, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(!neverStarted.isRunning());
    QCOMPARE(neverStarted.progress.load(), 0.0f);

    sc4830fp_autoCalibration ended(vi, 160);
    ended.startCalibration(3);
    QTRY_VERIFY(ended.isFinished());
    clock.restart();
    ended.waitOrTerminate();
    QVERIFY2(clock.elapsed() < 500, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(ended.progress.load(), 100.0f);
}

void tst_CalibrationThread::hangEndsByTerminationWithinBudget()
{
    // Estimated time 5: a budget of 10 waits of 100 ms.
    sc4830fp_pgaCalibration worker(vi, 5);
    sc4830sim_setCalibrationHang(1);
    worker.startCalibration(3);
    QTRY_COMPARE(sc4830sim_hangingCalibrations(), 1);

    // The GUI thread keeps turning while it waits.
    int ticks = 0;
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, this, [&ticks] { ++ticks; });
    ticker.start(20);

    QElapsedTimer clock;
    clock.start();
    worker.waitOrTerminate();
    const qint64 elapsed = clock.elapsed();
    ticker.stop();

    QVERIFY2(elapsed >= 900 && elapsed < 3000, qPrintable(QString::number(elapsed)));
    QVERIFY(!worker.isRunning()); // terminated and waited for
    QVERIFY(worker.forcedStop);
    QVERIFY(ticks >= 10);
    QVERIFY(worker.progress.load() < 100.0f);
    QCOMPARE(worker.getStatus(), 0);
    // The call was cancelled in its wait, not answered.
    QTRY_COMPARE(sc4830sim_hangingCalibrations(), 0);

    // A terminated worker can run the next channel.
    sc4830sim_setCalibrationHang(0);
    sc4830sim_releaseCalibrations();
    worker.startCalibration(4);
    QVERIFY(!worker.forcedStop);
    QTRY_COMPARE(worker.progress.load(), 100.0f);
    QVERIFY(worker.waitOrTerminate());
    QVERIFY(!worker.forcedStop);
    QCOMPARE(worker.getStatus(), 0);
    QCOMPARE(
        simCalibrationCalls().last(), QString("sc4830_pgaCalibration(%1, 4, 1, 0, 0, 0)").arg(vi));
}

void tst_CalibrationThread::destroyingHangingWorkerEndsIt()
{
    sc4830sim_setCalibrationHang(1);
    QElapsedTimer clock;
    {
        sc4830fp_autoCalibration worker(vi, 2);
        worker.startCalibration(1);
        QTRY_COMPARE(sc4830sim_hangingCalibrations(), 1);
        clock.start();
    }
    // Budget of 4 waits; destroying the running thread would have aborted the process.
    QVERIFY2(clock.elapsed() >= 300 && clock.elapsed() < 3000,
        qPrintable(QString::number(clock.elapsed())));
    QTRY_COMPARE(sc4830sim_hangingCalibrations(), 0);
}

void tst_CalibrationThread::terminationThatDoesNotTakeIsBounded()
{
    UnstoppableCalibration worker; // estimated time 1: a budget of 200 ms
    worker.startCalibration(1);
    QElapsedTimer clock;
    clock.start();
    // The GUI thread is not held for ever: after the budget and 2 s of grace it hears
    // that the thread still runs, and the object is kept (the test's own destructor lets
    // the call end first).
    QVERIFY(!worker.waitOrTerminate());
    QVERIFY2(clock.elapsed() >= 2000 && clock.elapsed() < 6000,
        qPrintable(QString::number(clock.elapsed())));
    QVERIFY(worker.forcedStop);
    QVERIFY(worker.isRunning());
    worker.release = true;
    QVERIFY(worker.wait(5000));
}

QTEST_MAIN(tst_CalibrationThread)
#include "tst_calibrationthread.moc"
