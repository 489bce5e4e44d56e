// The Debian packages as a user gets them: cpack builds them from this build into a fresh
// folder, `dpkg-deb -x` unpacks every one into one root (with a blank in its path), the
// example host in examples/minimal-host is configured and built against the development
// package there with find_package(SoftFrontPanelQtN) and run, loading the runtime
// package's plug-in with the host package's stand-ins for VISA and the driver on the
// library path; the menu entry and the AppStream metadata pass their validators; last the
// host package's start script runs sfp-host from the same root, as an ordinary user.
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

namespace {

// Each step ends (killed if need be) before Qt Test's function time-out of 60 s
// (QTEST_FUNCTION_TIMEOUT, cmake/SfpAddTest.cmake) would abort the suite and leave it running.
constexpr int stepTimeoutMs = 55000;

struct Step
{
    bool finished = false;
    int exitCode = -1;
    QString output;
};

Step runStep(const QString &program, const QStringList &arguments,
    const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment(),
    const QString &folder = QString(), int timeoutMs = stepTimeoutMs)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(folder);
    process.start(program, arguments);
    Step step;
    step.finished = process.waitForFinished(timeoutMs);
    if (!step.finished)
        process.kill();
    step.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    step.output = QString::fromLocal8Bit(process.readAll());
    return step;
}

// One control field of a .deb, as dpkg-deb reads it.
QString controlField(const QString &deb, const QString &field)
{
    const Step step = runStep(QStringLiteral("dpkg-deb"), { QStringLiteral("-f"), deb, field });
    return step.exitCode == 0 ? step.output.trimmed() : QString();
}

QProcessEnvironment offscreenEnvironment()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return env;
}

// The user the unpacked host runs as when the suite runs as root, and the command that
// runs a program as that user.
const QString ordinaryUser = QStringLiteral("nobody");
QStringList asOrdinaryUser()
{
    return { QStringLiteral("--reuid=") + ordinaryUser, QStringLiteral("--regid=nogroup"),
        QStringLiteral("--clear-groups"), QStringLiteral("--") };
}

const QString runtimePackage = QStringLiteral(SFP_RUNTIME_PACKAGE);
const QString developmentPackage = QStringLiteral(SFP_DEVELOPMENT_PACKAGE);
const QString hostPackage = QStringLiteral(SFP_HOST_PACKAGE);

} // namespace

class tst_Package : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void buildsOnePackagePerComponent();
    void unpacksIntoOneRoot_data();
    void unpacksIntoOneRoot();
    void exampleConfiguresAgainstTheDevelopmentPackage();
    void exampleBuilds();
    void exampleShowsAPanelOfTheRuntimePackage();
    void desktopMetadataValidates_data();
    void desktopMetadataValidates();
    void hostPackageStartsTheHost();

private:
    QString packages() const { return work.filePath(QStringLiteral("packages")); }
    QString usr() const { return work.filePath(QStringLiteral("unpacked root/usr")); }
    QString usrPath(const char *relative) const
    {
        return usr() + QLatin1Char('/') + QLatin1String(relative);
    }
    QString exampleBuild() const { return work.filePath(QStringLiteral("example")); }

    QTemporaryDir work;
    QStringList debs;
};

void tst_Package::initTestCase()
{
    QVERIFY(work.isValid());
}

