// The shared library as an installed CMake package: `cmake --install` into a fresh
// prefix (with a blank in its path), then the example host in examples/minimal-host
// configured and built against it with find_package(SoftFrontPanel), then run: it loads
// the installed plug-in and shows a panel.
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

constexpr int stepTimeoutMs = 50000;

struct Step
{
    bool finished = false;
    int exitCode = -1;
    QString output;
};

Step runStep(const QString &program, const QStringList &arguments,
    const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    Step step;
    step.finished = process.waitForFinished(stepTimeoutMs);
    if (!step.finished)
        process.kill();
    step.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    step.output = QString::fromLocal8Bit(process.readAll());
    return step;
}

} // namespace

class tst_Package : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void installsLibraryHeadersModuleAndPackage();
    void exampleConfiguresAgainstThePackage();
    void exampleBuilds();
    void exampleShowsAPanel();

private:
    QString prefix() const { return work.filePath(QStringLiteral("install prefix")); }
    QString exampleBuild() const { return work.filePath(QStringLiteral("example")); }

    QTemporaryDir work;
};

void tst_Package::initTestCase()
{
    QVERIFY(work.isValid());
}

void tst_Package::installsLibraryHeadersModuleAndPackage()
{
    const Step install = runStep(QStringLiteral(SFP_CMAKE_COMMAND),
        { QStringLiteral("--install"), QStringLiteral(SFP_BINARY_DIR), QStringLiteral("--prefix"),
            prefix(), QStringLiteral("--component"), QStringLiteral("SoftFrontPanel") });
    QVERIFY2(install.finished && install.exitCode == 0, qPrintable(install.output));

    const QDir root(prefix());
    for (const char *file : { "lib/libsoftfrontpanel.a", "include/cr2200fp_scuinterface.h",
             "include/cr2200fp_led.h", "include/cr2200fp_messages.h", "include/cr2200fp_app.h",
             "include/visa.h", "lib/softfrontpanel/plugins/libsc4830fp.so",
             "lib/cmake/SoftFrontPanel/SoftFrontPanelConfig.cmake",
             "lib/cmake/SoftFrontPanel/SoftFrontPanelConfigVersion.cmake" })
        QVERIFY2(QFileInfo::exists(root.filePath(QLatin1String(file))), file);
    // The resource tree as objects, which a linker keeps whole.
    const QDir resources(root.filePath(QStringLiteral("lib/softfrontpanel/resources")));
    QVERIFY(!resources.entryList({ QStringLiteral("*.o") }, QDir::Files).isEmpty());
}

void tst_Package::exampleConfiguresAgainstThePackage()
{
    const Step configure = runStep(QStringLiteral(SFP_CMAKE_COMMAND),
        { QStringLiteral("-S"), QStringLiteral(SFP_SOURCE_DIR "/examples/minimal-host"),
            QStringLiteral("-B"), exampleBuild(), QStringLiteral("-DCMAKE_PREFIX_PATH=") + prefix(),
            QStringLiteral("-DCMAKE_BUILD_TYPE=" SFP_BUILD_TYPE),
            QStringLiteral("-DCMAKE_CXX_COMPILER=" SFP_CXX_COMPILER) });
    QVERIFY2(configure.finished && configure.exitCode == 0, qPrintable(configure.output));
    // The package was found where it was installed, not in the build tree.
    QFile cache(exampleBuild() + QStringLiteral("/CMakeCache.txt"));
    QVERIFY(cache.open(QIODevice::ReadOnly | QIODevice::Text));
    QVERIFY(cache.readAll().contains(QString(QStringLiteral("SoftFrontPanel_DIR:PATH=") + prefix()
        + QStringLiteral("/lib/cmake/SoftFrontPanel"))
                                         .toLocal8Bit()));
}

void tst_Package::exampleBuilds()
{
    const Step build
        = runStep(QStringLiteral(SFP_CMAKE_COMMAND), { QStringLiteral("--build"), exampleBuild() });
    QVERIFY2(build.finished && build.exitCode == 0, qPrintable(build.output));
    QVERIFY(QFileInfo(exampleBuild() + QStringLiteral("/minimal-host")).isExecutable());
}

void tst_Package::exampleShowsAPanel()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    // VISA and the unit's driver are outside the package: the simulated ones stand in.
    env.insert(QStringLiteral("LD_LIBRARY_PATH"), QStringLiteral(SFP_BINARY_DIR "/lib"));
    const Step run = runStep(exampleBuild() + QStringLiteral("/minimal-host"), {}, env);
    QVERIFY2(run.finished && run.exitCode == 0, qPrintable(run.output));
    const QStringList lines = run.output.split(QLatin1Char('\n'));
    QVERIFY2(lines.contains(QStringLiteral("logos: linked")), qPrintable(run.output));
    QVERIFY2(lines.contains(QStringLiteral("model: 4830-AA (DEMO)")), qPrintable(run.output));
    QVERIFY(lines.contains(
        QStringLiteral("description: Orbisa 4830 - 16 Channel Signal Conditioning Unit")));
}

QTEST_MAIN(tst_Package)
#include "tst_package.moc"
