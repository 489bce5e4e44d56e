// The calibration sequences behind a page's Calibrate and Calibrate All buttons, run by a
// real panel attached to the simulated 8-channel carrier and unit. Every calibration call
// of the simulator hangs until the operator below lets it go, so that each step can be
// watched, cancelled or dismissed while it runs.

#include "channeltab.h"
#include "checkedcall.h"
#include "mastererrorrecorder.h"
#include "modalanswerer.h"
#include "panelrig.h"
#include "simlog.h"
#include "simreset.h"

#include <sc4830fp_calibrationdialog.h>
#include <sc4830fp_calibrationthread.h>
#include <sc4830fp_chcfg.h>
#include <sc4830fp_fp.h>

#include <sc4830sim.h>

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTimer>
#include <QtTest>

#include <algorithm>
#include <memory>

namespace {

const QString terminating = QStringLiteral("Terminating, please wait...");

QString signalPathCall(ViSession vi, int channel, const char *level)
{
    return QString("sc4830_pgaCalibration(%1, %2, 1, %3, 0, 0)").arg(vi).arg(channel).arg(level);
}

QString excitationCall(ViSession vi, int channel)
{
    return QString("sc4830_excitCalibration(%1, %2, 0, 0, 0, 0)").arg(vi).arg(channel);
}

QString autobalanceCall(ViSession vi, int channel)
{
    return QString("sc4830_autobalance(%1, %2, ptr)").arg(vi).arg(channel);
}

// The channels (counted from 1) of the logged calls of one calibration function.
QList<int> channelsCalled(const QString &function)
{
    QList<int> channels;
    for (const QString &call : simCallLog({ function }))
        channels << call.section(", ", 1, 1).toInt();
    return channels;
}

// Plays the operator in front of the calibration dialog. Polls the panel's dialogs and
// records each step as it is shown (its message, title and the panel's calibrating flag);
// lets the simulator's blocked calibration return, unless the step is one to be ended by
// Cancel or Escape, which it then presses, letting the call return only once the dialog
// shows that it is terminating the step. A dismissal that does not stop the step thus
// leaves its call blocked while the sequence goes on; the operator notes each step that
// began while another step's worker still ran, and how many calls ever blocked at once.
class Operator : public QObject
{
public:
    enum Dismissal { CancelButton, EscapeKey };

    explicit Operator(sc4830fp_fp *panel)
        : panel(panel)
    {
        connect(&timer, &QTimer::timeout, this, &Operator::poll);
        timer.start(2);
    }

    // Ends the n-th shown step (counted from 1) with the given dismissal.
    void dismissStep(int n, Dismissal how = CancelButton) { dismissals.insert(n, how); }
    // The n-th step's call never returns, not even after a dismissal.
    void neverRelease(int n) { stuck.insert(n); }

    QStringList messages; // the message of each step as first shown
    QStringList allMessages; // every message the dialog showed, "Terminating" too
    QStringList titles;
    QList<bool> calibratingAtSteps; // the panel's flag as each step ran
    QList<int> markedAtSteps; // markedChannel() as each step ran
    QStringList progressNames; // the progress bar's name as a screen reader reads it
    int progressUnreported = 0; // steps whose bar did not report its value to a screen reader
    int mostBlockedAtOnce = 0;
    int overlaps = 0; // steps begun while an earlier step's worker ran
    int dismissed = 0;

private:
    sc4830fp_calibrationDialog *visibleDialog() const
    {
        const auto dialogs = panel->findChildren<sc4830fp_calibrationDialog *>();
        for (sc4830fp_calibrationDialog *dialog : dialogs) {
            if (dialog->isVisible())
                return dialog;
        }
        return nullptr;
    }

