#include "hostoptions.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

#include <limits>

namespace {

QCommandLineOption option(const char *name, const char *help, const char *value = nullptr)
{
    return QCommandLineOption(
        QLatin1String(name), QLatin1String(help), value ? QLatin1String(value) : QString());
}

const QCommandLineOption demoOption
    = option("demo", "Run the panel as a demonstration (no carrier session).");
const QCommandLineOption carrierOption
    = option("carrier", "Carrier model code, hex (0x2624) or decimal. Default 0x2611.", "CODE");
const QCommandLineOption noReferenceOption
    = option("no-reference", "The carrier offers no reference voltage.");
const QCommandLineOption noUnitOption
    = option("no-unit", "No unit answers the carrier's identification probe.");
const QCommandLineOption pluginOption = option(
    "plugin", "Panel plug-in module to load instead of the one built with this host.", "PATH");
const QCommandLineOption screenshotOption = option("screenshot",
    "Write a PNG of the window to FILE. Without a display one is written anyway, to "
    "sfp-host.png in the current folder unless FILE is given.",
    "FILE");
const QCommandLineOption quitAfterOption
    = option("quit-after", "Quit MS milliseconds after the panel is attached.", "MS");
const QCommandLineOption callLogOption = option(
    "call-log", "At exit write the simulated unit's call log to FILE (- for stdout).", "FILE");
const QCommandLineOption scenarioOption
    = option("scenario", "Play the simulation steps of FILE (see docs/host.md).", "FILE");
const QCommandLineOption setupOption
    = option("setup", "Apply the setup FILE right after the attach (see docs/setup.md).", "FILE");
const QCommandLineOption saveSetupOption
    = option("save-setup", "Write the panel's setup to FILE after the attach and --setup.", "FILE");
const QCommandLineOption compareSetupOption = option("compare-setup",
    "After the attach, --setup and --save-setup, print each setting the setup FILE would "
    "change and exit: 0 when nothing differs, 7 when something does, 2 when FILE is refused.",
    "FILE");
const QCommandLineOption helpOption(QStringList { QStringLiteral("h"), QStringLiteral("help") },
    QStringLiteral("Show this help and exit."));

void describeOptions(QCommandLineParser &parser)
{
    parser.setApplicationDescription(
        QStringLiteral("Loads the Orbisa 4830 front panel plug-in and runs it against the "
                       "simulated carrier and unit.\n\n"
                       "The window shows the panel's channel pages or all its channels in one "
                       "table: choose with \"Channel pages\" and \"All channels\" above the "
                       "panel, or toggle with Ctrl+T. \"Apply changed\" applies every changed "
                       "channel from either view. \"Load setup...\" shows in the table what a file "
                       "would change before anything is sent; \"Earlier settings...\" (Ctrl+E) "
                       "brings back, for review, what an apply replaced."));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions({ demoOption, carrierOption, noReferenceOption, noUnitOption, pluginOption,
        screenshotOption, quitAfterOption, callLogOption, scenarioOption, setupOption,
        saveSetupOption, compareSetupOption, helpOption });
}

// Qt's own texts end in a full stop; ours are one line each without one.
QString withoutFullStop(QString text)
{
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text;
}

} // namespace

QString HostOptions::parse(const QStringList &arguments)
{
    QCommandLineParser parser;
    describeOptions(parser);
    if (!parser.parse(arguments))
        return withoutFullStop(parser.errorText()) + QStringLiteral(" (see --help)");
    if (!parser.positionalArguments().isEmpty())
        return QStringLiteral("unexpected argument '%1' (see --help)")
            .arg(parser.positionalArguments().constFirst());

    help = parser.isSet(helpOption);
    demo = parser.isSet(demoOption);
    noReference = parser.isSet(noReferenceOption);
    noUnit = parser.isSet(noUnitOption);
    pluginPath = parser.value(pluginOption);
    screenshotPath = parser.value(screenshotOption);
    callLogPath = parser.value(callLogOption);
    scenarioPath = parser.value(scenarioOption);
    setupPath = parser.value(setupOption);
    saveSetupPath = parser.value(saveSetupOption);
    compareSetupPath = parser.value(compareSetupOption);

    if (parser.isSet(carrierOption)) {
        const QString code = parser.value(carrierOption);
        if (!parseCarrierCode(code, &carrier))
            return QStringLiteral("bad carrier code '%1': give 0x0000 to 0xFFFF in hex or "
                                  "0 to 65535 in decimal")
                .arg(code);
    }
    if (parser.isSet(quitAfterOption)) {
        const QString ms = parser.value(quitAfterOption);
        bool ok = false;
        quitAfterMs = ms.toInt(&ok, 10);
        if (!ok || quitAfterMs < 0)
            return QStringLiteral("bad --quit-after time '%1': give milliseconds, 0 or more")
                .arg(ms);
    }
    for (const QCommandLineOption *option : { &pluginOption, &screenshotOption, &callLogOption,
             &scenarioOption, &setupOption, &saveSetupOption, &compareSetupOption }) {
        if (parser.isSet(*option) && parser.value(*option).isEmpty())
            return QStringLiteral("--%1 needs a file name").arg(option->names().constFirst());
    }
    return QString();
}

QString HostOptions::helpText()
{
    QCommandLineParser parser;
    describeOptions(parser);
    return parser.helpText();
}

bool HostOptions::parseCarrierCode(const QString &text, ViUInt16 *code)
{
    const QString trimmed = text.trimmed();
    const bool hex = trimmed.startsWith(QLatin1String("0x"), Qt::CaseInsensitive);
    const QString digits = hex ? trimmed.mid(2) : trimmed;
    // QString::toUInt would also take a sign or inner blanks; a model code has neither.
    for (const QChar c : digits) {
        const ushort u = c.unicode();
        const bool digit = u >= '0' && u <= '9';
        const bool hexLetter = (u >= 'a' && u <= 'f') || (u >= 'A' && u <= 'F');
        if (!digit && !(hex && hexLetter))
            return false;
    }
    bool ok = false;
    const uint value = digits.toUInt(&ok, hex ? 16 : 10);
    if (!ok || digits.isEmpty() || value > std::numeric_limits<ViUInt16>::max())
        return false;
    *code = static_cast<ViUInt16>(value);
    return true;
}
