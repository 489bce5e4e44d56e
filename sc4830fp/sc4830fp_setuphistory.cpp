#include "sc4830fp_setuphistory.h"

#include "sc4830fp_fp.h"
#include "sc4830fp_setup.h"

#include <QDateTime>

void sc4830fp_setupHistory::applyStarts(sc4830fp_fp &panel)
{
    if (nesting++ > 0)
        return;
    recording = everyPageApplied(panel);
    before.clear();
    if (!recording)
        return;
    for (int i = 0; i < panel.chCount; ++i)
        before.append(panel.chPages[i]->applied());
    beforeSetup = sc4830fp_setup::applied(panel);
}

void sc4830fp_setupHistory::applyEnds(const sc4830fp_fp &panel)
{
    if (nesting == 0 || --nesting > 0 || !recording)
        return;
    recording = false;
    bool changed = before.size() != panel.chCount;
    for (int i = 0; i < before.size() && !changed; ++i)
        changed = !sc4830fp_chCfg::sameSettings(before.at(i), panel.chPages[i]->applied());
    if (!changed)
        return;
    // Local time with its offset, to the millisecond: two applies within a second stay
    // apart, and a host shows the time as the operator's clock did.
    const QDateTime now = QDateTime::currentDateTime();
    beforeSetup.information.insert(QStringLiteral("replacedAt"),
        now.toOffsetFromUtc(now.offsetFromUtc()).toString(Qt::ISODateWithMs));
    kept.prepend(beforeSetup);
    if (kept.size() > capacity)
        kept.removeLast();
}

bool sc4830fp_setupHistory::everyPageApplied(const sc4830fp_fp &panel)
{
    for (int i = 0; i < panel.chCount; ++i) {
        if (panel.chPages[i]->state() == sc4830fp_chCfg::NotSent)
            return false;
    }
    return true;
}