    void poll()
    {
        const int blocked = sc4830sim_hangingCalibrations();
        mostBlockedAtOnce = std::max(mostBlockedAtOnce, blocked);

        sc4830fp_calibrationDialog *dialog = visibleDialog();
        if (dialog) {
            const QString message = dialog->lblMessage->text();
            if (message != lastMessage) {
                lastMessage = message;
                allMessages << message;
                if (message == terminating)
                    dismissalDone = true; // the dialog stops the step: let the call return
                else
                    stepShown(dialog, message);
            }
        } else {
            lastMessage.clear();
        }

        const bool holdForDismissal = dismissals.contains(messages.size()) && !dismissalDone;
        if (blocked > 0 && !holdForDismissal && !stuck.contains(messages.size()))
            sc4830sim_releaseCalibrations();
    }

    void stepShown(sc4830fp_calibrationDialog *dialog, const QString &message)
    {
        messages << message;
        titles << dialog->windowTitle();
        calibratingAtSteps << panel->calibrating;
        markedAtSteps << markedChannel();
        QAccessibleInterface *bar = QAccessible::queryAccessibleInterface(dialog->progressBar);
        progressNames << bar->text(QAccessible::Name);
        QAccessibleValueInterface *value = bar->valueInterface();
        if (!value || value->currentValue().toInt() != dialog->progressBar->value()
            || value->maximumValue().toInt() != 100)
            ++progressUnreported;
        // The workers live until the sequence ends, so the earlier one can still be asked.
        if (previousWorker && previousWorker != dialog->thread && previousWorker->isRunning())
            ++overlaps;
        previousWorker = dialog->thread;
        dismissalDone = true;
        if (!dismissals.contains(messages.size()))
            return;
        dismissalDone = false;
        // Pressed from the event loop, as an operator would, not from inside this poll.
        const Dismissal how = dismissals.value(messages.size());
        QPointer<sc4830fp_calibrationDialog> target = dialog;
        QTimer::singleShot(20, this, [this, target, how] {
            if (!target)
                return;
            ++dismissed;
            if (how == EscapeKey)
                QTest::keyClick(target.data(), Qt::Key_Escape);
            else
                target->findChild<QPushButton *>()->click();
        });
    }

    // The channel (from 1) whose tab alone says anything, and says "Calibrating"; else -1.
    int markedChannel() const
    {
        QStringList tabs;
        for (int i = 0; i < panel->chCount; ++i)
            tabs << channelTab(panel, i);
        const int marked = tabs.indexOf(QStringLiteral("Calibrating"));
        return tabs.filter(QRegularExpression(".")).size() == 1 ? marked + 1 : -1;
    }

    sc4830fp_fp *panel;
    QTimer timer;
    QMap<int, Dismissal> dismissals;
    QSet<int> stuck;
    bool dismissalDone = true;
    QString lastMessage;
    QPointer<sc4830fp_calibrationThread> previousWorker;
};

} // namespace

class tst_CalibrationSequence : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void singleRunsSelectedStepsInOrder_data();
    void singleRunsSelectedStepsInOrder();
    void signalPathLevelFollowsGain_data();
    void signalPathLevelFollowsGain();
    void nothingSelectedShowsNoDialog_data();
    void nothingSelectedShowsNoDialog();

    void allRunsKindsInTurnOverChannels();
    void allTakesChannelsWithTheKindEnabled_data();
    void allTakesChannelsWithTheKindEnabled();
    void allUsesEachChannelsOwnLevel();

    void singleLoadWarning_data();
    void singleLoadWarning();
    void allLoadWarning_data();
    void allLoadWarning();

    void cancelInSingleGoesOnWithNextKind_data();
    void cancelInSingleGoesOnWithNextKind();
    void cancelInAllEndsSequence_data();
    void cancelInAllEndsSequence();
    void escapeStopsTheRunningStep_data();
    void escapeStopsTheRunningStep();
    void forcedStopIsReported();
    void failedStepInAllGoesOn();

    void statusPollWaitsForSequence();

private:
    sc4830fp_chCfg *page(int index) const { return panel->chPages[index]; }
    // Selects the kinds on a page; autobalance is enabled first (it follows the coupling).
    void select(int index, bool signalPath, bool excitation, bool autobalance);
    void setAllInputs(int inputIndex);

    std::unique_ptr<PanelRig> rig;
    sc4830fp_fp *panel = nullptr;
};

