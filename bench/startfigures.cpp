// Start of the panel against a bare Qt Widgets start and against the same widgets built
// without the panel, each variant in fresh processes of this program.

#include "benchpanel.h"
#include "benchreport.h"
#include "childprocess.h"
#include "figures.h"
#include "measure.h"
#include "samewidgets.h"
#include "uiwait.h"

#include <sc4830fp_fp.h>

#include <QMap>
#include <QVector>
#include <QWidget>
#include <QtMath>

#include <memory>

namespace {

const QStringList startVariants
    = { QStringLiteral("bare"), QStringLiteral("widgets"), QStringLiteral("panel") };
constexpr int childTimeoutMs = 30000;
constexpr int panelPages = 16;

} // namespace

int startChild(const QStringList &arguments, qint64 mainNs, qint64 appNs)
{
    const QString variant = arguments.value(0);
    std::unique_ptr<BenchPanel> panel;
    std::unique_ptr<QWidget> window;
    if (variant == QLatin1String("bare")) {
        window.reset(new QWidget);
    } else if (variant == QLatin1String("widgets")) {
        window.reset(buildSameWidgets(panelPages));
    } else if (variant == QLatin1String("panel")) {
        // As a host starts it: create, setMaster with the carrier, initUnit, show.
        panel = std::make_unique<BenchPanel>(BenchPanel::Attached);
        panel->panel()->initUnit();
    } else {
        return 2;
    }

    QWidget *shown = panel ? panel->panel() : window.get();
    const bool painted = uiwait::showAndPaint(shown);
    const qint64 paintedNs = measure::monotonicNs();
    const qint64 cpuNs = measure::processCpuNs();
    if (!painted)
        reportAnomaly(QStringLiteral("%1 start: no paint within 5 s").arg(variant));
    reportValue("main_ns", double(mainNs));
    reportValue("app_ns", double(appNs));
    reportValue("painted_ns", double(paintedNs));
    reportValue("cpu_ns", double(cpuNs));
    if (panel)
        reportValue("pages", panel->pageCount());
    return 0;
}

namespace {

struct StartSample
{
    double totalMs = 0; // launch to first paint
    double buildMs = 0; // QApplication ready to first paint
    double appMs = 0; // launch to QApplication ready
    double cpuMs = 0; // processor time until the first paint
};

// Starts every variant once, in an order that rotates with the round; false unless all
// of them reported.
bool startRound(
    const BenchConfig &config, int round, BenchReport &report, QMap<QString, StartSample> *samples)
{
    for (int turn = 0; turn < startVariants.size(); ++turn) {
        const QString &variant = startVariants.at((round + turn) % startVariants.size());
        const ChildResult child = runChild(config.self,
            { QStringLiteral("--child"), QStringLiteral("start"), variant }, childTimeoutMs);
        report.addAnomalies(QStringLiteral("start (%1)").arg(variant), child.anomalies);
        const double painted = child.value(QStringLiteral("painted_ns"));
        const double appReady = child.value(QStringLiteral("app_ns"));
        if (!child.ok || qIsNaN(painted) || qIsNaN(appReady))
            return false;
        if (variant == QLatin1String("panel")
            && child.value(QStringLiteral("pages")) != panelPages) {
            report.addAnomaly(QStringLiteral("start (panel)"),
                QStringLiteral("%1 pages instead of 16").arg(child.value(QStringLiteral("pages"))));
        }
        StartSample &sample = (*samples)[variant];
        sample.totalMs = (painted - child.launchNs) / 1e6;
        sample.buildMs = (painted - appReady) / 1e6;
        sample.appMs = (appReady - child.launchNs) / 1e6;
        sample.cpuMs = child.value(QStringLiteral("cpu_ns")) / 1e6;
    }
    return true;
}

} // namespace

void measureStart(const BenchConfig &config, BenchReport &report)
{
    QMap<QString, QVector<double>> total;
    QVector<double> overBarePairs; // panel - bare of the same round, ms
    QVector<double> ratioPairs; // panel / widgets of the same round
    QVector<double> buildRatioPairs; // the same from QApplication ready on
    QVector<double> cpuRatioPairs; // the same in processor time
    QVector<double> appMs;
    QVector<double> panelCpu;
    QVector<double> bareCpu;

    // Round -1 warms the page cache and is not counted. The figures are medians of
    // differences and ratios within one round: the variants of a round start within a
    // fraction of a second of each other and so share the load of the machine, which on a
    // shared machine moves more than the figures themselves.
    for (int round = -1; round < config.startRuns; ++round) {
        QMap<QString, StartSample> samples;
        if (!startRound(config, qMax(round, 0), report, &samples) || round < 0)
            continue;
        const StartSample bare = samples.value(QStringLiteral("bare"));
        const StartSample widgets = samples.value(QStringLiteral("widgets"));
        const StartSample panel = samples.value(QStringLiteral("panel"));
        for (const QString &variant : startVariants)
            total[variant] << samples.value(variant).totalMs;
        overBarePairs << panel.totalMs - bare.totalMs;
        ratioPairs << panel.totalMs / widgets.totalMs;
        buildRatioPairs << panel.buildMs / widgets.buildMs;
        cpuRatioPairs << panel.cpuMs / widgets.cpuMs;
        appMs << panel.appMs;
        panelCpu << panel.cpuMs;
        bareCpu << bare.cpuMs;
    }

    Figure overBare = medianFigure(QStringLiteral("start_over_bare_ms"), overBarePairs,
        QStringLiteral("ms"), Goal::atMost(30));
    overBare.baseline = QStringLiteral("bare QWidget start %1 ms (spread %2); panel start %3 ms "
                                       "(spread %4), launch to first paint")
                            .arg(measure::median(total.value(QStringLiteral("bare"))), 0, 'f', 1)
                            .arg(spreadText(total.value(QStringLiteral("bare")), 1))
                            .arg(measure::median(total.value(QStringLiteral("panel"))), 0, 'f', 1)
                            .arg(spreadText(total.value(QStringLiteral("panel")), 1));
    overBare.detail = QStringLiteral("panel - bare per round %1 ms; launch to QApplication ready "
                                     "%2 ms; processor time to first paint: panel %3 ms, bare "
                                     "%4 ms")
                          .arg(spreadText(overBarePairs, 1))
                          .arg(measure::median(appMs), 0, 'f', 1)
                          .arg(measure::median(panelCpu), 0, 'f', 1)
                          .arg(measure::median(bareCpu), 0, 'f', 1);
    report.add(overBare);

    Figure sameWidgets = medianFigure(
        QStringLiteral("start_vs_same_widgets"), ratioPairs, QString(), Goal::atMost(1.2));
    sameWidgets.baseline
        = QStringLiteral("same widgets without the panel start %1 ms (spread %2)")
              .arg(measure::median(total.value(QStringLiteral("widgets"))), 0, 'f', 1)
              .arg(spreadText(total.value(QStringLiteral("widgets")), 1));
    sameWidgets.detail = QStringLiteral("ratio per round %1; from QApplication ready on %2; "
                                        "in processor time %3")
                             .arg(spreadText(ratioPairs, 3))
                             .arg(measure::median(buildRatioPairs), 0, 'f', 3)
                             .arg(measure::median(cpuRatioPairs), 0, 'f', 3);
    report.add(sameWidgets);
}
