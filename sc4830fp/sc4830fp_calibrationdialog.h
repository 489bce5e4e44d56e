#ifndef SC4830FP_CALIBRATIONDIALOG_H
#define SC4830FP_CALIBRATIONDIALOG_H

#include <visa.h>

#include <QDialog>

class QCloseEvent;
class QLabel;
class QProgressBar;
class sc4830fp_calibrationThread;
class sc4830fp_fp;

// The small modal progress dialog of a calibration sequence: a message line (which
// step on which channel), the running step's progress and a Cancel button.
//
// The sequencer sets thread and the message line, then calls runCalibration() for each
// step; the dialog shows itself, starts the worker, follows its progress while turning
// the event loop, and checks the worker's status when it has ended. Cancel, the window's
// close button and Escape all stop the running worker before the dialog goes away (with
// result 0), so that a step is never left running behind the next one. GUI thread only.
class sc4830fp_calibrationDialog : public QDialog
{
    Q_OBJECT

public:
    // parent: the channel page that runs the sequence; panel: its panel, whose session
    // and masterError serve the status check. Built hidden.
    sc4830fp_calibrationDialog(QWidget *parent, sc4830fp_fp *panel);
    ~sc4830fp_calibrationDialog() override;

    // Runs the worker in thread on channel ch (counted from 1) and returns when it has
    // ended, or at once when the step is cancelled (result 0; nothing is checked then).
    // A failed status is reported with the call text "thread->getStatus()".
    void runCalibration(ViUInt16 ch);

    sc4830fp_calibrationThread *thread; // the running step's worker; not owned
    QLabel *lblMessage;
    QProgressBar *progressBar; // percent
    sc4830fp_fp *scuFp;

public slots:
    // Closes the dialog, which stops the running worker first.
    void cancelAction();

protected:
    void closeEvent(QCloseEvent *event) override;
    // Escape and other dismissals go through cancelAction() too.
    void reject() override;

private:
    bool closing = false; // closeEvent() runs; QDialog's own close handling may reject
};

#endif // SC4830FP_CALIBRATIONDIALOG_H
