#ifndef CR2200FP_SETUPINTERFACE_H
#define CR2200FP_SETUPINTERFACE_H

#include <QJsonObject>
#include <QObject>
#include <QString>
#include <QVector>

// Setups: a whole unit's channel settings as plain values, and the optional interface
// through which a panel gives its current setup and applies one. A host reaches the
// interface with qobject_cast<cr2200fp_setupInterface *>(panel) and copes with null: a
// panel without it simply offers no setups. Nothing here holds a widget, so that hosts,
// file readers and tests use the values alone. The file format is cr2200fp_setupFile's.

// One channel's settings as a setup names them. keys says which members hold a value: a
// key left out keeps the control's current value when the setup is applied.
struct cr2200fp_channelSetup
{
    enum Key {
        Input = 0x001,
        Mode = 0x002,
        Coupling = 0x004,
        Gain = 0x008,
        PositiveExcitation = 0x010,
        NegativeExcitation = 0x020,
        Shunt = 0x040,
        SignalPathCalibration = 0x080,
        ExcitationCalibration = 0x100,
        AutobalanceCalibration = 0x200,
        Name = 0x400,
        AllKeys = 0x7FF
    };

    bool has(Key key) const { return (keys & key) != 0; }

    int channel = 0; // from 1
    int keys = 0; // the Key values present, or-ed
    // The untranslated item texts of the page's lists ("Front Panel", "ICP", "DC").
    QString input;
    QString mode;
    QString coupling;
    double gain = 1.0; // as written; the panel takes 1, 10, 100 or 1000
    double positiveExcitation = 0.0; // volts
    double negativeExcitation = 0.0; // volts
    bool shunt = false;
    bool signalPathCalibration = false;
    bool excitationCalibration = false;
    bool autobalanceCalibration = false;
    // The channel's name: free text of at most 64 characters without control characters,
    // kept by the panel and never sent to the unit.
    QString name;
};

// A whole setup: the unit it is for and its channels, each named at most once.
struct cr2200fp_setup
{
    QString unit; // "Orbisa 4830"
    QVector<cr2200fp_channelSetup> channels;
    // Informational keys a saved file carries beside the settings (model, serial number,
    // software version), and an earlier setup's "replacedAt"; loading ignores them.
    QJsonObject information;
};

// What became of one channel a setup named.
struct cr2200fp_channelOutcome
{
    enum Kind {
        Applied, // set, and the unit took every call (or no unit: demonstration)
        Refused, // set, but the unit refused a call: call and status say which
        Skipped, // the carrier has no such channel
        NotReached, // the panel was closed (in a message box's event loop) before this
                    // channel was set: its settings may or may not have reached the unit
        Staged // stageSetup: set in the controls, nothing sent
    };

    int channel = 0; // from 1
    Kind kind = Applied;
    QString call; // Refused: the first call the unit refused, as the panel quotes it
    long status = 0; // Refused: its status
};

// What applying a setup did: either error (the setup was refused whole, nothing changed
// and no driver call made), or one outcome per channel the setup named, in channel order.
struct cr2200fp_setupResult
{
    QString error;
    QVector<cr2200fp_channelOutcome> channels;

    bool refusedWhole() const { return !error.isEmpty(); }
    // True when the setup was taken and every channel it named was applied.
    bool allApplied() const
    {
        if (refusedWhole())
            return false;
        for (const cr2200fp_channelOutcome &outcome : channels) {
            if (outcome.kind != cr2200fp_channelOutcome::Applied)
                return false;
        }
        return true;
    }
};

// The panel's setups. Called on the host's GUI thread only.
class cr2200fp_setupInterface
{
public:
    virtual ~cr2200fp_setupInterface() = default;

    // Every channel's settings as the pages show them and its name, every key present,
    // with the unit and the panel's identity as information.
    virtual cr2200fp_setup currentSetup() = 0;
    // Checks the whole setup against the panel's lists and rules first; anything it
    // cannot take refuses it whole, with one message naming the channel and key, and
    // nothing is changed. Otherwise sets each named channel's page and name and applies
    // it as its Apply does. Message boxes of the driver check may run meanwhile.
    virtual cr2200fp_setupResult applySetup(const cr2200fp_setup &setup) = 0;
    // Checks the setup whole exactly as applySetup (same refusals, same messages), then
    // sets each named channel's controls, calibration choices and name, and sends nothing:
    // each channel is Staged (or Skipped) and shows as changed wherever it now differs
    // from what the unit took, until the panel applies or reverts its changed channels.
    virtual cr2200fp_setupResult stageSetup(const cr2200fp_setup &setup) = 0;
    // What the unit held just before each of the panel's last ten applies that changed
    // what it holds (a page's Apply, Apply to all, a setup, applying the changed
    // channels), newest first: every key of every channel, and in information
    // "replacedAt" the time of that apply as ISO 8601 text. None for a new panel.
    virtual QVector<cr2200fp_setup> earlierSetups() = 0;
};

#define cr2200fp_setupInterface_iid "com.tormel.Plugin.cr2200fp_setupInterface/2.0"
Q_DECLARE_INTERFACE(cr2200fp_setupInterface, cr2200fp_setupInterface_iid)

#endif // CR2200FP_SETUPINTERFACE_H
