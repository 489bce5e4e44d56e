// sfp-host's classes in this process: the "Simulation" console driving the simulated unit,
// the logs that follow their newest line, and the window on the application frame around
// a real panel, with its resources, Reset, questions and About box.
#include "hostlog.h"
#include "hostoptions.h"
#include "hostsession.h"
#include "hostsetups.h"
#include "hostviews.h"
#include "hostwindow.h"
#include "simulation.h"
#include "simulationconsole.h"

#include <accessiblecontrols.h>
#include <cr2200fp_led.h>
#include <cr2200fp_messages.h>
#include <cr2200fp_overviewinterface.h>
#include <modalanswerer.h>
#include <simlog.h>
#include <unitsession.h>

#include <sc4830sim.h>
#include <sfp_version.h>
#include <simcarrier.h>

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLibrary>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QThread>
#include <QToolButton>
#include <QWheelEvent>
#include <QtTest>

#include <atomic>
#include <memory>

namespace {

// The driver function of a row, called with harmless arguments.
ViStatus callDriver(const QString &function, ViSession vi)
{
    ViInt16 a = 0, b = 0;
    if (function == QLatin1String("sc4830_getStatus"))
        return sc4830_getStatus(vi, &a, &b, nullptr, nullptr);
    if (function == QLatin1String("sc4830_setShuntCal"))
        return sc4830_setShuntCal(vi, 1, 0);
    if (function == QLatin1String("sc4830_channelIdentify"))
        return sc4830_channelIdentify(vi, 1, 0);
    return 1; // a row with a function this helper does not know fails visibly
}

QStringList logLines(const HostLog *log)
{
    QStringList lines;
    for (int i = 0; i < log->count(); ++i)
        lines.append(log->item(i)->text());
    return lines;
}

} // namespace

class tst_HostConsole : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void consoleSetsStatusWords();
    void consoleInjectsFailures_data();
    void consoleInjectsFailures();
    void consoleSetsCarrierCodeAndLatency();
    void consoleHangsAndReleasesCalibrations();
    void consoleShowsTheCallLog();
    void consoleFocusPassingWritesNothing();
    void logsFollowTheNewestLine_data();
    void logsFollowTheNewestLine();
    void windowShowsAttachment_data();
    void windowShowsAttachment();
    void windowFitsTheScreen_data();
    void windowFitsTheScreen();
    void focusStartsOnThePanelsFirstControl();
    void resourcesInLibraryOrder();
    void resetAttachesNewPanel();
    void resourceAttachesOnlyWhenConfirmed_data();
    void resourceAttachesOnlyWhenConfirmed();
    void changedSettingsAskBeforeTheyGo_data();
    void changedSettingsAskBeforeTheyGo();
    void boxesOfTheAttachNameTheModel_data();
    void boxesOfTheAttachNameTheModel();
    void screenReaderNamesTheHostsControls_data();
    void screenReaderNamesTheHostsControls();
    void loadSetupAsksThenSummarises_data();
    void loadSetupAsksThenSummarises();
    void viewsShowPagesOrTable();
    void carrierErrorReachesHostLog();
    void closeAsksFirst();
    void aboutNamesThePanel();
    void cleanup();

private:
    // Starts a host session in this process; its window is shown. The failure, if one is
    // given, is injected into the fresh simulation before the panel attaches.
    void startSession(const QStringList &arguments = QStringList(),
        const char *failingFunction = nullptr, ViStatus failure = 0);

    std::unique_ptr<Simulation> simulation;
    std::unique_ptr<HostSession> session;
    HostOptions options;
};

void tst_HostConsole::startSession(
    const QStringList &arguments, const char *failingFunction, ViStatus failure)
{
    options = HostOptions();
    QCOMPARE(options.parse(QStringList { QStringLiteral("sfp-host") } + arguments), QString());
    session = std::make_unique<HostSession>(options);
    if (failingFunction)
        sc4830sim_injectStatus(failingFunction, failure, 0);
    QCOMPARE(session->start(), int(HostSession::ExitOk));
    QVERIFY(QTest::qWaitForWindowExposed(session->window()));
}

void tst_HostConsole::init()
{
    sc4830sim_reset();
    simcarrier_reset();
    // As a fresh host and module find it; the module stays loaded from one test to the next.
    sfpModelName.clear();
    auto *moduleName = reinterpret_cast<QString *>(
        QLibrary::resolve(QStringLiteral(SFP_PLUGIN_PATH), "sfpModelName"));
    QVERIFY(moduleName);
    moduleName->clear();
}

void tst_HostConsole::cleanup()
{
    session.reset();
    simulation.reset();
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *w : windows)
        QVERIFY2(!w->isVisible(), qPrintable(w->metaObject()->className()));
}

void tst_HostConsole::consoleSetsStatusWords()
{
    simulation = std::make_unique<Simulation>(SimulationShape());
    SimulationConsole console(*simulation);
    console.show();
    QVERIFY(QTest::qWaitForWindowExposed(&console));
    QCOMPARE(console.title(), QStringLiteral("Simulation"));
    QSignalSpy reported(simulation.get(), &Simulation::reported);
    UnitSession unit;

    QTest::mouseClick(console.chkIcp[2], Qt::LeftButton);
    QTest::mouseClick(console.chkExc[15], Qt::LeftButton);
    ViInt16 icp = 0, exc = 0;
    QCOMPARE(unit.status(&icp, &exc), ViStatus(0));
    QCOMPARE(icp, ViInt16(0x0004));
    QCOMPARE(exc, ViInt16(0x8000));
    QCOMPARE(reported.size(), 2);
    QCOMPARE(reported.last().at(0).toString(),
        QStringLiteral("simulation: status icp 0x0004 exc 0x8000"));

    // A scenario step changes the simulation: the boxes follow without echoing a change.
    simulation->setStatusWords(0x0001, 0x0000);
    QCOMPARE(reported.size(), 3);
    QVERIFY(console.chkIcp[0]->isChecked());
    QVERIFY(!console.chkIcp[2]->isChecked());
    QVERIFY(!console.chkExc[15]->isChecked());
}

