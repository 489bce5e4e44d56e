#include "sc4830fp_translator.h"

#include <QCoreApplication>
#include <QLocale>

#include <iterator>

namespace {

// One text of each context in the catalogue, by which a catalogue the application
// installed before is recognised: nobody translates these as themselves.
struct Probe
{
    const char *context;
    const char *source;
};

constexpr Probe probes[] = {
    { "cr2200fp_app", "Do you really want to exit?" },
    { "cr2200fp_led", "third colour" },
    { "cr2200fp_setupFile", "not an object" },
    { "sc4830fp_calibrationDialog", "Terminating, please wait..." },
    { "sc4830fp_chCfg", "Channel %1 input source " },
    { "sc4830fp_fp", "Voltage Reference Monitor" },
};

} // namespace

sc4830fp_translator::sc4830fp_translator(QObject *parent)
    : QTranslator(parent)
{
}

bool sc4830fp_translator::loadFor(const QLocale &locale)
{
    skipped.clear();
    for (const Probe &probe : probes) {
        if (QCoreApplication::translate(probe.context, probe.source) != QLatin1String(probe.source))
            skipped.insert(probe.context);
    }
    if (skipped.size() == int(std::size(probes)))
        return false;
    return QTranslator::load(locale, QStringLiteral("sc4830fp"), QStringLiteral("_"),
        QStringLiteral(":/sc4830fp/translations"));
}

QString sc4830fp_translator::translate(
    const char *context, const char *sourceText, const char *disambiguation, int n) const
{
    if (skipped.contains(QByteArray(context)))
        return QString();
    return QTranslator::translate(context, sourceText, disambiguation, n);
}
