#ifndef SFP_EARLIERSETTINGSDIALOG_H
#define SFP_EARLIERSETTINGSDIALOG_H

#include <cr2200fp_setupinterface.h>

#include <QDialog>
#include <QList>
#include <QVector>

class QListWidget;

// "Earlier settings": what the unit held before each of the panel's last applies, newest
// first, each with its time and the channels where it differs from the settings now. The
// operator chooses one to review (Enter, a double click or "Review"); Escape or "Cancel"
// chooses none. GUI thread only.
class EarlierSettingsDialog : public QDialog
{
    Q_OBJECT

public:
    // earlier as cr2200fp_setupInterface::earlierSetups() gives them; now: currentSetup().
    EarlierSettingsDialog(
        const QVector<cr2200fp_setup> &earlier, const cr2200fp_setup &now, QWidget *parent);

    // The index in earlier of the entry chosen, -1 when none is.
    int chosen() const;

    // When an entry's apply happened, as the list shows it: "2026-12-09 05:50:12".
    static QString when(const cr2200fp_setup &earlier);
    // The channels (1-based) whose settings or name differ between the two setups.
    static QList<int> differingChannels(const cr2200fp_setup &earlier, const cr2200fp_setup &now);

    QListWidget *list = nullptr;
};

#endif // SFP_EARLIERSETTINGSDIALOG_H
