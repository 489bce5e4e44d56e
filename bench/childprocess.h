#ifndef SFP_CHILDPROCESS_H
#define SFP_CHILDPROCESS_H

#include <QMap>
#include <QString>
#include <QStringList>

// Runs a figure in a fresh process and reads back what it measured.
//
// A child writes one line per result to its standard output: "VALUE <name> <number>" for
// a measurement and "ANOMALY <text>" for anything the parent should report (a message
// box it had to answer, a paint that never came). Both sides run on the GUI thread.

struct ChildResult
{
    bool ok = false; // ended by itself in time with exit status 0
    qint64 launchNs = 0; // monotonic clock just before the child was started
    QMap<QString, double> values; // its VALUE lines
    QStringList anomalies; // its ANOMALY lines, and what went wrong with the run

    // NaN when the child did not report name.
    double value(const QString &name) const;
};

// Starts program with arguments, waits at most timeoutMs for it to end (it is killed
// then) and collects its lines.
ChildResult runChild(const QString &program, const QStringList &arguments, int timeoutMs);

// Child side: one result line each, flushed at once so that nothing is lost if the child
// ends abnormally afterwards.
void reportValue(const char *name, double value);
void reportAnomaly(const QString &text);

#endif // SFP_CHILDPROCESS_H
