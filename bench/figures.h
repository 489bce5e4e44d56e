#ifndef SFP_FIGURES_H
#define SFP_FIGURES_H

#include <QString>
#include <QStringList>

class BenchReport;

// How much of each figure a run measures, and where the bench's own programs are.
struct BenchConfig
{
    bool quick = false;
    int startRuns = 15; // rounds of fresh processes, one per start variant
    int memoryRuns = 5; // fresh processes per memory variant
    int idleRuns = 3; // fresh processes per idle variant
    int idleMs = 5000; // idle window measured in each of them
    int latencyRuns = 7; // Apply to all and initUnit repetitions
    int gapRuns = 5; // calibrations and cancels
    QString self; // this program, started again with --child
    QString bareHost; // sfp-bench-bare, the host without the panel

    static BenchConfig make(bool quick);
};

// Figure groups of the parent process; each adds its figures and anomalies to report.
void measureStart(const BenchConfig &config, BenchReport &report);
void measureMemory(const BenchConfig &config, BenchReport &report);
void measureIdle(const BenchConfig &config, BenchReport &report);
void measureDriverLatency(const BenchConfig &config, BenchReport &report);
void measureGuiGaps(const BenchConfig &config, BenchReport &report);

// Child modes (sfp-bench --child <group> <arguments>); mainNs is the monotonic clock at
// the child's entry into main(). Each returns the child's exit code.
int startChild(const QStringList &arguments, qint64 mainNs, qint64 appNs);
int memoryChild(const QStringList &arguments);
int idleChild(const QStringList &arguments);

#endif // SFP_FIGURES_H
