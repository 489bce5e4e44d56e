// Apply to all, a setup's load and initUnit against a simulated per-call latency, as ratios
// to the time the same driver calls take when made directly.

#include "benchpanel.h"
#include "benchreport.h"
#include "figures.h"
#include "measure.h"
#include "uiwait.h"

#include <cr2200fp_overviewinterface.h>
#include <cr2200fp_setupfile.h>
#include <sc4830.h>
#include <sc4830fp_channelmodel.h>
#include <sc4830fp_chcfg.h>
#include <sc4830fp_fp.h>
#include <sc4830sim.h>
#include <simcarrier.h>

#include <QComboBox>
#include <QPushButton>
#include <QVector>
#include <QtMath>

namespace {

constexpr int latencyUs = 2000;
constexpr double latencyMs = latencyUs / 1000.0;
constexpr int channels = 16;
constexpr int applyCallsPerChannel = 3;
constexpr int applyAllCalls = channels * applyCallsPerChannel;
constexpr int changedChannels = 12;
constexpr int applyChangedCalls = changedChannels * applyCallsPerChannel;

// The driver calls that Apply to all (or Apply changed, on its first count channels)
// makes, made directly: the pure driver time.
double directApplyMs(ViSession vi, int count = channels)
{
    const qint64 start = measure::monotonicNs();
    for (ViUInt16 ch = 1; ch <= count; ++ch) {
        sc4830_setChannelConf(vi, ch, 0, 1, 0, 0);
        sc4830_setExcitation(vi, ch, 0.0, 0.0);
        sc4830_setShuntCal(vi, ch, VI_FALSE);
    }
    return (measure::monotonicNs() - start) / 1e6;
}

double applyToAllMs(sc4830fp_chCfg *page, int run, int *calls)
{
    // Two settings in turn, so that the copy really changes the other pages every run;
    // both keep the total gain at 10 at most, which raises no warning.
    page->cbMode->setCurrentIndex(run % 2);
    page->cbGain->setCurrentIndex(run % 2);
    sc4830sim_clearLog();
    const qint64 start = measure::monotonicNs();
    page->pbApplyAll->click();
    const double ms = (measure::monotonicNs() - start) / 1e6;
    *calls = sc4830sim_logCount();
    return ms;
}

// A setup file's text that sets every channel to the mode and gain of index, with its
// excitation: each run's setup differs from the one before on every channel.
QByteArray setupText(int index)
{
    cr2200fp_setup setup;
    setup.unit = QStringLiteral("Orbisa 4830");
    for (int ch = 1; ch <= channels; ++ch) {
        cr2200fp_channelSetup channel;
        channel.channel = ch;
        channel.keys = cr2200fp_channelSetup::AllKeys;
        channel.input = QStringLiteral("Front Panel");
        channel.mode = index ? QStringLiteral("Half Bridge") : QStringLiteral("Full Bridge");
        channel.coupling = QStringLiteral("DC");
        channel.gain = index ? 10 : 1;
        channel.positiveExcitation = index ? 5.0 : 2.5;
        channel.negativeExcitation = index ? -5.0 : -2.5;
        setup.channels.append(channel);
    }
    return cr2200fp_setupFile::toJson(setup);
}

// Reads the setup's text and applies it through the panel's setup interface, as a host
// does with a file it has read.
double setupLoadMs(sc4830fp_fp *panel, const QByteArray &text, int *calls, bool *applied)
{
    sc4830sim_clearLog();
    const qint64 start = measure::monotonicNs();
    cr2200fp_setup setup;
    QString error;
    *applied = cr2200fp_setupFile::parse(text, QStringLiteral("bench.json"), &setup, &error)
        && qobject_cast<cr2200fp_setupInterface *>(panel)->applySetup(setup).allApplied();
    const double ms = (measure::monotonicNs() - start) / 1e6;
    *calls = sc4830sim_logCount();
    return ms;
}

// Changes the gain of the first 12 channels in the table of all channels, as an operator
// editing several rows at once, then applies what changed through the panel's interface.
double applyChangedMs(sc4830fp_fp *panel, int *calls, bool *applied)
{
    auto *overview = qobject_cast<cr2200fp_overviewInterface *>(panel);
    QAbstractItemModel *table = overview->channelModel();
    for (int row = 0; row < changedChannels; ++row) {
        const QModelIndex gain = table->index(row, sc4830fp_channelModel::Gain);
        table->setData(gain, gain.data().toString() == QLatin1String("1") ? 10 : 1);
    }
    sc4830sim_clearLog();
    const qint64 start = measure::monotonicNs();
    const cr2200fp_setupResult result = overview->applyChanged();
    const double ms = (measure::monotonicNs() - start) / 1e6;
    *calls = sc4830sim_logCount();
    *applied = result.allApplied() && result.channels.size() == changedChannels;
    return ms;
}

double initUnitMs(BenchPanel::Mode mode, int *calls)
{
    BenchPanel bench(mode);
    sc4830sim_clearLog();
    const qint64 start = measure::monotonicNs();
    bench.panel()->initUnit();
    const double ms = (measure::monotonicNs() - start) / 1e6;
    *calls = sc4830sim_logCount();
    return ms;
}

// A figure of this file's kind: a median time against the same driver calls made
// directly, with the 5 % of overhead the panel may add to them.
Figure againstDriver(const char *name, double ms, double driverMs, int runs)
{
    Figure figure;
    figure.name = QLatin1String(name);
    figure.value = ms / driverMs;
    figure.goal = Goal::atMost(1.05);
    figure.runs = runs;
    return figure;
}

} // namespace

