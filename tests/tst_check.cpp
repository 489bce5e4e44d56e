// The check after every driver call and the operator message boxes it opens. What a
// driver's text may hold (directives, markup, a full buffer) is tst_misbehavingdriver's.
#include "checkedcall.h"
#include "mastererrorrecorder.h"
#include "modalanswerer.h"
#include "panelrig.h"
#include "simlog.h"
#include "simreset.h"

#include <cr2200fp_messages.h>
#include <sc4830fp_check.h>
#include <sc4830fp_fp.h>
#include <sc4830sim.h>

#include <QProcess>
#include <QtTest>

#include <memory>

namespace {

const char *const callText = checked::poll.text;

} // namespace

class tst_Check : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void successDoesNothing();
    void carrierErrorGoesToTheHost();
    void errorAsksWhetherToExit_data();
    void errorAsksWhetherToExit();
    void warningShowsTheDriverTextOnly();
    void boxesOfTheLibrary();
    void answerInChildProcess_data();
    void answerInChildProcess();
    void childAnswers();

private:
    std::unique_ptr<PanelRig> rig;
    sc4830fp_fp *panel = nullptr;
};

void tst_Check::init()
{
    resetSimulators();
    // Without the status poll the call log holds only what the check asks of the unit.
    rig.reset(new PanelRig(PanelRig::Attached, 8, PanelRig::NotPolling));
    panel = rig->panel;
    QVERIFY(panel->d_vi != 0);
}

void tst_Check::cleanup()
{
    rig.reset();
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void tst_Check::successDoesNothing()
{
    ModalAnswerer boxes;
    MasterErrorRecorder errors(panel);
    QVERIFY(sc4830fp_check(panel, 0, callText));
    QTest::qWait(30);
    QCOMPARE(errors.count(), 0);
    QCOMPARE(boxes.seen.size(), 0);
    QCOMPARE(sc4830sim_logCount(), 0);
}

void tst_Check::carrierErrorGoesToTheHost()
{
    ModalAnswerer boxes;
    MasterErrorRecorder errors(panel);
    sc4830sim_setFCLastError(carrierErrorCode);

    QVERIFY(!sc4830fp_check(panel, carrierErrorStatus, callText));
    QTest::qWait(30);
    QCOMPARE(boxes.seen.size(), 0);
    QCOMPARE(errors.codes(), QList<int> { carrierErrorCode });
    // The receiver gets the call text's own address and may keep it.
    QCOMPARE(static_cast<const void *>(errors.call(0)), static_cast<const void *>(callText));
    QCOMPARE(simCallLog(), QStringList { "sc4830_getFCLastError(" + rig->unit() + ", ptr)" });
}

void tst_Check::errorAsksWhetherToExit_data()
{
    QTest::addColumn<int>("status");
    QTest::newRow("plain error") << -1;
    QTest::newRow("VISA-like error") << int(unitErrorStatus);
    QTest::newRow("carrier status plus one is an ordinary error") << int(carrierErrorStatus + 1);
}

void tst_Check::errorAsksWhetherToExit()
{
    QFETCH(int, status);
    ModalAnswerer boxes;
    boxes.queue(QMessageBox::No);
    MasterErrorRecorder errors(panel);
    sc4830sim_setErrorText("Channel not calibrated");

    QVERIFY(!sc4830fp_check(panel, status, callText));
    QCOMPARE(boxes.seen.size(), 1);
    QCOMPARE(boxes.seen[0].face(),
        QStringList({ "Critical", "Orbisa  SFP Error message",
            "sc4830_getStatus(d_vi, &icpErr, &excErr, VI_NULL, VI_NULL) "
            "failed due to [Channel not calibrated]\nDo you want to exit?",
            "Yes,No" }));
    // Enter and Escape dismiss the message; only a click on Yes ends the host.
    QCOMPARE(boxes.seen[0].defaultButton, QString("No"));
    QCOMPARE(boxes.seen[0].escapeButton, QString("No"));
    QCOMPARE(errors.count(), 0);
    QCOMPARE(simCallLog(),
        QStringList { QString("sc4830_error_message(%1, %2, ptr)").arg(rig->unit()).arg(status) });
}

void tst_Check::warningShowsTheDriverTextOnly()
{
    ModalAnswerer boxes;
    sc4830sim_setErrorText("Excitation near its limit");
    QVERIFY(!sc4830fp_check(panel, unitWarningStatus, callText));
    QCOMPARE(boxes.seen.size(), 1);
    QCOMPARE(boxes.seen[0].face(),
        QStringList({ "Warning", "Orbisa  SFP Warning message",
            "Warning: [Excitation near its limit]", "Ok" }));
}

void tst_Check::boxesOfTheLibrary()
{
    QWidget window;
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));

    ModalAnswerer boxes;
    showInfoMessage(QStringLiteral("Calibration data saved"));
    // The closed box may leave no window active; the next box follows whatever is.
    QApplication::setActiveWindow(&window);
    showWarningMessage(QStringLiteral("Check the cabling"));
    QCOMPARE(boxes.seen.size(), 2);
    QCOMPARE(boxes.seen[0].face(),
        QStringList({ "Information", "Orbisa  SFP Info message", "Calibration data saved", "Ok" }));
    QCOMPARE(boxes.seen[0].parent.data(), &window);
    QCOMPARE(boxes.seen[1].parent.data(), &window);

    boxes.queue(QMessageBox::No);
    QApplication::setActiveWindow(&window);
    showErrorMessage(QStringLiteral("Unit lost"));
    QCOMPARE(boxes.seen.size(), 3);
    QCOMPARE(boxes.seen[2].text, QStringLiteral("Unit lost\nDo you want to exit?"));
    QCOMPARE(boxes.seen[2].parent.data(), &window);

    // Without an active window the boxes have no parent.
    QApplication::setActiveWindow(nullptr);
    showWarningMessage(QStringLiteral("No window"));
    QCOMPARE(boxes.seen.size(), 4);
    QVERIFY(boxes.seen[3].parentWasNull);
}

