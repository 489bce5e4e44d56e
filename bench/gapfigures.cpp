// The longest time the GUI event loop stands still while a calibration runs, and while
// a calibration is being cancelled, against the loop's own gap when idle.

#include "benchpanel.h"
#include "benchreport.h"
#include "figures.h"
#include "heartbeat.h"
#include "measure.h"
#include "uiwait.h"

#include <sc4830fp_calibrationdialog.h>
#include <sc4830fp_chcfg.h>
#include <sc4830fp_fp.h>
#include <sc4830sim.h>
#include <simcarrier.h>

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QTimer>
#include <QVector>

#include <chrono>
#include <thread>

namespace {

constexpr int calibrationMs = 1500;
constexpr int cancelAfterMs = 500;
constexpr int releaseAfterMs = 300;
constexpr int idleWindowMs = 1000;
constexpr int estimateTickMs = 100;

// The estimation thread of a calibration sleeps in 100 ms ticks counted from the start of
// the step, and the GUI thread waits for its current tick to end when the step ends or
// is cancelled. How long depends on where in a tick the driver returns (or Cancel is
// pressed): a duration that is a whole number of ticks, 1500 ms, would always end just
// before a tick and hide the wait. So the runs spread that point evenly over the tick.
int tickPhaseMs(int run, int runs)
{
    return int((run + 0.5) * estimateTickMs / runs);
}

// The first run's and the last run's time, startMs moved by their tick phases.
QString phasedSpan(int startMs, int runs)
{
    return QStringLiteral("%1..%2")
        .arg(startMs + tickPhaseMs(0, runs))
        .arg(startMs + tickPhaseMs(runs - 1, runs));
}

// A gap figure: the median of the runs' largest gaps, held below limitMs, against the idle
// loop's baseline.
Figure gapFigure(
    const char *name, const QVector<double> &gaps, double limitMs, const QString &baseline)
{
    Figure figure
        = medianFigure(QString::fromLatin1(name), gaps, QStringLiteral("ms"), Goal::below(limitMs));
    figure.baseline = baseline;
    return figure;
}
const char *const signalPathCall = "sc4830_pgaCalibration";

struct CancelRun
{
    bool cancelled = false;
    bool wasHanging = false;
    double gapMs = 0; // largest gap from the Cancel press to calibrateAction's end
    double durationMs = 0; // Cancel press to calibrateAction's end
};

// One signal-path calibration that hangs in the driver; Cancel is pressed after cancelAfter ms
// through the dialog's own slot, and the driver is let go 300 ms after that so that the
// worker ends within the cancel's waits.
CancelRun cancelOnce(sc4830fp_chCfg *page, Heartbeat &heartbeat, int cancelAfter)
{
    CancelRun run;
    std::thread releaser;
    qint64 pressedNs = 0;
    QTimer cancelTimer;
    cancelTimer.setSingleShot(true);
    QObject::connect(&cancelTimer, &QTimer::timeout, [&] {
        auto *dialog
            = qobject_cast<sc4830fp_calibrationDialog *>(QApplication::activeModalWidget());
        if (!dialog) {
            sc4830sim_releaseCalibrations();
            return;
        }
        run.wasHanging = sc4830sim_hangingCalibrations() == 1;
        run.cancelled = true;
        releaser = std::thread([] {
            std::this_thread::sleep_for(std::chrono::milliseconds(releaseAfterMs));
            sc4830sim_releaseCalibrations();
        });
        heartbeat.beginWindow();
        pressedNs = measure::monotonicNs();
        dialog->cancelAction();
    });

    cancelTimer.start(cancelAfter);
    heartbeat.beginWindow();
    page->pbCalibrate->click();
    run.gapMs = heartbeat.endWindowMs();
    run.durationMs = (measure::monotonicNs() - pressedNs) / 1e6;
    cancelTimer.stop();
    if (releaser.joinable())
        releaser.join();
    return run;
}

} // namespace

