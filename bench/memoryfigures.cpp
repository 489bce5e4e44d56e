// Resident memory of a host with the panel against a bare host, each in its own process.

#include "benchpanel.h"
#include "benchreport.h"
#include "childprocess.h"
#include "figures.h"
#include "measure.h"
#include "uiwait.h"

#include <sc4830fp_chcfg.h>
#include <sc4830fp_fp.h>

#include <QTabWidget>
#include <QVector>
#include <QtMath>

#include <memory>

namespace {

constexpr int childTimeoutMs = 30000;
constexpr int settleMs = 300;

double runFor(
    const QString &program, const QStringList &arguments, const QString &group, BenchReport &report)
{
    const ChildResult child = runChild(program, arguments, childTimeoutMs);
    report.addAnomalies(group, child.anomalies);
    return child.ok ? child.value(QStringLiteral("rss_mb")) : qQNaN();
}

} // namespace

int memoryChild(const QStringList &arguments)
{
    const QString variant = arguments.value(0);
    std::unique_ptr<BenchPanel> panel;
    std::unique_ptr<QWidget> bare;
    if (variant == QLatin1String("panel")) {
        panel = std::make_unique<BenchPanel>(BenchPanel::Attached);
        panel->panel()->initUnit();
        if (!uiwait::showAndPaint(panel->panel()))
            reportAnomaly(QStringLiteral("memory: the panel was not painted"));
        // An operator looks at every channel: each page is laid out and painted once.
        QTabWidget *tabs = panel->panel()->twChannels;
        for (int i = 1; i < panel->pageCount(); ++i)
            uiwait::paintAfter(panel->page(i), [tabs, i] { tabs->setCurrentIndex(i); });
        uiwait::paintAfter(panel->page(0), [tabs] { tabs->setCurrentIndex(0); });
        reportValue("pages", panel->pageCount());
    } else if (variant == QLatin1String("bare")) {
        bare = std::make_unique<QWidget>();
        if (!uiwait::showAndPaint(bare.get()))
            reportAnomaly(QStringLiteral("memory: the bare widget was not painted"));
    } else {
        return 2;
    }
    uiwait::spin(settleMs);
    reportValue("rss_mb", measure::residentMb());
    return 0;
}

void measureMemory(const BenchConfig &config, BenchReport &report)
{
    QVector<double> bareHost;
    QVector<double> benchBare;
    QVector<double> panel;
    for (int run = 0; run < config.memoryRuns; ++run) {
        const double host
            = runFor(config.bareHost, {}, QStringLiteral("memory (bare host)"), report);
        const double own = runFor(config.self,
            { QStringLiteral("--child"), QStringLiteral("memory"), QStringLiteral("bare") },
            QStringLiteral("memory (bare in sfp-bench)"), report);
        const double withPanel = runFor(config.self,
            { QStringLiteral("--child"), QStringLiteral("memory"), QStringLiteral("panel") },
            QStringLiteral("memory (panel)"), report);
        if (!qIsNaN(host) && host > 0)
            bareHost << host;
        if (!qIsNaN(own) && own > 0)
            benchBare << own;
        if (!qIsNaN(withPanel) && withPanel > 0)
            panel << withPanel;
    }

    Figure figure;
    figure.name = QStringLiteral("rss_over_bare_mb");
    figure.value = measure::median(panel) - measure::median(bareHost);
    figure.unit = QStringLiteral("MB");
    figure.goal = Goal::below(20);
    figure.runs = panel.size();
    figure.baseline = QStringLiteral("bare host (QApplication + empty shown QWidget, Qt Widgets "
                                     "only) %1 MB; host with the panel %2 MB")
                          .arg(measure::median(bareHost), 0, 'f', 1)
                          .arg(measure::median(panel), 0, 'f', 1);
    figure.detail = QStringLiteral("16 pages attached, every tab shown once; a bare QWidget in "
                                   "sfp-bench itself (panel code linked, unused) %1 MB")
                        .arg(measure::median(benchBare), 0, 'f', 1);
    report.add(figure);
}
