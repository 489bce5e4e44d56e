// The panel's running behaviour: the status poll and its lamps, and the reference monitor
// button. What the host passes to the panel's slots is tst_hostinput's, each checked
// call's failure tst_faultmatrix's.
#include "channeltab.h"
#include "checkedcall.h"
#include "mastererrorrecorder.h"
#include "modalanswerer.h"
#include "panelrig.h"
#include "simlog.h"
#include "simreset.h"

#include <cr2200fp_led.h>
#include <sc4830fp_chcfg.h>
#include <sc4830fp_fp.h>
#include <sc4830sim.h>

#include <QAccessible>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>

Q_DECLARE_METATYPE(QList<int>)

class tst_Monitoring : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void firstTickReadsNothing();
    void readsEveryOtherTick();
    void noReadInDemonstrationOrWhileCalibrating();
    void lamps_data();
    void lamps();
    void failedReadStopsThePollForGood_data();
    void failedReadStopsThePollForGood();
    void identificationBlinksEvery400ms();
    void monitorButtonSwitchesOnlyTheMonitor();
    void monitorInDemonstrationChangesTheTextOnly();

private:
    // Applies ICP on the given pages.
    static void applyIcp(sc4830fp_fp *panel, const QList<int> &pages);
};

void tst_Monitoring::init()
{
    resetSimulators();
}