void tst_CalibrationSequence::init()
{
    resetSimulators();
    rig.reset(new PanelRig);
    panel = rig->panel;
    QVERIFY(panel->d_vi != 0);
    QCOMPARE(panel->chCount, 8);
    for (ViUInt16 ch = 1; ch <= 8; ++ch)
        sc4830sim_setImbalance(ch, ch / 10.0);
    sc4830sim_setCalibrationHang(1);
}

void tst_CalibrationSequence::cleanup()
{
    sc4830sim_setCalibrationHang(0);
    sc4830sim_releaseCalibrations();
    QVERIFY(panel->findChildren<sc4830fp_calibrationDialog *>().isEmpty());
    rig.reset();
}

void tst_CalibrationSequence::select(int index, bool signalPath, bool excitation, bool autobalance)
{
    sc4830fp_chCfg *p = page(index);
    p->chkSignalPath->setChecked(signalPath);
    p->chkExcitation->setChecked(excitation);
    p->chkAutobalance->setEnabled(true);
    p->chkAutobalance->setChecked(autobalance);
}

void tst_CalibrationSequence::setAllInputs(int inputIndex)
{
    for (int i = 0; i < panel->chCount; ++i)
        page(i)->cbInput->setCurrentIndex(inputIndex);
}

void tst_CalibrationSequence::singleRunsSelectedStepsInOrder_data()
{
    QTest::addColumn<bool>("signalPath");
    QTest::addColumn<bool>("excitation");
    QTest::addColumn<bool>("autobalance");
    QTest::addColumn<QStringList>("messages");

    QTest::newRow("all three") << true << true << true
                               << QStringList { "Channel 3 signal path calibration...",
                                      "Channel 3 excitation calibration...",
                                      "Channel 3 autobalance calibration..." };
    QTest::newRow("signal path only")
        << true << false << false << QStringList { "Channel 3 signal path calibration..." };
    QTest::newRow("excitation and autobalance")
        << false << true << true
        << QStringList { "Channel 3 excitation calibration...",
               "Channel 3 autobalance calibration..." };
}

void tst_CalibrationSequence::singleRunsSelectedStepsInOrder()
{
    QFETCH(bool, signalPath);
    QFETCH(bool, excitation);
    QFETCH(bool, autobalance);
    QFETCH(QStringList, messages);

    select(2, signalPath, excitation, autobalance);
    page(2)->cbInput->setCurrentIndex(1); // reference input: no load warning
    ModalAnswerer boxes;
    Operator op(panel);
    page(2)->pbCalibrate->click();

    const ViSession vi = panel->d_vi;
    QStringList expected;
    if (signalPath)
        expected << signalPathCall(vi, 3, "9");
    if (excitation)
        expected << excitationCall(vi, 3);
    if (autobalance)
        expected << autobalanceCall(vi, 3);
    QCOMPARE(simCalibrationCalls(), expected);
    QCOMPARE(op.messages, messages);
    for (const QString &title : qAsConst(op.titles))
        QCOMPARE(title, QString("Orbisa 4830 Calibration"));
    QCOMPARE(op.titles.size(), messages.size());
    QVERIFY(!op.calibratingAtSteps.contains(false));
    for (int step = 0; step < messages.size(); ++step) {
        QCOMPARE(op.markedAtSteps.value(step), 3);
        QCOMPARE(op.progressNames.value(step), QString("Calibration progress"));
    }
    QCOMPARE(op.progressUnreported, 0);
    QCOMPARE(channelTab(panel, 2), QString());
    QCOMPARE(op.overlaps, 0);
    QVERIFY(!panel->calibrating);
    QCOMPARE(boxes.seen.size(), 0);
    QCOMPARE(
        page(2)->leImbalance->text(), autobalance ? QString("0.300000") : QString("Not balanced"));
    // Other channels are not touched.
    QCOMPARE(page(1)->leImbalance->text(), QString("Not balanced"));
}

