// Many panels and many loads of the module in one process, as a long-running host meets
// them: every unit session closed exactly once, memory that stays flat, and a module
// that leaves nothing behind when it is unloaded.
#include <cr2200fp_scuinterface.h>
#include <sc4830fp_fp.h>

#include <sc4830sim.h>
#include <simcarrier.h>
#include <visasim.h>

#include <QElapsedTimer>
#include <QFile>
#include <QPluginLoader>
#include <QResource>
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

} // namespace

class tst_Soak : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void twoHundredPanels();
    void moduleLoadedFiftyTimes();

private:
    ViSession carrier = 0;
};

void tst_Soak::init()
{
    sc4830sim_reset();
    simcarrier_reset();
    visasim_reset();
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
    constexpr int panels = 200;
    constexpr int warmUp = 20;
    QElapsedTimer clock;
    clock.start();
    qint64 afterWarmUp = 0;
    int attached = 0;
    int inits = 0;
    int closes = 0;
    for (int i = 0; i < panels; ++i) {
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
        if (i + 1 == warmUp)
            afterWarmUp = residentKb();
    }
    const qint64 afterAll = residentKb();
    qInfo("%d panels in %lld ms; resident memory after %d: %lld kB, after %d: %lld kB "
          "(growth %lld kB)",
        panels, clock.elapsed(), warmUp, afterWarmUp, panels, afterAll, afterAll - afterWarmUp);

    QCOMPARE(attached, panels / 2);
    QCOMPARE(inits, attached);
    QCOMPARE(closes, attached);
    QCOMPARE(sc4830sim_closeCount(), attached);
    QVERIFY(afterWarmUp > 0 && afterAll > 0);
    if (residentMemoryIsMeaningful)
        QVERIFY2(afterAll - afterWarmUp < allowedGrowthKb,
            qPrintable(QStringLiteral("grew by %1 kB").arg(afterAll - afterWarmUp)));
}

void tst_Soak::moduleLoadedFiftyTimes()
{
    constexpr int loads = 50;
    constexpr int warmUp = 10;
    QElapsedTimer clock;
    clock.start();
    qint64 afterWarmUp = 0;
    int attached = 0;
    for (int i = 0; i < loads; ++i) {
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
        if (i + 1 == warmUp)
            afterWarmUp = residentKb();
    }
    const qint64 afterAll = residentKb();
    qInfo("%d loads in %lld ms; resident memory after %d: %lld kB, after %d: %lld kB "
          "(growth %lld kB)",
        loads, clock.elapsed(), warmUp, afterWarmUp, loads, afterAll, afterAll - afterWarmUp);
    QCOMPARE(sc4830sim_closeCount(), attached);
    if (residentMemoryIsMeaningful)
        QVERIFY2(afterAll - afterWarmUp < allowedGrowthKb,
            qPrintable(QStringLiteral("grew by %1 kB").arg(afterAll - afterWarmUp)));
}

QTEST_MAIN(tst_Soak)
#include "tst_soak.moc"
