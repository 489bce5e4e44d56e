// The panel's identity, the identification probe through the carrier, and the attach
// sequence as the simulated unit's call log records it. How the attach goes on after each
// of its calls failed is tst_faultmatrix's.
#include "mastererrorrecorder.h"
#include "modalanswerer.h"
#include "panelrig.h"
#include "simlog.h"
#include "simreset.h"

#include <sc4830fp_channelmodel.h>
#include <sc4830fp_chcfg.h>
#include <sc4830fp_fp.h>
#include <sc4830sim.h>
#include <simcarrier.h>

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QComboBox>
#include <QtTest>

namespace {

// The log without the pages' own calls, which the page tests cover.
QStringList attachCalls()
{
    QStringList calls;
    for (const QString &entry : simCallLog()) {
        if (!entry.startsWith(QLatin1String("sc4830_setChannelConf"))
            && !entry.startsWith(QLatin1String("sc4830_setExcitation"))
            && !entry.startsWith(QLatin1String("sc4830_setShuntCal")))
            calls.append(entry);
    }
    return calls;
}

} // namespace

class tst_PanelCore : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void demonstrationIdentity();
    void supportedCarriers_data();
    void supportedCarriers();
    void probe_data();
    void probe();
    void attachReadsIdentityAndRoutesReference();
    void attachWithoutReference_data();
    void attachWithoutReference();
    void referenceReadFailing();
    void serialIsEightHexDigits();
    void closesItsSessionOnce();
    void channelTableFollowsThePanel();
};

void tst_PanelCore::init()
{
    resetSimulators();
}

void tst_PanelCore::cleanup()
{
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void tst_PanelCore::demonstrationIdentity()
{
    sc4830fp_fp panel;
    QCOMPARE(panel.windowTitle(), QStringLiteral("Orbisa 4830 SCU (DEMO)"));
    QVERIFY(panel.isReady());
    QCOMPARE(panel.chCount, 8);
    QCOMPARE(panel.scuFp, &panel);

    panel.setMaster(0, 0x2611, 7);
    QVERIFY(panel.detectUnit());
    QVERIFY(panel.initUnit());
    QCOMPARE(panel.d_vi, ViSession(0));
    QCOMPARE(panel.model(), QStringLiteral("4830-AA (DEMO)"));
    QCOMPARE(panel.serialNumber(), QStringLiteral("87654321 (DEMO)"));
    QCOMPARE(panel.revision(), QStringLiteral("1.0.1.0 (DEMO)"));
    QCOMPARE(panel.windowTitle(), QStringLiteral("Orbisa 4830 SCU (DEMO)"));
    QCOMPARE(panel.carrierAux, ViUInt16(7));
    QCOMPARE(sc4830sim_logCount(), 0);
}

void tst_PanelCore::supportedCarriers_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<bool>("supported");
    QTest::newRow("16-channel carrier") << 0x2611 << true;
    QTest::newRow("8-channel carrier") << 0x2624 << true;
    QTest::newRow("none") << 0 << false;
    QTest::newRow("neighbour below") << 0x2610 << false;
    QTest::newRow("neighbour above") << 0x2625 << false;
    QTest::newRow("all ones") << 0xFFFF << false;
}

void tst_PanelCore::supportedCarriers()
{
    QFETCH(int, model);
    QFETCH(bool, supported);
    PanelRig rig(PanelRig::Built);
    rig.panel->setMaster(rig.carrier, ViUInt16(model), 0);
    QCOMPARE(rig.panel->isCarrierSupported(), supported);
}