void tst_HostConsole::consoleInjectsFailures_data()
{
    QTest::addColumn<QString>("function");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("always");
    QTest::addColumn<int>("status");

    QTest::newRow("carrier error once in the status read")
        << "sc4830_getStatus" << 0 << false << int(Simulation::carrierErrorStatus);
    QTest::newRow("error always in the shunt setting")
        << "sc4830_setShuntCal" << 1 << true << int(Simulation::errorStatus);
    QTest::newRow("warning once in the identification")
        << "sc4830_channelIdentify" << 2 << false << int(Simulation::warningStatus);
}

void tst_HostConsole::consoleInjectsFailures()
{
    QFETCH(QString, function);
    QFETCH(int, answer);
    QFETCH(bool, always);
    QFETCH(int, status);
    simulation = std::make_unique<Simulation>(SimulationShape());
    SimulationConsole console(*simulation);
    console.show();
    QVERIFY(QTest::qWaitForWindowExposed(&console));
    UnitSession unit;

    console.cbFunction->setCurrentText(function);
    console.cbFailure->setCurrentIndex(answer);
    console.chkAlways->setChecked(always);
    QTest::mouseClick(console.pbInject, Qt::LeftButton);
    QCOMPARE(callDriver(function, unit.vi), ViStatus(status));
    QCOMPARE(callDriver(function, unit.vi), always ? ViStatus(status) : ViStatus(0));

    QTest::mouseClick(console.pbClearFailures, Qt::LeftButton);
    QCOMPARE(callDriver(function, unit.vi), ViStatus(0));
}

void tst_HostConsole::consoleSetsCarrierCodeAndLatency()
{
    simulation = std::make_unique<Simulation>(SimulationShape());
    SimulationConsole console(*simulation);
    console.show();
    QVERIFY(QTest::qWaitForWindowExposed(&console));
    UnitSession unit;

    for (const auto &[text, code] : { std::make_pair("0x1234", 0x1234), std::make_pair("-7", -7),
             std::make_pair("0xFFFFFFFE", -2) }) {
        console.leCarrierCode->setText(QLatin1String(text));
        QTest::mouseClick(console.pbCarrierCode, Qt::LeftButton);
        ViInt32 got = 0;
        QCOMPARE(sc4830_getFCLastError(unit.vi, &got), ViStatus(0));
        QCOMPARE(got, ViInt32(code));
    }

    // Typed, then confirmed: the value counts only once the operator is done.
    console.sbLatency->selectAll();
    QTest::keyClicks(console.sbLatency, QStringLiteral("40"));
    QCOMPARE(simulation->callLatencyUs(), 0);
    QTest::keyClick(console.sbLatency, Qt::Key_Return);
    QCOMPARE(simulation->callLatencyUs(), 40000);
    QElapsedTimer clock;
    clock.start();
    ViInt16 icp = 0, exc = 0;
    unit.status(&icp, &exc);
    QVERIFY2(clock.elapsed() >= 40, qPrintable(QString::number(clock.elapsed())));

    console.sbLatency->selectAll();
    QTest::keyClicks(console.sbLatency, QStringLiteral("0"));
    QTest::keyClick(console.sbLatency, Qt::Key_Return);
    QCOMPARE(simulation->callLatencyUs(), 0);
}

void tst_HostConsole::consoleHangsAndReleasesCalibrations()
{
    simulation = std::make_unique<Simulation>(SimulationShape());
    SimulationConsole console(*simulation);
    console.show();
    QVERIFY(QTest::qWaitForWindowExposed(&console));
    UnitSession unit;

    QTest::mouseClick(console.chkHang, Qt::LeftButton);
    QVERIFY(simulation->calibrationHang());
    std::atomic<ViStatus> result { 1 };
    std::unique_ptr<QThread> worker(
        QThread::create([&] { result = sc4830_excitCalibration(unit.vi, 1, 0, 0, 0, 0); }));
    worker->start();
    QTRY_COMPARE(Simulation::hangingCalibrations(), 1);
    console.refresh();
    QCOMPARE(console.lblHanging->text(), QStringLiteral("1 hanging"));
    QVERIFY(!worker->wait(100)); // still held

    QTest::mouseClick(console.pbRelease, Qt::LeftButton);
    QVERIFY(worker->wait(5000));
    QCOMPARE(result.load(), ViStatus(0));
    QCOMPARE(Simulation::hangingCalibrations(), 0);

    // A hang for 1 s ends by itself: nobody can press Release while the panel's
    // progress dialog is up.
    console.sbHangTimeout->selectAll();
    QTest::keyClicks(console.sbHangTimeout, QStringLiteral("1"));
    QTest::keyClick(console.sbHangTimeout, Qt::Key_Return);
    QCOMPARE(simulation->calibrationHangTimeoutMs(), 1000);
    result = 1;
    QElapsedTimer clock;
    clock.start();
    worker.reset(
        QThread::create([&] { result = sc4830_excitCalibration(unit.vi, 1, 0, 0, 0, 0); }));
    worker->start();
    QVERIFY(worker->wait(5000));
    QCOMPARE(result.load(), ViStatus(0));
    QVERIFY2(clock.elapsed() >= 1000, qPrintable(QString::number(clock.elapsed())));

    QTest::mouseClick(console.chkHang, Qt::LeftButton);
    QVERIFY(!simulation->calibrationHang());
}

