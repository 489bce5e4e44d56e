// Many panels and many loads of the module in one process, as a long-running host meets
// them: every unit session closed exactly once, memory that stays flat, and a module
// that leaves nothing behind when it is unloaded.
#include "panelrig.h"
#include "simreset.h"

#include <cr2200fp_scuinterface.h>
#include <sc4830fp_calibrationdialog.h>
#include <sc4830fp_channeldelegate.h>
#include <sc4830fp_chcfg.h>
#include <sc4830fp_fp.h>
#include <sc4830fp_overview.h>

#include <sc4830sim.h>
#include <simcarrier.h>
#include <visasim.h>

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPluginLoader>
#include <QPointer>
#include <QPushButton>
#include <QResource>
#include <QTableView>
#include <QtTest>

namespace {

// AddressSanitizer keeps freed memory in quarantine, so resident memory grows by design
// there; its leak checker proves the same point at exit instead.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool residentMemoryIsMeaningful = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool residentMemoryIsMeaningful = false;
#else
constexpr bool residentMemoryIsMeaningful = true;
#endif
#else
constexpr bool residentMemoryIsMeaningful = true;
#endif

constexpr qint64 allowedGrowthKb = 8 * 1024;

// VmRSS of this process in kB, 0 if it cannot be read.
qint64 residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> lines = status.readAll().split('\n');
    for (const QByteArray &line : lines) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return 0;
}

// Runs round(0) to round(rounds - 1), up to a round that fails, and returns how far
// resident memory grew from the end of the first warmUp rounds to the end; -1 if it could
// not be read.
qint64 residentGrowthKb(
    const char *what, int rounds, int warmUp, const std::function<void(int)> &round)
{
    QElapsedTimer clock;
    clock.start();
    qint64 afterWarmUp = 0;
    for (int i = 0; i < rounds && !QTest::currentTestFailed(); ++i) {
        round(i);
        if (i + 1 == warmUp)
            afterWarmUp = residentKb();
    }
    const qint64 afterAll = residentKb();
    qInfo("%d %s in %lld ms; resident memory after %d: %lld kB, after %d: %lld kB "
          "(growth %lld kB)",
        rounds, what, clock.elapsed(), warmUp, afterWarmUp, rounds, afterAll,
        afterAll - afterWarmUp);
    // Memory the allocator gave back makes the difference negative: no growth, not a failed
    // read.
    return afterWarmUp > 0 && afterAll > 0 ? qMax<qint64>(0, afterAll - afterWarmUp) : -1;
}

// Fails unless memory stayed flat, wherever resident memory tells.
void verifyFlat(qint64 growthKb)
{
    QVERIFY2(growthKb >= 0, "resident memory could not be read");
    if (residentMemoryIsMeaningful)
        QVERIFY2(
            growthKb < allowedGrowthKb, qPrintable(QStringLiteral("grew by %1 kB").arg(growthKb)));
}

// Lets deferred deletions and posted events of the last panel run out.
void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

const char *const resourceNames[] = {
    ":/tormel-logo.bmp",
    ":/vxi-logo.bmp",
    ":/lxi-logo.bmp",
    ":/fp_splash.png",
    ":/about.png",
    ":/qt-lgpl-license.txt",
    ":/qt5-lgpl-license.txt",
    ":/qwt-lgpl-license.txt",
    ":/kiss-fft-bsd-license.txt",
};

sc4830fp_calibrationDialog *visibleCalibrationDialog(sc4830fp_fp *panel)
{
    for (auto *dialog : panel->findChildren<sc4830fp_calibrationDialog *>()) {
        if (dialog->isVisible())
            return dialog;
    }
    return nullptr;
}

bool messageBoxUp()
{
    return qobject_cast<QMessageBox *>(QApplication::activeModalWidget()) != nullptr;
}

// A host that deletes the panel from a timer of its own as soon as `when` holds, that is
// from inside whatever nested event loop the panel runs then. A message box that did not
// go with the panel is then dismissed, as the operator would.
class DeletingHost : public QObject
{
public:
    DeletingHost(sc4830fp_fp *panel, std::function<bool(sc4830fp_fp *)> when)
        : panel(panel)
        , when(std::move(when))
    {
        connect(&timer, &QTimer::timeout, this, &DeletingHost::poll);
        timer.start(2);
    }
    QPointer<sc4830fp_fp> panel;

private:
    void poll()
    {
        if (panel && when(panel))
            delete panel;
        if (!panel) {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
                box->reject();
        }
    }
    std::function<bool(sc4830fp_fp *)> when;
    QTimer timer;
};

