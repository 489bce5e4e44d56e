#include "hostrun.h"

#include <QFile>
#include <QProcessEnvironment>

#ifndef SFP_HOST_PATH
#error "SFP_HOST_PATH names the sfp-host program under test"
#endif

namespace {

QStringList lines(const QByteArray &bytes)
{
    return QString::fromLocal8Bit(bytes).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

QStringList readLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return { QStringLiteral("<cannot read %1>").arg(path) };
    return lines(file.readAll());
}

HostRun runHost(const QStringList &arguments, const QString &workingDirectory)
{
    QProcess process;
    process.setWorkingDirectory(workingDirectory);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(SFP_HOST_PATH), arguments);
    HostRun result;
    result.finished = process.waitForFinished(hostTimeoutMs);
    if (!result.finished)
        process.kill();
    result.exitCode = process.exitCode();
    result.exitStatus = process.exitStatus();
    result.out = lines(process.readAllStandardOutput());
    result.err = lines(process.readAllStandardError());
    return result;
}
