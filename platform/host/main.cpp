// sfp-host: a host front-panel application for the Orbisa 4830 panel plug-in, run
// against the simulated carrier and unit. See --help.
#include "hostlanguage.h"
#include "hostlog.h"
#include "hostoptions.h"
#include "hostsession.h"

#include <QApplication>
#include <QLocale>
#include <QStringList>

namespace {

// Without a display Qt would abort at start; the host then runs under the offscreen
// platform, takes its screenshot and quits.
void useOffscreenWithoutDisplay()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

QStringList commandLine(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

} // namespace

int main(int argc, char **argv)
{
    // QApplication would take --plugin, --style and its other options for itself, so the
    // command line is ours alone; Qt is configured through its environment variables.
    HostOptions options;
    const QString problem = options.parse(commandLine(argc, argv));

    useOffscreenWithoutDisplay();
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    QApplication::setApplicationName(QStringLiteral("sfp-host"));
    if (!problem.isEmpty()) {
        HostSession::printError(problem);
        return HostSession::ExitUsage;
    }
    if (options.help) {
        HostLog::print(HostOptions::helpText().trimmed());
        return HostSession::ExitOk;
    }

    // The operator's language from here on: the usage text and the problems above stay
    // English, for the scripts that read them.
    const HostLanguage language { QLocale() };
    HostSession session(options);
    int status = session.start();
    if (status == HostSession::ExitOk && !session.ended()) {
        session.scheduleFinish();
        status = QApplication::exec();
    }
    return session.shutDown(status);
}
