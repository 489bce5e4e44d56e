// sfp-host as the operator and the build scripts see it: the real binary run in a child
// process under the offscreen platform, its standard output, its exit status, its
// screenshot and the simulated unit's call log it leaves behind. Then its parts in this
// process: scenario files and their replay, the "Simulated bench" console driving the
// simulated unit, and the window on the application frame around a real panel.
#include "benchconsole.h"
#include "hostlog.h"
#include "hostoptions.h"
#include "hostsession.h"
#include "hostwindow.h"
#include "scenario.h"
#include "scenarioplayer.h"
#include "simulatedbench.h"

#include <cr2200fp_led.h>
#include <modalanswerer.h>
#include <sc4830sim.h>
#include <sfp_version.h>
#include <simcarrier.h>

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

namespace {

constexpr int hostTimeoutMs = 30000;

struct HostRun
{
    int exitCode = -1;
    QProcess::ExitStatus exitStatus = QProcess::CrashExit;
    QStringList out; // standard output, line by line
    QStringList err; // standard error, line by line
    bool finished = false;

    // The value of the first "key: value" line on standard output.
    QString value(const QString &key) const
    {
        const QString prefix = key + QStringLiteral(": ");
        for (const QString &line : out) {
            if (line.startsWith(prefix))
                return line.mid(prefix.size());
        }
        return QStringLiteral("<no %1 line>").arg(key);
    }
    // Lines of standard error that sfp-host wrote itself (Qt adds its own warnings).
    QStringList hostErrors() const
    {
        return err.filter(QRegularExpression(QStringLiteral("^sfp-host: ")));
    }
};

QStringList lines(const QByteArray &bytes)
{
    return QString::fromLocal8Bit(bytes).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QStringList readLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return { QStringLiteral("<cannot read %1>").arg(path) };
    return lines(file.readAll());
}

// The channels of the gainChanged lines, each with its gain.
QMap<int, QString> reportedGains(const QStringList &out, int *lineCount)
{
    static const QRegularExpression pattern(QStringLiteral("^gainChanged\\((\\d+), (\\S+)\\)$"));
    QMap<int, QString> gains;
    *lineCount = 0;
    for (const QString &line : out) {
        const QRegularExpressionMatch m = pattern.match(line);
        if (m.hasMatch()) {
            gains.insert(m.captured(1).toInt(), m.captured(2));
            ++*lineCount;
        }
    }
    return gains;
}

QString fixture(const char *name)
{
    return QStringLiteral(SFP_SOURCE_DIR "/tests/fixtures/scenarios/") + QLatin1String(name);
}

// A unit session opened the way the panel opens one, to call the simulated driver as
// the panel would.
struct UnitSession
{
    UnitSession()
        : carrier(simcarrier_open(0x2611))
    {
        sc4830_init(carrier, 1, 1, &vi);
    }
    ~UnitSession()
    {
        sc4830_close(vi);
        simcarrier_close(carrier);
    }
    ViStatus status(ViInt16 *icp, ViInt16 *exc) { return sc4830_getStatus(vi, icp, exc, 0, 0); }

    ViSession carrier;
    ViSession vi = 0;
};

// The driver function of a row, called with harmless arguments.
ViStatus callDriver(const QString &function, ViSession vi)
{
    ViInt16 a = 0, b = 0;
    if (function == QLatin1String("sc4830_getStatus"))
        return sc4830_getStatus(vi, &a, &b, nullptr, nullptr);
    if (function == QLatin1String("sc4830_setShuntCal"))
        return sc4830_setShuntCal(vi, 1, 0);
    if (function == QLatin1String("sc4830_channelIdentify"))
        return sc4830_channelIdentify(vi, 1, 0);
    return 1; // a row with a function this helper does not know fails visibly
}

QStringList logLines(const HostLog *log)
{
    QStringList lines;
    for (int i = 0; i < log->count(); ++i)
        lines.append(log->item(i)->text());
    return lines;
}

} // namespace

class tst_Host : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void defaultRunAttachesAndWritesScreenshot();
    void identityTexts_data();
    void identityTexts();
    void gainChangedForEveryChannel_data();
    void gainChangedForEveryChannel();
    void demonstrationMakesNoDriverCall_data();
    void demonstrationMakesNoDriverCall();
    void commandLineErrors_data();
    void commandLineErrors();
    void unwritableScreenshotFails();
    void helpListsTheOptions();
    void scenarioReplaysTheSameCalls();
    void scenarioWithoutQuitEndsAfterLastStep();
    void badScenarioFile_data();
    void badScenarioFile();

    // In this process.
    void scenarioParses_data();
    void scenarioParses();
    void scenarioRejects_data();
    void scenarioRejects();
    void playerKeepsTimeAndStopsAtQuit();
    void consoleSetsStatusWords();
    void consoleInjectsFailures_data();
    void consoleInjectsFailures();
    void consoleSetsCarrierCodeAndLatency();
    void consoleHangsAndReleasesCalibrations();
    void consoleShowsTheCallLog();
    void consoleFocusPassingWritesNothing();
    void logsFollowTheNewestLine_data();
    void logsFollowTheNewestLine();
    void windowShowsAttachment_data();
    void windowShowsAttachment();
    void windowFitsTheScreen_data();
    void windowFitsTheScreen();
    void focusStartsOnThePanelsFirstControl();
    void resourcesInLibraryOrder();
    void resetAttachesNewPanel();
    void otherResourceAttachesNewCarrier();
    void changedSettingsAskBeforeTheyGo_data();
    void changedSettingsAskBeforeTheyGo();
    void carrierErrorReachesHostLog();
    void closeAsksFirst();
    void aboutNamesThePanel();
    void cleanup();

private:
    HostRun run(const QStringList &arguments);
    QString shot() const { return dir->filePath(QStringLiteral("shot.png")); }
    QString callLog() const { return dir->filePath(QStringLiteral("calls.txt")); }

    // Starts a host session in this process; its window is shown.
    void startSession(const QStringList &arguments = QStringList());

    QScopedPointer<QTemporaryDir> dir;
    std::unique_ptr<SimulatedBench> bench;
    std::unique_ptr<HostSession> session;
    HostOptions options;
};

