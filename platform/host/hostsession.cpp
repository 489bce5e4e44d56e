#include "hostsession.h"

#include "hostlog.h"
#include "hostsetups.h"
#include "hostwindow.h"
#include "scenarioplayer.h"
#include "setupcomparison.h"
#include "simulatedresources.h"
#include "simulationconsole.h"
#include "sourcetexts.h"

#include <cr2200fp_scuinterface.h>
#include <cr2200fp_setupfile.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

#include <cstdio>

namespace {

QString yesNo(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

QString hex16(ViUInt16 value)
{
    return QStringLiteral("0x%1").arg(value, 4, 16, QLatin1Char('0'));
}

// What the command line leaves out of the simulated carrier and unit.
SimulationShape simulationShape(const HostOptions &options)
{
    SimulationShape shape;
    shape.noReference = options.noReference;
    shape.noUnit = options.noUnit;
    return shape;
}

} // namespace

HostSession::HostSession(const HostOptions &options, QObject *parent)
    : QObject(parent)
    , options(options)
    , sim(simulationShape(options))
    , loader(options.pluginPath.isEmpty() ? PanelLoader::defaultModule() : options.pluginPath)
    , resource(defaultResource())
{
}

HostSession::~HostSession()
{
    // The player drives the simulation and the window holds the panel: both go before
    // the simulation closes the carrier.
    delete player;
    hostWindow.reset();
}

int HostSession::start()
{
    if (!options.scenarioPath.isEmpty()) {
        const QString problem = scenario.load(options.scenarioPath);
        if (!problem.isEmpty()) {
            printError(problem);
            return ExitUsage;
        }
    }
    // A setup file that cannot be read ends the run before anything is loaded, as a bad
    // scenario does; what only the panel can check ends it after the attach.
    {
        const SourceTexts english; // for standard error
        QString setupProblem;
        if ((!options.setupPath.isEmpty()
                && !cr2200fp_setupFile::read(options.setupPath, &setup, &setupProblem))
            || (!options.compareSetupPath.isEmpty()
                && !cr2200fp_setupFile::read(
                    options.compareSetupPath, &comparedSetup, &setupProblem))) {
            printError(setupProblem);
            return ExitUsage;
        }
    }
    if (!loader.load()) {
        printError(loader.errorString());
        return ExitPlugin;
    }
    hostWindow = std::make_unique<HostWindow>(sim);
    connect(&sim, &Simulation::reported, hostWindow.get(), &HostWindow::report);
    connect(hostWindow.get(), &cr2200fp_app::resetPressed, this, &HostSession::reset);
    connect(hostWindow.get(), &HostWindow::resourceChosen, this, &HostSession::changeResource);
    report(QStringLiteral("plug-in: %1").arg(loader.path()));
    report(QStringLiteral("interface: %1").arg(loader.interfaceId()));

    // Steps due at once shape the simulation before the panel attaches to it.
    startScenario();
    if (!createPanel()) {
        printError(QStringLiteral("the plug-in's factory made no panel: %1").arg(loader.path()));
        return ExitPanel;
    }
    const int status = runSetupOptions();
    if (status != ExitOk || compared)
        return status;
    // Without a screen the window is only photographed: it keeps the console and its
    // whole size.
    if (!headless())
        fitToScreen();
    hostWindow->show();
    return ExitOk;
}

int HostSession::shutDown(int status)
{
    delete player;
    player = nullptr;
    hostWindow.reset();
    if (status == ExitOk)
        status = setupStatus;
    if (!options.callLogPath.isEmpty() && !Simulation::writeCallLog(options.callLogPath)) {
        printError(QStringLiteral("cannot write the call log: %1").arg(options.callLogPath));
        return status == ExitOk ? ExitOutput : status;
    }
    return status;
}

bool HostSession::headless()
{
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}

QString HostSession::defaultScreenshotPath()
{
    // The operator's folder: the installed binary's own lies under the system's library
    // folder, which only root may write.
    return QDir::current().absoluteFilePath(QStringLiteral("sfp-host.png"));
}

void HostSession::printError(const QString &problem)
{
    const QByteArray text = QStringLiteral("sfp-host: %1\n").arg(problem).toLocal8Bit();
    std::fwrite(text.constData(), 1, size_t(text.size()), stderr);
    std::fflush(stderr);
}

void HostSession::reset()
{
    if (!hostWindow->mayDiscardSettings(
            tr("Resetting the device discards the settings of every channel.\n"
               "Do you want to reset it?"))) {
        report(QStringLiteral("reset: declined, the panel keeps its settings"));
        return;
    }
    report(QStringLiteral("reset: a new panel"));
    hostWindow->removePanel();
    if (!createPanel())
        report(QStringLiteral("the plug-in's factory made no panel"));
}

void HostSession::changeResource(const QString &name)
{
    if (options.demo || name == resource)
        return;
    if (!hostWindow->mayDiscardSettings(
            tr("Attaching to %1 discards the settings of every channel.\n"
               "Do you want to attach to it?")
                .arg(name))) {
        report(QStringLiteral("resource: %1 declined, the panel keeps its settings").arg(name));
        hostWindow->resources()->setCurrentText(resource);
        return;
    }
    report(QStringLiteral("resource: %1").arg(name));
    hostWindow->removePanel();
    sim.closeCarrier();
    resource = name;
    if (!createPanel())
        report(QStringLiteral("the plug-in's factory made no panel"));
}

void HostSession::fitToScreen()
{
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        hostWindow->fitToScreen(screen->availableGeometry());
}

bool HostSession::createPanel()
{
    cr2200fp_scuInterface *panel = loader.factory()->createPanel();
    if (!panel)
        return false;
    // Connected before initUnit, which applies every channel and so reports each gain.
    hostWindow->embedPanel(panel);
    // Every box reads "Orbisa 4830 ...", also those the attach may show: the panel names
    // its model ("4830-AA (DEMO)") before it attaches.
    loader.setModelName(panel->model().section(QLatin1Char('-'), 0, 0));
    attach();
    reportIdentity();
    return true;
}

void HostSession::attach()
{
    cr2200fp_scuInterface *panel = hostWindow->panel();
    const ViSession masterVi = options.demo ? 0 : sim.openCarrier(options.carrier);
    if (masterVi)
        report(QStringLiteral("carrier: %1, model %2, session %3")
                   .arg(resource, hex16(options.carrier))
                   .arg(masterVi));
    else
        report(
            QStringLiteral("carrier: none, demonstration (model %1)").arg(hex16(options.carrier)));
    panel->setMaster(masterVi, options.carrier, 0);
    report(QStringLiteral("isCarrierSupported: %1").arg(yesNo(panel->isCarrierSupported())));
    const bool unitFound = panel->detectUnit();
    report(QStringLiteral("detectUnit: %1").arg(yesNo(unitFound)));
    const bool attached = masterVi && unitFound;
    if (masterVi && !unitFound) {
        // Nothing answers in the unit's slot: opening a driver session there would talk
        // to whatever does sit on the bus. The panel is shown as a demonstration instead.
        report(QStringLiteral("no unit answers the carrier's probe: demonstration"));
        panel->setMaster(0, options.carrier, 0);
    }
    report(QStringLiteral("initUnit: %1").arg(yesNo(panel->initUnit())));
    hostWindow->showAttached(attached ? resource : QString());
}

int HostSession::runSetupOptions()
{
    if (options.setupPath.isEmpty() && options.saveSetupPath.isEmpty()
        && options.compareSetupPath.isEmpty())
        return ExitOk;
    HostSetups *setups = hostWindow->setups();
    cr2200fp_setupInterface *panel = setups->panelSetups();
    if (!panel) {
        printError(QStringLiteral("the plug-in's panel offers no setups: %1").arg(loader.path()));
        return ExitPlugin;
    }
    if (!options.setupPath.isEmpty()) {
        const cr2200fp_setupResult result = panel->applySetup(setup);
        // The lines below are for standard output and standard error. A setup refused
        // whole changed nothing: it is asked again for the refusal in English.
        const SourceTexts english;
        if (result.refusedWhole()) {
            printError(
                cr2200fp_setupFile::message(options.setupPath, panel->applySetup(setup).error));
            return ExitUsage;
        }
        report(QStringLiteral("setup: %1, %2 channel(s)")
                   .arg(options.setupPath)
                   .arg(result.channels.size()));
        for (const cr2200fp_channelOutcome &outcome : result.channels) {
            const QString problem = HostSetups::problem(outcome);
            if (!problem.isEmpty()) {
                report(QStringLiteral("setup: %1").arg(problem));
                printError(problem);
            }
        }
        if (!result.allApplied())
            setupStatus = ExitSetup;
    }
    const SourceTexts english; // for standard error
    QString problem;
    if (!options.saveSetupPath.isEmpty() && !setups->saveTo(options.saveSetupPath, &problem)) {
        printError(problem);
        return ExitOutput;
    }
    return options.compareSetupPath.isEmpty() ? ExitOk : compareSetup(panel);
}

int HostSession::compareSetup(cr2200fp_setupInterface *panel)
{
    // Staged, the file shows what loading it would make of every channel, the mode's own
    // adjustments included, and sends nothing; the run ends here, so nothing is reverted.
    compared = true;
    const cr2200fp_setup before = panel->currentSetup();
    const cr2200fp_setupResult result = panel->stageSetup(comparedSetup);
    if (result.refusedWhole()) {
        printError(cr2200fp_setupFile::message(options.compareSetupPath, result.error));
        return ExitUsage;
    }
    QStringList lines;
    for (const SetupComparison::Difference &difference :
        SetupComparison::differences(before, panel->currentSetup()))
        lines.append(SetupComparison::line(difference));
    // Channels the carrier lacks come last, being the highest.
    for (const cr2200fp_channelOutcome &outcome : result.channels) {
        if (outcome.kind != cr2200fp_channelOutcome::Staged)
            lines.append(HostSetups::problem(outcome));
    }
    for (const QString &line : qAsConst(lines))
        HostLog::print(line);
    return lines.isEmpty() ? ExitOk : ExitDiffers;
}

void HostSession::reportIdentity()
{
    cr2200fp_scuInterface *panel = hostWindow->panel();
    report(QStringLiteral("description: %1").arg(panel->description()));
    report(QStringLiteral("model: %1").arg(panel->model()));
    report(QStringLiteral("serial number: %1").arg(panel->serialNumber()));
    report(QStringLiteral("revision: %1").arg(panel->revision()));
}

void HostSession::startScenario()
{
    if (options.scenarioPath.isEmpty())
        return;
    report(QStringLiteral("scenario: %1, %2 step(s) over %3 ms")
               .arg(options.scenarioPath)
               .arg(scenario.steps().size())
               .arg(scenario.lengthMs()));
    player = new ScenarioPlayer(scenario, sim, this);
    // Queued: a quit due at once must wait for the panel and the event loop.
    connect(
        player, &ScenarioPlayer::quitRequested, this,
        [this] {
            report(QStringLiteral("scenario: quit"));
            finish();
        },
        Qt::QueuedConnection);
    player->start();
}

void HostSession::scheduleFinish()
{
    if (options.quitAfterMs >= 0) {
        QTimer::singleShot(options.quitAfterMs, this, &HostSession::finish);
    } else if (headless()) {
        // Without a screen there is nobody to close the window: the run ends once the
        // scenario has played, or at once.
        if (player && !player->isFinished())
            connect(player, &ScenarioPlayer::finished, this, &HostSession::finish);
        else
            QTimer::singleShot(0, this, &HostSession::finish);
    } else if (!options.screenshotPath.isEmpty()) {
        QTimer::singleShot(0, this, [this] {
            if (!writeScreenshot())
                QCoreApplication::exit(ExitOutput);
        });
    }
}

void HostSession::finish()
{
    if (finishing)
        return;
    finishing = true;
    const bool wanted = headless() || !options.screenshotPath.isEmpty();
    QCoreApplication::exit(wanted && !writeScreenshot() ? ExitOutput : ExitOk);
}

bool HostSession::writeScreenshot()
{
    const QString path = QFileInfo(
        options.screenshotPath.isEmpty() ? defaultScreenshotPath() : options.screenshotPath)
                             .absoluteFilePath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    hostWindow->console()->refresh(); // the call log up to this moment
    if (!hostWindow->grab().save(path, "PNG")) {
        printError(QStringLiteral("cannot write the screenshot: %1").arg(path));
        return false;
    }
    report(QStringLiteral("screenshot: %1").arg(path));
    return true;
}

void HostSession::report(const QString &line)
{
    hostWindow->report(line);
}
