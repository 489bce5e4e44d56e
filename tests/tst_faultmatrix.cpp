// Every checked driver call of the panel, each made to fail in the three ways the check
// tells apart: the carrier's error, an error of the unit and a warning. For each one the
// report (the host's signal or the operator's box, word for word), what the caller does
// next, and that the panel is still a working panel afterwards.
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
#include <visasim.h>

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {

// Where the call is made, in the order an operator meets them.
enum Site {
    Open, // attach: sc4830_init
    UnitRecord, // attach: viGetAttribute of the unit's environment record
    Routing, // attach: the carrier's reference routed into the unit
    Serial, // attach: sub-model and serial number
    Revision, // attach: revision
    ChannelConf, // page Apply, first call
    Excitation, // page Apply, second call
    ShuntCal, // page Apply, third call
    ReadBack, // page read-back of the excitation
    Identify, // page identification
    Poll, // the panel's status poll
    MonitorRead, // monitor button: read of the routing
    MonitorWrite, // monitor button: write of the routing
    SignalPathCal, // calibration steps, checked after their worker has ended
    ExcitationCal,
    AutobalanceCal
};

struct CallSite
{
    Site site;
    const char *name; // the row's name
    CheckedCall call;
};

const CallSite callSites[] = {
    { Open, "attach open", checked::open },
    { UnitRecord, "attach unit record", checked::unitRecord },
    { Routing, "attach reference routing", checked::routing },
    { Serial, "attach serial number", checked::serial },
    { Revision, "attach revision", checked::revision },
    { ChannelConf, "apply channel configuration", checked::channelConf },
    { Excitation, "apply excitation", checked::excitation },
    { ShuntCal, "apply shunt", checked::shuntCal },
    { ReadBack, "excitation read-back", checked::readBack },
    { Identify, "identification", checked::identify },
    { Poll, "status poll", checked::poll },
    { MonitorRead, "monitor read", checked::monitorRead },
    { MonitorWrite, "monitor write", checked::monitorWrite },
    { SignalPathCal, "signal path calibration", checked::signalPathCal },
    { ExcitationCal, "excitation calibration", checked::excitationCal },
    { AutobalanceCal, "autobalance", checked::autobalanceCal },
};

enum Kind { CarrierError, UnitError, Warning };

const char *const driverText = "unit 4830 refused the call";

// The page each kind of site works on (channel index; the driver sees it plus 1).
constexpr int applyPage = 2;
constexpr int calibrationPage = 1;
constexpr int laterApplyPage = 5;

bool isAttachSite(Site site)
{
    return site <= Revision;
}

} // namespace

class tst_FaultMatrix : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void everyCallSite_data();
    void everyCallSite();
    void answeringNoEverywhere();

private:
    // A panel on a carrier of that many channels, set up but not attached, and what the
    // host hears of it.
    void build(int channels);
    // The status as the simulated unit or VISA answers it.
    static void inject(Site site, const char *function, ViStatus status, bool always);
    // Gets a page ready for the site's action, before the failure is injected.
    void prepare(Site site);
    // The operator's (or the timer's) action that makes the call.
    void trigger(Site site);
    // What the caller did after the report.
    void checkWhatFollowed(Site site, Kind kind);
    // The panel after the row: settled, polling (unless the poll failed) and applying.
    void checkStillWorks(Site site);

    std::unique_ptr<PanelRig> rig;
    sc4830fp_fp *panel = nullptr;
    std::unique_ptr<ModalAnswerer> boxes;
    std::unique_ptr<MasterErrorRecorder> hostErrors;
    std::unique_ptr<QSignalSpy> hostGains;
    QString vi; // the unit session as the call log writes it
};

void tst_FaultMatrix::init()
{
    resetSimulators();
    sc4830sim_setFCLastError(carrierErrorCode);
    sc4830sim_setErrorText(driverText);
    boxes.reset(new ModalAnswerer);
    build(8);
}