void tst_CalibrationSequence::signalPathLevelFollowsGain_data()
{
    QTest::addColumn<int>("gainIndex");
    QTest::addColumn<double>("level");
    QTest::addColumn<QString>("logged");

    QTest::newRow("gain 1") << 0 << 9.0 << "9";
    QTest::newRow("gain 10") << 1 << 0.9 << "0.9";
    QTest::newRow("gain 100") << 2 << 0.09 << "0.09";
    QTest::newRow("gain 1000") << 3 << 0.009 << "0.009";
}

void tst_CalibrationSequence::signalPathLevelFollowsGain()
{
    QFETCH(int, gainIndex);
    QFETCH(double, level);
    QFETCH(QString, logged);

    page(5)->cbGain->setCurrentIndex(gainIndex);
    select(5, true, false, false);
    ModalAnswerer boxes;
    Operator op(panel);
    page(5)->pbCalibrate->click();

    QCOMPARE(simCalibrationCalls(),
        QStringList { signalPathCall(panel->d_vi, 6, logged.toLatin1().constData()) });
    sc4830sim_Channel state;
    QCOMPARE(sc4830sim_getChannel(6, &state), 0);
    QCOMPARE(state.lastCalLevel, level);
}

void tst_CalibrationSequence::nothingSelectedShowsNoDialog_data()
{
    QTest::addColumn<bool>("all");
    QTest::newRow("Calibrate") << false;
    QTest::newRow("Calibrate All") << true;
}

void tst_CalibrationSequence::nothingSelectedShowsNoDialog()
{
    QFETCH(bool, all);

    // Other pages' selections do not count: only this page's check boxes choose kinds.
    select(0, true, true, true);
    select(4, false, false, false);
    ModalAnswerer boxes;
    Operator op(panel);
    (all ? page(4)->pbCalibrateAll : page(4)->pbCalibrate)->click();

    QVERIFY(op.messages.isEmpty());
    QVERIFY(simCalibrationCalls().isEmpty());
    QCOMPARE(boxes.seen.size(), 0);
    QVERIFY(!panel->calibrating);
}

void tst_CalibrationSequence::allRunsKindsInTurnOverChannels()
{
    select(3, true, true, true);
    page(6)->chkAutobalance->setEnabled(true);
    setAllInputs(1);
    ModalAnswerer boxes;
    Operator op(panel);
    page(3)->pbCalibrateAll->click();

    const ViSession vi = panel->d_vi;
    QStringList expected;
    for (int ch = 1; ch <= 8; ++ch)
        expected << signalPathCall(vi, ch, "9");
    for (int ch = 1; ch <= 8; ++ch)
        expected << excitationCall(vi, ch);
    expected << autobalanceCall(vi, 4) << autobalanceCall(vi, 7);
    QCOMPARE(simCalibrationCalls(), expected);

    QCOMPARE(op.messages.size(), 18);
    QCOMPARE(op.messages.first(), QString("Channel 1 signal path calibration..."));
    QCOMPARE(op.messages.at(8), QString("Channel 1 excitation calibration..."));
    QCOMPARE(op.messages.last(), QString("Channel 7 autobalance calibration..."));
    QVERIFY(!op.calibratingAtSteps.contains(false));
    // The tab of the channel being calibrated says so, and only that one.
    QCOMPARE(
        op.markedAtSteps, QList<int>({ 1, 2, 3, 4, 5, 6, 7, 8, 1, 2, 3, 4, 5, 6, 7, 8, 4, 7 }));
    for (int i = 0; i < panel->chCount; ++i)
        QCOMPARE(channelTab(panel, i), QString());
    QVERIFY(!panel->calibrating);

    QCOMPARE(page(3)->leImbalance->text(), QString("0.400000"));
    QCOMPARE(page(6)->leImbalance->text(), QString("0.700000"));
    QCOMPARE(page(0)->leImbalance->text(), QString("Not balanced"));
    QCOMPARE(boxes.seen.size(), 0);
}

