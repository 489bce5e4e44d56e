// The panel's running behaviour: the status poll and its lamps, the reference monitor
// button, and the gain and enable traffic from the host.
#include "modalanswerer.h"

#include <cr2200fp_led.h>
#include <sc4830fp_chcfg.h>
#include <sc4830fp_fp.h>
#include <sc4830sim.h>
#include <simcarrier.h>

#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <climits>

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
    void monitorReadFailure_data();
    void monitorReadFailure();
    void hostGainFactor();
    void hostEnables();
    void hostIndicesOutOfRange_data();
    void hostIndicesOutOfRange();

private:
    // A panel attached to the simulated unit with its timer stopped, so that each tick is
    // a direct call of getStatus().
    sc4830fp_fp *attachedPanel(ViUInt16 model);
    // Applies ICP on the given pages.
    static void applyIcp(sc4830fp_fp *panel, const QList<int> &pages);

    ViSession carrier = 0;
    ViUInt16 carrierModel = 0;
};

void tst_Monitoring::init()
{
    sc4830sim_reset();
    simcarrier_reset();
}

void tst_Monitoring::cleanup()
{
    if (carrier)
        simcarrier_close(carrier);
    carrier = 0;
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

sc4830fp_fp *tst_Monitoring::attachedPanel(ViUInt16 model)
{
    carrier = simcarrier_open(model);
    auto *panel = new sc4830fp_fp;
    panel->statusTimer->stop();
    panel->setMaster(carrier, model, 0);
    panel->initUnit();
    sc4830sim_clearLog();
    return panel;
}

void tst_Monitoring::applyIcp(sc4830fp_fp *panel, const QList<int> &pages)
{
    for (int i : pages) {
        panel->chPages[i]->cbMode->setCurrentIndex(5);
        panel->chPages[i]->applyAction();
    }
}

void tst_Monitoring::firstTickReadsNothing()
{
    QScopedPointer<sc4830fp_fp> panel(attachedPanel(0x2624));
    QCOMPARE(panel->statusTick, 0);
    panel->getStatus();
    QCOMPARE(sc4830sim_callCount("sc4830_getStatus"), 0);
    QCOMPARE(panel->statusTick, 1);
    panel->getStatus();
    QCOMPARE(sc4830sim_callCount("sc4830_getStatus"), 1);
    char entry[128];
    sc4830sim_logEntry(0, entry, sizeof entry);
    QCOMPARE(QByteArray(entry),
        "sc4830_getStatus(" + QByteArray::number(panel->d_vi) + ", ptr, ptr, NULL, NULL)");
    for (int i = 0; i < 6; ++i)
        panel->getStatus();
    QCOMPARE(sc4830sim_callCount("sc4830_getStatus"), 4);
}

void tst_Monitoring::readsEveryOtherTick()
{
    QScopedPointer<sc4830fp_fp> panel(attachedPanel(0x2611));
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
    sc4830fp_fp demo;
    demo.statusTimer->stop();
    demo.initUnit();
    for (int i = 0; i < 4; ++i)
        demo.getStatus();
    QCOMPARE(sc4830sim_logCount(), 0);

    QScopedPointer<sc4830fp_fp> panel(attachedPanel(0x2624));
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
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("icpErr");
    QTest::addColumn<int>("excErr");
    QTest::addColumn<QList<int>>("icpPages");
    QTest::newRow("16 pages, no bits") << 0x2611 << 0 << 0 << QList<int> { 0, 15 };
    QTest::newRow("16 pages, every bit")
        << 0x2611 << 0xFFFF << 0xFFFF << QList<int> { 0, 7, 8, 15 };
    QTest::newRow("16 pages, bit 15 only") << 0x2611 << 0x8000 << 0x8000 << QList<int> { 14, 15 };
    QTest::newRow("16 pages, alternating")
        << 0x2611 << 0x5555 << 0xAAAA << QList<int> { 0, 1, 2, 3, 9 };
    QTest::newRow("8 pages, high byte ignored")
        << 0x2624 << 0xFF00 << 0xFF00 << QList<int> { 0, 7 };
    QTest::newRow("8 pages, low byte") << 0x2624 << 0x00A5 << 0x005A << QList<int> { 0, 2, 5 };
}

void tst_Monitoring::lamps()
{
    QFETCH(int, model);
    QFETCH(int, icpErr);
    QFETCH(int, excErr);
    QFETCH(QList<int>, icpPages);
    QScopedPointer<sc4830fp_fp> panel(attachedPanel(ViUInt16(model)));
    applyIcp(panel.data(), icpPages);
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
}

void tst_Monitoring::failedReadStopsThePollForGood_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("boxes");
    QTest::newRow("carrier error") << int(0xBFFC0B12) << 0;
    QTest::newRow("error") << -20 << 1;
    QTest::newRow("warning") << 20 << 1;
}

