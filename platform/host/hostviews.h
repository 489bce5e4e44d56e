#ifndef SFP_HOSTVIEWS_H
#define SFP_HOSTVIEWS_H

#include <cr2200fp_setupinterface.h>

#include <QPointer>
#include <QWidget>

class QLabel;
class QToolButton;
class QVBoxLayout;
class cr2200fp_overviewInterface;
class cr2200fp_scuInterface;

// The embedded panel seen two ways: its channel pages, as the panel shows them, and the
// table of all channels that its overview interface offers (cr2200fp_overviewInterface).
// The switch, "Channel pages" and "All channels" (the window places its buttons), chooses
// one by mouse; Ctrl+T toggles them anywhere in the window, and focus follows to the view
// shown. Beside the switch, "Apply changed" applies what the table would while the pages
// are shown (the table has its own). Enter or a double click on a channel in the table
// shows that channel's page. A panel without the overview interface shows its pages
// alone, and the switch is hidden. A line above the table says what the operator is
// reviewing (setReview).
//
// The views emit what the operator did to changed channels, by either view, so that the
// window can report it. GUI thread only.
class HostViews : public QWidget
{
    Q_OBJECT

public:
    explicit HostViews(QWidget *parent = nullptr);

    // Shows the panel's pages, and creates its overview where it offers one; the overview
    // of the panel before is deleted, if the panel did not take it along. The panel stays
    // the caller's: the views hold it only while it lives. Null: neither.
    void setPanel(cr2200fp_scuInterface *panel);
    // The panel's overview interface, or null (no panel, or it offers none).
    cr2200fp_overviewInterface *overviewInterface() const;
    // The overview widget shown in the table view, or null.
    QWidget *overview() const { return overviewWidget; }
    bool tableShown() const;
    // The channels (1-based) whose "State" is not "Applied" in the table; none without it.
    QList<int> channelsNotApplied() const;
    // The line above the table; empty hides it.
    void setReview(const QString &text);
    QString review() const;

    // The first control that Tab reaches below root in its focus chain, on the part of it
    // shown; tab bars are passed over (they only choose a page).
    static QWidget *firstControl(QWidget *root);

    QToolButton *pagesButton = nullptr;
    QToolButton *tableButton = nullptr;
    QToolButton *applyButton = nullptr; // "Apply changed", shown with the pages

public slots:
    // The table (true) or the pages (false). Focus goes to the view's first control when
    // the table is shown or focus was in the view hidden.
    void showTable(bool shown);
    void toggle();

signals:
    // The table (true) or the pages (false) are shown now.
    void viewShown(bool table);
    // "Apply changed", of the table or of the switch row, applied the changed channels:
    // one outcome per channel applied. Not emitted when the panel went meanwhile.
    void changesApplied(const cr2200fp_setupResult &result);
    // "Revert changed" of the table set the changed channels back.
    void changesReverted();
    // A channel's state in the table may have changed (an edit, an apply, a revert).
    void statesChanged();

private slots:
    // Connected by signature to the overview's signals.
    void overviewShowedPage(int chIdx);

private:
    void applyChanged();
    void updateApply();
    void connectOverview(const char *signal, const char *slot);

    QVBoxLayout *views = nullptr;
    QLabel *reviewLine = nullptr;
    QPointer<QWidget> panelWidget;
    QPointer<QWidget> overviewWidget;
};

#endif // SFP_HOSTVIEWS_H