void tst_CalibrationSequence::allTakesChannelsWithTheKindEnabled_data()
{
    QTest::addColumn<QString>("function");
    QTest::addColumn<QList<int>>("disabled"); // pages whose check box of the kind is off
    QTest::addColumn<QList<int>>("alsoChecked"); // other pages with the kind checked
    QTest::addColumn<bool>("checkedHere");
    QTest::addColumn<QList<int>>("channels");

    QTest::newRow("excitation skips disabled pages")
        << "sc4830_excitCalibration" << QList<int> { 2, 5 } << QList<int> {} << true
        << QList<int> { 1, 2, 4, 5, 7, 8 };
    QTest::newRow("signal path runs on unchecked pages too")
        << "sc4830_pgaCalibration" << QList<int> {} << QList<int> {} << true
        << QList<int> { 1, 2, 3, 4, 5, 6, 7, 8 };
    QTest::newRow("unchecked here runs nowhere")
        << "sc4830_excitCalibration" << QList<int> {} << QList<int> { 0, 1, 7 } << false
        << QList<int> {};
    QTest::newRow("no page has it enabled")
        << "sc4830_pgaCalibration" << QList<int> { 0, 1, 2, 3, 4, 5, 6, 7 } << QList<int> {} << true
        << QList<int> {};
}

void tst_CalibrationSequence::allTakesChannelsWithTheKindEnabled()
{
    QFETCH(QString, function);
    QFETCH(QList<int>, disabled);
    QFETCH(QList<int>, alsoChecked);
    QFETCH(bool, checkedHere);
    QFETCH(QList<int>, channels);

    QCheckBox *sc4830fp_chCfg::*kind = function == "sc4830_pgaCalibration"
        ? &sc4830fp_chCfg::chkSignalPath
        : &sc4830fp_chCfg::chkExcitation;
    const int here = 3;
    for (int i : alsoChecked)
        (page(i)->*kind)->setChecked(true);
    (page(here)->*kind)->setChecked(checkedHere);
    // A disabled box is passed over even when checked.
    for (int i : disabled)
        (page(i)->*kind)->setEnabled(false);

    ModalAnswerer boxes;
    Operator op(panel);
    page(here)->pbCalibrateAll->click();

    QCOMPARE(channelsCalled(function), channels);
    QCOMPARE(simCalibrationCalls().size(), channels.size());
    QCOMPARE(op.messages.size(), channels.size());
    QVERIFY(!panel->calibrating);
}

void tst_CalibrationSequence::allUsesEachChannelsOwnLevel()
{
    const char *levels[] = { "9", "0.9", "0.09", "0.009" };
    for (int i = 0; i < 8; ++i)
        page(i)->cbGain->setCurrentIndex(i % 4);
    select(1, true, false, false);
    ModalAnswerer boxes;
    Operator op(panel);
    page(1)->pbCalibrateAll->click();

    QStringList expected;
    for (int i = 0; i < 8; ++i)
        expected << signalPathCall(panel->d_vi, i + 1, levels[i % 4]);
    QCOMPARE(simCalibrationCalls(), expected);
}

void tst_CalibrationSequence::singleLoadWarning_data()
{
    QTest::addColumn<int>("input");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("warned");
    QTest::addColumn<bool>("balanced");

    QTest::newRow("front panel, Ok") << 0 << int(QMessageBox::Ok) << true << true;
    QTest::newRow("front panel, Cancel") << 0 << int(QMessageBox::Cancel) << true << false;
    QTest::newRow("voltage reference") << 1 << int(QMessageBox::Ok) << false << true;
}

