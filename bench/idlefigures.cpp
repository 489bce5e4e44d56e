// Processor time of a panel left alone in its event loop, attached and in demonstration,
// against a bare shown widget; each in fresh processes of this program.

#include "benchpanel.h"
#include "benchreport.h"
#include "childprocess.h"
#include "figures.h"
#include "measure.h"
#include "uiwait.h"

#include <sc4830fp_chcfg.h>
#include <sc4830fp_fp.h>
#include <sc4830sim.h>

#include <QPushButton>
#include <QVector>
#include <QtMath>

#include <memory>

namespace {

constexpr int settleMs = 500;
// Identification on a few pages, the one shown among them: its lamp is repainted at
// every blink, the others only change state.
constexpr int identifiedPages[] = { 0, 5, 10, 15 };

QVector<double> runVariant(const BenchConfig &config, const QString &variant, BenchReport &report,
    QVector<double> *statusReads = nullptr)
{
    QVector<double> percent;
    for (int run = 0; run < config.idleRuns; ++run) {
        const ChildResult child = runChild(config.self,
            { QStringLiteral("--child"), QStringLiteral("idle"), variant,
                QString::number(config.idleMs) },
            config.idleMs + 30000);
        report.addAnomalies(QStringLiteral("idle (%1)").arg(variant), child.anomalies);
        const double value = child.value(QStringLiteral("cpu_pct"));
        if (child.ok && !qIsNaN(value))
            percent << value;
        if (statusReads && child.ok)
            *statusReads << child.value(QStringLiteral("status_reads"));
    }
    return percent;
}

Figure idleFigure(const char *name, const QVector<double> &percent, double bare,
    const QString &detail, double goal = 0.5)
{
    Figure figure
        = medianFigure(QString::fromLatin1(name), percent, QStringLiteral("%"), Goal::below(goal));
    figure.baseline = QStringLiteral("bare shown QWidget %1 % of a core").arg(bare, 0, 'f', 3);
    figure.detail = detail;
    return figure;
}

} // namespace

int idleChild(const QStringList &arguments)
{
    const QString variant = arguments.value(0);
    bool ok = false;
    const int windowMs = arguments.value(1).toInt(&ok);
    if (!ok || windowMs <= 0)
        return 2;

    std::unique_ptr<BenchPanel> panel;
    std::unique_ptr<QWidget> bare;
    std::unique_ptr<QWidget> overview;
    const bool withOverview = variant == QLatin1String("overview");
    if (variant == QLatin1String("attached") || variant == QLatin1String("demo") || withOverview) {
        panel = std::make_unique<BenchPanel>(
            variant == QLatin1String("demo") ? BenchPanel::Demonstration : BenchPanel::Attached);
        panel->panel()->initUnit();
        if (!uiwait::showAndPaint(panel->panel()))
            reportAnomaly(QStringLiteral("idle: the panel was not painted"));
        // The table of all channels in a window of its own, beside the panel.
        if (withOverview) {
            overview.reset(panel->panel()->createOverview(nullptr));
            if (!uiwait::showAndPaint(overview.get()))
                reportAnomaly(QStringLiteral("idle: the table of all channels was not painted"));
        }
        for (int page : identifiedPages)
            panel->page(page)->pbIdentify->click();
    } else if (variant == QLatin1String("bare")) {
        bare = std::make_unique<QWidget>();
        if (!uiwait::showAndPaint(bare.get()))
            reportAnomaly(QStringLiteral("idle: the bare widget was not painted"));
    } else {
        return 2;
    }
    uiwait::spin(settleMs);

    const int readsBefore = sc4830sim_callCount("sc4830_getStatus");
    const qint64 cpuStart = measure::processCpuNs();
    const qint64 wallStart = measure::monotonicNs();
    uiwait::spin(windowMs);
    const qint64 cpuNs = measure::processCpuNs() - cpuStart;
    const qint64 wallNs = measure::monotonicNs() - wallStart;

    reportValue("cpu_pct", 100.0 * double(cpuNs) / double(wallNs));
    reportValue("cpu_ms", cpuNs / 1e6);
    reportValue("wall_ms", wallNs / 1e6);
    reportValue("status_reads", sc4830sim_callCount("sc4830_getStatus") - readsBefore);
    if (panel) {
        int identifying = 0;
        for (int i = 0; i < panel->pageCount(); ++i)
            identifying += panel->page(i)->identifyOn ? 1 : 0;
        reportValue("identifying_pages", identifying);
    }
    return 0;
}

void measureIdle(const BenchConfig &config, BenchReport &report)
{
    const double bare = measure::median(runVariant(config, QStringLiteral("bare"), report));
    QVector<double> reads;
    const QVector<double> attached = runVariant(config, QStringLiteral("attached"), report, &reads);
    const QVector<double> demo = runVariant(config, QStringLiteral("demo"), report);
    const QVector<double> overview = runVariant(config, QStringLiteral("overview"), report);

    const QString window = QStringLiteral("%1 s idle window per run").arg(config.idleMs / 1000.0);
    report.add(idleFigure("idle_cpu_attached_pct", attached, bare,
        QStringLiteral("16 pages, identification on pages 1, 6, 11, 16; %1 status reads "
                       "per run (every 400 ms); %2")
            .arg(measure::median(reads))
            .arg(window)));
    report.add(idleFigure("idle_cpu_demo_pct", demo, bare,
        QStringLiteral("demonstration, 16 pages, identification on pages 1, 6, 11, 16; %1")
            .arg(window)));
    report.add(idleFigure("idle_cpu_overview_pct", overview, bare,
        QStringLiteral("as attached, with the table of all channels shown beside the panel; %1")
            .arg(window),
        0.35));
}