void measureGuiGaps(const BenchConfig &config, BenchReport &report)
{
    const QString group = QStringLiteral("GUI gaps");
    sc4830sim_reset();
    simcarrier_reset();

    BenchPanel bench(BenchPanel::Attached);
    bench.panel()->initUnit();
    if (!uiwait::showAndPaint(bench.panel()))
        report.addAnomaly(group, QStringLiteral("the panel was not painted"));
    sc4830fp_chCfg *page = bench.page(0);
    if (!page->chkSignalPath->isEnabled())
        report.addAnomaly(group, QStringLiteral("the signal-path calibration is not selectable"));
    page->chkSignalPath->setChecked(true);
    page->chkExcitation->setChecked(false);
    page->chkAutobalance->setChecked(false);

    Heartbeat heartbeat;
    heartbeat.start();
    uiwait::spin(200);
    heartbeat.beginWindow();
    uiwait::spin(idleWindowMs);
    const double idleGap = heartbeat.endWindowMs();
    const double idleTicks = heartbeat.ticks();

    QVector<double> gaps;
    QVector<double> durations;
    for (int run = 0; run < config.gapRuns; ++run) {
        sc4830sim_setCalibrationDurationMs(calibrationMs + tickPhaseMs(run, config.gapRuns));
        const int before = sc4830sim_callCount(signalPathCall);
        heartbeat.beginWindow();
        const qint64 start = measure::monotonicNs();
        page->pbCalibrate->click();
        const double gap = heartbeat.endWindowMs();
        durations << (measure::monotonicNs() - start) / 1e6;
        if (sc4830sim_callCount(signalPathCall) != before + 1) {
            report.addAnomaly(
                group, QStringLiteral("calibration run %1 made no signal-path call").arg(run + 1));
            continue;
        }
        gaps << gap;
        uiwait::spin(100);
    }

    sc4830sim_setCalibrationHang(1);
    QVector<double> cancelGaps;
    QVector<double> cancelDurations;
    for (int run = 0; run < config.gapRuns; ++run) {
        const CancelRun cancel
            = cancelOnce(page, heartbeat, cancelAfterMs + tickPhaseMs(run, config.gapRuns));
        if (!cancel.cancelled || !cancel.wasHanging) {
            report.addAnomaly(group,
                QStringLiteral("cancel run %1: %2")
                    .arg(run + 1)
                    .arg(cancel.cancelled ? QStringLiteral("the driver call was not hanging")
                                          : QStringLiteral("no calibration dialog to cancel")));
            continue;
        }
        if (sc4830sim_hangingCalibrations() != 0)
            report.addAnomaly(
                group, QStringLiteral("cancel run %1 left a calibration hanging").arg(run + 1));
        cancelGaps << cancel.gapMs;
        cancelDurations << cancel.durationMs;
        uiwait::spin(100);
    }
    sc4830sim_setCalibrationHang(0);
    sc4830sim_releaseCalibrations();
    heartbeat.stop();
    sc4830sim_setCalibrationDurationMs(20);

    const QString baseline = QStringLiteral("idle event loop, panel shown: largest gap %1 ms "
                                            "(%2 ticks of the 1 ms heartbeat in %3 ms)")
                                 .arg(idleGap, 0, 'f', 2)
                                 .arg(idleTicks)
                                 .arg(idleWindowMs);
    Figure calibration = gapFigure("gui_gap_calibration_ms", gaps, 50, baseline);
    calibration.detail = QStringLiteral("signal-path calibration of %1 ms in the driver "
                                        "(ends spread over the estimate's 100 ms tick); "
                                        "calibrateAction took %2 ms; gaps %3 ms")
                             .arg(phasedSpan(calibrationMs, config.gapRuns))
                             .arg(measure::median(durations), 0, 'f', 0)
                             .arg(spreadText(gaps, 1));
    report.add(calibration);

    // The waits of a Cancel turn the event loop every 10 ms; the operator sees no stall.
    Figure cancel = gapFigure("gui_gap_cancel_ms", cancelGaps, 20, baseline);
    cancel.detail = QStringLiteral("Cancel %1 ms into a hanging call, driver let go %2 ms "
                                   "later; Cancel to end of calibrateAction %3 ms; gaps %4 ms")
                        .arg(phasedSpan(cancelAfterMs, config.gapRuns))
                        .arg(releaseAfterMs)
                        .arg(measure::median(cancelDurations), 0, 'f', 0)
                        .arg(spreadText(cancelGaps, 1));
    report.add(cancel);
}