void tst_Host::startSession(const QStringList &arguments)
{
    options = HostOptions();
    QCOMPARE(options.parse(QStringList { QStringLiteral("sfp-host") } + arguments), QString());
    session = std::make_unique<HostSession>(options);
    QCOMPARE(session->start(), int(HostSession::ExitOk));
    QVERIFY(QTest::qWaitForWindowExposed(session->window()));
}

void tst_Host::init()
{
    dir.reset(new QTemporaryDir);
    QVERIFY(dir->isValid());
    sc4830sim_reset();
    simcarrier_reset();
}

void tst_Host::cleanup()
{
    session.reset();
    bench.reset();
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *w : windows)
        QVERIFY2(!w->isVisible(), qPrintable(w->metaObject()->className()));
}

HostRun tst_Host::run(const QStringList &arguments)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(SFP_HOST_PATH), arguments);
    HostRun result;
    result.finished = process.waitForFinished(hostTimeoutMs);
    if (!result.finished)
        process.kill();
    result.exitCode = process.exitCode();
    result.exitStatus = process.exitStatus();
    result.out = lines(process.readAllStandardOutput());
    result.err = lines(process.readAllStandardError());
    return result;
}

void tst_Host::defaultRunAttachesAndWritesScreenshot()
{
    const HostRun r
        = run({ QStringLiteral("--screenshot"), shot(), QStringLiteral("--call-log"), callLog() });
    QVERIFY(r.finished);
    QCOMPARE(r.exitStatus, QProcess::NormalExit);
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.hostErrors(), QStringList());

    QCOMPARE(r.value(QStringLiteral("description")),
        QStringLiteral("Orbisa 4830 - 16 Channel Signal Conditioning Unit"));
    QCOMPARE(r.value(QStringLiteral("model")), QStringLiteral("4830-AB"));
    QCOMPARE(r.value(QStringLiteral("serial number")), QStringLiteral("00C0FFEE"));
    QCOMPARE(r.value(QStringLiteral("revision")), QStringLiteral("1.2.0.7"));
    QCOMPARE(r.value(QStringLiteral("isCarrierSupported")), QStringLiteral("true"));
    QCOMPARE(r.value(QStringLiteral("detectUnit")), QStringLiteral("true"));

    // The path printed is the file written, and it holds a picture of the window.
    QCOMPARE(r.value(QStringLiteral("screenshot")), shot());
    QImageReader reader(shot());
    QCOMPARE(reader.format(), QByteArray("png"));
    const QImage image = reader.read();
    QVERIFY(!image.isNull());
    QVERIFY2(image.width() > 300 && image.height() > 200,
        qPrintable(QStringLiteral("%1 x %2").arg(image.width()).arg(image.height())));

    // The panel opened the unit through the carrier and closed it when the host quit.
    const QStringList calls = readLines(callLog());
    QVERIFY(!calls.isEmpty());
    QVERIFY2(calls.constFirst().startsWith(QLatin1String("sc4830_init(1, 1, 1,")),
        qPrintable(calls.constFirst()));
    QVERIFY2(calls.constLast().startsWith(QLatin1String("sc4830_close(")),
        qPrintable(calls.constLast()));
}

void tst_Host::identityTexts_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("serial");
    QTest::addColumn<QString>("revision");
    QTest::addColumn<QString>("supported");
    QTest::addColumn<QString>("detected");

    const QString demoModel = QStringLiteral("4830-AA (DEMO)");
    const QString demoSerial = QStringLiteral("87654321 (DEMO)");
    const QString demoRevision = QStringLiteral("1.0.1.0 (DEMO)");
    const QString model = QStringLiteral("4830-AB");
    const QString serial = QStringLiteral("00C0FFEE");
    const QString revision = QStringLiteral("1.2.0.7");
    const QString yes = QStringLiteral("true");
    const QString no = QStringLiteral("false");

    QTest::newRow("demo keeps the demonstration texts")
        << QStringList { QStringLiteral("--demo") } << demoModel << demoSerial << demoRevision
        << yes << yes;
    QTest::newRow("8-channel carrier in hex")
        << QStringList { QStringLiteral("--carrier"), QStringLiteral("0x2624") } << model << serial
        << revision << yes << yes;
    QTest::newRow("8-channel carrier in decimal")
        << QStringList { QStringLiteral("--carrier"), QStringLiteral("9764") } << model << serial
        << revision << yes << yes;
    QTest::newRow("foreign carrier attaches but is not supported")
        << QStringList { QStringLiteral("--carrier"), QStringLiteral("0x1234") } << model << serial
        << revision << no << yes;
    QTest::newRow("no unit in the slot falls back to the demonstration")
        << QStringList { QStringLiteral("--no-unit") } << demoModel << demoSerial << demoRevision
        << yes << no;
    QTest::newRow("no reference still attaches") << QStringList { QStringLiteral("--no-reference") }
                                                 << model << serial << revision << yes << yes;
}

void tst_Host::identityTexts()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, model);
    QFETCH(QString, serial);
    QFETCH(QString, revision);
    QFETCH(QString, supported);
    QFETCH(QString, detected);
    const HostRun r = run(arguments + QStringList { QStringLiteral("--screenshot"), shot() });
    QCOMPARE(r.exitStatus, QProcess::NormalExit);
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.value(QStringLiteral("model")), model);
    QCOMPARE(r.value(QStringLiteral("serial number")), serial);
    QCOMPARE(r.value(QStringLiteral("revision")), revision);
    QCOMPARE(r.value(QStringLiteral("isCarrierSupported")), supported);
    QCOMPARE(r.value(QStringLiteral("detectUnit")), detected);
    QVERIFY(QFileInfo::exists(shot()));
}

void tst_Host::gainChangedForEveryChannel_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("channels");

    QTest::newRow("16-channel carrier") << QStringList() << 16;
    QTest::newRow("8-channel carrier")
        << QStringList { QStringLiteral("--carrier"), QStringLiteral("0x2624") } << 8;
    QTest::newRow("demonstration on the 16-channel carrier")
        << QStringList { QStringLiteral("--demo") } << 16;
}

