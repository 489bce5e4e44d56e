#include "simulatedresources.h"

#include <cr2200fp_app.h>

#include <algorithm>

QStringList simulatedResources()
{
    // Given out of order on purpose: the list shown is the library's ordering at work.
    QStringList names {
        QStringLiteral("VXI0::4::INSTR"),
        QStringLiteral("TCPIP0::192.168.0.10::INSTR"),
        QStringLiteral("GPIB1::3::INSTR"),
        QStringLiteral("TCPIP0::192.168.0.2::INSTR"),
        QStringLiteral("GPIB0::7::INSTR"),
        QStringLiteral("VXI1::0::INSTR"),
        QStringLiteral("PXI0::14::INSTR"),
        QStringLiteral("TCPIP1::10.0.0.9::INSTR"),
        QStringLiteral("ASRL1::INSTR"),
    };
    std::stable_sort(names.begin(), names.end(), resourceLessThan);
    return names;
}

QString defaultResource()
{
    return QStringLiteral("VXI0::4::INSTR");
}
