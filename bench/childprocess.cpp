#include "childprocess.h"

#include "measure.h"

#include <QProcess>
#include <QtMath>

#include <cstdio>

double ChildResult::value(const QString &name) const
{
    return values.value(name, qQNaN());
}

ChildResult runChild(const QString &program, const QStringList &arguments, int timeoutMs)
{
    ChildResult result;
    QProcess process;
    process.setProcessChannelMode(QProcess::SeparateChannels);
    result.launchNs = measure::monotonicNs();
    process.start(program, arguments, QIODevice::ReadOnly);

    const QString what = QStringLiteral("%1 %2").arg(program, arguments.join(QLatin1Char(' ')));
    if (!process.waitForStarted(timeoutMs)) {
        result.anomalies
            << QStringLiteral("could not start %1: %2").arg(what, process.errorString());
        return result;
    }
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished(1000);
        result.anomalies << QStringLiteral("%1 did not end within %2 ms and was killed")
                                .arg(what)
                                .arg(timeoutMs);
    } else if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        result.anomalies << QStringLiteral("%1 ended abnormally (exit code %2): %3")
                                .arg(what)
                                .arg(process.exitCode())
                                .arg(QString::fromLocal8Bit(process.readAllStandardError())
                                         .simplified()
                                         .right(300));
    } else {
        result.ok = true;
    }

    const QList<QByteArray> lines = process.readAllStandardOutput().split('\n');
    for (const QByteArray &line : lines) {
        if (line.startsWith("VALUE ")) {
            const QList<QByteArray> fields = line.simplified().split(' ');
            bool ok = false;
            const double number = fields.value(2).toDouble(&ok);
            if (fields.size() == 3 && ok)
                result.values.insert(QString::fromLatin1(fields.at(1)), number);
        } else if (line.startsWith("ANOMALY ")) {
            result.anomalies << QString::fromUtf8(line.mid(8)).trimmed();
        }
    }
    return result;
}

void reportValue(const char *name, double value)
{
    // %.17g keeps nanosecond clock readings (about 1e13) exact.
    std::printf("VALUE %s %.17g\n", name, value);
    std::fflush(stdout);
}

void reportAnomaly(const QString &text)
{
    std::printf("ANOMALY %s\n", qPrintable(text.simplified()));
    std::fflush(stdout);
}
