// Scenario files: what they say, read line by line, their mistakes, and their replay on
// the simulation, by the player in this process and by sfp-host in a child process, which
// makes the same driver calls each time it plays one.
#include "scenario.h"
#include "scenarioplayer.h"
#include "simulation.h"

#include <hostrun.h>
#include <unitsession.h>

#include <sc4830sim.h>
#include <simcarrier.h>

#include <QElapsedTimer>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

QString fixture(const char *name)
{
    return QStringLiteral(SFP_SOURCE_DIR "/tests/fixtures/scenarios/") + QLatin1String(name);
}

} // namespace

class tst_HostScenario : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void scenarioReplaysTheSameCalls();
    void scenarioWithoutQuitEndsAfterLastStep();
    void badScenarioFile_data();
    void badScenarioFile();
    void scenarioParses_data();
    void scenarioParses();
    void scenarioRejects_data();
    void scenarioRejects();
    void playerKeepsTimeAndStopsAtQuit();
    void cleanup();

private:
    QString shot() const { return dir->filePath(QStringLiteral("shot.png")); }
    QString callLog() const { return dir->filePath(QStringLiteral("calls.txt")); }

    QScopedPointer<QTemporaryDir> dir;
    std::unique_ptr<Simulation> simulation;
};

void tst_HostScenario::init()
{
    dir.reset(new QTemporaryDir);
    QVERIFY(dir->isValid());
    sc4830sim_reset();
    simcarrier_reset();
}

void tst_HostScenario::cleanup()
{
    simulation.reset();
}

void tst_HostScenario::scenarioReplaysTheSameCalls()
{
    QStringList logs;
    for (int round = 0; round < 2; ++round) {
        const QString calls = dir->filePath(QStringLiteral("calls%1.txt").arg(round));
        const HostRun r = runHost({ QStringLiteral("--scenario"), fixture("carrier-errors.txt"),
            QStringLiteral("--call-log"), calls, QStringLiteral("--screenshot"), shot() });
        QCOMPARE(r.exitCode, 0);
        // Both carrier errors reached the host with the carrier's own code.
        QCOMPARE(r.out.filter(QStringLiteral("masterError(0x00002BAD, ")).size(), 2);
        QVERIFY(r.out.contains(QStringLiteral("scenario: quit")));
        logs.append(readLines(calls).join(QLatin1Char('\n')));
    }
    QCOMPARE(logs.at(1), logs.at(0));
    // The one status read failed and was the last: the panel stopped polling.
    const QStringList calls = logs.at(0).split(QLatin1Char('\n'));
    QCOMPARE(calls.filter(QStringLiteral("sc4830_getStatus(")).size(), 1);
    QCOMPARE(calls.filter(QStringLiteral("sc4830_getFCLastError(")).size(), 2);
    QVERIFY(calls.constLast().startsWith(QLatin1String("sc4830_close(")));
}

void tst_HostScenario::scenarioWithoutQuitEndsAfterLastStep()
{
    QElapsedTimer clock;
    clock.start();
    const HostRun r = runHost({ QStringLiteral("--scenario"), fixture("status-lamps.txt"),
        QStringLiteral("--call-log"), callLog(), QStringLiteral("--screenshot"), shot() });
    QCOMPARE(r.exitCode, 0);
    QVERIFY2(clock.elapsed() >= 1000, qPrintable(QString::number(clock.elapsed())));
    const int last = r.out.indexOf(QStringLiteral("simulation: status icp 0x0000 exc 0x0000"));
    QVERIFY(last > 0);
    QVERIFY(r.out.indexOf(QRegularExpression(QStringLiteral("screenshot: .*"))) > last);
    // Status reads went on while the scenario played, and none of them failed.
    QVERIFY(readLines(callLog()).filter(QStringLiteral("sc4830_getStatus(")).size() >= 1);
    QCOMPARE(r.out.filter(QStringLiteral("masterError")), QStringList());
}

void tst_HostScenario::badScenarioFile_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("problem");
    QTest::newRow("unknown command") << fixture("bad-command.txt")
                                     << QStringLiteral("scenario ") + fixture("bad-command.txt")
            + QStringLiteral(": line 3: unknown command 'launch'");
    QTest::newRow("missing file") << QStringLiteral("/nonexistent/scenario.txt")
                                  << QStringLiteral("cannot read the scenario "
                                                    "/nonexistent/scenario.txt");
}

void tst_HostScenario::badScenarioFile()
{
    QFETCH(QString, file);
    QFETCH(QString, problem);
    const HostRun r
        = runHost({ QStringLiteral("--scenario"), file, QStringLiteral("--screenshot"), shot() });
    QCOMPARE(r.exitStatus, QProcess::NormalExit);
    QCOMPARE(r.exitCode, 2);
    QCOMPARE(r.hostErrors().size(), 1);
    QVERIFY2(
        r.hostErrors().constFirst().contains(problem), qPrintable(r.hostErrors().constFirst()));
    QVERIFY(!QFileInfo::exists(shot()));
}

