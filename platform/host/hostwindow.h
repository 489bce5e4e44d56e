#ifndef HOSTWINDOW_H
#define HOSTWINDOW_H

#include <cr2200fp_app.h>
#include <cr2200fp_scuinterface.h>

#include <QPointer>

class BenchConsole;
class HostLog;
class QComboBox;
class QVBoxLayout;
class SimulatedBench;

// sfp-host's window, built on the shared library's application frame: the banner, the
// "Active" lamp (lit while a unit is attached, dark in demonstration), Reset, help, About
// and Close (which asks first). The content area holds the simulated resource to attach
// to, the embedded front panel and the host's log, with the "Simulated bench" console
// beside them.
//
// The window listens to the panel as any host does, by signature, and reports each
// emission in its log. GUI thread only.
class HostWindow : public cr2200fp_app
{
    Q_OBJECT

public:
    explicit HostWindow(SimulatedBench &bench);

    // Embeds the panel above the log in place of the previous one, which is deleted (and
    // so closes its unit) first. The window owns the panel from now on. Connects to
    // gainChanged(int,ViReal64) and masterError(int,const char*); false, with the reason
    // in the log, if the panel lacks one of them.
    bool embedPanel(cr2200fp_scuInterface *panel);
    // Deletes the embedded panel, if any.
    void removePanel();
    cr2200fp_scuInterface *panel() const { return currentPanel; }

    // Shows what the panel attached to: resource (empty in demonstration) and the
    // panel's texts in the banner, the lamp and the status lines.
    void showAttached(const QString &resource);

    HostLog *log() const { return hostLog; }
    BenchConsole *console() const { return benchConsole; }
    QComboBox *resources() const { return cbResource; }
    // The same as log()->report(line).
    void report(const QString &line);

signals:
    // The operator chose another simulated resource to attach to.
    void resourceChosen(const QString &resource);

public slots:
    // A channel's unit gain was applied (chIdx 0-based).
    void panelGainChanged(int chIdx, ViReal64 gain);
    // A driver call failed with the carrier's error.
    void panelMasterError(int error, const char *fcall);
    // The About box: the host and the panel's identity and versions.
    void showAbout();

private:
    QLayout *buildContent();
    bool connectPanel(const char *signal, const char *slot);

    SimulatedBench &bench;
    QComboBox *cbResource = nullptr;
    QVBoxLayout *panelColumn = nullptr;
    HostLog *hostLog = nullptr;
    BenchConsole *benchConsole = nullptr;
    QPointer<cr2200fp_scuInterface> currentPanel;
};

#endif // HOSTWINDOW_H
