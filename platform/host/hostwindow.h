#ifndef SFP_HOSTWINDOW_H
#define SFP_HOSTWINDOW_H

#include <cr2200fp_app.h>
#include <cr2200fp_scuinterface.h>
#include <cr2200fp_setupinterface.h>

#include "panelsnapshot.h"

#include <QPointer>

class HostLog;
class HostSetups;
class HostViews;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QToolButton;
class QVBoxLayout;
class Simulation;
class SimulationConsole;

// sfp-host's window, built on the shared library's application frame: the banner, the
// "Active" lamp (lit while a unit is attached, dark in demonstration), Reset, help, About
// and Close (which asks first). The content area holds the simulated resource to attach
// to, the embedded front panel (its pages, or the table of all its channels: HostViews)
// and the host's log, with the "Simulation" console beside them, which the operator shows
// and hides.
//
// Fitted to a screen, the window keeps Close on it: it shows the console only where the
// screen is wide enough for it, takes no more room than the screen offers and sits in the
// middle of it. Focus starts on the panel's first control.
//
// The window listens to the panel as any host does, by signature, and reports each
// emission in its log. GUI thread only.
class HostWindow : public cr2200fp_app
{
    Q_OBJECT

public:
    explicit HostWindow(Simulation &simulation);

    // Embeds the panel above the log in place of the previous one, which is deleted (and
    // so closes its unit) first. The window owns the panel from now on. Connects to
    // gainChanged(int,ViReal64) and masterError(int,const char*); false, with the reason
    // in the log, if the panel lacks one of them.
    bool embedPanel(cr2200fp_scuInterface *panel);
    // Deletes the embedded panel, if any.
    void removePanel();
    cr2200fp_scuInterface *panel() const { return currentPanel; }

    // Shows what the panel attached to: resource (empty in demonstration) and the
    // panel's texts in the banner, the lamp and the status lines; the resource list shows
    // it again. The panel's settings as they are now count as its defaults from here on.
    void showAttached(const QString &resource);
    // Before an action that throws the panel's settings away: asks the operator, with the
    // question given, when any control of the panel differs from its defaults. True when
    // the settings may go (nothing changed, or Yes); No is the default and escape answer.
    bool mayDiscardSettings(const QString &question);
    // Reads the setup file path and, when the operator lets it replace settings (see
    // mayDiscardSettings), has setups() stage it and shows the table with what it would
    // change, nothing sent; the summary box follows once "Apply changed" has applied it.
    void loadSetup(const QString &path);

    // Fits the window to a screen's available area: on the first fit the console is
    // shown only if the window with it fits that width; the window takes its preferred
    // size within the area (never below the content's minimum) and is centred in it,
    // frame included, its top left kept inside.
    void fitToScreen(const QRect &available);
    // Where a window of the given frame size goes in the area: centred, top left inside.
    static QPoint centredIn(const QSize &frame, const QRect &available);

    HostLog *log() const { return hostLog; }
    SimulationConsole *console() const { return simulationConsole; }
    QComboBox *resources() const { return cbResource; }
    QPushButton *attachButton() const { return pbAttach; }
    QCheckBox *simulationToggle() const { return chkSimulation; }
    // "Save setup..." and "Load setup...".
    HostSetups *setups() const { return hostSetups; }
    // "Earlier settings..." (Ctrl+E).
    QToolButton *earlierButton() const { return pbEarlier; }
    // The panel's pages and its table of all channels.
    HostViews *views() const { return hostViews; }
    // The same as log()->report(line).
    void report(const QString &line);

signals:
    // The operator confirmed another simulated resource to attach to.
    void resourceChosen(const QString &resource);

public slots:
    // A channel's unit gain was applied (chIdx 0-based).
    void panelGainChanged(int chIdx, ViReal64 gain);
    // A driver call failed with the carrier's error.
    void panelMasterError(int error, const char *fcall);
    // The About box: the host and the panel's identity and versions.
    void showAbout();
    // Shows or hides the console; the window shrinks to what remains or grows to hold it,
    // and is placed on its screen again.
    void showSimulation(bool shown);

protected:
    bool event(QEvent *event) override;

private:
    QLayout *buildContent();
    QLayout *buildResourceRow();
    QWidget *buildCaptionBar(QLabel *logLabel);
    void confirmResource();
    void chooseSetup();
    void showResourceChoice();
    bool connectPanel(const char *signal, const char *slot);
    void focusPanel();
    void reportChangesApplied(const cr2200fp_setupResult &result);
    void reportChangesReverted();
    void endReview();
    // Stages setup from source (a file, or earlier settings) and shows the table with
    // what it would change; a setup refused whole changes nothing.
    void stageForReview(const QString &source, const cr2200fp_setup &setup);
    // "Earlier settings...": the list, then the one chosen staged for review.
    void chooseEarlierSettings();
    // Enables "Earlier settings..." while the panel has any, and says why not in its tooltip.
    void offerEarlierSettings();
    QRect availableArea() const;

    Simulation &simulation;
    QComboBox *cbResource = nullptr;
    QPushButton *pbAttach = nullptr;
    QString attachedResource; // empty in demonstration
    QCheckBox *chkSimulation = nullptr;
    QVBoxLayout *panelColumn = nullptr;
    HostLog *hostLog = nullptr;
    SimulationConsole *simulationConsole = nullptr;
    HostSetups *hostSetups = nullptr;
    HostViews *hostViews = nullptr;
    QToolButton *pbEarlier = nullptr; // "Earlier settings..."
    QString reviewSource; // the staged setup the table shows for review; empty: none
    QVector<cr2200fp_channelOutcome> reviewSkipped; // its channels not on this carrier
    QPointer<cr2200fp_scuInterface> currentPanel;
    PanelSnapshot defaults;
    bool fitted = false; // the console's default is decided
    QRect fitArea; // the area of the last fit
    bool awaitingFrame = false; // fitted without knowing the window manager's frame
};

#endif // SFP_HOSTWINDOW_H