void tst_Host::gainChangedForEveryChannel()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, channels);
    const HostRun r = run(arguments + QStringList { QStringLiteral("--screenshot"), shot() });
    QCOMPARE(r.exitCode, 0);
    int lineCount = 0;
    const QMap<int, QString> gains = reportedGains(r.out, &lineCount);
    // initUnit applies every page once: one line per channel, each with the unit gain 1.
    QCOMPARE(lineCount, channels);
    QCOMPARE(gains.size(), channels);
    QCOMPARE(gains.firstKey(), 0);
    QCOMPARE(gains.lastKey(), channels - 1);
    for (const QString &gain : gains)
        QCOMPARE(gain, QStringLiteral("1"));
}

void tst_Host::demonstrationMakesNoDriverCall_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("demo") << QStringList { QStringLiteral("--demo") };
    QTest::newRow("no unit") << QStringList { QStringLiteral("--no-unit") };
}

void tst_Host::demonstrationMakesNoDriverCall()
{
    QFETCH(QStringList, arguments);
    const HostRun r = run(arguments
        + QStringList { QStringLiteral("--screenshot"), shot(), QStringLiteral("--call-log"),
            callLog(), QStringLiteral("--quit-after"), QStringLiteral("500") });
    QCOMPARE(r.exitCode, 0);
    // Half a second of status polls, and still not one call reached the unit.
    QVERIFY(QFileInfo::exists(callLog()));
    QCOMPARE(readLines(callLog()), QStringList());
}

void tst_Host::commandLineErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("problem");

    const QString plugin = QStringLiteral("--plugin");
    QTest::newRow("unknown option") << QStringList { QStringLiteral("--frobnicate") } << 2
                                    << QStringLiteral("Unknown option 'frobnicate'");
    QTest::newRow("stray argument") << QStringList { QStringLiteral("now") } << 2
                                    << QStringLiteral("unexpected argument 'now'");
    QTest::newRow("carrier code not hex") << QStringList { QStringLiteral("--carrier"),
        QStringLiteral("0x26G4") } << 2 << QStringLiteral("bad carrier code '0x26G4'");
    QTest::newRow("carrier code above 16 bits") << QStringList { QStringLiteral("--carrier"),
        QStringLiteral("0x12345") } << 2 << QStringLiteral("bad carrier code '0x12345'");
    QTest::newRow("carrier code negative") << QStringList { QStringLiteral("--carrier=-1") } << 2
                                           << QStringLiteral("bad carrier code '-1'");
    QTest::newRow("carrier code missing") << QStringList { QStringLiteral("--carrier") } << 2
                                          << QStringLiteral("Missing value after '--carrier'");
    QTest::newRow("negative quit time") << QStringList { QStringLiteral("--quit-after"),
        QStringLiteral("-5") } << 2 << QStringLiteral("bad --quit-after time '-5'");
    QTest::newRow("missing plug-in file")
        << QStringList { plugin, QStringLiteral("/nonexistent/libsc4830fp.so") } << 3
        << QStringLiteral("plug-in file not found: /nonexistent/libsc4830fp.so");
    QTest::newRow("a directory as plug-in")
        << QStringList { plugin, QStringLiteral(SFP_SOURCE_DIR) } << 3
        << QStringLiteral("plug-in is not a readable file");
    QTest::newRow("a text file as plug-in")
        << QStringList { plugin, QStringLiteral(SFP_SOURCE_DIR "/tests/lsan.supp") } << 3
        << QStringLiteral("not a Qt plug-in: " SFP_SOURCE_DIR "/tests/lsan.supp");
    QTest::newRow("a shared library that is no plug-in") << QStringList { plugin,
        QStringLiteral(SFP_VISA_LIBRARY) } << 3 << QStringLiteral("not a Qt plug-in");
    QTest::newRow("plug-in of another interface")
        << QStringList { plugin, QStringLiteral(SFP_FOREIGN_PLUGIN) } << 3
        << QStringLiteral("plug-in has the wrong interface "
                          "'org.example.Plugin.ForeignInterface/1.0'");
    QTest::newRow("plug-in built for Qt 4.8.6 on Windows")
        << QStringList { plugin, QStringLiteral(SFP_STALE_PLUGIN) } << 3
        << QStringLiteral("verification data do not match this host: version=4.8.6 "
                          "(expected version=" QT_VERSION_STR ")");
    QTest::newRow("plug-in without verification block")
        << QStringList { plugin, QStringLiteral(SFP_BLOCKLESS_PLUGIN) } << 3
        << QStringLiteral("plug-in exports no qt_plugin_query_verification_data");
    QTest::newRow("factory that makes no panel")
        << QStringList { plugin, QStringLiteral(SFP_NOPANEL_PLUGIN) } << 4
        << QStringLiteral("the plug-in's factory made no panel");
}

void tst_Host::commandLineErrors()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, problem);
    // The arguments under test come last, so that an option missing its value is last.
    const HostRun r = run(QStringList { QStringLiteral("--screenshot"), shot() } + arguments);
    QVERIFY(r.finished);
    QCOMPARE(r.exitStatus, QProcess::NormalExit); // a message, never a crash
    QCOMPARE(r.exitCode, exitCode);
    const QStringList errors = r.hostErrors();
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors.constFirst().contains(problem), qPrintable(errors.constFirst()));
    // Nothing was attached or shown.
    QCOMPARE(r.value(QStringLiteral("model")), QStringLiteral("<no model line>"));
    QVERIFY(!QFileInfo::exists(shot()));
}

void tst_Host::unwritableScreenshotFails()
{
    const QString path = QStringLiteral("/proc/sfp-host/shot.png");
    const HostRun r = run({ QStringLiteral("--screenshot"), path });
    QCOMPARE(r.exitStatus, QProcess::NormalExit);
    QCOMPARE(r.exitCode, 5);
    QCOMPARE(r.hostErrors(),
        QStringList { QStringLiteral("sfp-host: cannot write the "
                                     "screenshot: ")
            + path });
    // The panel was attached before the screenshot failed.
    QCOMPARE(r.value(QStringLiteral("model")), QStringLiteral("4830-AB"));
}