void tst_PanelCore::probe_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("accessStatus");
    QTest::addColumn<int>("readStatus");
    QTest::addColumn<int>("shape");
    QTest::addColumn<bool>("found");
    const QByteArray unit("\x30\x48\xCF\xB7", 4);
    QTest::newRow("unit present") << unit << 0 << 0 << 0 << true;
    QTest::newRow("warnings count as success") << unit << 1 << 2 << 0 << true;
    QTest::newRow("wrong complement of the low byte")
        << QByteArray("\x30\x48\xCE\xB7", 4) << 0 << 0 << 0 << false;
    QTest::newRow("wrong complement of the high byte")
        << QByteArray("\x30\x48\xCF\xB6", 4) << 0 << 0 << 0 << false;
    QTest::newRow("another unit") << QByteArray("\x31\x48\xCE\xB7", 4) << 0 << 0 << 0 << false;
    QTest::newRow("nothing answers") << QByteArray(4, '\0') << 0 << 0 << 0 << false;
    QTest::newRow("access fails") << unit << -1 << 0 << 0 << false;
    QTest::newRow("read fails") << unit << 0 << -1 << 0 << false;
    QTest::newRow("no environment record")
        << unit << 0 << 0 << int(SIMCARRIER_RECORD_NULL_ENVIRONMENT) << false;
    QTest::newRow("no access function")
        << unit << 0 << 0 << int(SIMCARRIER_RECORD_NULL_ACCESS_FN) << false;
    QTest::newRow("no access record")
        << unit << 0 << 0 << int(SIMCARRIER_RECORD_NULL_ACCESS_REC) << false;
    QTest::newRow("no read function")
        << unit << 0 << 0 << int(SIMCARRIER_RECORD_NULL_READ_FN) << false;
}

void tst_PanelCore::probe()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, accessStatus);
    QFETCH(int, readStatus);
    QFETCH(int, shape);
    QFETCH(bool, found);
    simcarrier_setIdentBytes(bytes[0], bytes[1], bytes[2], bytes[3]);
    simcarrier_setAccessStatus(accessStatus);
    simcarrier_setReadStatus(readStatus);
    simcarrier_setRecordShape(shape);

    ModalAnswerer boxes;
    PanelRig rig(PanelRig::Built);
    MasterErrorRecorder errors(rig.panel);
    QCOMPARE(rig.panel->detectUnit(), found);
    QCOMPARE(boxes.seen.size(), 0);
    QCOMPARE(errors.count(), 0);
    QCOMPARE(sc4830sim_logCount(), 0);
}

void tst_PanelCore::attachReadsIdentityAndRoutesReference()
{
    sc4830sim_setIdentity("BC", 0x00A1B2C3, "2.0.4.1", nullptr);
    sc4830sim_setReference(SC4830SIM_REF_PRESENT, 2.5, 0);
    PanelRig rig(PanelRig::Built);
    sc4830fp_fp &panel = *rig.panel;
    QVERIFY(panel.initUnit());
    QVERIFY(panel.d_vi != 0);
    const QString unit = rig.unit();
    QCOMPARE(attachCalls(),
        QStringList({ QStringLiteral("sc4830_init(%1, 1, 1, ptr)").arg(rig.carrier),
            QStringLiteral("sc4830_setVoltRefOutput(%1, 1, 2.5, 0)").arg(unit),
            QStringLiteral("sc4830_serialNumber(%1, ptr, ptr)").arg(unit),
            QStringLiteral("sc4830_revision_query(%1, NULL, ptr)").arg(unit) }));
    QCOMPARE(panel.model(), QStringLiteral("4830-BC"));
    QCOMPARE(panel.serialNumber(), QStringLiteral("00A1B2C3"));
    QCOMPARE(panel.revision(), QStringLiteral("2.0.4.1"));
    QCOMPARE(panel.windowTitle(), QStringLiteral("Orbisa 4830 SCU"));
    for (int i = 0; i < panel.chCount; ++i) {
        QCOMPARE(panel.chPages[i]->cbInput->count(), 2);
        QVERIFY(panel.chPages[i]->chkSignalPath->isEnabled());
    }
    // The routing leaves the monitor output off, as the button shows.
    ViInt32 source = 0;
    ViReal64 volts = 0;
    ViBoolean monitor = 1;
    sc4830sim_getVoltRef(&source, &volts, &monitor);
    QCOMPARE(source, ViInt32(1));
    QCOMPARE(volts, 2.5);
    QCOMPARE(monitor, ViBoolean(0));
}