void tst_HostScenario::scenarioParses_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("kind");
    QTest::addColumn<qint64>("atMs");
    QTest::addColumn<QString>("function");
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("always");
    QTest::addColumn<qint64>("value");

    const QString none;
    const QString getStatus = QStringLiteral("sc4830_getStatus");
    QTest::newRow("icp word in hex at 500 ms")
        << "at 500 ms: status icp 0x0004" << int(ScenarioStep::StatusIcp) << qint64(500) << none
        << 0 << false << qint64(4);
    QTest::newRow("exc word in decimal at 2 s")
        << "at 2 s: status exc 65535" << int(ScenarioStep::StatusExc) << qint64(2000) << none << 0
        << false << qint64(0xFFFF);
    QTest::newRow("error once, no time: at 0")
        << "fail sc4830_getStatus error once" << int(ScenarioStep::Fail) << qint64(0) << getStatus
        << int(Simulation::errorStatus) << false << qint64(0);
    QTest::newRow("carrier error always, unit stuck to the number")
        << "at 10ms: fail sc4830_init carrier always" << int(ScenarioStep::Fail) << qint64(10)
        << "sc4830_init" << int(Simulation::carrierErrorStatus) << true << qint64(0);
    QTest::newRow("warning as a number, once by default")
        << "fail sc4830_close 0x3FFC0101" << int(ScenarioStep::Fail) << qint64(0) << "sc4830_close"
        << int(Simulation::warningStatus) << false << qint64(0);
    QTest::newRow("negative decimal status")
        << "fail sc4830_close -5 always" << int(ScenarioStep::Fail) << qint64(0) << "sc4830_close"
        << -5 << true << qint64(0);
    QTest::newRow("carrier code of 32 bits is signed")
        << "carrier-code 0xFFFFFFFF" << int(ScenarioStep::CarrierCode) << qint64(0) << none << 0
        << false << qint64(-1);
    QTest::newRow("latency in us") << "latency 250 us" << int(ScenarioStep::Latency) << qint64(0)
                                   << none << 0 << false << qint64(250);
    QTest::newRow("latency in ms by default") << "latency 7" << int(ScenarioStep::Latency)
                                              << qint64(0) << none << 0 << false << qint64(7000);
    QTest::newRow("latency in s") << "latency 1 s" << int(ScenarioStep::Latency) << qint64(0)
                                  << none << 0 << false << qint64(1000000);
    QTest::newRow("calibration time in s")
        << "calibration time 6 s" << int(ScenarioStep::CalibrationTime) << qint64(0) << none << 0
        << false << qint64(6000);
    QTest::newRow("calibration hang") << "calibration hang" << int(ScenarioStep::CalibrationHang)
                                      << qint64(0) << none << 0 << false << qint64(0);
    QTest::newRow("calibration hang for 5 s")
        << "calibration hang 5 s" << int(ScenarioStep::CalibrationHang) << qint64(0) << none << 0
        << false << qint64(5000);
    QTest::newRow("calibration hang for 250 ms by default")
        << "calibration hang 250" << int(ScenarioStep::CalibrationHang) << qint64(0) << none << 0
        << false << qint64(250);
    QTest::newRow("calibration release")
        << "calibration release" << int(ScenarioStep::CalibrationRelease) << qint64(0) << none << 0
        << false << qint64(0);
    QTest::newRow("clear one function") << "clear sc4830_getStatus" << int(ScenarioStep::Clear)
                                        << qint64(0) << getStatus << 0 << false << qint64(0);
    QTest::newRow("clear all") << "clear all" << int(ScenarioStep::ClearAll) << qint64(0) << none
                               << 0 << false << qint64(0);
    QTest::newRow("blanks and a comment around quit")
        << "  at 5 ms :  quit   # done" << int(ScenarioStep::Quit) << qint64(5) << none << 0
        << false << qint64(0);
}

void tst_HostScenario::scenarioParses()
{
    QFETCH(QString, text);
    QFETCH(int, kind);
    QFETCH(qint64, atMs);
    QFETCH(QString, function);
    QFETCH(int, status);
    QFETCH(bool, always);
    QFETCH(qint64, value);
    Scenario scenario;
    // The step under test follows a comment and a blank line: it is on line 3.
    QCOMPARE(scenario.parse(QStringLiteral("# first\n\n") + text), QString());
    QCOMPARE(scenario.steps().size(), 1);
    const ScenarioStep &step = scenario.steps().constFirst();
    QCOMPARE(step.line, 3);
    QCOMPARE(int(step.kind), kind);
    QCOMPARE(step.atMs, atMs);
    QCOMPARE(step.function, function);
    QCOMPARE(int(step.status), status);
    QCOMPARE(step.always, always);
    QCOMPARE(step.value, value);
}