void tst_HostConsole::consoleShowsTheCallLog()
{
    simulation = std::make_unique<Simulation>(SimulationShape());
    SimulationConsole console(*simulation);
    console.show();
    QVERIFY(QTest::qWaitForWindowExposed(&console));
    UnitSession unit;
    ViInt16 icp = 0, exc = 0;
    unit.status(&icp, &exc);
    sc4830_setShuntCal(unit.vi, 3, 1);
    console.refresh();
    QStringList shown = console.teCallLog->toPlainText().split(QLatin1Char('\n'));
    QCOMPARE(shown, Simulation::callLog());
    QCOMPARE(shown.constLast(), QStringLiteral("sc4830_setShuntCal(%1, 3, 1)").arg(unit.vi));
    QCOMPARE(console.lblCallCount->text(), QStringLiteral("%1 call(s)").arg(shown.size()));

    // Only new calls are added, each once; the refresh timer shows them by itself.
    sc4830_channelIdentify(unit.vi, 2, 1);
    QTRY_COMPARE(
        console.teCallLog->toPlainText().split(QLatin1Char('\n')).size(), shown.size() + 1);
    shown = console.teCallLog->toPlainText().split(QLatin1Char('\n'));
    QCOMPARE(shown.constLast(), QStringLiteral("sc4830_channelIdentify(%1, 2, 1)").arg(unit.vi));

    // A cleared log starts the view afresh.
    sc4830sim_clearLog();
    sc4830_setShuntCal(unit.vi, 4, 0);
    console.refresh();
    QCOMPARE(console.teCallLog->toPlainText(),
        QStringLiteral("sc4830_setShuntCal(%1, 4, 0)").arg(unit.vi));
}

void tst_HostConsole::consoleFocusPassingWritesNothing()
{
    simulation = std::make_unique<Simulation>(SimulationShape());
    simulation->setCallLatencyUs(250); // below the box's ms: a scenario's value
    simulation->setCalibrationHangTimeoutMs(1500);
    SimulationConsole console(*simulation);
    console.show();
    QApplication::setActiveWindow(&console);
    QVERIFY(QTest::qWaitForWindowActive(&console));
    QSignalSpy reported(simulation.get(), &Simulation::reported);

    // Focus passes through every box of the timing group and leaves it.
    const QList<QWidget *> boxes { console.sbLatency, console.sbCalibrationTime,
        console.sbHangTimeout, console.pbRelease };
    for (QWidget *box : boxes) {
        box->setFocus();
        QTRY_VERIFY(box->hasFocus());
    }
    QCOMPARE(reported.size(), 0);
    QCOMPARE(simulation->callLatencyUs(), 250);
    QCOMPARE(simulation->calibrationHangTimeoutMs(), 1500);

    // A new value still counts.
    console.sbCalibrationTime->setFocus();
    console.sbCalibrationTime->selectAll();
    QTest::keyClicks(console.sbCalibrationTime, QStringLiteral("35"));
    console.pbRelease->setFocus();
    QTRY_COMPARE(simulation->calibrationTimeMs(), 35);
    QCOMPARE(reported.size(), 1);
}

void tst_HostConsole::logsFollowTheNewestLine_data()
{
    QTest::addColumn<bool>("callLog"); // else the host log
    QTest::newRow("host log") << false;
    QTest::newRow("call log") << true;
}

void tst_HostConsole::logsFollowTheNewestLine()
{
    QFETCH(bool, callLog);
    simulation = std::make_unique<Simulation>(SimulationShape());
    UnitSession unit;
    HostLog hostLog;
    std::unique_ptr<SimulationConsole> console;
    // Lines come before the view is shown, as they do while the host starts.
    const auto addLines = [&](int n) {
        for (int i = 0; i < n; ++i) {
            if (callLog)
                sc4830_setShuntCal(unit.vi, 1, ViBoolean(i & 1));
            else
                hostLog.report(QStringLiteral("line %1").arg(i));
        }
        if (console)
            console->refresh();
    };
    addLines(100);
    QWidget *view = &hostLog;
    if (callLog) {
        console = std::make_unique<SimulationConsole>(*simulation);
        view = console.get();
    }
    view->resize(400, 500);
    view->show();
    QVERIFY(QTest::qWaitForWindowExposed(view));
    QScrollBar *bar
        = callLog ? console->teCallLog->verticalScrollBar() : hostLog.verticalScrollBar();
    QTRY_VERIFY(bar->maximum() > 0);
    QTRY_COMPARE(bar->value(), bar->maximum());

    int maximum = bar->maximum();
    addLines(20);
    QTRY_VERIFY(bar->maximum() > maximum);
    QTRY_COMPARE(bar->value(), bar->maximum());

    // Scrolled up to read: the view stays where the operator put it ...
    bar->setValue(3);
    maximum = bar->maximum();
    addLines(20);
    QTRY_VERIFY(bar->maximum() > maximum);
    QTest::qWait(20);
    QCOMPARE(bar->value(), 3);
    // ... until scrolled back down.
    bar->setValue(bar->maximum());
    maximum = bar->maximum();
    addLines(20);
    QTRY_VERIFY(bar->maximum() > maximum);
    QTRY_COMPARE(bar->value(), bar->maximum());
}

void tst_HostConsole::windowShowsAttachment_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("lamp");
    QTest::addColumn<QString>("statusA");
    QTest::addColumn<bool>("resourceEnabled");

    QTest::newRow("attached: lamp lit") << QStringList() << 1 << "VXI0::4::INSTR" << true;
    QTest::newRow("demo: lamp dark")
        << QStringList { QStringLiteral("--demo") } << 0 << "Demonstration" << false;
    QTest::newRow("no unit: lamp dark")
        << QStringList { QStringLiteral("--no-unit") } << 0 << "Demonstration" << false;
}

