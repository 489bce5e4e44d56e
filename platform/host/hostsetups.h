#ifndef SFP_HOSTSETUPS_H
#define SFP_HOSTSETUPS_H

#include <cr2200fp_setupinterface.h>

#include <QObject>
#include <QString>
#include <QStringList>

class HostWindow;
class QToolButton;

// The window's "Save setup..." and "Load setup..." buttons and what they do: the file
// dialogs (*.json, starting in the folder used last in this run), the question before a
// load replaces settings that differ from the last attach, and the summary box that lists
// the channels applied, refused (with the failed call) and skipped. The buttons are
// enabled while the embedded panel offers setups (cr2200fp_setupInterface). The texts of
// a load's outcome serve the command line too. GUI thread only.
class HostSetups : public QObject
{
    Q_OBJECT

public:
    explicit HostSetups(HostWindow &window);

    // Enables the buttons as the window's panel offers setups or not.
    void panelChanged();

    // The panel's setup interface, or null.
    cr2200fp_setupInterface *panelSetups() const;

    // Writes the panel's setup to path; false with the message in *error.
    bool saveTo(const QString &path, QString *error);
    // Reads path and, after the question, applies it; the summary box follows unless the
    // file was refused (then its message is shown) or the operator declined.
    void loadFrom(const QString &path);

    // One line for a channel that was not applied ("channel 9: skipped, ..."), empty for
    // an applied one.
    static QString problem(const cr2200fp_channelOutcome &outcome);
    // The summary of a load: the channels applied, refused and skipped, one group a line.
    static QString summary(const QString &path, const cr2200fp_setupResult &result);

    QToolButton *saveButton = nullptr;
    QToolButton *loadButton = nullptr;

public slots:
    // The dialogs, then saveTo() or loadFrom().
    void save();
    void load();

private:
    QString dialogFolder() const;
    void remember(const QString &path);
    void tell(const QString &text, bool failed);

    HostWindow &window;
    QString lastFolder; // where the last dialog ended; empty: the working directory
};

#endif // SFP_HOSTSETUPS_H
