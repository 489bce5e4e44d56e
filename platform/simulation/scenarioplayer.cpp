#include "scenarioplayer.h"

#include "simulation.h"

#include <limits>

ScenarioPlayer::ScenarioPlayer(const Scenario &scenario, Simulation &simulation, QObject *parent)
    : QObject(parent)
    , scenario(scenario)
    , simulation(simulation)
{
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    connect(&timer, &QTimer::timeout, this, &ScenarioPlayer::playDue);
}

void ScenarioPlayer::start()
{
    clock.start();
    next = 0;
    playDue();
}

void ScenarioPlayer::playDue()
{
    const QList<ScenarioStep> &steps = scenario.steps();
    if (next >= steps.size())
        return;
    // Everything due by now goes, and only the steps of the time that came due: a step of
    // a later time waits for its own timer even when this one fired late.
    const qint64 due = steps.at(next).atMs;
    if (clock.elapsed() < due) {
        scheduleNext();
        return;
    }
    while (next < steps.size() && steps.at(next).atMs == due) {
        const ScenarioStep &step = steps.at(next++);
        if (step.kind == ScenarioStep::Quit) {
            next = steps.size();
            emit quitRequested();
            return;
        }
        step.apply(simulation);
    }
    if (next >= steps.size())
        emit finished();
    else
        scheduleNext();
}

void ScenarioPlayer::scheduleNext()
{
    const qint64 wait = scenario.steps().at(next).atMs - clock.elapsed();
    timer.start(int(qBound(qint64(0), wait, qint64(std::numeric_limits<int>::max()))));
}