void tst_HostConsole::windowShowsAttachment()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, lamp);
    QFETCH(QString, statusA);
    QFETCH(bool, resourceEnabled);
    startSession(arguments);
    HostWindow *window = session->window();
    QCOMPARE(window->ledActive->getValue(), lamp);
    QCOMPARE(window->lblStatusA->text(), statusA);
    QVERIFY(window->lblStatusA->isVisible());
    QCOMPARE(window->lblStatusB->text(),
        QStringLiteral("%1, S/N %2")
            .arg(window->panel()->model(), window->panel()->serialNumber()));
    QCOMPARE(window->lblTitle->text(),
        QStringLiteral("Orbisa 4830 - 16 Channel Signal Conditioning Unit"));
    QCOMPARE(window->resources()->isEnabled(), resourceEnabled);
    // The panel sits in the frame's content area, the console beside it, outside it.
    QVERIFY(window->contentWidget->isAncestorOf(window->panel()));
    QVERIFY(window->contentWidget->isAncestorOf(window->console()));
    QVERIFY(!window->panel()->isAncestorOf(window->console()));
}

void tst_HostConsole::windowFitsTheScreen_data()
{
    QTest::addColumn<QRect>("available");
    QTest::addColumn<bool>("consoleShown");

    // A laptop's 1366 x 768 is narrower than the window with the console.
    QTest::newRow("1366 x 768") << QRect(0, 0, 1366, 768) << false;
    QTest::newRow("1366 x 768 under a top bar") << QRect(0, 28, 1366, 740) << false;
    QTest::newRow("second screen, wide") << QRect(1920, 0, 3840, 2160) << true;
}

void tst_HostConsole::windowFitsTheScreen()
{
    QFETCH(QRect, available);
    QFETCH(bool, consoleShown);
    startSession();
    HostWindow *window = session->window();
    window->fitToScreen(available);
    QCOMPARE(window->console()->isVisible(), consoleShown);
    QCOMPARE(window->simulationToggle()->isChecked(), consoleShown);
    const QRect frame = window->frameGeometry();
    QVERIFY2(available.contains(frame),
        qPrintable(QStringLiteral("%1,%2 %3x%4")
                       .arg(frame.x())
                       .arg(frame.y())
                       .arg(frame.width())
                       .arg(frame.height())));
    const QRect close(window->pbClose->mapToGlobal(QPoint(0, 0)), window->pbClose->size());
    QVERIFY(available.contains(close));
    // Centred, to the pixel that halving leaves over.
    QVERIFY(qAbs(frame.center().x() - available.center().x()) <= 1);
    QVERIFY(qAbs(frame.center().y() - available.center().y()) <= 1);

    // The operator's toggle: the window grows to hold the console and shrinks back.
    const int width = window->width();
    window->simulationToggle()->click();
    QCOMPARE(window->console()->isVisible(), !consoleShown);
    QCOMPARE(window->width() > width, !consoleShown);
    window->simulationToggle()->click();
    QCOMPARE(window->console()->isVisible(), consoleShown);
    if (!consoleShown)
        QCOMPARE(window->width(), width);
}

void tst_HostConsole::focusStartsOnThePanelsFirstControl()
{
    startSession();
    HostWindow *window = session->window();
    for (int round = 0; round < 2; ++round) {
        // The first control of Ch 1, its input source, not the tab bar and not Reset.
        auto *focus = qobject_cast<QComboBox *>(window->focusWidget());
        QVERIFY(focus);
        QVERIFY(window->panel()->isAncestorOf(focus));
        QTRY_VERIFY(focus->isVisible()); // a new panel shows once the event loop runs
        QCOMPARE(QApplication::focusWidget(), focus);
        QCOMPARE(focus->itemText(0), QStringLiteral("Front Panel"));
        // So does the panel after a reset.
        QTest::mouseClick(window->pbReset, Qt::LeftButton);
    }
}

void tst_HostConsole::resourcesInLibraryOrder()
{
    startSession();
    QStringList shown;
    for (int i = 0; i < session->window()->resources()->count(); ++i)
        shown.append(session->window()->resources()->itemText(i));
    // TCPIP by address number (2 before 10), boards in order, types by name.
    const QStringList expected {
        QStringLiteral("ASRL1::INSTR"),
        QStringLiteral("GPIB0::7::INSTR"),
        QStringLiteral("GPIB1::3::INSTR"),
        QStringLiteral("PXI0::14::INSTR"),
        QStringLiteral("TCPIP0::192.168.0.2::INSTR"),
        QStringLiteral("TCPIP0::192.168.0.10::INSTR"),
        QStringLiteral("TCPIP1::10.0.0.9::INSTR"),
        QStringLiteral("VXI0::4::INSTR"),
        QStringLiteral("VXI1::0::INSTR"),
    };
    QCOMPARE(shown, expected);
    QCOMPARE(session->window()->resources()->currentText(), QStringLiteral("VXI0::4::INSTR"));
}

