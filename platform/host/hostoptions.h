#ifndef SFP_HOSTOPTIONS_H
#define SFP_HOSTOPTIONS_H

#include <visa.h>

#include <QString>
#include <QStringList>

// What the operator asked of sfp-host on its command line. parse() fills it and says what
// was wrong; nothing here touches the simulator or the display.
class HostOptions
{
public:
    // Reads the arguments (program name first, Qt's own options already taken out by
    // QApplication). Returns an empty text on success, else one line naming the problem.
    QString parse(const QStringList &arguments);

    // The usage text that --help prints.
    static QString helpText();

    // A carrier model code as written on the command line: hexadecimal with 0x or 0X
    // ("0x2624") or decimal ("9764"), 0 to 0xFFFF. False for anything else.
    static bool parseCarrierCode(const QString &text, ViUInt16 *code);

    static constexpr ViUInt16 defaultCarrier = 0x2611;

    bool help = false;
    bool demo = false; // hand the panel no carrier session
    ViUInt16 carrier = defaultCarrier;
    bool noReference = false; // the carrier offers no reference voltage
    bool noUnit = false; // no unit answers the identification probe
    QString pluginPath; // empty: the module built with this host
    QString screenshotPath; // empty: none with a display, the default without
    int quitAfterMs = -1; // -1: run until the window is closed
    QString callLogPath; // empty: none; "-": standard output
    QString scenarioPath; // empty: none
    QString setupPath; // empty: none; applied right after the attach
    QString saveSetupPath; // empty: none; written after the attach and setupPath
    // empty: none; compared with the panel after saveSetupPath, and the run ends
    QString compareSetupPath;
};

#endif // SFP_HOSTOPTIONS_H