void tst_CalibrationSequence::singleLoadWarning()
{
    QFETCH(int, input);
    QFETCH(int, answer);
    QFETCH(bool, warned);
    QFETCH(bool, balanced);

    select(6, false, true, true);
    page(6)->cbInput->setCurrentIndex(input);
    // The warning looks only at this channel's own input.
    page(0)->cbInput->setCurrentIndex(1 - input);
    ModalAnswerer boxes;
    boxes.queue(QMessageBox::StandardButton(answer));
    Operator op(panel);
    page(6)->pbCalibrate->click();

    QCOMPARE(boxes.seen.size(), warned ? 1 : 0);
    if (warned) {
        QCOMPARE(boxes.seen[0].face(),
            QStringList({ "Warning", "Orbisa 4830 Warning",
                "Please make sure that load is connected to channel 7,\n"
                "otherwise out of range error may occur.",
                "Ok,Cancel" }));
        QCOMPARE(boxes.seen[0].parent.data(), static_cast<QWidget *>(page(6)));
    }
    // The excitation step before the warning stands either way.
    QStringList expected { excitationCall(panel->d_vi, 7) };
    if (balanced)
        expected << autobalanceCall(panel->d_vi, 7);
    QCOMPARE(simCalibrationCalls(), expected);
    QCOMPARE(
        page(6)->leImbalance->text(), balanced ? QString("0.700000") : QString("Not balanced"));
    QVERIFY(!panel->calibrating);
}

void tst_CalibrationSequence::allLoadWarning_data()
{
    QTest::addColumn<QList<int>>("frontPanelInputs"); // pages on "Front Panel"
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("warned");
    QTest::addColumn<QList<int>>("balanced"); // channels autobalanced

    // Autobalance is enabled on pages 1 and 4 only.
    QTest::newRow("a participant on front panel, Ok")
        << QList<int> { 4 } << int(QMessageBox::Ok) << true << QList<int> { 2, 5 };
    QTest::newRow("a participant on front panel, Cancel")
        << QList<int> { 1, 4 } << int(QMessageBox::Cancel) << true << QList<int> {};
    QTest::newRow("front panel only where autobalance is off")
        << QList<int> { 0, 2, 7 } << int(QMessageBox::Cancel) << false << QList<int> { 2, 5 };
    QTest::newRow("every participant on the reference")
        << QList<int> {} << int(QMessageBox::Cancel) << false << QList<int> { 2, 5 };
}

void tst_CalibrationSequence::allLoadWarning()
{
    QFETCH(QList<int>, frontPanelInputs);
    QFETCH(int, answer);
    QFETCH(bool, warned);
    QFETCH(QList<int>, balanced);

    setAllInputs(1);
    for (int i : frontPanelInputs)
        page(i)->cbInput->setCurrentIndex(0);
    select(1, false, true, true);
    page(4)->chkAutobalance->setEnabled(true);
    ModalAnswerer boxes;
    boxes.queue(QMessageBox::StandardButton(answer));
    Operator op(panel);
    page(1)->pbCalibrateAll->click();

    QCOMPARE(boxes.seen.size(), warned ? 1 : 0);
    if (warned) {
        QCOMPARE(boxes.seen[0].face(),
            QStringList({ "Warning", "Orbisa 4830 Warning",
                "Please make sure that load is connected to all channels,\n"
                "otherwise out of range error may occur.",
                "Ok,Cancel" }));
        QCOMPARE(boxes.seen[0].parent.data(), static_cast<QWidget *>(page(1)));
    }
    // The excitation over all channels ran before the warning and stands.
    QCOMPARE(channelsCalled("sc4830_excitCalibration"), QList<int>({ 1, 2, 3, 4, 5, 6, 7, 8 }));
    QCOMPARE(channelsCalled("sc4830_autobalance"), balanced);
    QCOMPARE(page(4)->leImbalance->text(),
        balanced.isEmpty() ? QString("Not balanced") : QString("0.500000"));
    QVERIFY(!panel->calibrating);
}

void tst_CalibrationSequence::cancelInSingleGoesOnWithNextKind_data()
{
    QTest::addColumn<int>("cancelledStep");
    const char *const kinds[] = { "signal path", "excitation", "autobalance" };
    for (int step = 1; step <= 3; ++step)
        QTest::addRow("cancel %s", kinds[step - 1]) << step;
}

