#include "benchreport.h"

#include "measure.h"

#include <QTextStream>
#include <QtMath>

namespace {

QString number(double value)
{
    return qIsNaN(value) ? QStringLiteral("n/a") : QString::number(value, 'f', 3);
}

constexpr int detailIndent = 61;

// Columns padded one by one: the texts may hold '%', which a chain of QString::arg()
// would read as the next placeholder.
QString row(const QString &name, const QString &value, const QString &goal, const QString &verdict,
    const QString &runs, const QString &rest)
{
    return name.leftJustified(24) + QLatin1Char(' ') + value.rightJustified(12) + QLatin1Char(' ')
        + goal.leftJustified(9) + QLatin1Char(' ') + verdict.leftJustified(8) + QLatin1Char(' ')
        + runs.rightJustified(4) + QLatin1String("  ") + rest + QLatin1Char('\n');
}

QString verdict(const Figure &figure)
{
    if (qIsNaN(figure.value))
        return QStringLiteral("NOT MEASURED");
    if (figure.goal.kind == Goal::None)
        return QStringLiteral("-");
    return figure.goal.met(figure.value) ? QStringLiteral("meets") : QStringLiteral("MISSES");
}

} // namespace

Figure medianFigure(
    const QString &name, const QVector<double> &values, const QString &unit, Goal goal)
{
    Figure figure;
    figure.name = name;
    figure.value = measure::median(values);
    figure.unit = unit;
    figure.goal = goal;
    figure.runs = values.size();
    return figure;
}

QString spreadText(const QVector<double> &values, int decimals)
{
    return QStringLiteral("%1..%2")
        .arg(measure::minimum(values), 0, 'f', decimals)
        .arg(measure::maximum(values), 0, 'f', decimals);
}

QString Goal::text() const
{
    switch (kind) {
    case AtMost:
        return QStringLiteral("<= %1").arg(limit);
    case Below:
        return QStringLiteral("< %1").arg(limit);
    case None:
        break;
    }
    return QStringLiteral("none");
}

bool Goal::met(double value) const
{
    switch (kind) {
    case AtMost:
        return value <= limit;
    case Below:
        return value < limit;
    case None:
        break;
    }
    return true;
}

void BenchReport::add(const Figure &figure)
{
    figures << figure;
}

void BenchReport::addAnomaly(const QString &group, const QString &text)
{
    anomalies << QStringLiteral("%1: %2").arg(group, text);
}

void BenchReport::addAnomalies(const QString &group, const QStringList &texts)
{
    for (const QString &text : texts)
        addAnomaly(group, text);
}

bool BenchReport::complete() const
{
    for (const Figure &figure : figures) {
        if (qIsNaN(figure.value))
            return false;
    }
    return !figures.isEmpty();
}

void BenchReport::print(QTextStream &out) const
{
    out << row(QStringLiteral("figure"), QStringLiteral("median"), QStringLiteral("goal"),
        QStringLiteral("verdict"), QStringLiteral("runs"),
        QStringLiteral("baseline (same run) / detail"));
    for (const Figure &figure : figures) {
        const QString value = (number(figure.value) + QLatin1Char(' ') + figure.unit).trimmed();
        out << row(figure.name, value, figure.goal.text(), verdict(figure),
            QString::number(figure.runs), figure.baseline);
        if (!figure.detail.isEmpty())
            out << QString(detailIndent, QLatin1Char(' ')) << figure.detail << '\n';
    }

    out << '\n';
    if (anomalies.isEmpty()) {
        out << "Anomalies: none (no message box appeared, every run ended by itself)\n";
    } else {
        out << "Anomalies (" << anomalies.size() << "):\n";
        for (const QString &anomaly : anomalies)
            out << "  " << anomaly << '\n';
    }

    out << '\n';
    for (const Figure &figure : figures)
        out << "BENCH " << figure.name << ' '
            << number(figure.value).replace(QStringLiteral("n/a"), QStringLiteral("nan")) << '\n';
    out.flush();
}