void tst_Check::answerInChildProcess_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("returns");
    QTest::newRow("Yes ends the process") << "yes" << false;
    // No is the default: Enter only dismisses the message, the host goes on.
    QTest::newRow("Enter keeps it") << "enter" << true;
}

void tst_Check::answerInChildProcess()
{
    QFETCH(QString, answer);
    QFETCH(bool, returns);

    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("SFP_CHILD_ANSWER"), answer);
    // exit(0) releases nothing on purpose; under LeakSanitizer that would turn the
    // child's status into a leak report's.
    const QString asan = env.value(QStringLiteral("ASAN_OPTIONS"));
    env.insert(QStringLiteral("ASAN_OPTIONS"),
        asan + (asan.isEmpty() ? "" : ":") + QStringLiteral("detect_leaks=0"));
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(), { QStringLiteral("childAnswers") });
    QVERIFY(child.waitForFinished(30000));
    const QByteArray output = child.readAll();
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);
    QVERIFY2(output.contains("asking"), output.constData());
    // Yes ends the process inside the check: nothing after it runs, not even the test's
    // totals.
    QCOMPARE(output.contains("returned from the check"), returns);
    QCOMPARE(output.contains("Totals:"), returns);
}

// Runs only as the child of answerInChildProcess.
void tst_Check::childAnswers()
{
    const QString answer = qEnvironmentVariable("SFP_CHILD_ANSWER");
    if (answer.isEmpty())
        QSKIP("runs as a child process of answerInChildProcess");
    ModalAnswerer boxes;
    boxes.queue(answer == QLatin1String("yes") ? QMessageBox::Yes : ModalAnswerer::EnterKey);
    fputs("asking\n", stdout);
    fflush(stdout);
    sc4830fp_check(panel, -1, callText);
    fputs("returned from the check\n", stdout);
    fflush(stdout);
    QCOMPARE(boxes.seen.size(), 1);
    QCOMPARE(answer, QString("enter"));
}

QTEST_MAIN(tst_Check)
#include "tst_check.moc"
