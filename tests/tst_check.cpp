// The check after every driver call and the operator message boxes it opens.
#include "modalanswerer.h"

#include <cr2200fp_messages.h>
#include <sc4830fp_check.h>
#include <sc4830fp_fp.h>
#include <sc4830sim.h>
#include <simcarrier.h>

#include <QProcess>
#include <QtTest>

namespace {

const char *const callText = "sc4830_getStatus(d_vi, &icpErr, &excErr, VI_NULL, VI_NULL)";

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
    void driverTextIsNeverAFormat();
    void unterminatedDriverTextIsBounded();
    void boxesOfTheLibrary();
    void answerInChildProcess_data();
    void answerInChildProcess();
    void childAnswers();

private:
    sc4830fp_fp *panel = nullptr;
    ViSession carrier = 0;
};

void tst_Check::init()
{
    sc4830sim_reset();
    simcarrier_reset();
    carrier = simcarrier_open(0x2624);
    panel = new sc4830fp_fp;
    panel->setMaster(carrier, 0x2624, 0);
    panel->initUnit();
    QVERIFY(panel->d_vi != 0);
    sc4830sim_clearLog();
}

void tst_Check::cleanup()
{
    delete panel;
    panel = nullptr;
    simcarrier_close(carrier);
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void tst_Check::successDoesNothing()
{
    ModalAnswerer boxes;
    QSignalSpy errors(panel, &sc4830fp_fp::masterError);
    QVERIFY(sc4830fp_check(panel, 0, callText));
    QTest::qWait(30);
    QCOMPARE(errors.count(), 0);
    QCOMPARE(boxes.seen.size(), 0);
    QCOMPARE(sc4830sim_logCount(), 0);
}

void tst_Check::carrierErrorGoesToTheHost()
{
    ModalAnswerer boxes;
    QSignalSpy errors(panel, &sc4830fp_fp::masterError);
    sc4830sim_setFCLastError(-1073807343);

    QVERIFY(!sc4830fp_check(panel, sc4830_ERROR_FC, callText));
    QTest::qWait(30);
    QCOMPARE(boxes.seen.size(), 0);
    QCOMPARE(errors.count(), 1);
    QCOMPARE(errors[0][0].toInt(), -1073807343);
    // The receiver gets the call text's own address and may keep it.
    QCOMPARE(static_cast<const void *>(errors[0][1].value<const char *>()),
        static_cast<const void *>(callText));
    QCOMPARE(sc4830sim_callCount("sc4830_getFCLastError"), 1);
    QCOMPARE(sc4830sim_callCount("sc4830_error_message"), 0);

    char entry[128];
    sc4830sim_logEntry(0, entry, sizeof entry);
    QCOMPARE(QByteArray(entry),
        QByteArray("sc4830_getFCLastError(") + QByteArray::number(panel->d_vi) + ", ptr)");
}

void tst_Check::errorAsksWhetherToExit_data()
{
    QTest::addColumn<int>("status");
    QTest::newRow("plain error") << -1;
    QTest::newRow("VISA-like error") << int(0xBFFF0015);
    QTest::newRow("carrier status plus one is an ordinary error") << int(0xBFFC0B13);
}

void tst_Check::errorAsksWhetherToExit()
{
    QFETCH(int, status);
    ModalAnswerer boxes;
    boxes.queue(QMessageBox::No);
    QSignalSpy errors(panel, &sc4830fp_fp::masterError);
    sc4830sim_setErrorText("Channel not calibrated");

    QVERIFY(!sc4830fp_check(panel, status, callText));
    QCOMPARE(boxes.seen.size(), 1);
    const SeenBox &box = boxes.seen[0];
    QCOMPARE(box.icon, QMessageBox::Critical);
    QCOMPARE(box.title, QStringLiteral("Orbisa  SFP Error message"));
    QCOMPARE(box.text,
        QStringLiteral("sc4830_getStatus(d_vi, &icpErr, &excErr, VI_NULL, VI_NULL) "
                       "failed due to [Channel not calibrated]\nDo you want to exit?"));
    QCOMPARE(box.buttons, QStringList({ "Yes", "No" }));
    // Enter and Escape dismiss the message; only a click on Yes ends the host.
    QCOMPARE(box.defaultButton, QString("No"));
    QCOMPARE(box.escapeButton, QString("No"));
    QCOMPARE(errors.count(), 0);

    char entry[128];
    sc4830sim_logEntry(0, entry, sizeof entry);
    QCOMPARE(QByteArray(entry),
        QByteArray("sc4830_error_message(") + QByteArray::number(panel->d_vi) + ", "
            + QByteArray::number(status) + ", ptr)");
}

void tst_Check::warningShowsTheDriverTextOnly()
{
    ModalAnswerer boxes;
    sc4830sim_setErrorText("Excitation near its limit");
    QVERIFY(!sc4830fp_check(panel, 0x3FFC0801, callText));
    QCOMPARE(boxes.seen.size(), 1);
    QCOMPARE(boxes.seen[0].icon, QMessageBox::Warning);
    QCOMPARE(boxes.seen[0].title, QStringLiteral("Orbisa  SFP Warning message"));
    QCOMPARE(boxes.seen[0].text, QStringLiteral("Warning: [Excitation near its limit]"));
    QCOMPARE(boxes.seen[0].buttons, QStringList({ "Ok" }));
}

void tst_Check::driverTextIsNeverAFormat()
{
    ModalAnswerer boxes;
    sc4830sim_setErrorText("bad %s%n%x \xff\xfe end");
    sc4830fp_check(panel, -7, callText);
    QCOMPARE(boxes.seen.size(), 1);
    QVERIFY(boxes.seen[0].text.contains(QStringLiteral("[bad %s%n%x ")));
    QVERIFY(boxes.seen[0].text.contains(QStringLiteral(" end]\nDo you want to exit?")));
}

void tst_Check::unterminatedDriverTextIsBounded()
{
    ModalAnswerer boxes;
    sc4830sim_setUnterminatedTexts(1);
    sc4830fp_check(panel, 5, callText);
    QCOMPARE(boxes.seen.size(), 1);
    // "Warning: [" + at most the 1024 bytes of the buffer + "]".
    QVERIFY(boxes.seen[0].text.size() <= 10 + 1024 + 1);
    QVERIFY(boxes.seen[0].text.endsWith(QLatin1Char(']')));
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
    QCOMPARE(boxes.seen[0].icon, QMessageBox::Information);
    QCOMPARE(boxes.seen[0].title, QStringLiteral("Orbisa  SFP Info message"));
    QCOMPARE(boxes.seen[0].text, QStringLiteral("Calibration data saved"));
    QCOMPARE(boxes.seen[0].buttons, QStringList({ "Ok" }));
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