void tst_Package::buildsOnePackagePerComponent()
{
    const Step pack = runStep(QStringLiteral(SFP_CPACK_COMMAND),
        { QStringLiteral("--config"), QStringLiteral(SFP_BINARY_DIR "/CPackConfig.cmake"),
            QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("-B"), packages() },
        QProcessEnvironment::systemEnvironment());
    QVERIFY2(pack.finished && pack.exitCode == 0, qPrintable(pack.output));

    const QDir dir(packages());
    QSet<QString> names;
    for (const QString &file : dir.entryList({ QStringLiteral("*.deb") }, QDir::Files)) {
        const QString deb = dir.filePath(file);
        debs << deb;
        names << controlField(deb, QStringLiteral("Package"));
        QCOMPARE(controlField(deb, QStringLiteral("Version")), QStringLiteral(SFP_DEB_VERSION));
    }
    QCOMPARE(names, (QSet<QString> { runtimePackage, developmentPackage, hostPackage }));

    // The host loads the plug-in of its own build; the headers need the Qt they name.
    for (const QString &deb : qAsConst(debs)) {
        const QString package = controlField(deb, QStringLiteral("Package"));
        const QString depends = controlField(deb, QStringLiteral("Depends"));
        if (package == hostPackage) {
            QVERIFY2(depends.contains(runtimePackage + QStringLiteral(" (= " SFP_DEB_VERSION ")")),
                qPrintable(depends));
            // Qt's own catalogues, for its dialogs and buttons in the host.
            QVERIFY2(
                depends.contains(QStringLiteral(SFP_QT_TRANSLATIONS_PACKAGE)), qPrintable(depends));
        }
        if (package == developmentPackage)
            QVERIFY2(depends.contains(QStringLiteral(SFP_QT_DEV_PACKAGE)), qPrintable(depends));
    }
}

void tst_Package::unpacksIntoOneRoot_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("installed");

    const auto row = [](const QString &file, bool installed = true) {
        QTest::newRow(qPrintable(file)) << file << installed;
    };
    const QString include = QStringLiteral(SFP_INSTALL_INCLUDEDIR "/");
    for (const char *header : { "cr2200fp_scuinterface.h", "cr2200fp_led.h", "cr2200fp_messages.h",
             "cr2200fp_app.h", "cr2200fp_setupinterface.h", "cr2200fp_setupfile.h",
             "cr2200fp_overviewinterface.h", "visa.h" })
        row(include + QLatin1String(header));
    // A real VISA owns include/visa.h.
    row(QStringLiteral(CMAKE_INSTALL_INCLUDEDIR "/visa.h"), false);
    row(QStringLiteral(SFP_INSTALL_LIBDIR "/libsoftfrontpanel.a"));
    row(QStringLiteral(SFP_INSTALL_CMAKEDIR "/SoftFrontPanelQt" SFP_QT_MAJOR "Config.cmake"));
    row(QStringLiteral(
        SFP_INSTALL_CMAKEDIR "/SoftFrontPanelQt" SFP_QT_MAJOR "ConfigVersion.cmake"));
    row(QStringLiteral(SFP_INSTALL_PLUGINDIR "/libsc4830fp.so"));
    row(QStringLiteral(SFP_INSTALL_HOSTDIR "/sfp-host"));
    row(QStringLiteral(CMAKE_INSTALL_BINDIR "/" SFP_HOST_COMMAND));
    // The menu entry, its icon and AppStream metadata, named after the Qt of the host.
    const QString share = QStringLiteral(CMAKE_INSTALL_DATAROOTDIR "/");
    row(share + QStringLiteral("applications/" SFP_APP_ID ".desktop"));
    row(share + QStringLiteral("metainfo/" SFP_APP_ID ".metainfo.xml"));
    for (const char *icon : { "scalable/apps/" SFP_APP_ID ".svg", "48x48/apps/" SFP_APP_ID ".png",
             "128x128/apps/" SFP_APP_ID ".png" })
        row(share + QStringLiteral("icons/hicolor/") + QLatin1String(icon));
    // The stand-ins by their SONAMEs, private to the host: nothing links them at build time.
    for (const char *library : { "libvisa.so", "libsimcarrier.so", "libsc4830.so" }) {
        row(QStringLiteral(SFP_INSTALL_HOSTDIR "/") + QLatin1String(library)
            + QStringLiteral(".1"));
        row(QStringLiteral(SFP_INSTALL_HOSTDIR "/") + QLatin1String(library), false);
        row(QStringLiteral(CMAKE_INSTALL_LIBDIR "/") + QLatin1String(library)
                + QStringLiteral(".1"),
            false);
    }
    // The setup file's description and an example go with the host.
    row(QStringLiteral("share/doc/") + hostPackage + QStringLiteral("/setup.md"));
    row(QStringLiteral("share/doc/") + hostPackage + QStringLiteral("/examples/strain-bench.json"));
    for (const QString &package : { runtimePackage, developmentPackage, hostPackage }) {
        row(QStringLiteral("share/doc/") + package + QStringLiteral("/copyright"));
        row(QStringLiteral("share/doc/") + package + QStringLiteral("/changelog.Debian.gz"));
    }
}