using Scene = std::function<void(sc4830fp_fp *)>;
using Moment = std::function<bool(sc4830fp_fp *)>;

} // namespace

Q_DECLARE_METATYPE(Scene)
Q_DECLARE_METATYPE(Moment)

class tst_Soak : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void twoHundredPanels();
    void moduleLoadedFiftyTimes();
    void panelDeletedInNestedLoop_data();
    void panelDeletedInNestedLoop();

private:
    ViSession carrier = 0;
};

// One carrier session serves every panel, as in a long-running host.
void tst_Soak::init()
{
    resetSimulators();
    carrier = simcarrier_open(SIMCARRIER_MODEL_16CH);
}

void tst_Soak::cleanup()
{
    simcarrier_close(carrier);
    QCOMPARE(sc4830sim_openSessionCount(), 0);
    QCOMPARE(visasim_openSessionCount(), 0);
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void tst_Soak::twoHundredPanels()
{
    int attached = 0;
    int inits = 0;
    int closes = 0;
    const qint64 growth = residentGrowthKb("panels", 200, 20, [&](int i) {
        const bool withUnit = i % 2 == 1;
        const int closesBefore = sc4830sim_closeCount();
        auto *panel = new sc4830fp_fp;
        panel->setMaster(withUnit ? carrier : 0, SIMCARRIER_MODEL_16CH, 0);
        QVERIFY(panel->initUnit());
        QCOMPARE(panel->chCount, 16);
        QCOMPARE(panel->d_vi != 0, withUnit);
        attached += withUnit ? 1 : 0;
        // Shown and polled once, as a host embeds it.
        panel->show();
        panel->getStatus();
        panel->getStatus();
        QCoreApplication::processEvents();
        delete panel;
        settle();

        QCOMPARE(sc4830sim_closeCount(), closesBefore + (withUnit ? 1 : 0));
        QCOMPARE(sc4830sim_openSessionCount(), 0);
        inits += sc4830sim_callCount("sc4830_init");
        closes += sc4830sim_callCount("sc4830_close");
        sc4830sim_clearLog(); // the simulator's log is not the panel's memory
    });
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(attached, 100);
    QCOMPARE(inits, attached);
    QCOMPARE(closes, attached);
    QCOMPARE(sc4830sim_closeCount(), attached);
    verifyFlat(growth);
}

void tst_Soak::moduleLoadedFiftyTimes()
{
    int attached = 0;
    const qint64 growth = residentGrowthKb("loads", 50, 10, [&](int i) {
        QPluginLoader loader(QStringLiteral(SFP_PLUGIN_PATH));
        // Qt keeps the library mapped after unload() unless the hints are cleared.
        loader.setLoadHints({});
        QVERIFY2(loader.load(), qPrintable(loader.errorString()));
        for (const char *name : resourceNames)
            QVERIFY2(QResource(QString::fromLatin1(name)).isValid(), name);
        QFile about(QStringLiteral(":/about.png"));
        QVERIFY(about.open(QIODevice::ReadOnly));
        QVERIFY(about.readAll().startsWith("\x89PNG"));
        about.close();

        auto *factory = qobject_cast<cr2200fp_scuPluginInterface *>(loader.instance());
        QVERIFY(factory);
        cr2200fp_scuInterface *panel = factory->createPanel();
        QVERIFY(panel);
        const bool withUnit = i % 2 == 1;
        panel->setMaster(withUnit ? carrier : 0, SIMCARRIER_MODEL_8CH, 0);
        QVERIFY(panel->initUnit());
        QCOMPARE(panel->model(),
            withUnit ? QStringLiteral("4830-AB") : QStringLiteral("4830-AA (DEMO)"));
        attached += withUnit ? 1 : 0;
        panel->show();
        QCoreApplication::processEvents();
        delete panel;
        settle();
        QCOMPARE(sc4830sim_openSessionCount(), 0);

        delete loader.instance();
        QVERIFY2(loader.unload(), qPrintable(loader.errorString()));
        for (const char *name : resourceNames)
            QVERIFY2(!QResource(QString::fromLatin1(name)).isValid(), name);
        QVERIFY(!QFile::exists(QStringLiteral(":/about.png")));
        sc4830sim_clearLog();
    });
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(sc4830sim_closeCount(), attached);
    verifyFlat(growth);
}

void tst_Soak::panelDeletedInNestedLoop_data()
{
    QTest::addColumn<Scene>("prepare");
    QTest::addColumn<Moment>("moment");
    QTest::addColumn<Scene>("action");
    QTest::addColumn<QString>("neverCalled"); // the call the panel would have made next

    const Moment onBox = [](sc4830fp_fp *) { return messageBoxUp(); };
    // Neither channel may pass for applied once the panel went in the first one's box.
    const auto noneReached = [](const cr2200fp_setupResult &result) {
        QCOMPARE(result.channels.size(), 2);
        for (const cr2200fp_channelOutcome &outcome : result.channels)
            QCOMPARE(outcome.kind, cr2200fp_channelOutcome::NotReached);
    };
    const Moment onCalibration
        = [](sc4830fp_fp *panel) { return visibleCalibrationDialog(panel) != nullptr; };
    const Scene hang = [](sc4830fp_fp *panel) {
        sc4830sim_setCalibrationHang(1);
        panel->chPages[0]->chkSignalPath->setChecked(true);
    };

    // The read-back turns the event loop once: the deletion is posted before it.
    QTest::newRow("read-back's event processing")
        << Scene([](sc4830fp_fp *panel) {
               QTimer::singleShot(0, [target = QPointer<sc4830fp_fp>(panel)] { delete target; });
           })
        << Moment([](sc4830fp_fp *) { return false; })
        << Scene([](sc4830fp_fp *panel) { panel->chPages[1]->readExcAction(); })
        << "sc4830_getExcitation";
    QTest::newRow("error box of Apply") << Scene([](sc4830fp_fp *) {
        sc4830sim_injectStatus("sc4830_setChannelConf", ViStatus(0xBFFF0015), 0);
    }) << onBox << Scene([](sc4830fp_fp *panel) { panel->chPages[2]->applyAction(); })
                                        << "sc4830_setExcitation";
    QTest::newRow("error box of a setup's apply") << Scene([](sc4830fp_fp *) {
        sc4830sim_injectStatus("sc4830_setChannelConf", ViStatus(0xBFFF0015), 0);
    }) << onBox << Scene([noneReached](sc4830fp_fp *panel) {
        cr2200fp_setup setup;
        setup.unit = QStringLiteral("Orbisa 4830");
        for (int channel : { 2, 5 }) {
            cr2200fp_channelSetup gain;
            gain.channel = channel;
            gain.keys = cr2200fp_channelSetup::Gain;
            gain.gain = 10;
            setup.channels.append(gain);
        }
        noneReached(panel->applySetup(setup));
    }) << "sc4830_setExcitation";
    // The table shown: it goes with the panel, from its own button's box, and from a box of
    // an edit set on several rows.
    const Scene twoChanged = [](sc4830fp_fp *panel) {
        sc4830sim_injectStatus("sc4830_setChannelConf", ViStatus(0xBFFF0015), 0);
        panel->createOverview(nullptr)->show();
        panel->chPages[2]->cbGain->setCurrentIndex(1);
        panel->chPages[5]->cbGain->setCurrentIndex(1);
    };
    const auto overview = [] {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (auto *found = qobject_cast<sc4830fp_overview *>(window))
                return found;
        }
        return static_cast<sc4830fp_overview *>(nullptr);
    };
    QTest::newRow("error box of Apply changed, table shown")
        << twoChanged << onBox << Scene([overview](sc4830fp_fp *) {
               overview()->pbApplyChanged->click();
               QVERIFY(!overview());
           })
        << "sc4830_setExcitation";
    QTest::newRow("error box of applyChanged")
        << twoChanged << onBox
        << Scene([noneReached](sc4830fp_fp *panel) { noneReached(panel->applyChanged()); })
        << "sc4830_setExcitation";
    QTest::newRow("gain warning of a table edit on several rows") << Scene([](sc4830fp_fp *panel) {
        panel->masterGainChanged(0, 20);
        panel->masterGainChanged(1, 20);
        panel->createOverview(nullptr)->show();
    }) << onBox << Scene([overview](sc4830fp_fp *) {
        QTableView *table = overview()->table;
        table->selectionModel()->select(
            QItemSelection(table->model()->index(0, 5), table->model()->index(1, 5)),
            QItemSelectionModel::Select);
        auto *delegate = qobject_cast<sc4830fp_channelDelegate *>(table->itemDelegate());
        emit delegate->valueChosen(0, 5, QString("1000"));
        QTRY_VERIFY(!overview());
    }) << "";
    QTest::newRow("gain warning of Apply to all") << Scene([](sc4830fp_fp *panel) {
        panel->masterGainChanged(1, 20);
        panel->chPages[0]->cbGain->setCurrentIndex(3);
    }) << onBox << Scene([](sc4830fp_fp *panel) { panel->chPages[0]->applyToAllAction(); })
                                                  << "";
    QTest::newRow("gain warning box")
        << Scene([](sc4830fp_fp *panel) { panel->chPages[0]->cbGain->setCurrentIndex(3); }) << onBox
        << Scene([](sc4830fp_fp *panel) { panel->masterGainChanged(0, 20); }) << "";
    QTest::newRow("calibration step")
        << hang << onCalibration
        << Scene([](sc4830fp_fp *panel) { panel->chPages[0]->calibrateAction(); }) << "";
    QTest::newRow("calibration's wait after Cancel") << hang << Moment([](sc4830fp_fp *panel) {
        sc4830fp_calibrationDialog *dialog = visibleCalibrationDialog(panel);
        if (!dialog)
            return false;
        if (dialog->lblMessage->text() == QLatin1String("Terminating, please wait..."))
            return true;
        QTimer::singleShot(0, dialog, &sc4830fp_calibrationDialog::cancelAction);
        return false;
    }) << Scene([](sc4830fp_fp *panel) { panel->chPages[0]->calibrateAllAction(); })
                                                     << "";
    QTest::newRow("load warning") << Scene([](sc4830fp_fp *panel) {
        panel->chPages[0]->cbCoup->setCurrentIndex(1);
        panel->chPages[0]->applyAction();
        panel->chPages[0]->chkAutobalance->setChecked(true);
    }) << onBox << Scene([](sc4830fp_fp *panel) { panel->chPages[0]->calibrateAction(); })
                                  << "sc4830_autobalance";
    QTest::newRow("error box of a calibration step") << Scene([](sc4830fp_fp *panel) {
        sc4830sim_injectStatus("sc4830_pgaCalibration", -1, 1);
        panel->chPages[0]->chkSignalPath->setChecked(true);
        panel->chPages[0]->chkExcitation->setChecked(true);
    }) << onBox << Scene([](sc4830fp_fp *panel) { panel->chPages[0]->calibrateAction(); })
                                                     << "sc4830_excitCalibration";
}

void tst_Soak::panelDeletedInNestedLoop()
{
    QFETCH(Scene, prepare);
    QFETCH(Moment, moment);
    QFETCH(Scene, action);
    QFETCH(QString, neverCalled);

    PanelRig rig(PanelRig::Attached, 16, PanelRig::NotPolling);
    QVERIFY(rig.panel->d_vi != 0);
    prepare(rig.panel);
    sc4830sim_clearLog();

    {
        DeletingHost host(rig.panel, moment);
        action(rig.panel);
        // The panel returned into nothing freed (the sanitizers watch that) and made no
        // further call once it was gone.
        QVERIFY(!host.panel);
    }
    if (!neverCalled.isEmpty())
        QCOMPARE(sc4830sim_callCount(neverCalled.toLatin1().constData()), 0);
    QCOMPARE(sc4830sim_callCount("sc4830_close"), 1);
    // A calibration left running by the deleted panel was ended with it.
    QCOMPARE(sc4830sim_hangingCalibrations(), 0);
    sc4830sim_setCalibrationHang(0);
    settle();
}

QTEST_MAIN(tst_Soak)
#include "tst_soak.moc"
