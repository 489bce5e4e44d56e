#ifndef SFP_SCENARIOPLAYER_H
#define SFP_SCENARIOPLAYER_H

#include "scenario.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class Simulation;

// Plays a scenario on the simulation: steps due at start() are done at once, in
// file order, the others when their time has come, each group of steps of one time in
// file order. Times are kept against one clock started by start(), so late timers do not
// add up. GUI thread only.
class ScenarioPlayer : public QObject
{
    Q_OBJECT

public:
    ScenarioPlayer(const Scenario &scenario, Simulation &simulation, QObject *parent = nullptr);

    void start();
    bool isFinished() const { return next >= scenario.steps().size(); }

signals:
    // A quit step has come; the steps after it are not done.
    void quitRequested();
    // The last step has been done.
    void finished();

private:
    void playDue();
    void scheduleNext();

    Scenario scenario;
    Simulation &simulation;
    QElapsedTimer clock;
    QTimer timer;
    int next = 0;
};

#endif // SFP_SCENARIOPLAYER_H