void tst_Package::unpacksIntoOneRoot()
{
    QFETCH(QString, file);
    QFETCH(bool, installed);

    if (!QFileInfo::exists(usr())) {
        QVERIFY2(!debs.isEmpty(), "no packages were built");
        for (const QString &deb : qAsConst(debs)) {
            const Step unpack = runStep(
                QStringLiteral("dpkg-deb"), { QStringLiteral("-x"), deb, QFileInfo(usr()).path() });
            QVERIFY2(unpack.finished && unpack.exitCode == 0, qPrintable(unpack.output));
        }
    }
    QCOMPARE(QFileInfo::exists(usr() + QLatin1Char('/') + file), installed);
}

void tst_Package::exampleConfiguresAgainstTheDevelopmentPackage()
{
    // The resource tree as objects, which a linker keeps whole.
    const QDir resources(usrPath(SFP_INSTALL_RESOURCEDIR));
    QVERIFY(!resources.entryList({ QStringLiteral("*.o") }, QDir::Files).isEmpty());

    const Step configure = runStep(QStringLiteral(SFP_CMAKE_COMMAND),
        { QStringLiteral("-S"), QStringLiteral(SFP_SOURCE_DIR "/examples/minimal-host"),
            QStringLiteral("-B"), exampleBuild(), QStringLiteral("-DCMAKE_PREFIX_PATH=") + usr(),
            QStringLiteral("-DSFP_QT_MAJOR=" SFP_QT_MAJOR),
            QStringLiteral("-DCMAKE_BUILD_TYPE=" SFP_BUILD_TYPE),
            QStringLiteral("-DCMAKE_CXX_COMPILER=" SFP_CXX_COMPILER) });
    QVERIFY2(configure.finished && configure.exitCode == 0, qPrintable(configure.output));
    // The package was found where it was unpacked, not in the build tree.
    QFile cache(exampleBuild() + QStringLiteral("/CMakeCache.txt"));
    QVERIFY(cache.open(QIODevice::ReadOnly | QIODevice::Text));
    QVERIFY(cache.readAll().contains(
        QString(QStringLiteral("SoftFrontPanelQt" SFP_QT_MAJOR "_DIR:PATH=")
            + usrPath(SFP_INSTALL_CMAKEDIR))
            .toLocal8Bit()));
}

void tst_Package::exampleBuilds()
{
    const Step build
        = runStep(QStringLiteral(SFP_CMAKE_COMMAND), { QStringLiteral("--build"), exampleBuild() });
    QVERIFY2(build.finished && build.exitCode == 0, qPrintable(build.output));
    QVERIFY(QFileInfo(exampleBuild() + QStringLiteral("/minimal-host")).isExecutable());
}

void tst_Package::exampleShowsAPanelOfTheRuntimePackage()
{
    QProcessEnvironment env = offscreenEnvironment();
    // VISA and the unit's driver are outside the plug-in's package: the host package's
    // stand-ins serve.
    env.insert(QStringLiteral("LD_LIBRARY_PATH"), usrPath(SFP_INSTALL_HOSTDIR));
    const Step run = runStep(exampleBuild() + QStringLiteral("/minimal-host"), {}, env);
    QVERIFY2(run.finished && run.exitCode == 0, qPrintable(run.output));
    const QStringList lines = run.output.split(QLatin1Char('\n'));
    QVERIFY2(lines.contains(QStringLiteral("logos: linked")), qPrintable(run.output));
    QVERIFY2(lines.contains(QStringLiteral("model: 4830-AA (DEMO)")), qPrintable(run.output));
    QVERIFY(lines.contains(
        QStringLiteral("description: Orbisa 4830 - 16 Channel Signal Conditioning Unit")));
}

