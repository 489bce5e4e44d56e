#include "simlog.h"

#include <sc4830sim.h>

#include <QVarLengthArray>

QStringList simCallLog()
{
    QStringList calls;
    for (int i = 0; i < sc4830sim_logCount(); ++i) {
        // Entries are short, but a test may log a long text on purpose: size each one.
        char probe[1];
        const int length = sc4830sim_logEntry(i, probe, sizeof probe);
        if (length < 0)
            break;
        QVarLengthArray<char, 256> entry(length + 1);
        sc4830sim_logEntry(i, entry.data(), entry.size());
        calls.append(QString::fromLatin1(entry.constData(), length));
    }
    return calls;
}

QStringList simCallLog(const QStringList &functions)
{
    QStringList calls;
    for (const QString &call : simCallLog()) {
        const QString function = call.left(call.indexOf(QLatin1Char('(')));
        if (functions.contains(function))
            calls.append(call);
    }
    return calls;
}

QStringList simCalibrationCalls()
{
    return simCallLog({ QStringLiteral("sc4830_pgaCalibration"),
        QStringLiteral("sc4830_excitCalibration"), QStringLiteral("sc4830_autobalance") });
}
