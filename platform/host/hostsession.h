#ifndef SFP_HOSTSESSION_H
#define SFP_HOSTSESSION_H

#include "hostoptions.h"

#include "panelloader.h"
#include "scenario.h"
#include "simulation.h"
#include <cr2200fp_setupinterface.h>

#include <QObject>

#include <memory>

class HostWindow;
class ScenarioPlayer;

// One run of sfp-host: loads the plug-in, creates the panel, hands it the simulated
// carrier, attaches it, embeds it in the window, plays the scenario and, when asked (or
// when there is no display), writes a screenshot and quits. It calls each panel in the
// order a host owes it: createPanel, setMaster, isCarrierSupported and detectUnit,
// initUnit once, and the identity texts. Reset and a change of resource delete the panel
// and attach a new one the same way, after asking the operator when the panel holds
// settings the operator changed. GUI thread only.
class HostSession : public QObject
{
    Q_OBJECT

public:
    // Exit statuses of sfp-host.
    enum ExitStatus {
        ExitOk = 0,
        ExitUsage = 2, // bad command line or scenario file
        ExitPlugin = 3, // the plug-in could not be loaded or is not ours
        ExitPanel = 4, // the factory made no panel
        ExitOutput = 5, // a screenshot, call log or --save-setup could not be written
        ExitSetup = 6, // a channel of --setup was refused by the unit or skipped
        ExitDiffers = 7, // --compare-setup: the file would change a setting
    };

    explicit HostSession(const HostOptions &options, QObject *parent = nullptr);
    ~HostSession() override;

    // Loads and attaches the panel and shows the window. ExitOk when the panel runs (the
    // caller then runs the event loop unless ended()); any other status after a one-line
    // message on standard error, but ExitDiffers, whose lines are on standard output.
    int start();
    // --compare-setup has given its answer: the run ends without showing the window.
    bool ended() const { return compared; }
    // Arranges the end of the run as the options ask: after --quit-after, at the
    // scenario's quit step, or without a display once the scenario has played (at once
    // without one), each with a screenshot; with a display and --screenshot alone, a
    // screenshot once the window is up.
    void scheduleFinish();
    // Deletes the window and the panel with it (which closes the unit), writes the call
    // log if asked, and gives the process's exit status: status, unless that fails; a run
    // that would end with ExitOk ends with ExitSetup when --setup left a channel unapplied.
    int shutDown(int status);

    HostWindow *window() const { return hostWindow.get(); }
    Simulation &simulation() { return sim; }

    // True on a platform without a screen (offscreen, minimal): sfp-host then takes its
    // screenshot and quits on its own.
    static bool headless();
    // Where the screenshot goes when none is named: sfp-host.png in the current folder.
    static QString defaultScreenshotPath();
    // "sfp-host: " and the problem, on standard error.
    static void printError(const QString &problem);

public slots:
    // Deletes the panel and attaches a new one to the same carrier.
    void reset();
    // Deletes the panel, opens a carrier session under the resource and attaches a new
    // panel to it. Answered No, the resource list shows the current resource again.
    void changeResource(const QString &resource);

private:
    void fitToScreen();
    bool createPanel();
    void attach();
    void reportIdentity();
    void startScenario();
    int runSetupOptions();
    int compareSetup(cr2200fp_setupInterface *panel);
    void finish();
    bool writeScreenshot();
    void report(const QString &line);

    HostOptions options;
    Simulation sim;
    PanelLoader loader;
    Scenario scenario;
    cr2200fp_setup setup; // --setup's, read before anything is loaded
    cr2200fp_setup comparedSetup; // --compare-setup's, read with it
    bool compared = false;
    int setupStatus = ExitOk;
    QString resource;
    std::unique_ptr<HostWindow> hostWindow;
    ScenarioPlayer *player = nullptr;
    bool finishing = false;
};

#endif // SFP_HOSTSESSION_H