void tst_HostConsole::resetAttachesNewPanel()
{
    startSession();
    HostWindow *window = session->window();
    QPointer<cr2200fp_scuInterface> first = window->panel();
    const int closes = sc4830sim_closeCount();
    const int inits = sc4830sim_callCount("sc4830_init");
    ModalAnswerer answerer; // nothing was changed: nothing to ask
    QTest::mouseClick(window->pbReset, Qt::LeftButton);
    QCOMPARE(answerer.seen.size(), 0);
    QVERIFY(first.isNull()); // deleted, so its unit session is closed ...
    QCOMPARE(sc4830sim_closeCount(), closes + 1);
    QVERIFY(window->panel()); // ... before the new panel opened its own
    QCOMPARE(sc4830sim_callCount("sc4830_init"), inits + 1);
    QCOMPARE(sc4830sim_openSessionCount(), 1);
    QCOMPARE(window->panel()->model(), QStringLiteral("4830-AB"));
    QCOMPARE(window->ledActive->getValue(), 1);
    QVERIFY(logLines(window->log()).contains(QStringLiteral("reset: a new panel")));
}

namespace {

// How the operator meets the resource list.
enum class Choice {
    down, // Down on the closed list
    wheel, // the wheel turned one notch down over it
    downAttach, // Down, then a click on Attach
    downEnter, // Down, then Enter on the list
    downUpEnter, // Down, Up back to the attached one, then Enter
};

} // namespace

Q_DECLARE_METATYPE(Choice)

void tst_HostConsole::resourceAttachesOnlyWhenConfirmed_data()
{
    QTest::addColumn<Choice>("choice");
    QTest::addColumn<QString>("shown"); // the list's current text afterwards
    QTest::addColumn<bool>("attached"); // to the resource shown, on a new carrier
    QTest::addColumn<bool>("attachEnabled");

    const QString first = QStringLiteral("VXI0::4::INSTR");
    const QString next = QStringLiteral("VXI1::0::INSTR");
    QTest::newRow("Down only chooses") << Choice::down << next << false << true;
    QTest::newRow("the wheel only chooses") << Choice::wheel << next << false << true;
    QTest::newRow("Down and Attach attach") << Choice::downAttach << next << true << false;
    QTest::newRow("Down and Enter attach") << Choice::downEnter << next << true << false;
    QTest::newRow("Enter on the attached one does nothing")
        << Choice::downUpEnter << first << false << false;
}