void tst_Monitoring::failedReadStopsThePollForGood()
{
    QFETCH(int, status);
    QFETCH(int, boxes);
    QScopedPointer<sc4830fp_fp> panel(attachedPanel(0x2624));
    QSignalSpy errors(panel.data(), &sc4830fp_fp::masterError);
    ModalAnswerer answerer;
    sc4830sim_injectStatus("sc4830_getStatus", status, 1);
    QTest::mouseClick(panel->chPages[3]->pbIdentify, Qt::LeftButton);
    QVERIFY(panel->chPages[3]->identifyOn);

    bool timerRanDuringReport = false;
    connect(panel.data(), &sc4830fp_fp::masterError, this,
        [&] { timerRanDuringReport = panel->statusTimer->isActive(); });
    panel->statusTimer->start();
    QTRY_COMPARE(sc4830sim_callCount("sc4830_getStatus"), 1);
    QTRY_COMPARE(answerer.seen.size() + errors.count(), 1);
    QVERIFY(!panel->statusTimer->isActive());
    QVERIFY(!timerRanDuringReport);
    QCOMPARE(answerer.seen.size(), boxes);
    if (!boxes)
        QCOMPARE(errors[0][1].value<const char *>(),
            "sc4830_getStatus(d_vi, &icpErr, &excErr, VI_NULL, VI_NULL)");
    else
        QVERIFY(answerer.seen[0].text.contains(
                    "sc4830_getStatus(d_vi, &icpErr, &excErr, VI_NULL, VI_NULL)")
            || answerer.seen[0].text.startsWith("Warning: ["));

    // The failed tick is not counted, and nothing moves any more.
    const int tick = panel->statusTick;
    QCOMPARE(tick % 2, 1);
    const int lamp = panel->chPages[3]->ledIdentify->getValue();
    QTest::qWait(700);
    QCOMPARE(sc4830sim_callCount("sc4830_getStatus"), 1);
    QCOMPARE(panel->statusTick, tick);
    QCOMPARE(panel->chPages[3]->ledIdentify->getValue(), lamp);
    QCOMPARE(answerer.seen.size() + errors.count(), 1);
}

void tst_Monitoring::identificationBlinksEvery400ms()
{
    sc4830fp_fp panel;
    panel.initUnit();
    QTest::mouseClick(panel.chPages[0]->pbIdentify, Qt::LeftButton);
    cr2200fp_led *lamp = panel.chPages[0]->ledIdentify;
    cr2200fp_led *other = panel.chPages[1]->ledIdentify;

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

    QTest::mouseClick(panel.chPages[0]->pbIdentify, Qt::LeftButton);
    QTRY_COMPARE(lamp->getValue(), 0);
    QTest::qWait(450);
    QCOMPARE(lamp->getValue(), 0);
}

void tst_Monitoring::monitorButtonSwitchesOnlyTheMonitor()
{
    sc4830sim_setReference(SC4830SIM_REF_PRESENT, 4.096, 0);
    QScopedPointer<sc4830fp_fp> panel(attachedPanel(0x2624));
    const QString unit = QString::number(panel->d_vi);
    QCOMPARE(panel->pbVrefMonitor->text(), QStringLiteral("OFF"));
    QVERIFY(!panel->pbVrefMonitor->isChecked());

    QTest::mouseClick(panel->pbVrefMonitor, Qt::LeftButton);
    QCOMPARE(panel->pbVrefMonitor->text(), QStringLiteral("ON"));
    QTest::mouseClick(panel->pbVrefMonitor, Qt::LeftButton);
    QCOMPARE(panel->pbVrefMonitor->text(), QStringLiteral("OFF"));

    QStringList calls;
    char entry[128];
    for (int i = 0; i < sc4830sim_logCount(); ++i) {
        sc4830sim_logEntry(i, entry, sizeof entry);
        calls.append(QString::fromLatin1(entry));
    }
    QCOMPARE(calls,
        QStringList({ QStringLiteral("sc4830_getVoltRefOutput(%1, ptr, ptr, NULL)").arg(unit),
            QStringLiteral("sc4830_setVoltRefOutput(%1, 1, 4.096, 1)").arg(unit),
            QStringLiteral("sc4830_getVoltRefOutput(%1, ptr, ptr, NULL)").arg(unit),
            QStringLiteral("sc4830_setVoltRefOutput(%1, 1, 4.096, 0)").arg(unit) }));
}

void tst_Monitoring::monitorInDemonstrationChangesTheTextOnly()
{
    sc4830fp_fp panel;
    panel.initUnit();
    QTest::mouseClick(panel.pbVrefMonitor, Qt::LeftButton);
    QCOMPARE(panel.pbVrefMonitor->text(), QStringLiteral("ON"));
    QVERIFY(panel.pbVrefMonitor->isChecked());
    QTest::mouseClick(panel.pbVrefMonitor, Qt::LeftButton);
    QCOMPARE(panel.pbVrefMonitor->text(), QStringLiteral("OFF"));
    QCOMPARE(sc4830sim_logCount(), 0);
}

