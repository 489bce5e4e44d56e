#include "checkedcall.h"

QStringList errorBoxFace(const char *callText, const QString &driverText)
{
    return { QStringLiteral("Critical"), QStringLiteral("Orbisa  SFP Error message"),
        QString::fromLatin1(callText) + QStringLiteral(" failed due to [") + driverText
            + QStringLiteral("]\nDo you want to exit?"),
        QStringLiteral("Yes,No") };
}

QStringList warningBoxFace(const QString &driverText)
{
    return { QStringLiteral("Warning"), QStringLiteral("Orbisa  SFP Warning message"),
        QStringLiteral("Warning: [") + driverText + QLatin1Char(']'), QStringLiteral("Ok") };
}