void tst_CalibrationSequence::cancelInSingleGoesOnWithNextKind()
{
    QFETCH(int, cancelledStep);

    select(0, true, true, true); // input "Front Panel": the load warning comes too
    ModalAnswerer boxes;
    boxes.queue(QMessageBox::Ok);
    Operator op(panel);
    op.dismissStep(cancelledStep);
    page(0)->pbCalibrate->click();

    QCOMPARE(op.dismissed, 1);
    const ViSession vi = panel->d_vi;
    QCOMPARE(simCalibrationCalls(),
        QStringList({ signalPathCall(vi, 1, "9"), excitationCall(vi, 1), autobalanceCall(vi, 1) }));
    QCOMPARE(op.messages,
        QStringList({ "Channel 1 signal path calibration...", "Channel 1 excitation calibration...",
            "Channel 1 autobalance calibration..." }));
    QVERIFY(op.allMessages.contains(terminating));
    QCOMPARE(boxes.seen.size(), 1); // the load warning; a cancelled step reports nothing
    QCOMPARE(op.overlaps, 0);
    QCOMPARE(op.mostBlockedAtOnce, 1);
    // Written after a cancelled autobalance too.
    QCOMPARE(page(0)->leImbalance->text(), QString("0.100000"));
    QVERIFY(!panel->calibrating);
}

void tst_CalibrationSequence::cancelInAllEndsSequence_data()
{
    QTest::addColumn<int>("cancelledStep");
    QTest::addColumn<QList<int>>("signalPath");
    QTest::addColumn<QList<int>>("excitation");
    QTest::addColumn<QList<int>>("autobalance");
    QTest::addColumn<QStringList>("imbalances"); // pages 0, 2 and 5, which autobalance

    const QList<int> all { 1, 2, 3, 4, 5, 6, 7, 8 };
    const QString none = "Not balanced";
    QTest::newRow("signal path, channel 3") << 3 << QList<int> { 1, 2, 3 } << QList<int> {}
                                            << QList<int> {} << QStringList { none, none, none };
    QTest::newRow("excitation, channel 2")
        << 10 << all << QList<int> { 1, 2 } << QList<int> {} << QStringList { none, none, none };
    QTest::newRow("autobalance, second channel")
        << 18 << all << all << QList<int> { 1, 3 } << QStringList { "0.100000", none, none };
}

void tst_CalibrationSequence::cancelInAllEndsSequence()
{
    QFETCH(int, cancelledStep);
    QFETCH(QList<int>, signalPath);
    QFETCH(QList<int>, excitation);
    QFETCH(QList<int>, autobalance);
    QFETCH(QStringList, imbalances);

    setAllInputs(1);
    select(0, true, true, true);
    page(2)->chkAutobalance->setEnabled(true);
    page(5)->chkAutobalance->setEnabled(true);
    ModalAnswerer boxes;
    Operator op(panel);
    op.dismissStep(cancelledStep);
    page(0)->pbCalibrateAll->click();

    QCOMPARE(op.dismissed, 1);
    QCOMPARE(channelsCalled("sc4830_pgaCalibration"), signalPath);
    QCOMPARE(channelsCalled("sc4830_excitCalibration"), excitation);
    QCOMPARE(channelsCalled("sc4830_autobalance"), autobalance);
    QCOMPARE(op.messages.size(), cancelledStep);
    QCOMPARE(op.allMessages.last(), terminating);
    QCOMPARE(QStringList({ page(0)->leImbalance->text(), page(2)->leImbalance->text(),
                 page(5)->leImbalance->text() }),
        imbalances);
    QCOMPARE(op.mostBlockedAtOnce, 1);
    QVERIFY(!panel->calibrating);
    QCOMPARE(boxes.seen.size(), 0);
}

void tst_CalibrationSequence::escapeStopsTheRunningStep_data()
{
    QTest::addColumn<bool>("all");
    QTest::addColumn<QList<int>>("excitation");

    // Escape counts as Cancel: the single sequence goes on, the whole one ends.
    QTest::newRow("Calibrate") << false << QList<int> { 2 };
    QTest::newRow("Calibrate All") << true << QList<int> {};
}