void tst_Host::helpListsTheOptions()
{
    const HostRun r = run({ QStringLiteral("--help") });
    QCOMPARE(r.exitCode, 0);
    const QString help = r.out.join(QLatin1Char('\n'));
    for (const char *option :
        { "--demo", "--carrier <CODE>", "--no-reference", "--no-unit", "--plugin <PATH>",
            "--screenshot <FILE>", "--quit-after <MS>", "--call-log <FILE>", "--help" })
        QVERIFY2(help.contains(QLatin1String(option)), option);
    QCOMPARE(r.value(QStringLiteral("model")), QStringLiteral("<no model line>"));
}

void tst_Host::scenarioReplaysTheSameCalls()
{
    QStringList logs;
    for (int round = 0; round < 2; ++round) {
        const QString calls = dir->filePath(QStringLiteral("calls%1.txt").arg(round));
        const HostRun r = run({ QStringLiteral("--scenario"), fixture("carrier-errors.txt"),
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

void tst_Host::scenarioWithoutQuitEndsAfterLastStep()
{
    QElapsedTimer clock;
    clock.start();
    const HostRun r = run({ QStringLiteral("--scenario"), fixture("status-lamps.txt"),
        QStringLiteral("--call-log"), callLog(), QStringLiteral("--screenshot"), shot() });
    QCOMPARE(r.exitCode, 0);
    QVERIFY2(clock.elapsed() >= 1000, qPrintable(QString::number(clock.elapsed())));
    const int last = r.out.indexOf(QStringLiteral("bench: status icp 0x0000 exc 0x0000"));
    QVERIFY(last > 0);
    QVERIFY(r.out.indexOf(QRegularExpression(QStringLiteral("screenshot: .*"))) > last);
    // Status reads went on while the scenario played, and none of them failed.
    QVERIFY(readLines(callLog()).filter(QStringLiteral("sc4830_getStatus(")).size() >= 1);
    QCOMPARE(r.out.filter(QStringLiteral("masterError")), QStringList());
}

void tst_Host::badScenarioFile_data()
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

void tst_Host::badScenarioFile()
{
    QFETCH(QString, file);
    QFETCH(QString, problem);
    const HostRun r
        = run({ QStringLiteral("--scenario"), file, QStringLiteral("--screenshot"), shot() });
    QCOMPARE(r.exitStatus, QProcess::NormalExit);
    QCOMPARE(r.exitCode, 2);
    QCOMPARE(r.hostErrors().size(), 1);
    QVERIFY2(
        r.hostErrors().constFirst().contains(problem), qPrintable(r.hostErrors().constFirst()));
    QVERIFY(!QFileInfo::exists(shot()));
}

void tst_Host::scenarioParses_data()
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
        << int(SimulatedBench::errorStatus) << false << qint64(0);
    QTest::newRow("carrier error always, unit stuck to the number")
        << "at 10ms: fail sc4830_init carrier always" << int(ScenarioStep::Fail) << qint64(10)
        << "sc4830_init" << int(SimulatedBench::carrierErrorStatus) << true << qint64(0);
    QTest::newRow("warning as a number, once by default")
        << "fail sc4830_close 0x3FFC0101" << int(ScenarioStep::Fail) << qint64(0) << "sc4830_close"
        << int(SimulatedBench::warningStatus) << false << qint64(0);
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

void tst_Host::scenarioParses()
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

void tst_Host::scenarioRejects_data()
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

void tst_Host::scenarioRejects()
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

void tst_Host::playerKeepsTimeAndStopsAtQuit()
{
    bench = std::make_unique<SimulatedBench>(HostOptions());
    Scenario scenario;
    QCOMPARE(scenario.parse(QStringLiteral("status icp 0x1\n"
                                           "calibration hang 2 s\n"
                                           "at 50 ms: status icp 0x2\n"
                                           "status exc 0x3\n"
                                           "at 120 ms: quit\n"
                                           "at 130 ms: status icp 0x8\n")),
        QString());
    ScenarioPlayer player(scenario, *bench);
    QSignalSpy quit(&player, &ScenarioPlayer::quitRequested);
    QSignalSpy finished(&player, &ScenarioPlayer::finished);
    QElapsedTimer clock;
    clock.start();
    player.start();
    QCOMPARE(bench->icpStatus(), ViUInt16(1)); // due at once: done in start()
    QVERIFY(bench->calibrationHang());
    QCOMPARE(bench->calibrationHangTimeoutMs(), 2000);
    QVERIFY(quit.wait(2000));
    QVERIFY2(clock.elapsed() >= 120, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(bench->icpStatus(), ViUInt16(2));
    QCOMPARE(bench->excStatus(), ViUInt16(3));
    QTest::qWait(100);
    QCOMPARE(bench->icpStatus(), ViUInt16(2)); // nothing after quit
    QCOMPARE(finished.count(), 0);
    QVERIFY(player.isFinished());

    // The words reached the simulated unit.
    UnitSession unit;
    ViInt16 icp = 0, exc = 0;
    QCOMPARE(unit.status(&icp, &exc), ViStatus(0));
    QCOMPARE(icp, ViInt16(2));
    QCOMPARE(exc, ViInt16(3));
}

void tst_Host::consoleSetsStatusWords()
{
    bench = std::make_unique<SimulatedBench>(HostOptions());
    BenchConsole console(*bench);
    console.show();
    QVERIFY(QTest::qWaitForWindowExposed(&console));
    QCOMPARE(console.title(), QStringLiteral("Simulated bench"));
    QSignalSpy reported(bench.get(), &SimulatedBench::reported);
    UnitSession unit;

    QTest::mouseClick(console.chkIcp[2], Qt::LeftButton);
    QTest::mouseClick(console.chkExc[15], Qt::LeftButton);
    ViInt16 icp = 0, exc = 0;
    QCOMPARE(unit.status(&icp, &exc), ViStatus(0));
    QCOMPARE(icp, ViInt16(0x0004));
    QCOMPARE(exc, ViInt16(0x8000));
    QCOMPARE(reported.size(), 2);
    QCOMPARE(
        reported.last().at(0).toString(), QStringLiteral("bench: status icp 0x0004 exc 0x8000"));

    // A scenario step changes the bench: the boxes follow without echoing a change.
    bench->setStatusWords(0x0001, 0x0000);
    QCOMPARE(reported.size(), 3);
    QVERIFY(console.chkIcp[0]->isChecked());
    QVERIFY(!console.chkIcp[2]->isChecked());
    QVERIFY(!console.chkExc[15]->isChecked());
}

void tst_Host::consoleInjectsFailures_data()
{
    QTest::addColumn<QString>("function");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("always");
    QTest::addColumn<int>("status");

    QTest::newRow("carrier error once in the status read")
        << "sc4830_getStatus" << 0 << false << int(SimulatedBench::carrierErrorStatus);
    QTest::newRow("error always in the shunt setting")
        << "sc4830_setShuntCal" << 1 << true << int(SimulatedBench::errorStatus);
    QTest::newRow("warning once in the identification")
        << "sc4830_channelIdentify" << 2 << false << int(SimulatedBench::warningStatus);
}

void tst_Host::consoleInjectsFailures()
{
    QFETCH(QString, function);
    QFETCH(int, answer);
    QFETCH(bool, always);
    QFETCH(int, status);
    bench = std::make_unique<SimulatedBench>(HostOptions());
    BenchConsole console(*bench);
    console.show();
    QVERIFY(QTest::qWaitForWindowExposed(&console));
    UnitSession unit;

    console.cbFunction->setCurrentText(function);
    console.cbFailure->setCurrentIndex(answer);
    console.chkAlways->setChecked(always);
    QTest::mouseClick(console.pbInject, Qt::LeftButton);
    QCOMPARE(callDriver(function, unit.vi), ViStatus(status));
    QCOMPARE(callDriver(function, unit.vi), always ? ViStatus(status) : ViStatus(0));

    QTest::mouseClick(console.pbClearFailures, Qt::LeftButton);
    QCOMPARE(callDriver(function, unit.vi), ViStatus(0));
}

void tst_Host::consoleSetsCarrierCodeAndLatency()
{
    bench = std::make_unique<SimulatedBench>(HostOptions());
    BenchConsole console(*bench);
    console.show();
    QVERIFY(QTest::qWaitForWindowExposed(&console));
    UnitSession unit;

    for (const auto &[text, code] : { std::make_pair("0x1234", 0x1234), std::make_pair("-7", -7),
             std::make_pair("0xFFFFFFFE", -2) }) {
        console.leCarrierCode->setText(QLatin1String(text));
        QTest::mouseClick(console.pbCarrierCode, Qt::LeftButton);
        ViInt32 got = 0;
        QCOMPARE(sc4830_getFCLastError(unit.vi, &got), ViStatus(0));
        QCOMPARE(got, ViInt32(code));
    }

    // Typed, then confirmed: the value counts only once the operator is done.
    console.sbLatency->selectAll();
    QTest::keyClicks(console.sbLatency, QStringLiteral("40"));
    QCOMPARE(bench->callLatencyUs(), 0);
    QTest::keyClick(console.sbLatency, Qt::Key_Return);
    QCOMPARE(bench->callLatencyUs(), 40000);
    QElapsedTimer clock;
    clock.start();
    ViInt16 icp = 0, exc = 0;
    unit.status(&icp, &exc);
    QVERIFY2(clock.elapsed() >= 40, qPrintable(QString::number(clock.elapsed())));

    console.sbLatency->selectAll();
    QTest::keyClicks(console.sbLatency, QStringLiteral("0"));
    QTest::keyClick(console.sbLatency, Qt::Key_Return);
    QCOMPARE(bench->callLatencyUs(), 0);
}

void tst_Host::consoleHangsAndReleasesCalibrations()
{
    bench = std::make_unique<SimulatedBench>(HostOptions());
    BenchConsole console(*bench);
    console.show();
    QVERIFY(QTest::qWaitForWindowExposed(&console));
    UnitSession unit;

    QTest::mouseClick(console.chkHang, Qt::LeftButton);
    QVERIFY(bench->calibrationHang());
    std::atomic<ViStatus> result { 1 };
    std::unique_ptr<QThread> worker(
        QThread::create([&] { result = sc4830_excitCalibration(unit.vi, 1, 0, 0, 0, 0); }));
    worker->start();
    QTRY_COMPARE(SimulatedBench::hangingCalibrations(), 1);
    console.refresh();
    QCOMPARE(console.lblHanging->text(), QStringLiteral("1 hanging"));
    QVERIFY(!worker->wait(100)); // still held

    QTest::mouseClick(console.pbRelease, Qt::LeftButton);
    QVERIFY(worker->wait(5000));
    QCOMPARE(result.load(), ViStatus(0));
    QCOMPARE(SimulatedBench::hangingCalibrations(), 0);

    // A hang for 1 s ends by itself: nobody can press Release while the panel's
    // progress dialog is up.
    console.sbHangTimeout->selectAll();
    QTest::keyClicks(console.sbHangTimeout, QStringLiteral("1"));
    QTest::keyClick(console.sbHangTimeout, Qt::Key_Return);
    QCOMPARE(bench->calibrationHangTimeoutMs(), 1000);
    result = 1;
    QElapsedTimer clock;
    clock.start();
    worker.reset(
        QThread::create([&] { result = sc4830_excitCalibration(unit.vi, 1, 0, 0, 0, 0); }));
    worker->start();
    QVERIFY(worker->wait(5000));
    QCOMPARE(result.load(), ViStatus(0));
    QVERIFY2(clock.elapsed() >= 1000, qPrintable(QString::number(clock.elapsed())));

    QTest::mouseClick(console.chkHang, Qt::LeftButton);
    QVERIFY(!bench->calibrationHang());
}

void tst_Host::consoleShowsTheCallLog()
{
    bench = std::make_unique<SimulatedBench>(HostOptions());
    BenchConsole console(*bench);
    console.show();
    QVERIFY(QTest::qWaitForWindowExposed(&console));
    UnitSession unit;
    ViInt16 icp = 0, exc = 0;
    unit.status(&icp, &exc);
    sc4830_setShuntCal(unit.vi, 3, 1);
    console.refresh();
    QStringList shown = console.teCallLog->toPlainText().split(QLatin1Char('\n'));
    QCOMPARE(shown, SimulatedBench::callLog());
    QCOMPARE(shown.constLast(), QStringLiteral("sc4830_setShuntCal(%1, 3, 1)").arg(unit.vi));
    QCOMPARE(console.lblCallCount->text(), QStringLiteral("%1 call(s)").arg(shown.size()));

    // Only new calls are added, each once; the refresh timer shows them by itself.
    sc4830_channelIdentify(unit.vi, 2, 1);
    QTRY_COMPARE(
        console.teCallLog->toPlainText().split(QLatin1Char('\n')).size(), shown.size() + 1);
    shown = console.teCallLog->toPlainText().split(QLatin1Char('\n'));
    QCOMPARE(shown.constLast(), QStringLiteral("sc4830_channelIdentify(%1, 2, 1)").arg(unit.vi));

    // A cleared log starts the view afresh.
    sc4830sim_clearLog();
    sc4830_setShuntCal(unit.vi, 4, 0);
    console.refresh();
    QCOMPARE(console.teCallLog->toPlainText(),
        QStringLiteral("sc4830_setShuntCal(%1, 4, 0)").arg(unit.vi));
}

void tst_Host::consoleFocusPassingWritesNothing()
{
    bench = std::make_unique<SimulatedBench>(HostOptions());
    bench->setCallLatencyUs(250); // below the box's ms: a scenario's value
    bench->setCalibrationHangTimeoutMs(1500);
    BenchConsole console(*bench);
    console.show();
    QApplication::setActiveWindow(&console);
    QVERIFY(QTest::qWaitForWindowActive(&console));
    QSignalSpy reported(bench.get(), &SimulatedBench::reported);

    // Focus passes through every box of the timing group and leaves it.
    const QList<QWidget *> boxes { console.sbLatency, console.sbCalibrationTime,
        console.sbHangTimeout, console.pbRelease };
    for (QWidget *box : boxes) {
        box->setFocus();
        QTRY_VERIFY(box->hasFocus());
    }
    QCOMPARE(reported.size(), 0);
    QCOMPARE(bench->callLatencyUs(), 250);
    QCOMPARE(bench->calibrationHangTimeoutMs(), 1500);

    // A new value still counts.
    console.sbCalibrationTime->setFocus();
    console.sbCalibrationTime->selectAll();
    QTest::keyClicks(console.sbCalibrationTime, QStringLiteral("35"));
    console.pbRelease->setFocus();
    QTRY_COMPARE(bench->calibrationTimeMs(), 35);
    QCOMPARE(reported.size(), 1);
}

void tst_Host::logsFollowTheNewestLine_data()
{
    QTest::addColumn<bool>("callLog"); // else the host log
    QTest::newRow("host log") << false;
    QTest::newRow("call log") << true;
}

void tst_Host::logsFollowTheNewestLine()
{
    QFETCH(bool, callLog);
    bench = std::make_unique<SimulatedBench>(HostOptions());
    UnitSession unit;
    HostLog hostLog;
    std::unique_ptr<BenchConsole> console;
    // Lines come before the view is shown, as they do while the host starts.
    const auto addLines = [&](int n) {
        for (int i = 0; i < n; ++i) {
            if (callLog)
                sc4830_setShuntCal(unit.vi, 1, ViBoolean(i & 1));
            else
                hostLog.report(QStringLiteral("line %1").arg(i));
        }
        if (console)
            console->refresh();
    };
    addLines(100);
    QWidget *view = &hostLog;
    if (callLog) {
        console = std::make_unique<BenchConsole>(*bench);
        view = console.get();
    }
    view->resize(400, 500);
    view->show();
    QVERIFY(QTest::qWaitForWindowExposed(view));
    QScrollBar *bar
        = callLog ? console->teCallLog->verticalScrollBar() : hostLog.verticalScrollBar();
    QTRY_VERIFY(bar->maximum() > 0);
    QTRY_COMPARE(bar->value(), bar->maximum());

    int maximum = bar->maximum();
    addLines(20);
    QTRY_VERIFY(bar->maximum() > maximum);
    QTRY_COMPARE(bar->value(), bar->maximum());

    // Scrolled up to read: the view stays where the operator put it ...
    bar->setValue(3);
    maximum = bar->maximum();
    addLines(20);
    QTRY_VERIFY(bar->maximum() > maximum);
    QTest::qWait(20);
    QCOMPARE(bar->value(), 3);
    // ... until scrolled back down.
    bar->setValue(bar->maximum());
    maximum = bar->maximum();
    addLines(20);
    QTRY_VERIFY(bar->maximum() > maximum);
    QTRY_COMPARE(bar->value(), bar->maximum());
}

void tst_Host::windowShowsAttachment_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("lamp");
    QTest::addColumn<QString>("statusA");
    QTest::addColumn<bool>("resourceEnabled");

    QTest::newRow("attached: lamp lit") << QStringList() << 1 << "VXI0::4::INSTR" << true;
    QTest::newRow("demo: lamp dark")
        << QStringList { QStringLiteral("--demo") } << 0 << "Demonstration" << false;
    QTest::newRow("no unit: lamp dark")
        << QStringList { QStringLiteral("--no-unit") } << 0 << "Demonstration" << false;
}

void tst_Host::windowShowsAttachment()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, lamp);
    QFETCH(QString, statusA);
    QFETCH(bool, resourceEnabled);
    startSession(arguments);
    HostWindow *window = session->window();
    QCOMPARE(window->ledActive->getValue(), lamp);
    QCOMPARE(window->lblStatusA->text(), statusA);
    QVERIFY(window->lblStatusA->isVisible());
    QCOMPARE(window->lblStatusB->text(),
        QStringLiteral("%1, S/N %2")
            .arg(window->panel()->model(), window->panel()->serialNumber()));
    QCOMPARE(window->lblTitle->text(),
        QStringLiteral("Orbisa 4830 - 16 Channel Signal Conditioning Unit"));
    QCOMPARE(window->resources()->isEnabled(), resourceEnabled);
    // The panel sits in the frame's content area, the console beside it, outside it.
    QVERIFY(window->contentWidget->isAncestorOf(window->panel()));
    QVERIFY(window->contentWidget->isAncestorOf(window->console()));
    QVERIFY(!window->panel()->isAncestorOf(window->console()));
}

void tst_Host::windowFitsTheScreen_data()
{
    QTest::addColumn<QRect>("available");
    QTest::addColumn<bool>("benchShown");

    // A laptop's 1366 x 768 is narrower than the window with the console.
    QTest::newRow("1366 x 768") << QRect(0, 0, 1366, 768) << false;
    QTest::newRow("1366 x 768 under a top bar") << QRect(0, 28, 1366, 740) << false;
    QTest::newRow("second screen, wide") << QRect(1920, 0, 3840, 2160) << true;
}

void tst_Host::windowFitsTheScreen()
{
    QFETCH(QRect, available);
    QFETCH(bool, benchShown);
    startSession();
    HostWindow *window = session->window();
    window->fitToScreen(available);
    QCOMPARE(window->console()->isVisible(), benchShown);
    QCOMPARE(window->benchToggle()->isChecked(), benchShown);
    const QRect frame = window->frameGeometry();
    QVERIFY2(available.contains(frame),
        qPrintable(QStringLiteral("%1,%2 %3x%4")
                       .arg(frame.x())
                       .arg(frame.y())
                       .arg(frame.width())
                       .arg(frame.height())));
    const QRect close(window->pbClose->mapToGlobal(QPoint(0, 0)), window->pbClose->size());
    QVERIFY(available.contains(close));
    // Centred, to the pixel that halving leaves over.
    QVERIFY(qAbs(frame.center().x() - available.center().x()) <= 1);
    QVERIFY(qAbs(frame.center().y() - available.center().y()) <= 1);

    // The operator's toggle: the window grows to hold the console and shrinks back.
    const int width = window->width();
    window->benchToggle()->click();
    QCOMPARE(window->console()->isVisible(), !benchShown);
    QCOMPARE(window->width() > width, !benchShown);
    window->benchToggle()->click();
    QCOMPARE(window->console()->isVisible(), benchShown);
    if (!benchShown)
        QCOMPARE(window->width(), width);
}

void tst_Host::focusStartsOnThePanelsFirstControl()
{
    startSession();
    HostWindow *window = session->window();
    for (int round = 0; round < 2; ++round) {
        // The first control of Ch 1, its input source, not the tab bar and not Reset.
        auto *focus = qobject_cast<QComboBox *>(window->focusWidget());
        QVERIFY(focus);
        QVERIFY(window->panel()->isAncestorOf(focus));
        QTRY_VERIFY(focus->isVisible()); // a new panel shows once the event loop runs
        QCOMPARE(QApplication::focusWidget(), focus);
        QCOMPARE(focus->itemText(0), QStringLiteral("Front Panel"));
        // So does the panel after a reset.
        QTest::mouseClick(window->pbReset, Qt::LeftButton);
    }
}

void tst_Host::resourcesInLibraryOrder()
{
    startSession();
    QStringList shown;
    for (int i = 0; i < session->window()->resources()->count(); ++i)
        shown.append(session->window()->resources()->itemText(i));
    // TCPIP by address number (2 before 10), boards in order, types by name.
    const QStringList expected {
        QStringLiteral("ASRL1::INSTR"),
        QStringLiteral("GPIB0::7::INSTR"),
        QStringLiteral("GPIB1::3::INSTR"),
        QStringLiteral("PXI0::14::INSTR"),
        QStringLiteral("TCPIP0::192.168.0.2::INSTR"),
        QStringLiteral("TCPIP0::192.168.0.10::INSTR"),
        QStringLiteral("TCPIP1::10.0.0.9::INSTR"),
        QStringLiteral("VXI0::4::INSTR"),
        QStringLiteral("VXI1::0::INSTR"),
    };
    QCOMPARE(shown, expected);
    QCOMPARE(session->window()->resources()->currentText(), QStringLiteral("VXI0::4::INSTR"));
}

void tst_Host::resetAttachesNewPanel()
{
    startSession();
    HostWindow *window = session->window();
    QPointer<cr2200fp_scuInterface> first = window->panel();
    const int closes = sc4830sim_closeCount();
    const int inits = sc4830sim_callCount("sc4830_init");
    ModalAnswerer answerer; // nothing was changed: nothing to ask
    QTest::mouseClick(window->pbReset, Qt::LeftButton);
    QCOMPARE(answerer.seen.size(), 0);
    QVERIFY(first.isNull()); // deleted, so its unit session is closed ...
    QCOMPARE(sc4830sim_closeCount(), closes + 1);
    QVERIFY(window->panel()); // ... before the new panel opened its own
    QCOMPARE(sc4830sim_callCount("sc4830_init"), inits + 1);
    QCOMPARE(sc4830sim_openSessionCount(), 1);
    QCOMPARE(window->panel()->model(), QStringLiteral("4830-AB"));
    QCOMPARE(window->ledActive->getValue(), 1);
    QVERIFY(logLines(window->log()).contains(QStringLiteral("reset: a new panel")));
}

void tst_Host::otherResourceAttachesNewCarrier()
{
    startSession();
    HostWindow *window = session->window();
    const ViSession firstCarrier = session->simulatedBench().carrier();
    ModalAnswerer answerer;
    window->resources()->setFocus();
    // One step down the list: the operator's choice of the next resource.
    QTest::keyClick(window->resources(), Qt::Key_Down);
    QCOMPARE(window->resources()->currentText(), QStringLiteral("VXI1::0::INSTR"));
    QCOMPARE(answerer.seen.size(), 0);
    const ViSession secondCarrier = session->simulatedBench().carrier();
    QVERIFY(secondCarrier != 0);
    QVERIFY(secondCarrier != firstCarrier);
    QCOMPARE(simcarrier_model(firstCarrier), ViUInt16(0)); // closed
    QCOMPARE(window->lblStatusA->text(), QStringLiteral("VXI1::0::INSTR"));
    QCOMPARE(sc4830sim_openSessionCount(), 1);
    const QStringList lines = logLines(window->log());
    QVERIFY(lines.contains(QStringLiteral("resource: VXI1::0::INSTR")));
    QVERIFY(lines.contains(
        QStringLiteral("carrier: VXI1::0::INSTR, model 0x2611, session %1").arg(secondCarrier)));
}

void tst_Host::changedSettingsAskBeforeTheyGo_data()
{
    QTest::addColumn<bool>("reset"); // else another resource
    QTest::addColumn<int>("answer"); // NoButton: Escape
    QTest::addColumn<bool>("discarded");

    QTest::newRow("reset, No keeps the panel") << true << int(QMessageBox::No) << false;
    QTest::newRow("reset, Escape keeps the panel") << true << int(QMessageBox::NoButton) << false;
    QTest::newRow("reset, Yes resets") << true << int(QMessageBox::Yes) << true;
    QTest::newRow("resource, No keeps panel and resource")
        << false << int(QMessageBox::No) << false;
    QTest::newRow("resource, Yes attaches") << false << int(QMessageBox::Yes) << true;
}

void tst_Host::changedSettingsAskBeforeTheyGo()
{
    QFETCH(bool, reset);
    QFETCH(int, answer);
    QFETCH(bool, discarded);
    startSession();
    HostWindow *window = session->window();
    QPointer<cr2200fp_scuInterface> first = window->panel();
    // The operator changes one setting of Ch 1, as the host sees the panel: a control.
    auto *spin = first->findChildren<QDoubleSpinBox *>().value(0);
    QVERIFY(spin);
    spin->setValue(spin->value() + spin->singleStep());
    const double changed = spin->value();
    const int inits = sc4830sim_callCount("sc4830_init");

    ModalAnswerer answerer;
    if (answer != int(QMessageBox::NoButton))
        answerer.queue(QMessageBox::StandardButton(answer));
    if (reset) {
        QTest::mouseClick(window->pbReset, Qt::LeftButton);
    } else {
        window->resources()->setFocus();
        QTest::keyClick(window->resources(), Qt::Key_Down);
    }
    QVERIFY(answerer.waitForBoxes(1));
    const SeenBox &box = answerer.seen.constFirst();
    QCOMPARE(box.icon, QMessageBox::Question);
    QCOMPARE(box.title, QStringLiteral("Orbisa 4830 SFP"));
    QCOMPARE(box.text,
        reset ? QStringLiteral("Resetting the device discards the settings of every channel.\n"
                               "Do you want to reset it?")
              : QStringLiteral("Attaching to VXI1::0::INSTR discards the settings of every "
                               "channel.\nDo you want to attach to it?"));
    QCOMPARE(box.buttons, QStringList({ QStringLiteral("Yes"), QStringLiteral("No") }));
    QCOMPARE(first.isNull(), discarded);
    QCOMPARE(sc4830sim_callCount("sc4830_init"), inits + (discarded ? 1 : 0));
    QCOMPARE(sc4830sim_openSessionCount(), 1);
    QCOMPARE(window->resources()->currentText(),
        !reset && discarded ? QStringLiteral("VXI1::0::INSTR") : QStringLiteral("VXI0::4::INSTR"));
    if (!discarded) {
        QCOMPARE(spin->value(), changed);
        return;
    }
    // The new panel holds the defaults again: the next reset asks nothing.
    QTest::mouseClick(window->pbReset, Qt::LeftButton);
    QCOMPARE(answerer.seen.size(), 1);
    QCOMPARE(sc4830sim_callCount("sc4830_init"), inits + 2);
}

void tst_Host::carrierErrorReachesHostLog()
{
    startSession();
    SimulatedBench &bench = session->simulatedBench();
    bench.setCarrierErrorCode(0x42);
    bench.injectFailure(
        QStringLiteral("sc4830_getStatus"), SimulatedBench::carrierErrorStatus, false);
    const QString line = QStringLiteral(
        "masterError(0x00000042, \"sc4830_getStatus(d_vi, &icpErr, &excErr, VI_NULL, "
        "VI_NULL)\")");
    QTRY_VERIFY_WITH_TIMEOUT(logLines(session->window()->log()).contains(line), 3000);
    QVERIFY(logLines(session->window()->log())
                .contains(QStringLiteral("bench: fail sc4830_getStatus carrier once")));
}

void tst_Host::closeAsksFirst()
{
    startSession();
    HostWindow *window = session->window();
    ModalAnswerer answerer;
    answerer.queue(QMessageBox::No);
    window->close();
    QVERIFY(answerer.waitForBoxes(1));
    const SeenBox &box = answerer.seen.constFirst();
    QCOMPARE(box.title, QStringLiteral("Orbisa 4830 SFP"));
    QCOMPARE(box.text, QStringLiteral("Do you really want to exit?"));
    QCOMPARE(box.buttons, QStringList({ QStringLiteral("Yes"), QStringLiteral("No") }));
    QVERIFY(window->isVisible());

    answerer.queue(QMessageBox::Yes);
    QTest::mouseClick(window->pbClose, Qt::LeftButton);
    QVERIFY(answerer.waitForBoxes(2));
    QVERIFY(!window->isVisible());
}

void tst_Host::aboutNamesThePanel()
{
    startSession();
    ModalAnswerer answerer;
    answerer.queue(QMessageBox::Ok);
    QTest::mouseClick(session->window()->pbAbout, Qt::LeftButton);
    QVERIFY(answerer.waitForBoxes(1));
    const SeenBox &box = answerer.seen.constFirst();
    QCOMPARE(box.title, QStringLiteral("About sfp-host"));
    for (const char *text : { "Orbisa 4830 - 16 Channel Signal Conditioning Unit", "4830-AB",
             "00C0FFEE", "1.2.0.7", SFP_VERSION_STRING })
        QVERIFY2(box.text.contains(QLatin1String(text)), text);
}

QTEST_MAIN(tst_Host)
#include "tst_host.moc"