void tst_Monitoring::cleanup()
{
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void tst_Monitoring::applyIcp(sc4830fp_fp *panel, const QList<int> &pages)
{
    for (int i : pages) {
        panel->chPages[i]->cbMode->setCurrentIndex(5);
        panel->chPages[i]->applyAction();
    }
}

// Each tick is a direct call of getStatus() of a panel whose timer is stopped.
void tst_Monitoring::firstTickReadsNothing()
{
    PanelRig rig(PanelRig::Attached, 8, PanelRig::NotPolling);
    sc4830fp_fp *panel = rig.panel;
    QCOMPARE(panel->statusTick, 0);
    panel->getStatus();
    QCOMPARE(sc4830sim_callCount("sc4830_getStatus"), 0);
    QCOMPARE(panel->statusTick, 1);
    panel->getStatus();
    QCOMPARE(
        simCallLog(), QStringList { "sc4830_getStatus(" + rig.unit() + ", ptr, ptr, NULL, NULL)" });
    for (int i = 0; i < 6; ++i)
        panel->getStatus();
    QCOMPARE(sc4830sim_callCount("sc4830_getStatus"), 4);
}

void tst_Monitoring::readsEveryOtherTick()
{
    PanelRig rig(PanelRig::Attached, 16, PanelRig::NotPolling);
    sc4830fp_fp *panel = rig.panel;
    QCOMPARE(panel->statusTimer->interval(), 200);
    panel->statusTimer->start();
    QElapsedTimer clock;
    clock.start();
    QTest::qWait(2050);
    const int reads = sc4830sim_callCount("sc4830_getStatus");
    // 400 ms apart; the timer's start-up and a loaded machine may cost one.
    const int expected = int(clock.elapsed() / 400);
    QVERIFY2(reads >= expected - 1 && reads <= expected, qPrintable(QString::number(reads)));
}

void tst_Monitoring::noReadInDemonstrationOrWhileCalibrating()
{
    PanelRig demo(PanelRig::Demonstration, 8, PanelRig::NotPolling);
    for (int i = 0; i < 4; ++i)
        demo.panel->getStatus();
    QCOMPARE(sc4830sim_logCount(), 0);

    PanelRig rig(PanelRig::Attached, 8, PanelRig::NotPolling);
    sc4830fp_fp *panel = rig.panel;
    panel->calibrating = true;
    for (int i = 0; i < 4; ++i)
        panel->getStatus();
    QCOMPARE(sc4830sim_callCount("sc4830_getStatus"), 0);
    QCOMPARE(panel->statusTick, 4);
    panel->calibrating = false;
    panel->getStatus();
    panel->getStatus();
    QCOMPARE(sc4830sim_callCount("sc4830_getStatus"), 1);
}

void tst_Monitoring::lamps_data()
{
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("icpErr");
    QTest::addColumn<int>("excErr");
    QTest::addColumn<QList<int>>("icpPages");
    QTest::newRow("16 pages, no bits") << 16 << 0 << 0 << QList<int> { 0, 15 };
    QTest::newRow("16 pages, every bit") << 16 << 0xFFFF << 0xFFFF << QList<int> { 0, 7, 8, 15 };
    QTest::newRow("16 pages, bit 15 only") << 16 << 0x8000 << 0x8000 << QList<int> { 14, 15 };
    QTest::newRow("16 pages, alternating")
        << 16 << 0x5555 << 0xAAAA << QList<int> { 0, 1, 2, 3, 9 };
    QTest::newRow("8 pages, high byte ignored") << 8 << 0xFF00 << 0xFF00 << QList<int> { 0, 7 };
    QTest::newRow("8 pages, low byte") << 8 << 0x00A5 << 0x005A << QList<int> { 0, 2, 5 };
}

void tst_Monitoring::lamps()
{
    QFETCH(int, channels);
    QFETCH(int, icpErr);
    QFETCH(int, excErr);
    QFETCH(QList<int>, icpPages);
    PanelRig rig(PanelRig::Attached, channels, PanelRig::NotPolling);
    sc4830fp_fp *panel = rig.panel;
    applyIcp(panel, icpPages);
    // Selected but not applied: the lamp must stay dark.
    const int selectedOnly = icpPages.contains(1) ? 4 : 1;
    panel->chPages[selectedOnly]->cbMode->setCurrentIndex(5);

    sc4830sim_setStatusWords(ViInt16(icpErr), ViInt16(excErr));
    panel->getStatus();
    panel->getStatus();

    for (int i = 0; i < panel->chCount; ++i) {
        sc4830fp_chCfg *page = panel->chPages[i];
        const bool exc = excErr & (1 << i);
        const bool icp = icpErr & (1 << i);
        QCOMPARE(page->ledExcLimit->getValue(), exc ? 1 : 0);
        if (icpPages.contains(i)) {
            QCOMPARE(page->ledIcp->getValue(), 1);
            QCOMPARE(page->ledIcp->getOnColor(), QColor(icp ? Qt::green : Qt::red));
        } else {
            QCOMPARE(page->ledIcp->getValue(), 0);
        }
    }

    // Each tab names what its lamps show, on whichever page is in front.
    QStringList expected;
    for (int i = 0; i < panel->chCount; ++i) {
        QStringList words;
        if (icpPages.contains(i) && !(icpErr & (1 << i)))
            words << "ICP current fault";
        if (excErr & (1 << i))
            words << "Excitation current limit";
        expected << words.join("; ");
        QCOMPARE(channelTab(panel, i), expected.last());
    }

    // A read that finds everything as before re-labels no tab.
    QTabWidget *tabs = panel->twChannels;
    tabs->setTabToolTip(0, "left alone");
    panel->getStatus();
    panel->getStatus();
    QCOMPARE(tabs->tabToolTip(0), QString("left alone"));
    tabs->setTabToolTip(0, expected.first());

    // Currents in order again: every marker goes.
    sc4830sim_setStatusWords(ViInt16(0xFFFF), 0);
    panel->getStatus();
    panel->getStatus();
    for (int i = 0; i < panel->chCount; ++i)
        QCOMPARE(channelTab(panel, i), QString());
}

void tst_Monitoring::failedReadStopsThePollForGood_data()
{
    QTest::addColumn<int>("status");
    QTest::newRow("carrier error") << int(carrierErrorStatus);
    QTest::newRow("error") << int(unitErrorStatus);
    QTest::newRow("warning") << int(unitWarningStatus);
}

void tst_Monitoring::failedReadStopsThePollForGood()
{
    QFETCH(int, status);
    PanelRig rig(PanelRig::Attached, 8, PanelRig::NotPolling);
    sc4830fp_fp *panel = rig.panel;
    MasterErrorRecorder errors(panel);
    ModalAnswerer answerer;
    sc4830sim_injectStatus(checked::poll.function, status, 1);
    QTest::mouseClick(panel->chPages[3]->pbIdentify, Qt::LeftButton);
    QVERIFY(panel->chPages[3]->identifyOn);

    // The timer is stopped before the report, whichever way it goes.
    bool timerRanDuringReport = false;
    connect(panel, &sc4830fp_fp::masterError, this,
        [&] { timerRanDuringReport = panel->statusTimer->isActive(); });
    panel->statusTimer->start();
    QTRY_COMPARE(sc4830sim_callCount("sc4830_getStatus"), 1);
    QTRY_COMPARE(answerer.seen.size() + errors.count(), 1);
    QVERIFY(!panel->statusTimer->isActive());
    QVERIFY(!timerRanDuringReport);

    // The failed tick is not counted, and nothing moves any more.
    const int tick = panel->statusTick;
    QCOMPARE(tick % 2, 1);
    const int lamp = panel->chPages[3]->ledIdentify->getValue();
    QTest::qWait(700);
    QCOMPARE(sc4830sim_callCount("sc4830_getStatus"), 1);
    QCOMPARE(panel->statusTick, tick);
    QCOMPARE(panel->chPages[3]->ledIdentify->getValue(), lamp);
    QCOMPARE(answerer.seen.size() + errors.count(), 1);

    // Frozen lamps are not passed off as current ones, on any tab.
    QCOMPARE(channelTab(panel, 3), QString("Identification on; Status not monitored"));
    QCOMPARE(channelTab(panel, 7), QString("Status not monitored"));
    // A new panel, as Reset Device builds one, starts clean.
    PanelRig fresh(PanelRig::Attached, 8, PanelRig::NotPolling);
    for (int i = 0; i < fresh.panel->chCount; ++i)
        QCOMPARE(channelTab(fresh.panel, i), QString());
}

void tst_Monitoring::identificationBlinksEvery400ms()
{
    PanelRig demo(PanelRig::Demonstration);
    QTest::mouseClick(demo.page(0)->pbIdentify, Qt::LeftButton);
    cr2200fp_led *lamp = demo.page(0)->ledIdentify;
    cr2200fp_led *other = demo.page(1)->ledIdentify;

    QList<qint64> switches;
    int last = lamp->getValue();
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 2100) {
        QTest::qWait(5);
        if (lamp->getValue() != last) {
            last = lamp->getValue();
            switches.append(clock.elapsed());
        }
        QCOMPARE(other->getValue(), 0);
    }
    QVERIFY2(switches.size() >= 8, qPrintable(QString::number(switches.size())));
    // Lit for one 200 ms tick, dark for the next.
    for (int i = 2; i < switches.size(); ++i) {
        const qint64 period = switches[i] - switches[i - 2];
        QVERIFY2(period > 300 && period < 500, qPrintable(QString::number(period)));
    }
    QCOMPARE(sc4830sim_logCount(), 0);

    QTest::mouseClick(demo.page(0)->pbIdentify, Qt::LeftButton);
    QTRY_COMPARE(lamp->getValue(), 0);
    QTest::qWait(450);
    QCOMPARE(lamp->getValue(), 0);
}