void tst_CalibrationSequence::escapeStopsTheRunningStep()
{
    QFETCH(bool, all);
    QFETCH(QList<int>, excitation);

    select(1, true, true, false);
    ModalAnswerer boxes;
    Operator op(panel);
    op.dismissStep(1, Operator::EscapeKey);
    (all ? page(1)->pbCalibrateAll : page(1)->pbCalibrate)->click();

    QCOMPARE(op.dismissed, 1);
    // The dismissed step was stopped before anything else ran: never two calls at once.
    QCOMPARE(op.overlaps, 0);
    QCOMPARE(op.mostBlockedAtOnce, 1);
    QVERIFY(op.allMessages.contains(terminating));
    QCOMPARE(channelsCalled("sc4830_pgaCalibration"), QList<int>({ all ? 1 : 2 }));
    QCOMPARE(channelsCalled("sc4830_excitCalibration"), excitation);
    QVERIFY(!panel->calibrating);
}

void tst_CalibrationSequence::forcedStopIsReported()
{
    select(0, true, true, false);
    ModalAnswerer boxes;
    Operator op(panel);
    op.dismissStep(1);
    op.neverRelease(1);
    QElapsedTimer clock;
    clock.start();
    page(0)->pbCalibrate->click();

    // Twice the signal path's 6 s estimate, then the worker is ended by force in the
    // middle of its call, and the operator hears of it; the excitation step still follows.
    QVERIFY2(clock.elapsed() >= 12000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(boxes.seen.size(), 1);
    QCOMPARE(boxes.seen[0].face(),
        QStringList({ "Warning", "Orbisa  SFP Warning message",
            "The signal path calibration of channel 1 did not end and was stopped by force.\n"
            "The unit's calibration state of channel 1 is unknown.",
            "Ok" }));
    QCOMPARE(op.messages,
        QStringList(
            { "Channel 1 signal path calibration...", "Channel 1 excitation calibration..." }));
    QCOMPARE(sc4830sim_hangingCalibrations(), 0);
    QVERIFY(!panel->calibrating);
}

void tst_CalibrationSequence::failedStepInAllGoesOn()
{
    sc4830sim_injectStatus(checked::excitationCal.function, carrierErrorStatus, 1);
    MasterErrorRecorder hostErrors(panel);
    select(2, false, true, false);
    ModalAnswerer boxes;
    Operator op(panel);
    page(2)->pbCalibrateAll->click();

    QCOMPARE(channelsCalled("sc4830_excitCalibration"), QList<int>({ 1, 2, 3, 4, 5, 6, 7, 8 }));
    QCOMPARE(hostErrors.count(), 8);
    QVERIFY(!panel->calibrating);
}

void tst_CalibrationSequence::statusPollWaitsForSequence()
{
    // The unit's status is read every 400 ms, but not while a calibration uses the unit.
    select(0, false, true, false);
    ModalAnswerer boxes;
    int readsDuringStep = -1;
    QTimer hold;
    hold.setSingleShot(true);
    connect(&hold, &QTimer::timeout, this,
        [&readsDuringStep] { readsDuringStep = sc4830sim_callCount("sc4830_getStatus"); });
    // Hold the step for a second before the operator lets it finish.
    sc4830sim_setCalibrationHang(1);
    QTimer::singleShot(0, this, [&hold] { hold.start(1000); });
    QTimer releaser;
    connect(&releaser, &QTimer::timeout, this, [&readsDuringStep] {
        if (readsDuringStep >= 0)
            sc4830sim_releaseCalibrations();
    });
    releaser.start(5);
    sc4830sim_clearLog();
    page(0)->pbCalibrate->click();

    QCOMPARE(readsDuringStep, 0);
    QVERIFY(!panel->calibrating);
    QTRY_VERIFY_WITH_TIMEOUT(sc4830sim_callCount("sc4830_getStatus") > 0, 2000);
}

QTEST_MAIN(tst_CalibrationSequence)
#include "tst_calibrationsequence.moc"
