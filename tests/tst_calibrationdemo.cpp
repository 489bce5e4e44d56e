// Calibrations of a demonstration panel (no carrier session): each kind takes its real
// time, 6, 8 or 16 s, without a driver call, and ends without an error. About 30 s in
// all; it runs beside the rest of the suite.

#include "mastererrorrecorder.h"
#include "modalanswerer.h"
#include "panelrig.h"
#include "simreset.h"

#include <sc4830fp_calibrationdialog.h>
#include <sc4830fp_chcfg.h>
#include <sc4830fp_fp.h>

#include <sc4830sim.h>

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <algorithm>
#include <memory>

class tst_CalibrationDemo : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void takesItsRealTime_data();
    void takesItsRealTime();

private:
    std::unique_ptr<PanelRig> rig;
};

void tst_CalibrationDemo::init()
{
    resetSimulators();
    sc4830sim_setImbalance(1, 0.5); // would show if a driver call were made
    rig.reset(new PanelRig(PanelRig::Demonstration));
    QCOMPARE(rig->panel->d_vi, ViSession(0));
}

void tst_CalibrationDemo::cleanup()
{
    rig.reset();
}

void tst_CalibrationDemo::takesItsRealTime_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("durationMs");

    QTest::newRow("signal path, 6 s") << "signal path" << 6000;
    QTest::newRow("excitation, 8 s") << "excitation" << 8000;
    QTest::newRow("autobalance, 16 s") << "autobalance" << 16000;
}

void tst_CalibrationDemo::takesItsRealTime()
{
    QFETCH(QString, kind);
    QFETCH(int, durationMs);

    sc4830fp_chCfg *page = rig->page(0);
    QCheckBox *box = kind == "signal path" ? page->chkSignalPath
        : kind == "excitation"             ? page->chkExcitation
                                           : page->chkAutobalance;
    box->setEnabled(true);
    box->setChecked(true);

    MasterErrorRecorder hostErrors(rig->panel);
    ModalAnswerer boxes;
    boxes.queue(QMessageBox::Ok); // the load warning of the autobalance

    // The bar while the step runs: the estimate climbs to 90 and holds there.
    int highestShown = 0;
    QTimer watch;
    connect(&watch, &QTimer::timeout, this, [&] {
        const auto dialogs = page->findChildren<sc4830fp_calibrationDialog *>();
        for (sc4830fp_calibrationDialog *dialog : dialogs) {
            if (dialog->isVisible() && dialog->progressBar->value() < 100)
                highestShown = std::max(highestShown, dialog->progressBar->value());
        }
    });
    watch.start(50);

    QElapsedTimer clock;
    clock.start();
    page->pbCalibrate->click();
    const qint64 elapsed = clock.elapsed();

    QVERIFY2(elapsed >= durationMs - 20 && elapsed < durationMs + 1500,
        qPrintable(QString::number(elapsed)));
    QVERIFY2(highestShown >= 90 && highestShown < 92, qPrintable(QString::number(highestShown)));
    QCOMPARE(sc4830sim_logCount(), 0);
    QCOMPARE(hostErrors.count(), 0);
    QCOMPARE(boxes.seen.size(), kind == "autobalance" ? 1 : 0);
    QCOMPARE(page->leImbalance->text(),
        kind == "autobalance" ? QString("0.000000") : QString("Not balanced"));
    QVERIFY(!rig->panel->calibrating);
}

QTEST_MAIN(tst_CalibrationDemo)
#include "tst_calibrationdemo.moc"