void tst_Package::desktopMetadataValidates_data()
{
    QTest::addColumn<QString>("validator");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("file");

    QTest::newRow("menu entry") << QStringLiteral("desktop-file-validate") << QStringList()
                                << QStringLiteral(CMAKE_INSTALL_DATAROOTDIR
                                       "/applications/" SFP_APP_ID ".desktop");
    QTest::newRow("AppStream") << QStringLiteral(
        "appstreamcli") << QStringList { QStringLiteral("validate"), QStringLiteral("--no-net") }
                               << QStringLiteral(CMAKE_INSTALL_DATAROOTDIR "/metainfo/" SFP_APP_ID
                                                                           ".metainfo.xml");
}

void tst_Package::desktopMetadataValidates()
{
    QFETCH(QString, validator);
    QFETCH(QStringList, arguments);
    QFETCH(QString, file);

    const Step check = runStep(validator, arguments << usr() + QLatin1Char('/') + file);
    QVERIFY2(check.finished && check.exitCode == 0, qPrintable(check.output));
    // Both print a line for each error and warning; infos may stay.
    for (const QString &line : check.output.split(QLatin1Char('\n'))) {
        QVERIFY2(!line.contains(QLatin1String("warning")) && !line.startsWith(QLatin1String("W:"))
                && !line.startsWith(QLatin1String("E:")),
            qPrintable(check.output));
    }
}

void tst_Package::hostPackageStartsTheHost()
{
    // The start script finds the host and its stand-ins relative to itself, and the host
    // the runtime package's plug-in relative to itself; nothing of the build tree is on the
    // library path. As root the suite runs it as an ordinary user, who can write nothing of
    // the unpacked root, with a home and a folder of its own.
    const QString home = work.filePath(QStringLiteral("home"));
    QVERIFY(QDir().mkpath(home + QStringLiteral("/runtime")));
    QString program = usrPath(CMAKE_INSTALL_BINDIR "/" SFP_HOST_COMMAND);
    QStringList arguments;
    if (::geteuid() == 0) {
        QFile::setPermissions(
            work.path(), QFile::permissions(work.path()) | QFile::ExeOther | QFile::ReadOther);
        const Step own = runStep(QStringLiteral("chown"),
            { QStringLiteral("-R"), ordinaryUser + QStringLiteral(":nogroup"), home });
        QVERIFY2(own.finished && own.exitCode == 0, qPrintable(own.output));
        arguments = asOrdinaryUser() << program;
        program = QStringLiteral("setpriv");
    }
    QProcessEnvironment env = offscreenEnvironment();
    env.remove(QStringLiteral("LD_LIBRARY_PATH"));
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home + QStringLiteral("/runtime"));
    const QString screenshot = home + QStringLiteral("/host.png");
    const Step run
        = runStep(program, arguments << QStringLiteral("--screenshot") << screenshot, env, home);
    QVERIFY2(run.finished && run.exitCode == 0, qPrintable(run.output));
    QVERIFY2(run.output.contains(usrPath(SFP_INSTALL_PLUGINDIR "/libsc4830fp.so")),
        qPrintable(run.output));
    QVERIFY2(run.output.split(QLatin1Char('\n')).contains(QStringLiteral("model: 4830-AB")),
        qPrintable(run.output));
    QVERIFY(QFileInfo(screenshot).size() > 0);
}

QTEST_MAIN(tst_Package)
#include "tst_package.moc"
