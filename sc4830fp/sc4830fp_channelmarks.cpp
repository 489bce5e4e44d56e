#include "sc4830fp_channelmarks.h"

#include <QStringList>

bool sc4830fp_channelMarks::update(Conditions now)
{
    if (now == current)
        return false;
    current = now;
    return true;
}

QString sc4830fp_channelMarks::words() const
{
    // The order an operator should read them in: what the unit reports first, then what
    // the panel knows, and last that the reports may be stale.
    QStringList parts;
    if (current & IcpFault)
        parts << tr("ICP current fault");
    if (current & ExcitationLimit)
        parts << tr("Excitation current limit");
    if (current & NotApplied)
        parts << tr("Settings not applied");
    if (current & Identification)
        parts << tr("Identification on");
    if (current & Calibrating)
        parts << tr("Calibrating");
    if (current & NotMonitored)
        parts << tr("Status not monitored");
    return parts.join(QStringLiteral("; "));
}
