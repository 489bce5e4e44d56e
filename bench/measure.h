#ifndef SFP_MEASURE_H
#define SFP_MEASURE_H

#include <QVector>

// Clocks, memory and statistics of the bench. Any thread.
namespace measure {

// CLOCK_MONOTONIC in nanoseconds; the same clock in every process of the machine, so a
// parent and its child can compare their readings.
qint64 monotonicNs();
// Processor time of the whole process (all threads) in nanoseconds.
qint64 processCpuNs();
// Resident memory of this process (VmRSS) in MB of 2^20 bytes; -1 when unreadable.
double residentMb();
// Median of the values; NaN for none.
double median(QVector<double> values);
// Smallest and largest value; NaN for none.
double minimum(const QVector<double> &values);
double maximum(const QVector<double> &values);

} // namespace measure

#endif // SFP_MEASURE_H
