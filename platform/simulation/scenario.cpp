#include "scenario.h"

#include "simulation.h"

#include <QFile>
#include <QRegularExpression>

#include <limits>

namespace {

bool parseRange(const QString &text, qint64 low, qint64 high, qint64 *value)
{
    qint64 v = 0;
    if (!Scenario::parseNumber(text, &v) || v < low || v > high)
        return false;
    *value = v;
    return true;
}

// A duration such as "500 ms", "500ms", "2 s" or "250 us", in the given unit; numbers
// without a unit are in defaultUnit.
bool parseDuration(
    const QString &text, const QString &defaultUnit, const QString &unit, qint64 *value)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,9})\\s*(us|ms|s)?$"));
    const QRegularExpressionMatch m = pattern.match(text.trimmed());
    if (!m.hasMatch())
        return false;
    const QString given = m.captured(2).isEmpty() ? defaultUnit : m.captured(2);
    auto perSecond = [](const QString &u) -> qint64 {
        return u == QLatin1String("us") ? 1000000 : u == QLatin1String("ms") ? 1000 : 1;
    };
    // Converted through microseconds; durations below the target unit round down.
    const qint64 us = m.captured(1).toLongLong() * (1000000 / perSecond(given));
    *value = us / (1000000 / perSecond(unit));
    return true;
}

QString joined(const QStringList &words, int from)
{
    return words.mid(from).join(QLatin1Char(' '));
}

} // namespace

bool Scenario::parseNumber(const QString &text, qint64 *value)
{
    bool ok = false;
    if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        const QString digits = text.mid(2);
        const quint64 u = digits.toULongLong(&ok, 16);
        if (!ok || digits.isEmpty() || digits.startsWith(QLatin1Char('+'))
            || u > std::numeric_limits<quint32>::max())
            return false;
        *value = qint32(quint32(u));
        return true;
    }
    *value = text.toLongLong(&ok, 10);
    return ok;
}

QString Scenario::load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QStringLiteral("cannot read the scenario %1: %2").arg(path, file.errorString());
    const QString problem = parse(QString::fromUtf8(file.readAll()));
    return problem.isEmpty() ? problem : QStringLiteral("scenario %1: %2").arg(path, problem);
}

QString Scenario::parse(const QString &text)
{
    stepList.clear();
    qint64 time = 0;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        const QString problem = parseLine(lines.at(i), i + 1, &time);
        if (!problem.isEmpty()) {
            stepList.clear();
            return QStringLiteral("line %1: %2").arg(i + 1).arg(problem);
        }
    }
    return QString();
}

QString Scenario::parseLine(const QString &line, int number, qint64 *time)
{
    QString text = line.section(QLatin1Char('#'), 0, 0).trimmed();
    if (text.isEmpty())
        return QString();
    if (text.startsWith(QLatin1String("at "))) {
        const int colon = text.indexOf(QLatin1Char(':'));
        if (colon < 0)
            return QStringLiteral("':' missing after the time");
        qint64 at = 0;
        const QString when = text.mid(3, colon - 3).trimmed();
        if (!parseDuration(when, QStringLiteral("ms"), QStringLiteral("ms"), &at))
            return QStringLiteral("bad time '%1'").arg(when);
        if (at < *time)
            return QStringLiteral("time goes back (%1 ms after %2 ms)").arg(at).arg(*time);
        *time = at;
        text = text.mid(colon + 1).trimmed();
    }
    ScenarioStep step;
    step.atMs = *time;
    step.line = number;
    const QString problem = parseCommand(text.split(QLatin1Char(' '), Qt::SkipEmptyParts), &step);
    if (problem.isEmpty())
        stepList.append(step);
    return problem;
}

