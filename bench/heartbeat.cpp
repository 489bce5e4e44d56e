#include "heartbeat.h"

#include <algorithm>

Heartbeat::Heartbeat(QObject *parent)
    : QObject(parent)
{
    // A coarse timer may be moved by up to 5 % of its interval to merge wake-ups; the
    // gap measured must be the event loop's, not the timer's.
    timer.setTimerType(Qt::PreciseTimer);
    timer.setInterval(1);
    connect(&timer, &QTimer::timeout, this, &Heartbeat::tick);
    clock.start();
}

void Heartbeat::start()
{
    beginWindow();
    timer.start();
}

void Heartbeat::stop()
{
    timer.stop();
}

void Heartbeat::beginWindow()
{
    lastNs = clock.nsecsElapsed();
    maxGapNs = 0;
    tickCount = 0;
}

double Heartbeat::endWindowMs()
{
    maxGapNs = std::max(maxGapNs, clock.nsecsElapsed() - lastNs);
    return maxGapNs / 1e6;
}

void Heartbeat::tick()
{
    const qint64 now = clock.nsecsElapsed();
    maxGapNs = std::max(maxGapNs, now - lastNs);
    lastNs = now;
    ++tickCount;
}