void tst_PanelCore::attachWithoutReference_data()
{
    QTest::addColumn<int>("shape");
    QTest::addColumn<bool>("routed");
    // An indicator that says "none" is still followed by the read and the routing.
    QTest::newRow("indicator zero") << int(SC4830SIM_REF_INDICATOR_ZERO) << true;
    QTest::newRow("no indicator") << int(SC4830SIM_REF_NO_INDICATOR) << false;
    QTest::newRow("no source record") << int(SC4830SIM_REF_NO_SOURCE) << false;
    QTest::newRow("no link record") << int(SC4830SIM_REF_NO_LINK) << false;
    QTest::newRow("no environment record") << int(SC4830SIM_REF_NO_ENVIRONMENT) << false;
}

void tst_PanelCore::attachWithoutReference()
{
    QFETCH(int, shape);
    QFETCH(bool, routed);
    sc4830sim_setReference(shape, 1.25, 0);
    ModalAnswerer boxes;
    PanelRig rig(PanelRig::Built, 16);
    QVERIFY(rig.panel->initUnit());
    QCOMPARE(sc4830sim_callCount("sc4830_setVoltRefOutput"), routed ? 1 : 0);
    QCOMPARE(rig.panel->chCount, 16);
    for (int i = 0; i < rig.panel->chCount; ++i) {
        sc4830fp_chCfg *page = rig.page(i);
        QCOMPARE(page->cbInput->count(), 1);
        QCOMPARE(page->cbInput->itemText(0), QStringLiteral("Front Panel"));
        QVERIFY(!page->chkSignalPath->isEnabled());
        QVERIFY(!page->chkSignalPath->isChecked());
    }
    QCOMPARE(sc4830sim_callCount("sc4830_serialNumber"), 1);
    QCOMPARE(boxes.seen.size(), 0);
}

void tst_PanelCore::referenceReadFailing()
{
    sc4830sim_setReference(SC4830SIM_REF_PRESENT, 2.5, -3);
    PanelRig rig(PanelRig::Built);
    QVERIFY(rig.panel->initUnit());
    QCOMPARE(sc4830sim_callCount("sc4830_setVoltRefOutput"), 0);
    // The carrier does have a reference; only this read of it failed.
    QCOMPARE(rig.page(0)->cbInput->count(), 2);
    QCOMPARE(sc4830sim_callCount("sc4830_serialNumber"), 1);
}

void tst_PanelCore::serialIsEightHexDigits()
{
    sc4830sim_setIdentity(nullptr, 0x1A2B, nullptr, nullptr);
    PanelRig rig;
    QCOMPARE(rig.panel->serialNumber(), QStringLiteral("00001A2B"));

    sc4830sim_setIdentity(nullptr, 0xFFFFFFFF, nullptr, nullptr);
    PanelRig other;
    QCOMPARE(other.panel->serialNumber(), QStringLiteral("FFFFFFFF"));
}

void tst_PanelCore::closesItsSessionOnce()
{
    {
        PanelRig demo(PanelRig::Demonstration);
        PanelRig never(PanelRig::Built);
    }
    QCOMPARE(sc4830sim_callCount("sc4830_close"), 0);

    QString unit;
    {
        PanelRig rig;
        unit = rig.unit();
        QCOMPARE(sc4830sim_openSessionCount(), 1);
    }
    QCOMPARE(sc4830sim_callCount("sc4830_close"), 1);
    QCOMPARE(sc4830sim_openSessionCount(), 0);
    QCOMPARE(simCallLog(), QStringList { "sc4830_close(" + unit + ")" });
}