void tst_FaultMatrix::build(int channels)
{
    hostGains.reset();
    hostErrors.reset();
    rig.reset();
    rig.reset(new PanelRig(PanelRig::Built, channels));
    panel = rig->panel;
    hostErrors.reset(new MasterErrorRecorder(panel));
    hostGains.reset(new QSignalSpy(panel, &sc4830fp_fp::gainChanged));
}

void tst_FaultMatrix::cleanup()
{
    hostGains.reset();
    hostErrors.reset();
    rig.reset();
    boxes.reset();
    QCOMPARE(sc4830sim_openSessionCount(), 0);
    visasim_reset();
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void tst_FaultMatrix::inject(Site site, const char *function, ViStatus status, bool always)
{
    if (site == UnitRecord)
        visasim_injectGetAttributeStatus(status, always ? 1 : 0);
    else
        sc4830sim_injectStatus(function, status, always ? 1 : 0);
}

void tst_FaultMatrix::prepare(Site site)
{
    switch (site) {
    case ChannelConf:
    case Excitation:
    case ShuntCal: {
        sc4830fp_chCfg *page = panel->chPages[applyPage];
        page->cbGain->setCurrentIndex(2);
        page->dsbPosExc->setValue(2.5);
        page->dsbNegExc->setValue(-2.5);
        break;
    }
    case ReadBack:
        sc4830sim_setExcitationReadback(applyPage + 1, 3.25, -1.5);
        break;
    case SignalPathCal:
    case ExcitationCal:
    case AutobalanceCal: {
        // The reference as input spares the load warning; DC coupling, once applied,
        // offers the autobalance.
        sc4830fp_chCfg *page = panel->chPages[calibrationPage];
        page->cbInput->setCurrentIndex(1);
        page->cbCoup->setCurrentIndex(1);
        page->applyAction();
        page->chkSignalPath->setChecked(true);
        page->chkExcitation->setChecked(true);
        page->chkAutobalance->setChecked(true);
        QVERIFY(page->chkAutobalance->isEnabled());
        sc4830sim_setImbalance(calibrationPage + 1, 0.25);
        boxes->meanwhile = [this] { return channelTab(panel, calibrationPage); };
        break;
    }
    default:
        break;
    }
}

void tst_FaultMatrix::trigger(Site site)
{
    switch (site) {
    case ChannelConf:
    case Excitation:
    case ShuntCal:
        panel->chPages[applyPage]->pbApply->click();
        break;
    case ReadBack:
        panel->chPages[applyPage]->pbReadExc->click();
        break;
    case Identify:
        panel->chPages[applyPage]->pbIdentify->click();
        break;
    case Poll:
        // The running timer makes the call, every second tick.
        QTRY_COMPARE_WITH_TIMEOUT(boxes->seen.size() + hostErrors->count(), 1, 3000);
        break;
    case MonitorRead:
    case MonitorWrite:
        panel->pbVrefMonitor->click();
        break;
    case SignalPathCal:
    case ExcitationCal:
    case AutobalanceCal:
        panel->chPages[calibrationPage]->pbCalibrate->click();
        break;
    default:
        QVERIFY(panel->initUnit());
        break;
    }
}

void tst_FaultMatrix::everyCallSite_data()
{
    QTest::addColumn<int>("site");
    QTest::addColumn<QByteArray>("function");
    QTest::addColumn<QByteArray>("callText");
    QTest::addColumn<int>("kind");

    const struct
    {
        Kind kind;
        const char *name;
    } kinds[]
        = { { CarrierError, "carrier error" }, { UnitError, "error" }, { Warning, "warning" } };
    for (const CallSite &site : callSites) {
        for (const auto &kind : kinds) {
            QTest::addRow("%s: %s", site.name, kind.name)
                << int(site.site) << QByteArray(site.call.function) << QByteArray(site.call.text)
                << int(kind.kind);
        }
    }
}

void tst_FaultMatrix::everyCallSite()
{
    QFETCH(int, site);
    QFETCH(QByteArray, function);
    QFETCH(QByteArray, callText);
    QFETCH(int, kind);
    const Site where = Site(site);
    const ViStatus status = kind == CarrierError ? carrierErrorStatus
        : kind == UnitError                      ? unitErrorStatus
                                                 : unitWarningStatus;
    if (kind == UnitError)
        boxes->queue(QMessageBox::No); // Yes would end the test process

    if (!isAttachSite(where)) {
        QVERIFY(panel->initUnit());
        QVERIFY(panel->d_vi != 0);
        QCOMPARE(boxes->seen.size() + hostErrors->count(), 0);
        prepare(where);
        sc4830sim_clearLog();
        hostGains->clear();
    }
    inject(where, function.constData(), status, false);
    trigger(where);
    if (QTest::currentTestFailed())
        return;

    // The report, once, through the one channel that fits the status.
    const bool openFailed = where == Open && status < 0;
    vi = QString::number(panel->d_vi);
    const QString reportVi = openFailed ? QStringLiteral("0") : vi;
    const QStringList log = simCallLog();
    if (kind == CarrierError) {
        QCOMPARE(boxes->seen.size(), 0);
        // The unit session is asked for the carrier's code; without one it answers nothing.
        QCOMPARE(hostErrors->codes(), QList<int> { openFailed ? 0 : int(carrierErrorCode) });
        QCOMPARE(hostErrors->texts(), QList<QByteArray> { callText });
        QCOMPARE(simCallLog({ "sc4830_getFCLastError" }),
            QStringList({ QStringLiteral("sc4830_getFCLastError(%1, ptr)").arg(reportVi) }));
        QVERIFY(simCallLog({ "sc4830_error_message" }).isEmpty());
    } else {
        QCOMPARE(hostErrors->count(), 0);
        QCOMPARE(boxes->seen.size(), 1);
        QCOMPARE(boxes->seen.first().face(),
            kind == UnitError ? errorBoxFace(callText.constData(), driverText)
                              : warningBoxFace(driverText));
        QCOMPARE(simCallLog({ "sc4830_error_message" }),
            QStringList(
                { QStringLiteral("sc4830_error_message(%1, %2, ptr)").arg(reportVi).arg(status) }));
        QVERIFY(simCallLog({ "sc4830_getFCLastError" }).isEmpty());
    }

    // The report follows the failed call at once: nothing else reached the unit between.
    int report = 0;
    while (report < log.size()
        && !log.at(report).startsWith(QLatin1String("sc4830_getFCLastError("))
        && !log.at(report).startsWith(QLatin1String("sc4830_error_message(")))
        ++report;
    QVERIFY(report > 0 && report < log.size());
    const QString failed = log.at(report - 1);
    if (where == UnitRecord) // VISA's own call is not in the unit's log; the open is before it
        QCOMPARE(failed, QStringLiteral("sc4830_init(%1, 1, 1, ptr)").arg(rig->carrier));
    else
        QVERIFY2(failed.startsWith(QLatin1String(function) + QLatin1Char('(')), qPrintable(failed));

    checkWhatFollowed(where, Kind(kind));
    if (QTest::currentTestFailed())
        return;
    checkStillWorks(where);
}

void tst_FaultMatrix::checkWhatFollowed(Site site, Kind kind)
{
    const bool hard = kind != Warning; // errors of both kinds deliver nothing
    const QStringList applied = simCallLog({ "sc4830_setChannelConf" });
    switch (site) {
    case Open:
        if (hard) {
            // No unit: nothing more is asked of the driver, the pages still come up.
            QCOMPARE(panel->d_vi, ViSession(0));
            QCOMPARE(simCallLog().size(), 2);
            QCOMPARE(panel->windowTitle(), QStringLiteral("Orbisa 4830 SCU (DEMO)"));
            QCOMPARE(panel->model(), QStringLiteral("4830-AA (DEMO)"));
            // Nothing the pages apply reaches a unit never opened, and none looks applied.
            for (int i = 0; i < panel->chCount; ++i) {
                QCOMPARE(panel->chPages[i]->state(), sc4830fp_chCfg::NotSent);
                QCOMPARE(channelTab(panel, i), QString("Settings not applied"));
            }
        } else {
            QVERIFY(panel->d_vi != 0);
            QCOMPARE(panel->windowTitle(), QStringLiteral("Orbisa 4830 SCU"));
            QCOMPARE(panel->model(), QStringLiteral("4830-AB"));
            QCOMPARE(applied.size(), 8);
        }
        QCOMPARE(hostGains->count(), 8);
        break;
    case UnitRecord:
        // An error leaves no record: no reference is read, routed or offered.
        QCOMPARE(simCallLog({ "sc4830_setVoltRefOutput" }).size(), hard ? 0 : 1);
        for (int i = 0; i < panel->chCount; ++i) {
            QCOMPARE(panel->chPages[i]->cbInput->count(), hard ? 1 : 2);
            QCOMPARE(panel->chPages[i]->chkSignalPath->isEnabled(), !hard);
        }
        QCOMPARE(simCallLog({ "sc4830_serialNumber" }).size(), 1);
        QCOMPARE(simCallLog({ "sc4830_revision_query" }).size(), 1);
        QCOMPARE(applied.size(), 8);
        break;
    case Routing:
        // The carrier has its reference; only the routing failed.
        for (int i = 0; i < panel->chCount; ++i)
            QCOMPARE(panel->chPages[i]->cbInput->count(), 2);
        QCOMPARE(simCallLog({ "sc4830_serialNumber" }).size(), 1);
        QCOMPARE(simCallLog({ "sc4830_revision_query" }).size(), 1);
        QCOMPARE(applied.size(), 8);
        QCOMPARE(panel->model(), QStringLiteral("4830-AB"));
        break;
    case Serial:
        QCOMPARE(simCallLog({ "sc4830_revision_query" }).size(), 1);
        QCOMPARE(applied.size(), 8);
        QCOMPARE(panel->revision(), QStringLiteral("1.2.0.7"));
        QCOMPARE(panel->windowTitle(), QStringLiteral("Orbisa 4830 SCU"));
        if (hard) {
            QCOMPARE(panel->model(), QStringLiteral("4830-AA (DEMO)"));
            QCOMPARE(panel->serialNumber(), QStringLiteral("87654321 (DEMO)"));
        } else {
            // A warning comes with the identity read; an attached unit is not shown with
            // the demonstration's identity.
            QCOMPARE(panel->model(), QStringLiteral("4830-AB"));
            QCOMPARE(panel->serialNumber(), QStringLiteral("00C0FFEE"));
        }
        break;
    case Revision:
        QCOMPARE(applied.size(), 8);
        QCOMPARE(panel->model(), QStringLiteral("4830-AB"));
        QCOMPARE(panel->serialNumber(), QStringLiteral("00C0FFEE"));
        if (hard) {
            QCOMPARE(panel->revision(), QStringLiteral("1.0.1.0 (DEMO)"));
        } else {
            QCOMPARE(panel->revision(), QStringLiteral("1.2.0.7"));
        }
        break;
    case ChannelConf:
    case Excitation:
    case ShuntCal: {
        // Every call of the Apply is made whatever became of the one before, and the
        // settings stay as chosen. A refusal (not a warning) leaves the change marked as
        // unsent; the host hears the gain unless the unit refused the configuration that
        // carries it.
        const QString channel = QString::number(applyPage + 1);
        const QStringList sent = simCallLog().filter(QRegularExpression("^sc4830_set"));
        QCOMPARE(sent,
            QStringList(
                { QStringLiteral("sc4830_setChannelConf(%1, %2, 0, 100, 0, 0)").arg(vi, channel),
                    QStringLiteral("sc4830_setExcitation(%1, %2, 2.5, -2.5)").arg(vi, channel),
                    QStringLiteral("sc4830_setShuntCal(%1, %2, 0)").arg(vi, channel) }));
        sc4830fp_chCfg *page = panel->chPages[applyPage];
        QCOMPARE(page->pbApply->isEnabled(), hard);
        QCOMPARE(page->cbGain->currentIndex(), 2);
        const int heard = hard && site == ChannelConf ? 0 : 1;
        QCOMPARE(hostGains->count(), heard);
        // The tab tells of a refusal also while another channel is shown.
        QCOMPARE(channelTab(panel, applyPage), hard ? QString("Settings not applied") : QString());
        QCOMPARE(channelTab(panel, applyPage + 1), QString());
        if (hard) {
            // Pressed again, the whole setting is sent once more and the host hears it.
            page->pbApply->click();
            QVERIFY(!page->pbApply->isEnabled());
            QCOMPARE(simCallLog({ "sc4830_setChannelConf" }).size(), 2);
            QCOMPARE(hostGains->count(), heard + 1);
            QCOMPARE(channelTab(panel, applyPage), QString());
        }
        for (const QList<QVariant> &gain : qAsConst(*hostGains)) {
            QCOMPARE(gain.at(0).toInt(), applyPage);
            QCOMPARE(gain.at(1).toDouble(), 100.0);
        }
        break;
    }
    case ReadBack: {
        sc4830fp_chCfg *page = panel->chPages[applyPage];
        QVERIFY(page->pbReadExc->isEnabled());
        // What an error leaves in the variables is no measurement; a warning brings one.
        QCOMPARE(QStringList(
                     { page->lePosExc->text(), page->leNegExc->text(), page->leDiffExc->text() }),
            hard ? QStringList({ "Not measured", "Not measured", "Not measured" })
                 : QStringList({ "3.250000", "-1.500000", "4.750000" }));
        break;
    }
    case Identify: {
        sc4830fp_chCfg *page = panel->chPages[applyPage];
        QVERIFY(page->identifyOn);
        QCOMPARE(page->pbIdentify->text(), QStringLiteral("ON"));
        QCOMPARE(simCallLog({ "sc4830_channelIdentify" }),
            QStringList({ QStringLiteral("sc4830_channelIdentify(%1, %2, 1)")
                              .arg(vi)
                              .arg(applyPage + 1) }));
        break;
    }
    case Poll: {
        // Stopped for good: no further read, no further tick, whatever the status.
        QVERIFY(!panel->statusTimer->isActive());
        const int reads = simCallLog({ "sc4830_getStatus" }).size();
        const int tick = panel->statusTick;
        QCOMPARE(tick % 2, 1);
        QTest::qWait(450);
        QCOMPARE(simCallLog({ "sc4830_getStatus" }).size(), reads);
        QCOMPARE(panel->statusTick, tick);
        // Every tab and status lamp says that the lamps are frozen.
        for (int i = 0; i < panel->chCount; ++i)
            QCOMPARE(channelTab(panel, i), QString("Status not monitored"));
        const auto description = [](QWidget *lamp) {
            return QAccessible::queryAccessibleInterface(lamp)->text(QAccessible::Description);
        };
        QCOMPARE(description(panel->chPages[0]->ledExcLimit),
            QString("Excitation current within its limit; last state read, status not monitored"));
        QCOMPARE(description(panel->chPages[7]->ledIcp),
            QString("ICP current not monitored (not in ICP mode or not read yet); last state read, "
                    "status not monitored"));
        break;
    }
    case MonitorRead:
        // Without the routing read there is nothing to write back; a warning delivers it.
        QCOMPARE(simCallLog({ "sc4830_setVoltRefOutput" }),
            hard ? QStringList()
                 : QStringList(
                     { QStringLiteral("sc4830_setVoltRefOutput(%1, 1, 2.5, 1)").arg(vi) }));
        QCOMPARE(panel->pbVrefMonitor->text(), QStringLiteral("ON"));
        QVERIFY(panel->pbVrefMonitor->isChecked());
        break;
    case MonitorWrite:
        QCOMPARE(simCallLog({ "sc4830_setVoltRefOutput" }),
            QStringList({ QStringLiteral("sc4830_setVoltRefOutput(%1, 1, 2.5, 1)").arg(vi) }));
        QCOMPARE(panel->pbVrefMonitor->text(), QStringLiteral("ON"));
        QVERIFY(panel->pbVrefMonitor->isChecked());
        break;
    case SignalPathCal:
    case ExcitationCal:
    case AutobalanceCal: {
        // The sequence goes on with the next kind, and the balance is shown in any case.
        const QString channel = QString::number(calibrationPage + 1);
        QCOMPARE(simCalibrationCalls(),
            QStringList(
                { QStringLiteral("sc4830_pgaCalibration(%1, %2, 1, 9, 0, 0)").arg(vi, channel),
                    QStringLiteral("sc4830_excitCalibration(%1, %2, 0, 0, 0, 0)").arg(vi, channel),
                    QStringLiteral("sc4830_autobalance(%1, %2, ptr)").arg(vi, channel) }));
        QCOMPARE(panel->chPages[calibrationPage]->leImbalance->text(), QStringLiteral("0.250000"));
        QCOMPARE(channelTab(panel, calibrationPage), QString());
        // The step had ended when its status was reported.
        QCOMPARE(boxes->seen.value(0).meanwhile, QString());
        break;
    }
    }
}

void tst_FaultMatrix::checkStillWorks(Site site)
{
    sc4830sim_clearInjections();
    visasim_reset();
    QVERIFY(!panel->calibrating);
    QCOMPARE(panel->statusTimer->isActive(), site != Poll);
    for (QWidget *window : QApplication::topLevelWidgets())
        QVERIFY2(window == panel, window->metaObject()->className());

    // A later Apply of another channel goes through without a report.
    const int reports = boxes->seen.size() + hostErrors->count();
    sc4830sim_clearLog();
    hostGains->clear();
    sc4830fp_chCfg *page = panel->chPages[laterApplyPage];
    page->cbGain->setCurrentIndex(3);
    QVERIFY(page->pbApply->isEnabled());
    page->pbApply->click();
    QVERIFY(!page->pbApply->isEnabled());
    QCOMPARE(hostGains->count(), 1);
    QCOMPARE(hostGains->at(0).at(0).toInt(), laterApplyPage);
    QCOMPARE(hostGains->at(0).at(1).toDouble(), 1000.0);
    if (panel->d_vi != 0) {
        const QString unit = QString::number(panel->d_vi);
        const QString channel = QString::number(laterApplyPage + 1);
        QCOMPARE(simCallLog().filter(QRegularExpression("^sc4830_set")),
            QStringList(
                { QStringLiteral("sc4830_setChannelConf(%1, %2, 0, 1000, 0, 0)").arg(unit, channel),
                    QStringLiteral("sc4830_setExcitation(%1, %2, 0, 0)").arg(unit, channel),
                    QStringLiteral("sc4830_setShuntCal(%1, %2, 0)").arg(unit, channel) }));
        sc4830sim_Channel unitChannel;
        QCOMPARE(sc4830sim_getChannel(ViUInt16(laterApplyPage + 1), &unitChannel), 0);
        QCOMPARE(unitChannel.gain, ViUInt16(1000));
    } else {
        QCOMPARE(sc4830sim_logCount(), 0);
    }
    // The poll still reads the unit: of two ticks one is odd. After its own failure its
    // timer stays stopped (above), so only a direct call would read.
    if (site != Poll && panel->d_vi != 0) {
        panel->getStatus();
        panel->getStatus();
        QVERIFY(!simCallLog({ "sc4830_getStatus" }).isEmpty());
    }
    QCOMPARE(boxes->seen.size() + hostErrors->count(), reports);
}

void tst_FaultMatrix::answeringNoEverywhere()
{
    // Every call after the open fails, and the operator answers No to every box.
    const char *const failing[] = { "sc4830_setVoltRefOutput", "sc4830_serialNumber",
        "sc4830_revision_query", "sc4830_setChannelConf", "sc4830_setExcitation",
        "sc4830_setShuntCal", "sc4830_getExcitation", "sc4830_channelIdentify", "sc4830_getStatus",
        "sc4830_getVoltRefOutput", "sc4830_excitCalibration" };
    for (const char *function : failing)
        sc4830sim_injectStatus(function, -7, 1);
    visasim_injectGetAttributeStatus(-7, 1);
    for (int i = 0; i < 100; ++i)
        boxes->queue(QMessageBox::No);

    // 16 pages: three Apply calls each, the unit record and the identity.
    build(16);
    QVERIFY(panel->initUnit());
    QTRY_VERIFY_WITH_TIMEOUT(!panel->statusTimer->isActive(), 3000); // the poll's own box
    QCOMPARE(boxes->seen.size(), 3 + 16 * 3 + 1);

    sc4830fp_chCfg *page = panel->chPages[4];
    panel->pbVrefMonitor->click();
    page->pbIdentify->click();
    page->pbReadExc->click();
    page->chkExcitation->setChecked(true);
    page->pbCalibrateAll->click();
    const int expected = 3 + 16 * 3 + 1 + 3 + 16;
    QCOMPARE(boxes->seen.size(), expected);
    for (const SeenBox &box : qAsConst(boxes->seen)) {
        QCOMPARE(box.icon, QMessageBox::Critical);
        QVERIFY2(box.text.endsWith(QLatin1String("failed due to [unit 4830 refused the call]\n"
                                                 "Do you want to exit?")),
            qPrintable(box.text));
    }
    QCOMPARE(hostErrors->count(), 0);
    QCOMPARE(sc4830sim_callCount("sc4830_excitCalibration"), 16);
    QVERIFY(!panel->calibrating);
    QCOMPARE(channelTab(panel, 4),
        QString("Settings not applied; Identification on; Status not monitored"));
    QCOMPARE(channelTab(panel, 15), QString("Settings not applied; Status not monitored"));

    // Once the unit answers again, every action works; the poll stays stopped as intended.
    sc4830sim_clearInjections();
    sc4830sim_clearLog();
    page->pbReadExc->click();
    page->cbMode->setCurrentIndex(6);
    page->pbApply->click();
    panel->pbVrefMonitor->click();
    page->pbIdentify->click();
    page->pbCalibrate->click(); // no kind left selected in a voltage mode: no step
    const QString unit = QString::number(panel->d_vi);
    QCOMPARE(simCallLog(),
        QStringList({ QStringLiteral("sc4830_getExcitation(%1, 5, ptr, ptr)").arg(unit),
            QStringLiteral("sc4830_setChannelConf(%1, 5, 6, 1, 0, 0)").arg(unit),
            QStringLiteral("sc4830_setExcitation(%1, 5, 0, 0)").arg(unit),
            QStringLiteral("sc4830_setShuntCal(%1, 5, 0)").arg(unit),
            QStringLiteral("sc4830_getVoltRefOutput(%1, ptr, ptr, NULL)").arg(unit),
            QStringLiteral("sc4830_setVoltRefOutput(%1, 0, 0, 0)").arg(unit),
            QStringLiteral("sc4830_channelIdentify(%1, 5, 0)").arg(unit) }));
    QCOMPARE(boxes->seen.size(), expected);
    QCOMPARE(panel->pbVrefMonitor->text(), QStringLiteral("OFF"));
    // The read worked; the Apply after it voided the reading.
    QCOMPARE(page->leDiffExc->text(), QStringLiteral("Not measured"));
    QVERIFY(!panel->calibrating);
    QVERIFY(!panel->statusTimer->isActive());
    QCOMPARE(channelTab(panel, 4), QString("Status not monitored"));
    QCOMPARE(channelTab(panel, 15), QString("Settings not applied; Status not monitored"));
}

QTEST_MAIN(tst_FaultMatrix)
#include "tst_faultmatrix.moc"
