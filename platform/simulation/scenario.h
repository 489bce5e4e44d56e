#ifndef SFP_SCENARIO_H
#define SFP_SCENARIO_H

#include "scenariostep.h"

#include <QList>
#include <QString>

// A scenario file: timed steps done to the simulation while the panel runs, so that
// a failure or a status change can be shown and repeated at will. One step a line:
//
//     # comment (also after a step)
//     at 500 ms: status icp 0x0004
//     fail sc4830_getStatus error once      (a line without "at" keeps the time before)
//
// Times count from the start of the scenario and never go back. docs/host.md lists the
// commands.
class Scenario
{
public:
    // Reads the text; an empty result on success, else "line N: problem".
    QString parse(const QString &text);
    // Reads the file; the problem names the file.
    QString load(const QString &path);

    const QList<ScenarioStep> &steps() const { return stepList; }
    // A number as scenario files and the console write it: hexadecimal with 0x, taken as
    // 32 bits (0xBFFC0B12 is the negative status it stands for), or decimal with an
    // optional sign.
    static bool parseNumber(const QString &text, qint64 *value);

    // The time of the last step, 0 without steps.
    qint64 lengthMs() const { return stepList.isEmpty() ? 0 : stepList.constLast().atMs; }

private:
    QString parseLine(const QString &line, int number, qint64 *time);
    QString parseCommand(const QStringList &words, ScenarioStep *step);

    QList<ScenarioStep> stepList;
};

#endif // SFP_SCENARIO_H
