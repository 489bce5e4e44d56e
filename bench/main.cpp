// sfp-bench: the measurements of the soft front panel, run by `make bench`.
//
//   sfp-bench            every figure, medians of several runs (about two minutes)
//   sfp-bench --quick    the same figures from fewer and shorter runs (about 20 s)
//   --only <group>       one group: start, memory, idle, latency or gaps
//
// Prints a table (one line per figure, with the baseline measured in the same run), the
// anomalies met (message boxes answered, children that failed), and one
// "BENCH <name> <value>" line per figure. Figures that need a fresh process start this
// program again with "--child <group> ...". Runs under the offscreen platform unless
// QT_QPA_PLATFORM says otherwise. Exit code 0 when every figure was measured; goals
// missed do not change it. Before it measures, it checks that the start figure's
// same-widgets baseline still holds what a channel page holds, and exits 3 if not.

#include "benchreport.h"
#include "figures.h"
#include "measure.h"
#include "modalguard.h"
#include "samewidgetscheck.h"
#include "watchdog.h"

#include <QApplication>
#include <QDir>
#include <QTextStream>

#include <cstdio>
#include <functional>

namespace {

constexpr int childLimitSeconds = 120;
constexpr int quickLimitSeconds = 180;
constexpr int fullLimitSeconds = 540;
constexpr int baselineDriftCode = 3;

void usage(QTextStream &out)
{
    out << "usage: sfp-bench [--quick] [--only start|memory|idle|latency|gaps]\n"
           "  --quick  fewer and shorter runs (about 20 s instead of about 2 min)\n"
           "  --only   measure one group of figures\n";
}

int runChildMode(const QStringList &arguments, qint64 mainNs, qint64 appNs, ModalGuard &guard)
{
    Watchdog watchdog(childLimitSeconds, "sfp-bench child");
    const QString group = arguments.value(0);
    const QStringList rest = arguments.mid(1);
    int code = 2;
    if (group == QLatin1String("start"))
        code = startChild(rest, mainNs, appNs);
    else if (group == QLatin1String("memory"))
        code = memoryChild(rest);
    else if (group == QLatin1String("idle"))
        code = idleChild(rest);
    for (const QString &box : guard.takeSeen())
        std::printf("ANOMALY answered %s\n", qPrintable(box));
    std::fflush(stdout);
    return code;
}

// A baseline that no longer matches the page makes the start ratio meaningless: better no
// figures than wrong ones.
bool sameWidgetsBaselineHolds()
{
    const QStringList differences = sameWidgetsDifferences();
    if (differences.isEmpty())
        return true;
    std::fprintf(stderr,
        "sfp-bench: the same-widgets baseline (bench/samewidgets.cpp) no longer holds what "
        "a channel page holds:\n");
    for (const QString &difference : differences)
        std::fprintf(stderr, "  %s\n", qPrintable(difference));
    return false;
}

} // namespace

BenchConfig BenchConfig::make(bool quick)
{
    BenchConfig config;
    config.quick = quick;
    if (quick) {
        config.startRuns = 5;
        config.memoryRuns = 2;
        config.idleRuns = 1;
        config.idleMs = 2000;
        config.latencyRuns = 3;
        config.gapRuns = 2;
    }
    return config;
}

int main(int argc, char *argv[])
{
    const qint64 mainNs = measure::monotonicNs();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ModalGuard guard;
    const qint64 appNs = measure::monotonicNs();

    QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.value(0) == QLatin1String("--child"))
        return runChildMode(arguments.mid(1), mainNs, appNs, guard);

    QTextStream out(stdout);
    const bool quick = arguments.removeAll(QStringLiteral("--quick")) > 0;
    QString only;
    const int onlyAt = arguments.indexOf(QStringLiteral("--only"));
    if (onlyAt >= 0 && onlyAt + 1 < arguments.size()) {
        only = arguments.at(onlyAt + 1);
        arguments.erase(arguments.begin() + onlyAt, arguments.begin() + onlyAt + 2);
    }
    if (!arguments.isEmpty()) {
        usage(out);
        return arguments.contains(QStringLiteral("--help")) ? 0 : 2;
    }

    BenchConfig config = BenchConfig::make(quick);
    config.self = QCoreApplication::applicationFilePath();
    config.bareHost
        = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("sfp-bench-bare"));
    Watchdog watchdog(quick ? quickLimitSeconds : fullLimitSeconds, "sfp-bench");

    BenchReport report;
    const struct
    {
        const char *key;
        const char *name;
        std::function<void(const BenchConfig &, BenchReport &)> measure;
    } groups[] = {
        { "start", "start", measureStart },
        { "memory", "memory", measureMemory },
        { "idle", "idle", measureIdle },
        { "latency", "driver latency", measureDriverLatency },
        { "gaps", "GUI gaps", measureGuiGaps },
    };
    bool known = only.isEmpty();
    for (const auto &group : groups)
        known = known || only == QLatin1String(group.key);
    if (!known) {
        usage(out);
        return 2;
    }

    if (!sameWidgetsBaselineHolds())
        return baselineDriftCode;
    const qint64 runStart = measure::monotonicNs();
    for (const auto &group : groups) {
        if (!only.isEmpty() && only != QLatin1String(group.key))
            continue;
        std::fprintf(stderr, "sfp-bench: measuring %s...\n", group.name);
        group.measure(config, report);
        report.addAnomalies(QString::fromLatin1(group.name), [&guard] {
            QStringList answered;
            for (const QString &box : guard.takeSeen())
                answered << QStringLiteral("answered ") + box;
            return answered;
        }());
    }
    std::fprintf(stderr, "sfp-bench: done in %.1f s\n", (measure::monotonicNs() - runStart) / 1e9);

    out << "sfp-bench" << (quick ? " --quick" : "") << ", platform "
        << QGuiApplication::platformName() << ", medians of repeated runs\n\n";
    report.print(out);
    return report.complete() ? 0 : 1;
}
