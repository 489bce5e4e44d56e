#ifndef SFP_BENCHREPORT_H
#define SFP_BENCHREPORT_H

#include <QString>
#include <QStringList>
#include <QVector>

class QTextStream;

// What a figure is held against.
struct Goal
{
    enum Kind { None, AtMost, Below };
    Kind kind = None;
    double limit = 0.0;

    static Goal atMost(double limit) { return { AtMost, limit }; }
    static Goal below(double limit) { return { Below, limit }; }
    QString text() const;
    bool met(double value) const;
};

// One measured figure: a median of repeated runs with the baseline of the same run.
struct Figure
{
    QString name; // the machine-readable name of its BENCH line
    double value = 0; // NaN when it could not be measured
    QString unit; // "ms", "%", "MB", or empty for a ratio
    Goal goal;
    int runs = 0; // runs the median was taken over
    QString baseline; // the baseline measured in the same run, in words and numbers
    QString detail; // what else the runs saw (spread, counts, the other ratio)
};

// A figure whose value is the median of values, taken over as many runs; the caller adds
// its baseline and detail.
Figure medianFigure(
    const QString &name, const QVector<double> &values, const QString &unit, Goal goal);
// "smallest..largest" of the values, each with the given number of decimals.
QString spreadText(const QVector<double> &values, int decimals);

// Collects the figures and the anomalies of a run and prints them: the human-readable
// table, the anomalies, then one "BENCH <name> <value>" line per figure. GUI thread only.
class BenchReport
{
public:
    void add(const Figure &figure);
    void addAnomaly(const QString &group, const QString &text);
    void addAnomalies(const QString &group, const QStringList &texts);

    // Every figure has a value.
    bool complete() const;
    void print(QTextStream &out) const;

private:
    QVector<Figure> figures;
    QStringList anomalies;
};

#endif // SFP_BENCHREPORT_H
