#ifndef SFP_HOSTRUN_H
#define SFP_HOSTRUN_H

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

// What one run of the real sfp-host left behind: its exit, and its standard output and
// standard error line by line. runHost() starts it.
struct HostRun
{
    int exitCode = -1;
    QProcess::ExitStatus exitStatus = QProcess::CrashExit;
    QStringList out; // standard output, line by line
    QStringList err; // standard error, line by line
    bool finished = false;

    // The value of the first "key: value" line on standard output.
    QString value(const QString &key) const
    {
        const QString prefix = key + QStringLiteral(": ");
        for (const QString &line : out) {
            if (line.startsWith(prefix))
                return line.mid(prefix.size());
        }
        return QStringLiteral("<no %1 line>").arg(key);
    }
    // Lines of standard error that sfp-host wrote itself (Qt adds its own warnings).
    QStringList hostErrors() const
    {
        return err.filter(QRegularExpression(QStringLiteral("^sfp-host: ")));
    }
};

constexpr int hostTimeoutMs = 30000;

// Runs sfp-host (SFP_HOST_PATH) with the arguments in a child process under the offscreen
// platform, in workingDirectory (empty: this process's), and waits for it to end, killing
// it after hostTimeoutMs.
HostRun runHost(const QStringList &arguments, const QString &workingDirectory = QString());

// The lines of a text file, empty ones left out; one line naming the file if it cannot
// be read.
QStringList readLines(const QString &path);

#endif // SFP_HOSTRUN_H