void measureDriverLatency(const BenchConfig &config, BenchReport &report)
{
    const QString group = QStringLiteral("driver latency");
    sc4830sim_reset();
    simcarrier_reset();

    QVector<double> direct;
    QVector<double> applyAll;
    QVector<double> applyCalls;
    QVector<double> setupLoad;
    QVector<double> setupCalls;
    QVector<double> directChanged;
    QVector<double> applyChanged;
    QVector<double> changedCalls;
    bool setupsApplied = true;
    bool changedApplied = true;
    const QByteArray setups[2] = { setupText(0), setupText(1) };
    {
        BenchPanel bench(BenchPanel::Attached);
        bench.panel()->initUnit();
        if (!uiwait::showAndPaint(bench.panel()))
            report.addAnomaly(group, QStringLiteral("the panel was not painted"));
        const ViSession vi = bench.panel()->d_vi;
        if (vi == 0)
            report.addAnomaly(group, QStringLiteral("the panel opened no unit session"));

        sc4830sim_setCallLatencyUs(latencyUs);
        for (int run = 0; vi != 0 && run < config.latencyRuns; ++run) {
            direct << directApplyMs(vi);
            int calls = 0;
            applyAll << applyToAllMs(bench.page(0), run, &calls);
            applyCalls << calls;
            uiwait::spin(20);
            // Apply to all left every page at index run % 2; the setup takes the other.
            bool applied = false;
            setupLoad << setupLoadMs(bench.panel(), setups[(run + 1) % 2], &calls, &applied);
            setupCalls << calls;
            setupsApplied = setupsApplied && applied;
            // The repaints and the status poll run here, outside the timed call.
            uiwait::spin(20);
            directChanged << directApplyMs(vi, changedChannels);
            applyChanged << applyChangedMs(bench.panel(), &calls, &applied);
            changedCalls << calls;
            changedApplied = changedApplied && applied;
            uiwait::spin(20);
        }
        sc4830sim_setCallLatencyUs(0);
    }
    if (measure::minimum(applyCalls) != applyAllCalls
        || measure::maximum(applyCalls) != applyAllCalls)
        report.addAnomaly(group,
            QStringLiteral("Apply to all made %1..%2 driver calls, not 48")
                .arg(measure::minimum(applyCalls))
                .arg(measure::maximum(applyCalls)));

    if (measure::minimum(setupCalls) != applyAllCalls
        || measure::maximum(setupCalls) != applyAllCalls || !setupsApplied)
        report.addAnomaly(group,
            QStringLiteral("a setup's load made %1..%2 driver calls, not 48, or was not applied")
                .arg(measure::minimum(setupCalls))
                .arg(measure::maximum(setupCalls)));

    if (measure::minimum(changedCalls) != applyChangedCalls
        || measure::maximum(changedCalls) != applyChangedCalls || !changedApplied)
        report.addAnomaly(group,
            QStringLiteral("Apply changed made %1..%2 driver calls, not 36, or was not applied")
                .arg(measure::minimum(changedCalls))
                .arg(measure::maximum(changedCalls)));

    sc4830sim_setCallLatencyUs(latencyUs);
    QVector<double> init;
    QVector<double> initCalls;
    for (int run = 0; run < config.latencyRuns; ++run) {
        int calls = 0;
        init << initUnitMs(BenchPanel::Attached, &calls);
        initCalls << calls;
    }
    sc4830sim_setCallLatencyUs(0);
    // The part of initUnit that is no driver time: the same attach in demonstration,
    // which builds pages 9 to 16 and applies every page without calling the driver.
    QVector<double> demoInit;
    for (int run = 0; run < config.latencyRuns; ++run) {
        int calls = 0;
        demoInit << initUnitMs(BenchPanel::Demonstration, &calls);
    }

    const double pureDriver = measure::median(direct);
    const double perCall = pureDriver / applyAllCalls;
    const double nominal = applyAllCalls * latencyMs;
    const double apply = measure::median(applyAll);

    Figure applyFigure
        = againstDriver("apply_all_vs_driver", apply, pureDriver, int(applyAll.size()));
    applyFigure.baseline = QStringLiteral("the same 48 driver calls made directly %1 ms "
                                          "(nominal 48 x 2 ms = %2 ms); Apply to all %3 ms")
                               .arg(pureDriver, 0, 'f', 2)
                               .arg(nominal, 0, 'f', 0)
                               .arg(apply, 0, 'f', 2);
    applyFigure.detail = QStringLiteral("against the nominal 96 ms: %1 (the simulator's 2 ms "
                                        "sleep itself takes %2 ms a call)")
                             .arg(apply / nominal, 0, 'f', 3)
                             .arg(perCall, 0, 'f', 3);
    report.add(applyFigure);

    const double load = measure::median(setupLoad);
    Figure setupFigure
        = againstDriver("setup_load_vs_driver", load, pureDriver, int(setupLoad.size()));
    setupFigure.baseline = QStringLiteral("the same 48 driver calls made directly %1 ms; a "
                                          "setup of 16 channels read and applied %2 ms")
                               .arg(pureDriver, 0, 'f', 2)
                               .arg(load, 0, 'f', 2);
    setupFigure.detail = QStringLiteral("every channel changed each run; the file's text read "
                                        "from memory, checked whole, then each page applied");
    report.add(setupFigure);

    const double changed = measure::median(applyChanged);
    const double changedDriver = measure::median(directChanged);
    Figure changedFigure = againstDriver(
        "apply_changed_vs_driver", changed, changedDriver, int(applyChanged.size()));
    changedFigure.baseline = QStringLiteral("the same 36 driver calls made directly %1 ms; "
                                            "Apply changed of 12 channels %2 ms")
                                 .arg(changedDriver, 0, 'f', 2)
                                 .arg(changed, 0, 'f', 2);
    changedFigure.detail = QStringLiteral("the gain of channels 1 to 12 edited through the "
                                          "table of all channels each run, 4 channels unchanged");
    report.add(changedFigure);

    const double initMs = measure::median(init);
    const double calls = measure::median(initCalls);
    Figure initFigure;
    initFigure.name = QStringLiteral("init_vs_driver");
    initFigure.value = initMs / (calls * perCall);
    initFigure.runs = init.size();
    initFigure.baseline = QStringLiteral("%1 driver calls x %2 ms measured per call = %3 ms; "
                                         "initUnit %4 ms")
                              .arg(calls)
                              .arg(perCall, 0, 'f', 3)
                              .arg(calls * perCall, 0, 'f', 2)
                              .arg(initMs, 0, 'f', 2);
    initFigure.detail = QStringLiteral("against the nominal %1 x 2 ms: %2; calls per run %3..%4; "
                                       "initUnit in demonstration (pages 9 to 16 built, every "
                                       "page applied, no driver) %5 ms")
                            .arg(calls)
                            .arg(initMs / (calls * latencyMs), 0, 'f', 3)
                            .arg(measure::minimum(initCalls))
                            .arg(measure::maximum(initCalls))
                            .arg(measure::median(demoInit), 0, 'f', 2);
    report.add(initFigure);
}
