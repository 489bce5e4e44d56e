// The panel's channel pages: how many, their tabs, their gain reports, and how the
// attach brings each of them to the unit.
#include "panelrig.h"
#include "samewidgetscheck.h"
#include "simlog.h"
#include "simreset.h"

#include <sc4830fp_chcfg.h>
#include <sc4830fp_fp.h>
#include <sc4830sim.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

class tst_PageSet : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void pagesByCarrier_data();
    void pagesByCarrier();
    void secondAttachAddsNothing();
    void everyPageReportsItsGain();
    void demonstrationAppliesEveryPage();
    void attachAppliesEveryChannelInOrder();
    void benchBaselineHoldsAPagesWidgets();
};

void tst_PageSet::init()
{
    resetSimulators();
}

void tst_PageSet::cleanup()
{
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void tst_PageSet::pagesByCarrier_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<bool>("demo");
    QTest::addColumn<int>("pages");
    QTest::newRow("16-channel carrier") << 0x2611 << false << 16;
    QTest::newRow("16-channel carrier, demonstration") << 0x2611 << true << 16;
    QTest::newRow("8-channel carrier") << 0x2624 << false << 8;
    QTest::newRow("unknown carrier") << 0x1234 << false << 8;
    QTest::newRow("no carrier") << 0 << true << 8;
}

void tst_PageSet::pagesByCarrier()
{
    QFETCH(int, model);
    QFETCH(bool, demo);
    QFETCH(int, pages);
    PanelRig rig(PanelRig::Built);
    sc4830fp_fp &panel = *rig.panel;
    QCOMPARE(panel.twChannels->count(), 8);
    // The pages follow the model code the host passes, whatever the session.
    panel.setMaster(demo ? 0 : rig.carrier, ViUInt16(model), 0);
    panel.initUnit();

    QCOMPARE(panel.chCount, pages);
    QCOMPARE(panel.twChannels->count(), pages);
    for (int i = 0; i < pages; ++i) {
        QCOMPARE(panel.twChannels->tabText(i), QStringLiteral("Ch %1").arg(i + 1));
        QCOMPARE(panel.twChannels->widget(i), panel.chPages[i]);
        QCOMPARE(panel.chPages[i]->ch, i);
        QCOMPARE(panel.chPages[i]->scuFp, &panel);
    }
}

void tst_PageSet::secondAttachAddsNothing()
{
    PanelRig rig(PanelRig::Built, 16);
    sc4830fp_fp &panel = *rig.panel;
    panel.initUnit();
    const ViSession unit = panel.d_vi;
    panel.initUnit();
    QCOMPARE(panel.chCount, 16);
    QCOMPARE(panel.twChannels->count(), 16);
    // The unit stays open once; no second session is opened and lost.
    QCOMPARE(panel.d_vi, unit);
    QCOMPARE(sc4830sim_callCount("sc4830_init"), 1);
    QCOMPARE(sc4830sim_openSessionCount(), 1);
}

void tst_PageSet::everyPageReportsItsGain()
{
    PanelRig rig(PanelRig::Built, 16);
    sc4830fp_fp &panel = *rig.panel;
    QSignalSpy gains(&panel, SIGNAL(gainChanged(int, ViReal64)));
    panel.initUnit();
    QCOMPARE(gains.count(), 16);
    for (int i = 0; i < 16; ++i) {
        QCOMPARE(gains[i][0].toInt(), i);
        QCOMPARE(gains[i][1].toDouble(), 1.0);
    }

    gains.clear();
    sc4830fp_chCfg *last = panel.chPages[15];
    last->cbGain->setCurrentIndex(3);
    QTest::mouseClick(last->pbApply, Qt::LeftButton);
    QCOMPARE(gains.count(), 1);
    QCOMPARE(gains[0][0].toInt(), 15);
    QCOMPARE(gains[0][1].toDouble(), 1000.0);
}

void tst_PageSet::demonstrationAppliesEveryPage()
{
    sc4830fp_fp panel;
    QSignalSpy gains(&panel, &sc4830fp_fp::gainChanged);
    panel.setMaster(0, 0x2611, 0);
    for (int i = 0; i < 8; ++i)
        QVERIFY(panel.chPages[i]->leTotalGain->text().isEmpty());
    panel.initUnit();
    QCOMPARE(gains.count(), 16);
    for (int i = 0; i < 16; ++i) {
        QCOMPARE(panel.chPages[i]->leTotalGain->text(), QStringLiteral("1"));
        QVERIFY(!panel.chPages[i]->pbApply->isEnabled());
        QCOMPARE(panel.chPages[i]->cbInput->count(), 2);
    }
    QCOMPARE(sc4830sim_logCount(), 0);
}

void tst_PageSet::attachAppliesEveryChannelInOrder()
{
    PanelRig rig(PanelRig::Built, 16);
    rig.panel->initUnit();

    QStringList expected;
    for (int ch = 1; ch <= 16; ++ch) {
        const QString prefix = rig.unit() + ", " + QString::number(ch);
        expected << "sc4830_setChannelConf(" + prefix + ", 0, 1, 0, 0)"
                 << "sc4830_setExcitation(" + prefix + ", 0, 0)"
                 << "sc4830_setShuntCal(" + prefix + ", 0)";
    }
    QCOMPARE(simCallLog({ "sc4830_setChannelConf", "sc4830_setExcitation", "sc4830_setShuntCal" }),
        expected);
}

// The start benchmark's same-widgets page is a hand-made copy of a channel page.
void tst_PageSet::benchBaselineHoldsAPagesWidgets()
{
    const QStringList differences = sameWidgetsDifferences();
    QVERIFY2(differences.isEmpty(), qPrintable(differences.join(QStringLiteral("; "))));
}

QTEST_MAIN(tst_PageSet)
#include "tst_pageset.moc"