// The table of all channels stays a consistent model through the panel's life, and says
// only what changed.
void tst_PanelCore::channelTableFollowsThePanel()
{
    using Model = sc4830fp_channelModel;
    ModalAnswerer boxes;
    PanelRig rig(PanelRig::Built, 16, PanelRig::NotPolling);
    QAbstractItemModel *table = rig.table();
    QAbstractItemModelTester tester(table, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QSignalSpy inserted(table, &QAbstractItemModel::rowsInserted);
    QSignalSpy changes(table, &QAbstractItemModel::dataChanged);
    QCOMPARE(rig.cell(7, Model::State), QString("Not sent"));
    QVERIFY(rig.panel->initUnit());
    QCOMPARE(inserted.count(), 1);
    QCOMPARE(inserted.at(0).mid(1), QVariantList({ 8, 15 }));
    QStringList row;
    for (int column = 0; column < Model::ColumnCount; ++column)
        row << table->headerData(column, Qt::Horizontal).toString() + "=" + rig.cell(15, column);
    QCOMPARE(row.join(", "),
        QString("Channel=Ch 16, Name=, Input Source=Front Panel, Mode=Full Bridge, Coupling=AC, "
                "Gain=1, Pos. Exc.=0.000, Neg. Exc.=0.000, Shunt=OFF, Total Gain=1, "
                "Excitation Current Limit=Normal, ICP Current=, Imbalance=Not balanced, "
                "Attention=, State=Applied"));

    // Status words reach the lamps' columns and the attention; a poll that finds everything
    // as before says nothing.
    QVERIFY(table->setData(table->index(3, Model::Mode), "ICP"));
    QCOMPARE(rig.cell(3, Model::ExcitationLimit), QString());
    rig.panel->applyChanged();
    sc4830sim_setStatusWords(0x0002, 0x0001);
    rig.panel->statusTick = 1;
    rig.panel->getStatus();
    QCOMPARE(rig.cell(0, Model::ExcitationLimit), QString("At limit"));
    QCOMPARE(table->index(0, Model::ExcitationLimit).data(Qt::DecorationRole),
        QVariant(QColor(Qt::red)));
    QCOMPARE(rig.cell(0, Model::Attention), QString("Excitation current limit"));
    QCOMPARE(rig.cell(3, Model::IcpCurrent), QString("Fault"));
    QCOMPARE(rig.cell(3, Model::Attention), QString("ICP current fault"));
    sc4830sim_setStatusWords(0x000A, 0x0001);
    rig.panel->statusTick = 1;
    rig.panel->getStatus();
    QCOMPARE(rig.cell(3, Model::IcpCurrent), QString("OK"));
    QCOMPARE(
        table->index(3, Model::IcpCurrent).data(Qt::DecorationRole), QVariant(QColor(Qt::green)));
    changes.clear();
    rig.panel->statusTick = 1;
    rig.panel->getStatus();
    QCOMPARE(changes.count(), 0);

    // Names: free text up to 64 characters on one line.
    QVERIFY(table->setData(table->index(1, Model::Name), QString(64, 'x')));
    QVERIFY(!table->setData(table->index(1, Model::Name), QString(65, 'y')));
    QVERIFY(!table->setData(table->index(1, Model::Name), "left\nbridge"));
    QCOMPARE(rig.panel->channelName(1), QString(64, 'x'));
    QCOMPARE(changes.count(), 1);
    rig.panel->masterChannelEnabled(1, 0); // the host has switched the channel off
    QVERIFY(!table->setData(table->index(1, Model::Name), "off"));

    // Edits, a revert and the identity of a new panel, as after a Reset Device.
    QVERIFY(table->setData(table->index(9, Model::PositiveExcitation), 2.5));
    QCOMPARE(
        table->index(9, Model::PositiveExcitation).data(Qt::FontRole).value<QFont>().bold(), true);
    rig.panel->revertChanged();
    QCOMPARE(rig.cell(9, Model::PositiveExcitation), QString("0.000"));
    PanelRig again(PanelRig::Attached, 8, PanelRig::NotPolling);
    QAbstractItemModelTester another(
        again.table(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(again.cell(7, Model::State), QString("Applied"));
}

QTEST_MAIN(tst_PanelCore)
#include "tst_panelcore.moc"
