#include "sc4830fp_calibrationdialog.h"

#include "sc4830fp_calibrationthread.h"
#include "sc4830fp_check.h"
#include "sc4830fp_fp.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int dialogWidth = 250;
constexpr int dialogHeight = 100;
} // namespace

sc4830fp_calibrationDialog::sc4830fp_calibrationDialog(QWidget *parent, sc4830fp_fp *panel)
    : QDialog(parent)
    , thread(nullptr)
    , scuFp(panel)
{
    setWindowIcon(windowIcon());
    setFixedSize(dialogWidth, dialogHeight);
    setModal(true);

    lblMessage = new QLabel;
    lblMessage->setAlignment(Qt::AlignCenter);
    // "Channel 16 signal path calibration..." is wider than the fixed 250 pixels in most
    // fonts; wrapped onto two lines it stays readable instead of losing both ends.
    lblMessage->setWordWrap(true);
    lblMessage->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    progressBar = new QProgressBar;
    progressBar->setRange(0, 100);
    // A screen reader reads the bar's value as a percentage; the name says of what.
    progressBar->setAccessibleName(tr("Calibration progress"));
    auto *pbCancel = new QPushButton(tr("Cancel"));

    auto *buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(pbCancel);
    buttonRow->addStretch();
    auto *layout = new QVBoxLayout;
    // Tight margins leave the message its two lines inside the fixed 100 pixels.
    layout->setContentsMargins(6, 2, 6, 4);
    layout->setSpacing(2);
    layout->addWidget(lblMessage);
    layout->addWidget(progressBar);
    layout->addLayout(buttonRow);
    setLayout(layout);

    connect(pbCancel, &QPushButton::clicked, this, &sc4830fp_calibrationDialog::cancelAction);
}

sc4830fp_calibrationDialog::~sc4830fp_calibrationDialog()
{
    // Destroyed with a running step only when the host deletes the panel under it: the
    // worker is ended now, before the panel closes the unit's session it drives. No
    // event loop may turn inside a destructor, so there is no grace to wait out.
    if (thread && thread->isRunning())
        thread->stopNow();
}

void sc4830fp_calibrationDialog::runCalibration(ViUInt16 ch)
{
    if (!thread)
        return;

    setResult(1);
    progressBar->setValue(0);
    show();
    thread->startCalibration(ch);

    // The host may delete the panel, and this dialog with its page, in any of the events
    // processed below; nothing of it may be touched then.
    const QPointer<sc4830fp_calibrationDialog> alive(this);
    int percent = 0;
    do {
        percent = static_cast<int>(thread->progress.load());
        progressBar->setValue(percent);
        QCoreApplication::processEvents();
        // A cancel has already stopped the worker inside closeEvent().
        if (!alive || result() == 0)
            return;
        QThread::yieldCurrentThread();
    } while (percent < 100);

    thread->waitOrTerminate();
    if (!alive)
        return;
    hide();
    // The step has ended: its channel's tab stops saying "Calibrating" before a report of
    // its status comes up.
    if (scuFp)
        scuFp->showCalibrationStep(-1);

    const ViStatus status = thread->getStatus();
    if (status != 0)
        sc4830fp_check(scuFp, status, "thread->getStatus()");
}

void sc4830fp_calibrationDialog::cancelAction()
{
    close();
}

void sc4830fp_calibrationDialog::closeEvent(QCloseEvent *event)
{
    const QPointer<sc4830fp_calibrationDialog> alive(this);
    lblMessage->setText(tr("Terminating, please wait..."));
    QCoreApplication::processEvents();
    if (!alive)
        return;
    if (thread)
        thread->waitOrTerminate();
    if (!alive)
        return;
    setResult(0);

    closing = true;
    QDialog::closeEvent(event);
    closing = false;
}

void sc4830fp_calibrationDialog::reject()
{
    // QDialog::closeEvent() hides the dialog through reject(); any other dismissal
    // (Escape) must stop the worker first, or the sequence would start its next step
    // while this one still drives the unit.
    if (closing)
        QDialog::reject();
    else
        cancelAction();
}
