// sfp-host as the operator and the build scripts see it: the real binary run in a child
// process under the offscreen platform, its options, its checks of the plug-in module,
// its standard output, its exit status, its screenshot and the simulated unit's call log
// it leaves behind.
#include <hostrun.h>

#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QMap>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

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

} // namespace

class tst_HostCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void defaultRunAttachesAndWritesScreenshot_data();
    void defaultRunAttachesAndWritesScreenshot();
    void identityTexts_data();
    void identityTexts();
    void gainChangedForEveryChannel_data();
    void gainChangedForEveryChannel();
    void demonstrationMakesNoDriverCall_data();
    void demonstrationMakesNoDriverCall();
    void commandLineErrors_data();
    void commandLineErrors();
    void setupOptions_data();
    void setupOptions();
    void otherQtPluginIsRefused();
    void unwritableScreenshotFails();
    void helpListsTheOptions();

private:
    QString shot() const { return dir->filePath(QStringLiteral("shot.png")); }
    QString callLog() const { return dir->filePath(QStringLiteral("calls.txt")); }

    QScopedPointer<QTemporaryDir> dir;
};

void tst_HostCommandLine::init()
{
    dir.reset(new QTemporaryDir);
    QVERIFY(dir->isValid());
}

void tst_HostCommandLine::defaultRunAttachesAndWritesScreenshot_data()
{
    QTest::addColumn<bool>("named"); // --screenshot given

    QTest::newRow("screenshot named") << true;
    // An installed host's own folder is the system's: only the operator's folder will do.
    QTest::newRow("screenshot unnamed, in the current folder") << false;
}

void tst_HostCommandLine::defaultRunAttachesAndWritesScreenshot()
{
    QFETCH(bool, named);
    const QString picture = named ? shot() : dir->filePath(QStringLiteral("sfp-host.png"));
    QStringList arguments { QStringLiteral("--call-log"), callLog() };
    if (named)
        arguments << QStringLiteral("--screenshot") << shot();
    const HostRun r = runHost(arguments, dir->path());
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
    QCOMPARE(r.value(QStringLiteral("screenshot")), picture);
    QImageReader reader(picture);
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

void tst_HostCommandLine::identityTexts_data()
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

void tst_HostCommandLine::identityTexts()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, model);
    QFETCH(QString, serial);
    QFETCH(QString, revision);
    QFETCH(QString, supported);
    QFETCH(QString, detected);
    const HostRun r = runHost(arguments + QStringList { QStringLiteral("--screenshot"), shot() });
    QCOMPARE(r.exitStatus, QProcess::NormalExit);
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.value(QStringLiteral("model")), model);
    QCOMPARE(r.value(QStringLiteral("serial number")), serial);
    QCOMPARE(r.value(QStringLiteral("revision")), revision);
    QCOMPARE(r.value(QStringLiteral("isCarrierSupported")), supported);
    QCOMPARE(r.value(QStringLiteral("detectUnit")), detected);
    QVERIFY(QFileInfo::exists(shot()));
}

void tst_HostCommandLine::gainChangedForEveryChannel_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("channels");

    QTest::newRow("16-channel carrier") << QStringList() << 16;
    QTest::newRow("8-channel carrier")
        << QStringList { QStringLiteral("--carrier"), QStringLiteral("0x2624") } << 8;
    QTest::newRow("demonstration on the 16-channel carrier")
        << QStringList { QStringLiteral("--demo") } << 16;
}

void tst_HostCommandLine::gainChangedForEveryChannel()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, channels);
    const HostRun r = runHost(arguments + QStringList { QStringLiteral("--screenshot"), shot() });
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

void tst_HostCommandLine::demonstrationMakesNoDriverCall_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("demo") << QStringList { QStringLiteral("--demo") };
    QTest::newRow("no unit") << QStringList { QStringLiteral("--no-unit") };
}

void tst_HostCommandLine::demonstrationMakesNoDriverCall()
{
    QFETCH(QStringList, arguments);
    const HostRun r = runHost(arguments
        + QStringList { QStringLiteral("--screenshot"), shot(), QStringLiteral("--call-log"),
            callLog(), QStringLiteral("--quit-after"), QStringLiteral("500") });
    QCOMPARE(r.exitCode, 0);
    // Half a second of status polls, and still not one call reached the unit.
    QVERIFY(QFileInfo::exists(callLog()));
    QCOMPARE(readLines(callLog()), QStringList());
}

