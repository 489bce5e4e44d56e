#ifndef SFP_HOSTSETUPS_H
#define SFP_HOSTSETUPS_H

#include <cr2200fp_scuinterface.h>
#include <cr2200fp_setupinterface.h>

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

class HostLog;
class QToolButton;
class QWidget;

// The window's "Save setup..." and "Load setup..." buttons and what they do: the file
// dialogs (*.json, starting in the folder used last in this run), reading a file, having
// the panel stage it for review, and the summary box, once the staged channels are
// applied, that lists the channels applied, refused (with the failed call) and skipped. The window
// asks the operator before a load replaces its panel's settings and hands over only what the
// operator let through. The buttons are enabled while the window's panel offers setups
// (cr2200fp_setupInterface). The texts of a load's outcome serve the command line too. GUI thread
// only.
class HostSetups : public QObject
{
    Q_OBJECT

public:
    // window: where the dialogs and boxes belong (and this object's parent); log: where
    // each step is reported.
    HostSetups(QWidget &window, HostLog &log);

    // The window's panel now, or null; the buttons follow whether it offers setups.
    void panelChanged(cr2200fp_scuInterface *panel);

    // The panel's setup interface, or null.
    cr2200fp_setupInterface *panelSetups() const;

    // Writes the panel's setup to path; false with the message in *error.
    bool saveTo(const QString &path, QString *error);
    // The file dialog of a load; the file chosen, empty when the operator cancelled.
    QString chooseFile();
    // Reads path into *setup; false when the file is refused (its message is shown).
    bool read(const QString &path, cr2200fp_setup *setup);
    // Has the panel stage a setup from source (a file, or earlier settings): set in its
    // controls, nothing sent. A setup the panel refuses whole is reported and its message
    // shown; the result says so.
    cr2200fp_setupResult stage(const QString &source, const cr2200fp_setup &setup);
    // After the staged channels were applied: the log lines and the summary box.
    void summarise(const QString &source, const cr2200fp_setupResult &result);
    // What a staged setup would change, in words: the channels that change (those of
    // notApplied, 1-based, that it staged), stay and are skipped, then the warning, if any.
    static QString review(const QString &source, const cr2200fp_setupResult &staged,
        const QList<int> &notApplied, const QString &warning);
    // A warning naming both when the setup's informational model or serial number is not
    // the attached unit's; empty otherwise.
    QString otherUnit(const cr2200fp_setup &setup) const;

    // Channel numbers as the host's texts list them: "1, 3, 5".
    static QString channelList(const QList<int> &channels);
    // One line for a channel that was not applied ("channel 9: skipped, ..."), empty for
    // an applied one.
    static QString problem(const cr2200fp_channelOutcome &outcome);
    // The summary of a load: the channels applied, refused and skipped, one group a line.
    static QString summary(const QString &path, const cr2200fp_setupResult &result);

    QToolButton *saveButton = nullptr;
    QToolButton *loadButton = nullptr;

public slots:
    // The dialog, then saveTo().
    void save();

private:
    QString dialogFolder() const;
    void remember(const QString &path);
    void tell(const QString &text, bool failed);

    QWidget &window;
    HostLog &log;
    QPointer<cr2200fp_scuInterface> panel;
    QString lastFolder; // where the last dialog ended; empty: the working directory
};

#endif // SFP_HOSTSETUPS_H