QString Scenario::parseCommand(const QStringList &words, ScenarioStep *step)
{
    const QString command = words.value(0);
    const int n = words.size();
    if (command.isEmpty())
        return QStringLiteral("no command after the time");

    if (command == QLatin1String("status")) {
        const QString which = words.value(1);
        if (n != 3 || (which != QLatin1String("icp") && which != QLatin1String("exc")))
            return QStringLiteral("expected 'status icp WORD' or 'status exc WORD'");
        step->kind
            = which == QLatin1String("icp") ? ScenarioStep::StatusIcp : ScenarioStep::StatusExc;
        if (!parseRange(words.at(2), 0, 0xFFFF, &step->value))
            return QStringLiteral("bad status word '%1': 0x0000 to 0xFFFF").arg(words.at(2));
        return QString();
    }
    if (command == QLatin1String("fail")) {
        if (n < 3 || n > 4)
            return QStringLiteral("expected 'fail FUNCTION carrier|error|warning|STATUS "
                                  "[once|always]'");
        if (!Simulation::driverFunctions().contains(words.at(1)))
            return QStringLiteral("unknown driver function '%1'").arg(words.at(1));
        step->kind = ScenarioStep::Fail;
        step->function = words.at(1);
        const QString kind = words.at(2);
        qint64 status = 0;
        if (kind == QLatin1String("carrier"))
            step->status = Simulation::carrierErrorStatus;
        else if (kind == QLatin1String("error"))
            step->status = Simulation::errorStatus;
        else if (kind == QLatin1String("warning"))
            step->status = Simulation::warningStatus;
        else if (parseRange(kind, std::numeric_limits<qint32>::min(),
                     std::numeric_limits<qint32>::max(), &status)
            && status != 0)
            step->status = ViStatus(status);
        else
            return QStringLiteral("bad failure '%1': carrier, error, warning or a non-zero "
                                  "status")
                .arg(kind);
        const QString repeat = words.value(3, QStringLiteral("once"));
        if (repeat != QLatin1String("once") && repeat != QLatin1String("always"))
            return QStringLiteral("expected 'once' or 'always', not '%1'").arg(repeat);
        step->always = repeat == QLatin1String("always");
        return QString();
    }
    if (command == QLatin1String("clear")) {
        if (n != 2)
            return QStringLiteral("expected 'clear FUNCTION' or 'clear all'");
        if (words.at(1) == QLatin1String("all")) {
            step->kind = ScenarioStep::ClearAll;
            return QString();
        }
        if (!Simulation::driverFunctions().contains(words.at(1)))
            return QStringLiteral("unknown driver function '%1'").arg(words.at(1));
        step->kind = ScenarioStep::Clear;
        step->function = words.at(1);
        return QString();
    }
    if (command == QLatin1String("carrier-code")) {
        step->kind = ScenarioStep::CarrierCode;
        if (n != 2
            || !parseRange(words.at(1), std::numeric_limits<qint32>::min(),
                std::numeric_limits<qint32>::max(), &step->value))
            return QStringLiteral("expected 'carrier-code CODE' (32 bits, hex or decimal)");
        return QString();
    }
    if (command == QLatin1String("latency")) {
        step->kind = ScenarioStep::Latency;
        if (n < 2 || n > 3
            || !parseDuration(
                joined(words, 1), QStringLiteral("ms"), QStringLiteral("us"), &step->value)
            || step->value > std::numeric_limits<int>::max())
            return QStringLiteral("expected 'latency TIME' (us, ms or s)");
        return QString();
    }
    if (command == QLatin1String("calibration")) {
        const QString what = words.value(1);
        if (what == QLatin1String("time")) {
            step->kind = ScenarioStep::CalibrationTime;
            if (n < 3 || n > 4
                || !parseDuration(
                    joined(words, 2), QStringLiteral("ms"), QStringLiteral("ms"), &step->value))
                return QStringLiteral("expected 'calibration time TIME'");
            return QString();
        }
        if (what == QLatin1String("hang") && n > 2) {
            step->kind = ScenarioStep::CalibrationHang;
            if (n > 4
                || !parseDuration(
                    joined(words, 2), QStringLiteral("ms"), QStringLiteral("ms"), &step->value)
                || step->value > std::numeric_limits<int>::max())
                return QStringLiteral("expected 'calibration hang TIME' (ms or s; none: until "
                                      "released)");
            return QString();
        }
        if (n == 2 && what == QLatin1String("hang"))
            step->kind = ScenarioStep::CalibrationHang;
        else if (n == 2 && what == QLatin1String("run"))
            step->kind = ScenarioStep::CalibrationRun;
        else if (n == 2 && what == QLatin1String("release"))
            step->kind = ScenarioStep::CalibrationRelease;
        else
            return QStringLiteral("expected 'calibration hang [TIME]', 'calibration run', "
                                  "'calibration release' or 'calibration time TIME'");
        return QString();
    }
    if (command == QLatin1String("quit")) {
        step->kind = ScenarioStep::Quit;
        return n == 1 ? QString() : QStringLiteral("'quit' takes nothing after it");
    }
    return QStringLiteral("unknown command '%1'").arg(command);
}
