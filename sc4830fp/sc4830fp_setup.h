#ifndef SC4830FP_SETUP_H
#define SC4830FP_SETUP_H

#include <cr2200fp_setupinterface.h>

#include <QCoreApplication>

class sc4830fp_chCfg;
class sc4830fp_fp;

// The panel's setups (cr2200fp_setupInterface): reads every page into a setup, and checks
// a setup whole against the pages' lists and rules (sc4830fp_channelItems, the driver's
// gain table, the spin boxes' ranges, the unit's voltage reference) before it sets and
// applies the channels it names, each through its page's own apply. GUI thread only.
class sc4830fp_setup
{
    Q_DECLARE_TR_FUNCTIONS(sc4830fp_setup)

public:
    // The unit a setup must name.
    static const char unitName[];

    // Every page as its controls show it, and its name.
    static cr2200fp_setup current(sc4830fp_fp &panel);
    // Every page as the unit took it last (sc4830fp_chCfg::applied()), with the
    // calibration choices and the name the panel shows.
    static cr2200fp_setup applied(sc4830fp_fp &panel);
    // Refused whole: error set, no page touched, no driver call. Otherwise one outcome per
    // named channel, in channel order; a panel the host deletes meanwhile ends the list.
    static cr2200fp_setupResult apply(sc4830fp_fp &panel, const cr2200fp_setup &setup);
    // Checked as apply() checks; then sets the named channels' controls, calibration
    // choices and names without sending anything: Staged or Skipped per channel.
    static cr2200fp_setupResult stage(sc4830fp_fp &panel, const cr2200fp_setup &setup);

    // What the page's last apply left, as a setup reports it.
    static cr2200fp_channelOutcome outcomeOf(const sc4830fp_chCfg &page);
    // The channel (index) was not set: the host closed the panel first.
    static cr2200fp_channelOutcome notReached(int chIdx);
};

#endif // SC4830FP_SETUP_H