void tst_HostScenario::scenarioRejects_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("problem");

    QTest::newRow("status word above 16 bits") << "status icp 0x10000"
                                               << "line 1: bad status word '0x10000'";
    QTest::newRow("status of neither word") << "status both 1"
                                            << "line 1: expected 'status icp";
    QTest::newRow("unknown driver function") << "fail sc4830_launch error"
                                             << "line 1: unknown driver function 'sc4830_launch'";
    QTest::newRow("failure with status 0") << "fail sc4830_getStatus 0"
                                           << "line 1: bad failure '0'";
    QTest::newRow("failure repeated twice") << "fail sc4830_getStatus error twice"
                                            << "line 1: expected 'once' or 'always'";
    QTest::newRow("time in parsecs") << "at 5 parsecs: quit"
                                     << "line 1: bad time '5 parsecs'";
    QTest::newRow("time without colon") << "at 5 ms quit"
                                        << "line 1: ':' missing";
    QTest::newRow("time going back") << "at 500 ms: quit\nat 100 ms: quit"
                                     << "line 2: time goes back (100 ms after 500 ms)";
    QTest::newRow("unknown command after comments") << "# one\n\nlaunch"
                                                    << "line 3: unknown command 'launch'";
    QTest::newRow("time without command") << "at 5 ms:"
                                          << "line 1: no command after the time";
    QTest::newRow("quit with arguments") << "quit now"
                                         << "line 1: 'quit' takes nothing";
    QTest::newRow("carrier code above 32 bits") << "carrier-code 0x1FFFFFFFF"
                                                << "line 1: expected 'carrier-code CODE'";
    QTest::newRow("negative latency") << "latency -3 ms"
                                      << "line 1: expected 'latency TIME'";
    QTest::newRow("hang for no time") << "calibration hang soon"
                                      << "line 1: expected 'calibration hang TIME'";
}

void tst_HostScenario::scenarioRejects()
{
    QFETCH(QString, text);
    QFETCH(QString, problem);
    Scenario scenario;
    const QString error = scenario.parse(QStringLiteral("status icp 1\n") + text);
    // The good first line shifts every line number of the table by one.
    QString shifted = problem;
    const int number = problem.section(QLatin1Char(' '), 1, 1).chopped(1).toInt();
    shifted.replace(
        QStringLiteral("line %1:").arg(number), QStringLiteral("line %1:").arg(number + 1));
    QVERIFY2(error.startsWith(shifted), qPrintable(error));
    QCOMPARE(scenario.steps().size(), 0); // nothing of a bad file is played
}

void tst_HostScenario::playerKeepsTimeAndStopsAtQuit()
{
    simulation = std::make_unique<Simulation>(SimulationShape());
    Scenario scenario;
    QCOMPARE(scenario.parse(QStringLiteral("status icp 0x1\n"
                                           "calibration hang 2 s\n"
                                           "at 50 ms: status icp 0x2\n"
                                           "status exc 0x3\n"
                                           "at 120 ms: quit\n"
                                           "at 130 ms: status icp 0x8\n")),
        QString());
    ScenarioPlayer player(scenario, *simulation);
    QSignalSpy quit(&player, &ScenarioPlayer::quitRequested);
    QSignalSpy finished(&player, &ScenarioPlayer::finished);
    QElapsedTimer clock;
    clock.start();
    player.start();
    QCOMPARE(simulation->icpStatus(), ViUInt16(1)); // due at once: done in start()
    QVERIFY(simulation->calibrationHang());
    QCOMPARE(simulation->calibrationHangTimeoutMs(), 2000);
    QVERIFY(quit.wait(2000));
    QVERIFY2(clock.elapsed() >= 120, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(simulation->icpStatus(), ViUInt16(2));
    QCOMPARE(simulation->excStatus(), ViUInt16(3));
    QTest::qWait(100);
    QCOMPARE(simulation->icpStatus(), ViUInt16(2)); // nothing after quit
    QCOMPARE(finished.count(), 0);
    QVERIFY(player.isFinished());

    // The words reached the simulated unit.
    UnitSession unit;
    ViInt16 icp = 0, exc = 0;
    QCOMPARE(unit.status(&icp, &exc), ViStatus(0));
    QCOMPARE(icp, ViInt16(2));
    QCOMPARE(exc, ViInt16(3));
}

QTEST_MAIN(tst_HostScenario)
#include "tst_hostscenario.moc"
