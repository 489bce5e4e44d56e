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
#include <QtTest>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

// How far the bar may trail the schedule of its estimate: the estimate's thread woken late
// on a busy machine, and the threads' start after the dialog shows. It never leads it.
constexpr qint64 lateToleranceMs = 300;
constexpr qint64 tickMs = 100;
constexpr double limit = 90.0;

// Every value the calibration dialog's bar takes, with the time since the dialog showed
// (the step starts right after). Taken where the dialog sets the bar, not by a timer,
// which a busy machine may hold back until the step has ended.
class BarRecorder : public QObject
{
public:
    struct Reading
    {
        qint64 ms;
        int value;
    };

    BarRecorder() { qApp->installEventFilter(this); }
    ~BarRecorder() override { qApp->removeEventFilter(this); }

    std::vector<Reading> readings;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *dialog = qobject_cast<sc4830fp_calibrationDialog *>(watched);
        if (dialog && event->type() == QEvent::Show && !clock.isValid()) {
            clock.start();
            readings.push_back({ 0, dialog->progressBar->value() });
            connect(dialog->progressBar, &QProgressBar::valueChanged, this, [this](int value) {
                readings.push_back({ clock.elapsed(), value });
            });
        }
        return false;
    }

private:
    QElapsedTimer clock;
};

// The first reading off the schedule of an estimate for a step of durationMs: one step of
// 100 / (durationMs / 100) percent every 100 ms since the start, held once it has reached
// 90 (between 90 and 90 plus a step); empty when every reading below 100 is on it.
QString offSchedule(const std::vector<BarRecorder::Reading> &readings, int durationMs)
{
    const double step = 100.0 * tickMs / durationMs;
    for (const BarRecorder::Reading &reading : readings) {
        if (reading.value >= 100)
            continue;
        const double ahead
            = std::min(static_cast<double>(reading.ms / tickMs) * step, limit + step);
        const qint64 lateMs = std::max<qint64>(reading.ms - lateToleranceMs, 0);
        const double behind = std::min(static_cast<double>(lateMs / tickMs) * step, limit);
        // The bar shows the estimate cut to whole percent; sums of steps may fall a hair short.
        if (reading.value > static_cast<int>(ahead + 0.01)
            || reading.value < static_cast<int>(behind) - 1)
            return QString("%1 at %2 ms, schedule %3..%4")
                .arg(reading.value)
                .arg(reading.ms)
                .arg(behind, 0, 'f', 1)
                .arg(ahead, 0, 'f', 1);
    }
    return {};
}

int highestBelowFull(const std::vector<BarRecorder::Reading> &readings)
{
    int highest = -1;
    for (const BarRecorder::Reading &reading : readings) {
        if (reading.value < 100)
            highest = std::max(highest, reading.value);
    }
    return highest;
}

} // namespace

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

    // The bar while the step runs: the estimate climbs with real time to 90 and holds.
    BarRecorder bar;

    QElapsedTimer clock;
    clock.start();
    page->pbCalibrate->click();
    const qint64 elapsed = clock.elapsed();

    QVERIFY2(elapsed >= durationMs - 20 && elapsed < durationMs + 1500,
        qPrintable(QString::number(elapsed)));
    QVERIFY(bar.readings.size() > 2);
    QCOMPARE(bar.readings.front().value, 0);
    QCOMPARE(bar.readings.back().value, 100);
    const QString off = offSchedule(bar.readings, durationMs);
    QVERIFY2(off.isEmpty(), qPrintable(off));
    const int highestShown = highestBelowFull(bar.readings);
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