void tst_HostCommandLine::commandLineErrors_data()
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
    QTest::newRow("plug-in of another unit")
        << QStringList { plugin, QStringLiteral(SFP_OTHERUNIT_PLUGIN) } << 3
        << QStringLiteral("plug-in serves Orbisa 4810, not the Orbisa 4830 this host offers");
    QTest::newRow("setup file that is not JSON") << QStringList {
        QStringLiteral("--setup"), QStringLiteral(SFP_SOURCE_DIR "/tests/lsan.supp")
    } << 2 << QStringLiteral(SFP_SOURCE_DIR "/tests/lsan.supp: not JSON at line 1, column ");
    QTest::newRow("setup file missing")
        << QStringList { QStringLiteral("--setup"), QStringLiteral("/nonexistent/setup.json") } << 2
        << QStringLiteral("/nonexistent/setup.json: cannot be read: ");
    QTest::newRow("setup file name missing") << QStringList { QStringLiteral("--save-setup=") } << 2
                                             << QStringLiteral("--save-setup needs a file name");
    QTest::newRow("factory that makes no panel")
        << QStringList { plugin, QStringLiteral(SFP_NOPANEL_PLUGIN) } << 4
        << QStringLiteral("the plug-in's factory made no panel");
}

void tst_HostCommandLine::commandLineErrors()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, problem);
    // The arguments under test come last, so that an option missing its value is last.
    const HostRun r = runHost(QStringList { QStringLiteral("--screenshot"), shot() } + arguments);
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

void tst_HostCommandLine::setupOptions_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("errors");
    QTest::addColumn<QStringList>("compared"); // the lines of --compare-setup

    const QString setups = QStringLiteral(SFP_SOURCE_DIR "/tests/fixtures/setups/");
    const QString compare = QStringLiteral("--compare-setup");
    const QString bench = QStringLiteral(SFP_SOURCE_DIR "/examples/setups/strain-bench.json");
    const QStringList changes { QStringLiteral("channel 3: mode \"Full Bridge\" -> \"ICP\""),
        QStringLiteral("channel 3: name \"\" -> \"Mic \\\"left\\\", \u00DC\""),
        QStringLiteral("channel 5: gain 1 -> 100"),
        QStringLiteral("channel 5: excitation.positive 0 -> 2.5") };
    const QString setup = QStringLiteral("--setup");
    const QString shunt = QStringLiteral(
        "sc4830_setShuntCal (scuFp->d_vi, ch, (cbShCal->currentIndex())?VI_TRUE:VI_FALSE)");
    QTest::newRow("applied") << QStringList { setup,
        QStringLiteral(SFP_SOURCE_DIR "/examples/setups/strain-bench.json") }
                             << 0 << QStringList() << QStringList();
    QTest::newRow("channels beyond the 8-channel carrier skipped")
        << QStringList { QStringLiteral("--carrier"), QStringLiteral("0x2624"), setup,
               setups + QStringLiteral("beyond-eight.json") }
        << 6
        << QStringList { QStringLiteral(
                             "sfp-host: channel 9: skipped, the carrier has no such channel"),
               QStringLiteral("sfp-host: channel 16: skipped, the carrier has no such channel") }
        << QStringList();
    QTest::newRow("channels the unit refuses")
        << QStringList { QStringLiteral("--scenario"), setups + QStringLiteral("shunt-refused.txt"),
               setup, setups + QStringLiteral("beyond-eight.json") }
        << 6
        << QStringList { QStringLiteral("sfp-host: channel 2: refused, %1 answered 0xBFFC0B12")
                             .arg(shunt),
               QStringLiteral("sfp-host: channel 9: refused, %1 answered 0xBFFC0B12").arg(shunt),
               QStringLiteral("sfp-host: channel 16: refused, %1 answered 0xBFFC0B12").arg(shunt) }
        << QStringList();
    QTest::newRow("setup of another unit")
        << QStringList { setup, setups + QStringLiteral("other-unit.json") } << 2
        << QStringList { QStringLiteral("sfp-host: ") + setups
               + QStringLiteral(
                   "other-unit.json: \"unit\" is \"Orbisa 4810\", not \"Orbisa 4830\"") }
        << QStringList();
    QTest::newRow("reference input on a carrier without a reference")
        << QStringList { QStringLiteral("--no-reference"), setup,
               setups + QStringLiteral("reference-input.json") }
        << 2
        << QStringList { QStringLiteral("sfp-host: ") + setups
               + QStringLiteral("reference-input.json: channel 2, \"input\": \"Voltage Ref.\" "
                                "is not offered: the unit has no voltage reference") }
        << QStringList();
    QTest::newRow("saving where nothing can be written")
        << QStringList { QStringLiteral("--save-setup"),
               QStringLiteral("/proc/sfp-host/setup.json") }
        << 5
        << QStringList { QStringLiteral(
               "sfp-host: /proc/sfp-host/setup.json: cannot be written: ") }
        << QStringList();
    QTest::newRow("compared, settings and a name differ")
        << QStringList { compare, setups + QStringLiteral("compare.json") } << 7 << QStringList()
        << changes;
    QTest::newRow("compared on the 8-channel carrier") << QStringList { QStringLiteral("--carrier"),
        QStringLiteral("0x2624"), compare, setups + QStringLiteral("compare.json") }
                                                       << 7 << QStringList()
                                                       << changes
            + QStringList { QStringLiteral(
                "channel 12: skipped, the carrier has no such channel") };
    QTest::newRow("compared after the same setup")
        << QStringList { setup, bench, compare, bench } << 0 << QStringList() << QStringList();
    QTest::newRow("compared with another unit's setup")
        << QStringList { compare, setups + QStringLiteral("other-unit.json") } << 2
        << QStringList { QStringLiteral("sfp-host: ") + setups
               + QStringLiteral(
                   "other-unit.json: \"unit\" is \"Orbisa 4810\", not \"Orbisa 4830\"") }
        << QStringList();
}

