#include "sc4830fp_channelitems.h"

#include <QtGlobal>

namespace sc4830fp_channelItems {

// The page's translation context, so that its catalogue keeps the texts where they were.
const char *const inputs[inputCount] = {
    QT_TRANSLATE_NOOP("sc4830fp_chCfg", "Front Panel"),
    QT_TRANSLATE_NOOP("sc4830fp_chCfg", "Voltage Ref."),
};

const char *const modes[modeCount] = {
    QT_TRANSLATE_NOOP("sc4830fp_chCfg", "Full Bridge"),
    QT_TRANSLATE_NOOP("sc4830fp_chCfg", "Half Bridge"),
    QT_TRANSLATE_NOOP("sc4830fp_chCfg", "Quarter Bridge 120"),
    QT_TRANSLATE_NOOP("sc4830fp_chCfg", "Quarter Bridge 350"),
    QT_TRANSLATE_NOOP("sc4830fp_chCfg", "Quarter Bridge User"),
    QT_TRANSLATE_NOOP("sc4830fp_chCfg", "ICP"),
    QT_TRANSLATE_NOOP("sc4830fp_chCfg", "Differential Voltage"),
    QT_TRANSLATE_NOOP("sc4830fp_chCfg", "Single Ended Voltage"),
};

const char *const couplings[couplingCount] = {
    QT_TRANSLATE_NOOP("sc4830fp_chCfg", "AC"),
    QT_TRANSLATE_NOOP("sc4830fp_chCfg", "DC"),
};

const char *const gains[gainCount] = {
    QT_TRANSLATE_NOOP("sc4830fp_chCfg", "1"),
    QT_TRANSLATE_NOOP("sc4830fp_chCfg", "10"),
    QT_TRANSLATE_NOOP("sc4830fp_chCfg", "100"),
    QT_TRANSLATE_NOOP("sc4830fp_chCfg", "1000"),
};

// The unit's documentation writes the shunt's states so, in every language.
const char *const shunts[shuntCount] = { "OFF", "ON" };

double excitationAsTyped(double volts)
{
    return QString::number(volts, 'f', excitationDecimals).toDouble();
}

int indexOf(const char *const *items, int count, const QString &text)
{
    for (int i = 0; i < count; ++i) {
        if (text == QLatin1String(items[i]))
            return i;
    }
    return -1;
}

bool isChannelName(const QString &name)
{
    if (name.size() > maxNameLength)
        return false;
    for (const QChar c : name) {
        if (c.category() == QChar::Other_Control)
            return false;
    }
    return true;
}

} // namespace sc4830fp_channelItems
