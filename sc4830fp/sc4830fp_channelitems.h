#ifndef SC4830FP_CHANNELITEMS_H
#define SC4830FP_CHANNELITEMS_H

#include <QString>

// The items of a channel page's lists, untranslated, and the rules of its mode classes:
// what each mode leaves the operator to choose. The page fills its lists from these texts
// (through sc4830fp_chCfg::tr, their translation context) and keeps its controls by these
// rules; a setup is checked against the same ones. Indices are the lists' and the driver
// tables' (sc4830fp_chCfg::mode, coup, input). No widget: any thread.
namespace sc4830fp_channelItems {

constexpr int inputCount = 2;
constexpr int modeCount = 8;
constexpr int couplingCount = 2;
constexpr int gainCount = 4;
constexpr int shuntCount = 2;
extern const char *const inputs[inputCount];
extern const char *const modes[modeCount];
extern const char *const couplings[couplingCount];
extern const char *const gains[gainCount]; // sc4830fp_chCfg::gain as text
extern const char *const shunts[shuntCount]; // "OFF", "ON": never translated

constexpr int frontPanelInput = 0;
constexpr int voltageRefInput = 1; // only while the unit has a voltage reference
constexpr int lastBridgeMode = 4; // modes 0..4 are bridges
constexpr int icpMode = 5;
constexpr int acCoupling = 0;

// The excitation spin boxes: volts, three decimals.
constexpr int excitationDecimals = 3;
constexpr double positiveExcitationMin = 0.0;
constexpr double positiveExcitationMax = 10.0;
constexpr double negativeExcitationMin = -10.0;
constexpr double negativeExcitationMax = 0.0;

// volts as the spin boxes hold them typed, rounded to their decimals, independent of the
// locale.
double excitationAsTyped(double volts);

inline bool isBridge(int mode)
{
    return mode >= 0 && mode <= lastBridgeMode;
}
inline bool isIcp(int mode)
{
    return mode == icpMode;
}
// The shunt and the excitation calibration serve a bridge only.
inline bool offersShunt(int mode)
{
    return isBridge(mode);
}
inline bool offersExcitationCalibration(int mode)
{
    return isBridge(mode);
}
// An ICP sensor is supplied through the AC path.
inline bool offersDcCoupling(int mode)
{
    return !isIcp(mode);
}
// Autobalance nulls a DC offset, which AC coupling hides; once applied, in any mode.
inline bool offersAutobalance(int coupling)
{
    return coupling != acCoupling;
}

// The index of text in items, -1 if it is none of them.
int indexOf(const char *const *items, int count, const QString &text);

// A channel's name, kept by the panel beside its settings: free text of at most this many
// characters, without control characters (it is shown in one table cell and one line).
constexpr int maxNameLength = 64;
bool isChannelName(const QString &name);

} // namespace sc4830fp_channelItems

#endif // SC4830FP_CHANNELITEMS_H