// --setup right after the attach, --save-setup after that: the file saved holds what was
// applied, and every channel not applied is one line on standard error, in English.
// --compare-setup last prints what its file would change.
void tst_HostCommandLine::setupOptions()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QStringList, errors);
    QFETCH(QStringList, compared);
    const QString saved = dir->filePath(QStringLiteral("saved.json"));
    // A German operator's window, and the same English lines for the scripts.
    qputenv("LANGUAGE", "de");
    const HostRun r = runHost(QStringList { QStringLiteral("--save-setup"), saved } + arguments);
    qunsetenv("LANGUAGE");
    QCOMPARE(r.exitStatus, QProcess::NormalExit);
    QCOMPARE(r.exitCode, exitCode);
    const QStringList seen = r.hostErrors();
    QCOMPARE(seen.size(), errors.size());
    for (int i = 0; i < errors.size(); ++i)
        QVERIFY2(seen.at(i).startsWith(errors.at(i)), qPrintable(seen.at(i)));
    QCOMPARE(r.out.filter(QRegularExpression(QStringLiteral("^channel "))), compared);
    if (exitCode != 0 && exitCode != 6)
        return;
    // Written after the setup: channel 3 of the example, and every channel of the carrier.
    QFile file(saved);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QJsonObject root = QJsonDocument::fromJson(file.readAll()).object();
    const QJsonArray channels = root.value(QStringLiteral("channels")).toArray();
    QCOMPARE(channels.size(), arguments.contains(QStringLiteral("0x2624")) ? 8 : 16);
    const QJsonObject second = channels.at(1).toObject();
    QCOMPARE(second.value(QStringLiteral("gain")).toInt(), exitCode == 0 ? 100 : 10);
}

// A module built with the other major Qt, when the other build exists (make test QT=6
// beside make test): turned away by its metadata before it is loaded.
void tst_HostCommandLine::otherQtPluginIsRefused()
{
    const QString module = QStringLiteral(SFP_OTHER_QT_PLUGIN);
    if (!QFileInfo::exists(module))
        QSKIP("no build with the other major Qt beside this one");
    const HostRun r = runHost({ QStringLiteral("--plugin"), module });
    QCOMPARE(r.exitStatus, QProcess::NormalExit);
    QCOMPARE(r.exitCode, 3);
    const QStringList errors = r.hostErrors();
    QCOMPARE(errors.size(), 1);
    const QRegularExpression refusal(QStringLiteral("plug-in is built with Qt %1\\.\\d+(\\.\\d+)?, "
                                                    "this host with Qt " QT_VERSION_STR ": ")
                                         .arg(QT_VERSION_MAJOR == 5 ? 6 : 5));
    QVERIFY2(errors.constFirst().contains(refusal), qPrintable(errors.constFirst()));
}

void tst_HostCommandLine::unwritableScreenshotFails()
{
    const QString path = QStringLiteral("/proc/sfp-host/shot.png");
    const HostRun r = runHost({ QStringLiteral("--screenshot"), path });
    QCOMPARE(r.exitStatus, QProcess::NormalExit);
    QCOMPARE(r.exitCode, 5);
    QCOMPARE(r.hostErrors(),
        QStringList { QStringLiteral("sfp-host: cannot write the "
                                     "screenshot: ")
            + path });
    // The panel was attached before the screenshot failed.
    QCOMPARE(r.value(QStringLiteral("model")), QStringLiteral("4830-AB"));
}

void tst_HostCommandLine::helpListsTheOptions()
{
    const HostRun r = runHost({ QStringLiteral("--help") });
    QCOMPARE(r.exitCode, 0);
    const QString help = r.out.join(QLatin1Char('\n'));
    for (const char *option : { "--demo", "--carrier <CODE>", "--no-reference", "--no-unit",
             "--plugin <PATH>", "--screenshot <FILE>", "--quit-after <MS>", "--call-log <FILE>",
             "--setup <FILE>", "--save-setup <FILE>", "--compare-setup <FILE>", "--help",
             "toggle with Ctrl+T" })
        QVERIFY2(help.contains(QLatin1String(option)), option);
    QCOMPARE(r.value(QStringLiteral("model")), QStringLiteral("<no model line>"));
}

QTEST_MAIN(tst_HostCommandLine)
#include "tst_hostcommandline.moc"
