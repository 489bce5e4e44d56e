#include "measure.h"

#include <QFile>
#include <QtMath>

#include <algorithm>
#include <ctime>

namespace {

qint64 readClock(clockid_t clock)
{
    timespec now {};
    clock_gettime(clock, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

} // namespace

namespace measure {

qint64 monotonicNs()
{
    return readClock(CLOCK_MONOTONIC);
}

qint64 processCpuNs()
{
    return readClock(CLOCK_PROCESS_CPUTIME_ID);
}

double residentMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1.0;
    // readAll(): the file is generated on read and reports a size of 0, so atEnd() and
    // size-based reads see nothing.
    const QList<QByteArray> lines = status.readAll().split('\n');
    for (const QByteArray &line : lines) {
        if (!line.startsWith("VmRSS:"))
            continue;
        bool ok = false;
        const double kb = line.mid(6).simplified().split(' ').value(0).toDouble(&ok);
        return ok ? kb / 1024.0 : -1.0;
    }
    return -1.0;
}

double median(QVector<double> values)
{
    if (values.isEmpty())
        return qQNaN();
    std::sort(values.begin(), values.end());
    const int middle = values.size() / 2;
    if (values.size() % 2 != 0)
        return values.at(middle);
    return (values.at(middle - 1) + values.at(middle)) / 2.0;
}

double minimum(const QVector<double> &values)
{
    return values.isEmpty() ? qQNaN() : *std::min_element(values.begin(), values.end());
}

double maximum(const QVector<double> &values)
{
    return values.isEmpty() ? qQNaN() : *std::max_element(values.begin(), values.end());
}

} // namespace measure