void tst_Monitoring::monitorButtonSwitchesOnlyTheMonitor()
{
    sc4830sim_setReference(SC4830SIM_REF_PRESENT, 4.096, 0);
    PanelRig rig(PanelRig::Attached, 8, PanelRig::NotPolling);
    sc4830fp_fp *panel = rig.panel;
    const QString unit = rig.unit();
    QCOMPARE(panel->pbVrefMonitor->text(), QStringLiteral("OFF"));
    QVERIFY(!panel->pbVrefMonitor->isChecked());

    QTest::mouseClick(panel->pbVrefMonitor, Qt::LeftButton);
    QCOMPARE(panel->pbVrefMonitor->text(), QStringLiteral("ON"));
    QTest::mouseClick(panel->pbVrefMonitor, Qt::LeftButton);
    QCOMPARE(panel->pbVrefMonitor->text(), QStringLiteral("OFF"));

    QCOMPARE(simCallLog(),
        QStringList({ QStringLiteral("sc4830_getVoltRefOutput(%1, ptr, ptr, NULL)").arg(unit),
            QStringLiteral("sc4830_setVoltRefOutput(%1, 1, 4.096, 1)").arg(unit),
            QStringLiteral("sc4830_getVoltRefOutput(%1, ptr, ptr, NULL)").arg(unit),
            QStringLiteral("sc4830_setVoltRefOutput(%1, 1, 4.096, 0)").arg(unit) }));
}

void tst_Monitoring::monitorInDemonstrationChangesTheTextOnly()
{
    PanelRig demo(PanelRig::Demonstration);
    QPushButton *monitor = demo.panel->pbVrefMonitor;
    QTest::mouseClick(monitor, Qt::LeftButton);
    QCOMPARE(monitor->text(), QStringLiteral("ON"));
    QVERIFY(monitor->isChecked());
    QTest::mouseClick(monitor, Qt::LeftButton);
    QCOMPARE(monitor->text(), QStringLiteral("OFF"));
    QCOMPARE(sc4830sim_logCount(), 0);
}

QTEST_MAIN(tst_Monitoring)
#include "tst_monitoring.moc"
