// The panel's channel pages: how many, their tabs, the keys that move between them, their
// gain reports, and how the attach brings each of them to the unit.
#include "panelrig.h"
#include "samewidgetscheck.h"
#include "simlog.h"
#include "simreset.h"

#include <sc4830fp_chcfg.h>
#include <sc4830fp_fp.h>
#include <sc4830sim.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
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
    void keysSwitchChannels_data();
    void keysSwitchChannels();
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

void tst_PageSet::keysSwitchChannels_data()
{
    QTest::addColumn<QString>("control"); // where the focus is: a page's control, or the panel's
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("start"); // the channel index in front
    QTest::addColumn<int>("presses");
    QTest::addColumn<int>("shown"); // the channel index in front afterwards

    const int ctrl = Qt::ControlModifier;
    const int ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
    QTest::newRow("Ctrl+PageDown on Input Source")
        << "cbInput" << int(Qt::Key_PageDown) << ctrl << 2 << 1 << 3;
    QTest::newRow("Ctrl+PageUp on Mode") << "cbMode" << int(Qt::Key_PageUp) << ctrl << 2 << 1 << 1;
    QTest::newRow("Ctrl+Tab on Gain, three times")
        << "cbGain" << int(Qt::Key_Tab) << ctrl << 2 << 3 << 5;
    QTest::newRow("Ctrl+Shift+Tab on Coupling")
        << "cbCoup" << int(Qt::Key_Backtab) << ctrlShift << 2 << 1 << 1;
    // Each spin box could step away from 0 in the key's direction.
    QTest::newRow("Ctrl+PageUp on a spin box")
        << "dsbPosExc" << int(Qt::Key_PageUp) << ctrl << 2 << 1 << 1;
    QTest::newRow("Ctrl+PageDown on a spin box")
        << "dsbNegExc" << int(Qt::Key_PageDown) << ctrl << 2 << 1 << 3;
    QTest::newRow("Ctrl+Tab on a check box")
        << "chkExcitation" << int(Qt::Key_Tab) << ctrl << 2 << 1 << 3;
    QTest::newRow("Ctrl+PageDown from the last channel to the first")
        << "cbShCal" << int(Qt::Key_PageDown) << ctrl << 7 << 1 << 0;
    QTest::newRow("Ctrl+Shift+Tab from the first channel to the last")
        << "cbInput" << int(Qt::Key_Backtab) << ctrlShift << 0 << 2 << 6;
    QTest::newRow("Ctrl+PageDown on the monitor switch")
        << "pbVrefMonitor" << int(Qt::Key_PageDown) << ctrl << 4 << 1 << 5;
    // A window of the panel's own keeps its keys: the spin box steps, the channel stays.
    QTest::newRow("Ctrl+PageDown in a dialog of the panel")
        << "dialog" << int(Qt::Key_PageDown) << ctrl << 2 << 1 << 2;
}

void tst_PageSet::keysSwitchChannels()
{
    QFETCH(QString, control);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, start);
    QFETCH(int, presses);
    QFETCH(int, shown);

    PanelRig rig(PanelRig::Attached, 8, PanelRig::NotPolling);
    sc4830fp_fp *panel = rig.panel;
    panel->twChannels->setCurrentIndex(start);
    panel->show();
    QApplication::setActiveWindow(panel);
    QVERIFY(QTest::qWaitForWindowActive(panel));
    sc4830fp_chCfg *page = panel->chPages[start];
    const QMap<QString, QWidget *> controls { { "cbInput", page->cbInput },
        { "cbMode", page->cbMode }, { "cbGain", page->cbGain }, { "cbCoup", page->cbCoup },
        { "cbShCal", page->cbShCal }, { "dsbPosExc", page->dsbPosExc },
        { "dsbNegExc", page->dsbNegExc }, { "chkExcitation", page->chkExcitation },
        { "pbVrefMonitor", panel->pbVrefMonitor } };
    QDialog dialog(panel);
    auto *dialogBox = new QSpinBox(&dialog);
    dialogBox->setValue(50);
    if (control == QLatin1String("dialog")) {
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
    }
    QWidget *focused = control == QLatin1String("dialog") ? dialogBox : controls.value(control);
    QVERIFY(focused);
    focused->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), focused);

    // Each press goes where an operator's key goes: to the control with the focus.
    for (int press = 0; press < presses; ++press)
        QTest::keyClick(
            QApplication::focusWidget(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));

    QCOMPARE(panel->twChannels->currentIndex(), shown);
    if (focused == dialogBox) {
        QCOMPARE(dialogBox->value(), 50 - presses * 10);
        return;
    }
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(panel->chPages[shown]->cbInput));
    // No control took the keys as its own: any setting changed would have enabled Apply.
    for (int i = 0; i < panel->chCount; ++i)
        QVERIFY(!panel->chPages[i]->pbApply->isEnabled()
            && !panel->chPages[i]->chkExcitation->isChecked());
    QVERIFY(!panel->pbVrefMonitor->isChecked());
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