void tst_HostConsole::resourceAttachesOnlyWhenConfirmed()
{
    QFETCH(Choice, choice);
    QFETCH(QString, shown);
    QFETCH(bool, attached);
    QFETCH(bool, attachEnabled);
    startSession();
    HostWindow *window = session->window();
    QComboBox *list = window->resources();
    QApplication::setActiveWindow(window);
    QVERIFY(QTest::qWaitForWindowActive(window));
    QPointer<cr2200fp_scuInterface> first = window->panel();
    const ViSession firstCarrier = session->simulation().carrier();
    const int calls = Simulation::callLogCount();
    QVERIFY(!window->attachButton()->isEnabled()); // the list shows the one attached
    ModalAnswerer answerer; // nothing was changed: nothing to ask

    list->setFocus();
    QTRY_VERIFY(list->hasFocus());
    if (choice == Choice::wheel) {
        const QPoint at = list->rect().center();
        QWheelEvent wheel(at, list->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
            Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(list, &wheel);
    } else {
        QTest::keyClick(list, Qt::Key_Down);
    }
    QCOMPARE(window->panel(), first.data()); // a choice alone changes nothing ...
    QCOMPARE(Simulation::callLogCount(), calls); // ... and sends the unit nothing
    if (choice == Choice::downUpEnter)
        QTest::keyClick(list, Qt::Key_Up);
    if (choice == Choice::downAttach)
        QTest::mouseClick(window->attachButton(), Qt::LeftButton);
    if (choice == Choice::downEnter || choice == Choice::downUpEnter)
        QTest::keyClick(list, Qt::Key_Return);

    QCOMPARE(answerer.seen.size(), 0);
    QCOMPARE(list->currentText(), shown);
    QCOMPARE(window->attachButton()->isEnabled(), attachEnabled);
    QCOMPARE(first.isNull(), attached);
    QCOMPARE(sc4830sim_openSessionCount(), 1);
    const ViSession carrier = session->simulation().carrier();
    QCOMPARE(carrier != firstCarrier, attached);
    if (!attached) {
        QCOMPARE(Simulation::callLogCount(), calls);
        QCOMPARE(window->lblStatusA->text(), QStringLiteral("VXI0::4::INSTR"));
        return;
    }
    QCOMPARE(simcarrier_model(firstCarrier), ViUInt16(0)); // closed
    QCOMPARE(window->lblStatusA->text(), shown);
    const QStringList lines = logLines(window->log());
    QVERIFY(lines.contains(QStringLiteral("resource: %1").arg(shown)));
    QVERIFY(lines.contains(
        QStringLiteral("carrier: %1, model 0x2611, session %2").arg(shown).arg(carrier)));
}

void tst_HostConsole::changedSettingsAskBeforeTheyGo_data()
{
    QTest::addColumn<bool>("reset"); // else another resource
    QTest::addColumn<int>("answer"); // NoButton: Escape
    QTest::addColumn<bool>("discarded");
    QTest::addColumn<bool>("named"); // the change is a channel's name, else a setting

    QTest::newRow("reset, No keeps the panel") << true << int(QMessageBox::No) << false << false;
    QTest::newRow("reset, Escape keeps the panel")
        << true << int(QMessageBox::NoButton) << false << false;
    QTest::newRow("reset, Yes resets") << true << int(QMessageBox::Yes) << true << false;
    QTest::newRow("resource, No keeps panel and resource")
        << false << int(QMessageBox::No) << false << false;
    QTest::newRow("resource, Yes attaches") << false << int(QMessageBox::Yes) << true << false;
    QTest::newRow("reset after a name, No keeps it")
        << true << int(QMessageBox::No) << false << true;
}

void tst_HostConsole::changedSettingsAskBeforeTheyGo()
{
    QFETCH(bool, reset);
    QFETCH(int, answer);
    QFETCH(bool, discarded);
    QFETCH(bool, named);
    startSession();
    HostWindow *window = session->window();
    QPointer<cr2200fp_scuInterface> first = window->panel();
    // The operator changes one setting of Ch 1, as the host sees the panel: a control.
    auto *spin = first->findChildren<QDoubleSpinBox *>().value(0);
    QVERIFY(spin);
    QAbstractItemModel *table = qobject_cast<cr2200fp_overviewInterface *>(first)->channelModel();
    if (named)
        QVERIFY(table->setData(table->index(0, 1), QStringLiteral("Left arm")));
    else
        spin->setValue(spin->value() + spin->singleStep());
    const double changed = spin->value();
    const int inits = sc4830sim_callCount("sc4830_init");

    ModalAnswerer answerer;
    if (answer != int(QMessageBox::NoButton))
        answerer.queue(QMessageBox::StandardButton(answer));
    if (reset) {
        QTest::mouseClick(window->pbReset, Qt::LeftButton);
    } else {
        window->resources()->setFocus();
        QTest::keyClick(window->resources(), Qt::Key_Down);
        QCOMPARE(answerer.seen.size(), 0); // the question comes with the confirmation
        QTest::mouseClick(window->attachButton(), Qt::LeftButton);
    }
    QVERIFY(answerer.waitForBoxes(1));
    const SeenBox &box = answerer.seen.constFirst();
    QCOMPARE(box.icon, QMessageBox::Question);
    QCOMPARE(box.title, QStringLiteral("Orbisa 4830 SFP"));
    QCOMPARE(box.text,
        reset ? QStringLiteral("Resetting the device discards the settings of every channel.\n"
                               "Do you want to reset it?")
              : QStringLiteral("Attaching to VXI1::0::INSTR discards the settings of every "
                               "channel.\nDo you want to attach to it?"));
    QCOMPARE(box.buttons, QStringList({ QStringLiteral("Yes"), QStringLiteral("No") }));
    QCOMPARE(first.isNull(), discarded);
    QCOMPARE(sc4830sim_callCount("sc4830_init"), inits + (discarded ? 1 : 0));
    QCOMPARE(sc4830sim_openSessionCount(), 1);
    QCOMPARE(window->resources()->currentText(),
        !reset && discarded ? QStringLiteral("VXI1::0::INSTR") : QStringLiteral("VXI0::4::INSTR"));
    QVERIFY(!window->attachButton()->isEnabled()); // the list shows what is attached
    if (!discarded) {
        QCOMPARE(spin->value(), changed);
        QCOMPARE(table->index(0, 1).data().toString(), named ? "Left arm" : "");
        return;
    }
    // The new panel holds the defaults again: the next reset asks nothing.
    QTest::mouseClick(window->pbReset, Qt::LeftButton);
    QCOMPARE(answerer.seen.size(), 1);
    QCOMPARE(sc4830sim_callCount("sc4830_init"), inits + 2);
}

void tst_HostConsole::boxesOfTheAttachNameTheModel_data()
{
    QTest::addColumn<bool>("afterReset"); // else the first attach
    QTest::addColumn<int>("failure");
    QTest::addColumn<QString>("title");

    const QString error = QStringLiteral("Orbisa 4830 SFP Error message");
    QTest::newRow("error in the first attach") << false << int(Simulation::errorStatus) << error;
    QTest::newRow("warning in the first attach")
        << false << int(Simulation::warningStatus) << "Orbisa 4830 SFP Warning message";
    QTest::newRow("error in the attach after a reset")
        << true << int(Simulation::errorStatus) << error;
}

void tst_HostConsole::boxesOfTheAttachNameTheModel()
{
    QFETCH(bool, afterReset);
    QFETCH(int, failure);
    QFETCH(QString, title);
    // The panel's boxes come from its own module; the host's name must title them too.
    ModalAnswerer answerer;
    const char *function = "sc4830_setChannelConf";
    startSession(QStringList(), afterReset ? nullptr : function, ViStatus(failure));
    if (afterReset) {
        QCOMPARE(answerer.seen.size(), 0);
        sc4830sim_injectStatus(function, ViStatus(failure), 0);
        QTest::mouseClick(session->window()->pbReset, Qt::LeftButton);
    }
    QVERIFY(answerer.waitForBoxes(1));
    QCOMPARE(answerer.seen.size(), 1);
    QCOMPARE(answerer.seen.constFirst().title, title);
}

void tst_HostConsole::screenReaderNamesTheHostsControls_data()
{
    QTest::addColumn<QString>("control"); // object path, below
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption"); // the label that labels it; empty: none

    QTest::newRow("host log") << "hostLog"
                              << "Host log"
                              << "";
    QTest::newRow("call log") << "callLog"
                              << "Call log"
                              << "";
    QTest::newRow("attach") << "attach"
                            << "Attach to the chosen resource"
                            << "";
    QTest::newRow("first ICP box") << "icp 0"
                                   << "ICP Ch 1"
                                   << "";
    QTest::newRow("last ICP box") << "icp 15"
                                  << "ICP Ch 16"
                                  << "";
    QTest::newRow("first limit box") << "exc 0"
                                     << "Excitation limit Ch 1"
                                     << "";
    QTest::newRow("ninth limit box") << "exc 8"
                                     << "Excitation limit Ch 9"
                                     << "";
    QTest::newRow("carrier code") << "carrierCode"
                                  << "Carrier code"
                                  << "Carrier code";
    QTest::newRow("hang time") << "hangTime"
                               << "Hang time"
                               << "Hang time";
}

void tst_HostConsole::screenReaderNamesTheHostsControls()
{
    QFETCH(QString, control);
    QFETCH(QString, name);
    QFETCH(QString, caption);
    startSession();
    HostWindow *window = session->window();
    SimulationConsole *console = window->console();
    const QMap<QString, QWidget *> controls {
        { QStringLiteral("hostLog"), window->log() },
        { QStringLiteral("callLog"), console->teCallLog },
        { QStringLiteral("attach"), window->attachButton() },
        { QStringLiteral("icp 0"), console->chkIcp[0] },
        { QStringLiteral("icp 15"), console->chkIcp[15] },
        { QStringLiteral("exc 0"), console->chkExc[0] },
        { QStringLiteral("exc 8"), console->chkExc[8] },
        { QStringLiteral("carrierCode"), console->leCarrierCode },
        { QStringLiteral("hangTime"), console->sbHangTimeout },
    };
    QWidget *widget = controls.value(control);
    QVERIFY(widget);
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(widget);
    QVERIFY(iface);
    QCOMPARE(iface->text(QAccessible::Name), name);
    if (!caption.isEmpty())
        QVERIFY2(accessibleLabels(widget).contains(caption),
            qPrintable(accessibleLabels(widget).join(QStringLiteral(", "))));
    // Nothing in the window, console and panel included, is left without a name.
    QCOMPARE(unnamedControls(window), QStringList());
}

void tst_HostConsole::loadSetupAsksThenSummarises_data()
{
    QTest::addColumn<bool>("changed"); // the operator changed a setting (of Ch 8) since the attach
    QTest::addColumn<int>("answer"); // to the question, if one comes
    QTest::addColumn<QByteArray>("unit");
    QTest::addColumn<QByteArray>("identity"); // informational keys of the file
    QTest::addColumn<QStringList>("texts"); // of the boxes, in order
    QTest::addColumn<QString>("review"); // the line above the table; empty: not staged

    const QString question
        = QStringLiteral("Loading setup.json replaces the settings of the channels it names.\n"
                         "Do you want to load it?");
    const QString summary = QStringLiteral("Setup setup.json loaded.\nApplied: channel %1\n"
                                           "Skipped, not on this carrier: channel 9, 16");
    const QString review = QStringLiteral(
        "Reviewing setup.json, nothing sent yet. Channels that change: 1 (2). Unchanged: 0. "
        "Skipped: 2. \"Apply changed\" sends them, \"Revert changed\" takes them back.");
    QTest::newRow("settings as attached: no question")
        << false << int(QMessageBox::NoButton) << QByteArray("Orbisa 4830") << QByteArray()
        << QStringList { summary.arg(2) } << review;
    QTest::newRow("changed settings, No keeps them")
        << true << int(QMessageBox::No) << QByteArray("Orbisa 4830") << QByteArray()
        << QStringList { question } << QString();
    QTest::newRow("changed settings, Yes stages, apply sends both")
        << true << int(QMessageBox::Yes) << QByteArray("Orbisa 4830") << QByteArray()
        << QStringList { question, summary.arg(QStringLiteral("2, 8")) } << review;
    QTest::newRow("saved from another unit: a warning names both")
        << false << int(QMessageBox::NoButton) << QByteArray("Orbisa 4830")
        << QByteArray("\"model\": \"4830-AB\", \"serialNumber\": \"0BADCAFE\", ")
        << QStringList { summary.arg(2) }
        << review
            + "\nWarning: the file was saved from 4830-AB, S/N 0BADCAFE; the attached unit is "
              "4830-AB, S/N 00C0FFEE.";
    QTest::newRow("setup the panel refuses")
        << false << int(QMessageBox::NoButton) << QByteArray("Orbisa 4810") << QByteArray()
        << QStringList { QStringLiteral("%1: \"unit\" is \"Orbisa 4810\", not \"Orbisa 4830\"") }
        << QString();
}

// A load stages the file and shows the table with what it would change; nothing reaches
// the unit before "Apply changed", after which the summary box follows.
void tst_HostConsole::loadSetupAsksThenSummarises()
{
    QFETCH(bool, changed);
    QFETCH(int, answer);
    QFETCH(QByteArray, unit);
    QFETCH(QByteArray, identity);
    QFETCH(QStringList, texts);
    QFETCH(QString, review);
    const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("setup.json"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("{ \"format\": \"sfp-setup\", \"version\": 1, " + identity + "\"unit\": \"" + unit
        + "\", \"channels\": [ { \"channel\": 9 }, { \"channel\": 2, \"gain\": 10 }, "
          "{ \"channel\": 16 } ] }");
    file.close();

    startSession({ QStringLiteral("--carrier"), QStringLiteral("0x2624") });
    HostWindow *window = session->window();
    QVERIFY(window->setups()->loadButton->isEnabled());
    cr2200fp_setupInterface *setups = window->setups()->panelSetups();
    QVERIFY(setups);
    if (changed) {
        auto *spin = window->panel()->findChildren<QDoubleSpinBox *>().value(0);
        spin->setValue(spin->value() + spin->singleStep());
    }
    ModalAnswerer answerer;
    if (answer != int(QMessageBox::NoButton))
        answerer.queue(QMessageBox::StandardButton(answer));
    sc4830sim_clearLog();
    window->loadSetup(path);
    const QStringList configuration { QStringLiteral("sc4830_setChannelConf"),
        QStringLiteral("sc4830_setExcitation"), QStringLiteral("sc4830_setShuntCal") };
    QCOMPARE(simCallLog(configuration), QStringList());
    QCOMPARE(window->views()->review(), review);
    QCOMPARE(window->views()->tableShown(), !review.isEmpty());
    if (!review.isEmpty())
        window->views()->applyButton->click();

    QCOMPARE(answerer.seen.size(), texts.size());
    for (int i = 0; i < texts.size(); ++i)
        QCOMPARE(answerer.seen.at(i).text, texts.at(i).arg(path));
    QCOMPARE(answerer.seen.constLast().title, QStringLiteral("Orbisa 4830 SFP"));
    // Channels 9 and 16 are skipped on this carrier: the summary is a warning.
    if (!review.isEmpty())
        QCOMPARE(answerer.seen.constLast().icon, QMessageBox::Warning);
    QCOMPARE(setups->currentSetup().channels.at(1).gain, review.isEmpty() ? 1.0 : 10.0);
    QCOMPARE(window->views()->review(), QString());
}

// The pages and the table are two views of one panel: Ctrl+T toggles them, a channel chosen
// in the table shows its page, and "Apply changed" beside the pages applies what changed.
void tst_HostConsole::viewsShowPagesOrTable()
{
    startSession();
    HostWindow *window = session->window();
    HostViews *views = window->views();
    QVERIFY(!views->applyButton->isEnabled());
    QVERIFY(!window->earlierButton()->isEnabled());
    QTest::keyClick(window, Qt::Key_T, Qt::ControlModifier);
    QVERIFY(views->tableShown());
    QVERIFY(!window->panel()->isVisible());
    auto *table = qobject_cast<QTableView *>(QApplication::focusWidget());
    QVERIFY(table);
    QCOMPARE(table->accessibleName(), QStringLiteral("All channels"));
    QAbstractItemModel *model = table->model();
    table->setCurrentIndex(model->index(4, 0));
    QTest::keyClick(table, Qt::Key_Return);
    QVERIFY(!views->tableShown());
    QCOMPARE(window->panel()->findChild<QTabWidget *>()->currentIndex(), 4);
    QVERIFY(window->panel()->isAncestorOf(QApplication::focusWidget()));

    QVERIFY(model->setData(model->index(4, 5), QStringLiteral("10")));
    QVERIFY(views->applyButton->isEnabled());
    views->applyButton->setFocus();
    QTest::keyClick(views->applyButton, Qt::Key_Space);
    QCOMPARE(model->index(4, 14).data().toString(), QStringLiteral("Applied"));
    QVERIFY(!views->applyButton->isEnabled());
    // Focus goes back to the pages, not on to Reset.
    QVERIFY(window->panel()->isAncestorOf(QApplication::focusWidget()));
    QCOMPARE(logLines(window->log()).constLast(), QStringLiteral("changes applied: channel 5"));

    // What the unit held before that apply comes back for review, by Ctrl+E.
    QTRY_VERIFY(window->earlierButton()->isEnabled());
    QString entry;
    QTimer::singleShot(0, [&entry] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        entry = dialog->findChild<QListWidget *>()->currentItem()->text();
        dialog->accept();
    });
    QTest::keyClick(window, Qt::Key_E, Qt::ControlModifier);
    QVERIFY2(entry.endsWith(QLatin1String(": channel 5 differ from now")), qPrintable(entry));
    QVERIFY(views->tableShown());
    QCOMPARE(model->index(4, 5).data().toString(), QStringLiteral("1"));
    QCOMPARE(model->index(4, 14).data().toString(), QStringLiteral("Changed"));
}

void tst_HostConsole::carrierErrorReachesHostLog()
{
    startSession();
    Simulation &simulation = session->simulation();
    simulation.setCarrierErrorCode(0x42);
    simulation.injectFailure(
        QStringLiteral("sc4830_getStatus"), Simulation::carrierErrorStatus, false);
    const QString line = QStringLiteral(
        "masterError(0x00000042, \"sc4830_getStatus(d_vi, &icpErr, &excErr, VI_NULL, "
        "VI_NULL)\")");
    QTRY_VERIFY_WITH_TIMEOUT(logLines(session->window()->log()).contains(line), 3000);
    QVERIFY(logLines(session->window()->log())
                .contains(QStringLiteral("simulation: fail sc4830_getStatus carrier once")));
}

void tst_HostConsole::closeAsksFirst()
{
    startSession();
    HostWindow *window = session->window();
    ModalAnswerer answerer;
    answerer.queue(QMessageBox::No);
    window->close();
    QVERIFY(answerer.waitForBoxes(1));
    const SeenBox &box = answerer.seen.constFirst();
    QCOMPARE(box.title, QStringLiteral("Orbisa 4830 SFP"));
    QCOMPARE(box.text, QStringLiteral("Do you really want to exit?"));
    QCOMPARE(box.buttons, QStringList({ QStringLiteral("Yes"), QStringLiteral("No") }));
    QVERIFY(window->isVisible());

    answerer.queue(QMessageBox::Yes);
    QTest::mouseClick(window->pbClose, Qt::LeftButton);
    QVERIFY(answerer.waitForBoxes(2));
    QVERIFY(!window->isVisible());
}

void tst_HostConsole::aboutNamesThePanel()
{
    startSession();
    ModalAnswerer answerer;
    answerer.queue(QMessageBox::Ok);
    QTest::mouseClick(session->window()->pbAbout, Qt::LeftButton);
    QVERIFY(answerer.waitForBoxes(1));
    const SeenBox &box = answerer.seen.constFirst();
    QCOMPARE(box.title, QStringLiteral("About sfp-host"));
    for (const char *text : { "Orbisa 4830 - 16 Channel Signal Conditioning Unit", "4830-AB",
             "00C0FFEE", "1.2.0.7", SFP_VERSION_STRING })
        QVERIFY2(box.text.contains(QLatin1String(text)), text);
}

QTEST_MAIN(tst_HostConsole)
#include "tst_hostconsole.moc"