void tst_Monitoring::monitorReadFailure_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("written");
    QTest::newRow("carrier error: no write") << int(0xBFFC0B12) << false;
    QTest::newRow("error: no write") << -33 << false;
    QTest::newRow("warning still reads") << 33 << true;
}

void tst_Monitoring::monitorReadFailure()
{
    QFETCH(int, status);
    QFETCH(bool, written);
    QScopedPointer<sc4830fp_fp> panel(attachedPanel(0x2624));
    QSignalSpy errors(panel.data(), &sc4830fp_fp::masterError);
    ModalAnswerer boxes;
    sc4830sim_injectStatus("sc4830_getVoltRefOutput", status, 0);
    QTest::mouseClick(panel->pbVrefMonitor, Qt::LeftButton);
    QCOMPARE(panel->pbVrefMonitor->text(), QStringLiteral("ON"));
    QCOMPARE(boxes.seen.size() + errors.count(), 1);
    if (status < 0 && status != int(0xBFFC0B12))
        QCOMPARE(boxes.seen[0].text,
            QStringLiteral("sc4830_getVoltRefOutput (d_vi, &srcBckup, &vrefBckup, VI_NULL) "
                           "failed due to [Unknown status (0xFFFFFFDF)]\nDo you want to exit?"));
    QCOMPARE(sc4830sim_callCount("sc4830_setVoltRefOutput"), written ? 1 : 0);
}

void tst_Monitoring::hostGainFactor()
{
    sc4830fp_fp panel;
    panel.initUnit();
    ModalAnswerer boxes;
    sc4830fp_chCfg *page = panel.chPages[0];
    page->cbGain->setCurrentIndex(3);
    QCOMPARE(boxes.seen.size(), 0);

    panel.masterGainChanged(0, 20);
    QCOMPARE(page->masterGain, 20);
    QCOMPARE(page->leTotalGain->text(), QStringLiteral("20000"));
    QCOMPARE(boxes.seen.size(), 1);
    QCOMPARE(boxes.seen[0].title, QStringLiteral("Warning"));
    QCOMPARE(boxes.seen[0].text, QStringLiteral("Total system gain 20000 is too high"));

    // Through the interface, as the host calls it.
    cr2200fp_scuInterface *asHost = &panel;
    asHost->masterGainChanged(1, 7);
    QCOMPARE(panel.chPages[1]->leTotalGain->text(), QStringLiteral("7"));
    QVERIFY(QMetaObject::invokeMethod(asHost, "masterGainChanged", Q_ARG(int, 2), Q_ARG(int, 3)));
    QCOMPARE(panel.chPages[2]->leTotalGain->text(), QStringLiteral("3"));
}

void tst_Monitoring::hostEnables()
{
    sc4830fp_fp panel;
    panel.masterChannelEnabled(3, 0);
    QVERIFY(!panel.chPages[3]->isEnabled());
    QVERIFY(!panel.chPages[3]->pbApply->isEnabled());
    panel.masterChannelEnabled(3, 2);
    QVERIFY(panel.chPages[3]->isEnabled());
    panel.masterChannelEnabled(3, 0);
    panel.masterChannelEnabled(3, -1);
    QVERIFY(panel.chPages[3]->isEnabled());
}

void tst_Monitoring::hostIndicesOutOfRange_data()
{
    QTest::addColumn<bool>("sixteen");
    QTest::addColumn<int>("index");
    QTest::newRow("-1") << false << -1;
    QTest::newRow("chCount of 8") << false << 8;
    QTest::newRow("16 of 8") << false << 16;
    QTest::newRow("chCount of 16") << true << 16;
    QTest::newRow("INT_MIN") << true << INT_MIN;
    QTest::newRow("INT_MAX") << true << INT_MAX;
}

void tst_Monitoring::hostIndicesOutOfRange()
{
    QFETCH(bool, sixteen);
    QFETCH(int, index);
    sc4830fp_fp panel;
    panel.setMaster(0, sixteen ? 0x2611 : 0x2624, 0);
    panel.initUnit();
    ModalAnswerer boxes;
    panel.masterGainChanged(index, 100000);
    panel.masterChannelEnabled(index, 0);
    for (int i = 0; i < panel.chCount; ++i) {
        QCOMPARE(panel.chPages[i]->masterGain, 1);
        QVERIFY(panel.chPages[i]->isEnabled());
        QCOMPARE(panel.chPages[i]->leTotalGain->text(), QStringLiteral("1"));
    }
    QCOMPARE(boxes.seen.size(), 0);
}

QTEST_MAIN(tst_Monitoring)
#include "tst_monitoring.moc"
