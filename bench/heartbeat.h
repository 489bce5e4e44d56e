#ifndef SFP_HEARTBEAT_H
#define SFP_HEARTBEAT_H

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

// A 1 ms precise timer on the GUI thread that records the longest interval between its
// own ticks: the longest time the event loop, nested loops included, did not come round.
//
// A window starts with beginWindow(); endWindowMs() closes it and returns the largest
// gap in it, counting the stretch from the last tick to the call as a gap too, so a
// blocking call that the window ends in is not missed. GUI thread only.
class Heartbeat : public QObject
{
    Q_OBJECT

public:
    explicit Heartbeat(QObject *parent = nullptr);

    void start();
    void stop();
    void beginWindow();
    // Largest gap since beginWindow(), in ms.
    double endWindowMs();
    // Ticks since beginWindow().
    int ticks() const { return tickCount; }

private:
    void tick();

    QTimer timer;
    QElapsedTimer clock;
    qint64 lastNs = 0;
    qint64 maxGapNs = 0;
    int tickCount = 0;
};

#endif // SFP_HEARTBEAT_H
