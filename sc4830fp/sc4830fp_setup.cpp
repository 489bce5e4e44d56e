#include "sc4830fp_setup.h"

#include "sc4830fp_channelitems.h"
#include "sc4830fp_chcfg.h"
#include "sc4830fp_fp.h"

#include <cr2200fp_setupfile.h>

#include <QPointer>

#include <algorithm>
#include <iterator>

const char sc4830fp_setup::unitName[] = "Orbisa 4830";

namespace {

namespace items = sc4830fp_channelItems;
using Key = cr2200fp_channelSetup;

// One channel as it will be set: the page's settings and calibration choices once the
// setup's keys are laid over what the page shows.
struct Plan
{
    int index = 0; // channel - 1
    bool skipped = false; // beyond the carrier's channels
    sc4830fp_chCfg::Settings settings {};
    bool calibrations[3] = { false, false, false }; // by sc4830fp_chCfg::Calibration
    bool named = false; // the setup gives the channel's name
    QString name;
};

// Texts from the file may hold anything; cr2200fp_setupFile::quoted keeps a message on
// one line.
QString itemList(const char *const *texts, int count)
{
    QStringList list;
    for (int i = 0; i < count; ++i)
        list.append(cr2200fp_setupFile::quoted(QLatin1String(texts[i])));
    return list.join(QStringLiteral(", "));
}

// Checks the setup's keys of one channel and lays them over plan, which holds the page's
// current state. Returns the problem, empty when there is none.
class ChannelCheck
{
public:
    ChannelCheck(const cr2200fp_channelSetup &channel, bool hasReference, Plan &plan)
        : c(channel)
        , hasReference(hasReference)
        , plan(plan)
    {
    }

    QString run()
    {
        QString problem = takeItems();
        if (problem.isEmpty())
            problem = takeNumbers();
        if (problem.isEmpty())
            problem = takeChoices();
        if (problem.isEmpty())
            problem = checkCombination();
        if (problem.isEmpty())
            problem = takeName();
        return problem;
    }

private:
    QString where(const char *key) const
    {
        return sc4830fp_setup::tr("channel %1, %2")
            .arg(c.channel)
            .arg(cr2200fp_setupFile::quoted(QLatin1String(key)));
    }
    QString notInList(const char *key, const QString &text, const char *const *texts, int count)
    {
        return sc4830fp_setup::tr("%1: %2 is not one of %3")
            .arg(where(key), cr2200fp_setupFile::quoted(text), itemList(texts, count));
    }

    QString takeItems()
    {
        sc4830fp_chCfg::Settings &s = plan.settings;
        if (c.has(Key::Input)) {
            s.input = items::indexOf(items::inputs, items::inputCount, c.input);
            if (s.input < 0)
                return notInList("input", c.input, items::inputs, items::inputCount);
            if (s.input == items::voltageRefInput && !hasReference)
                return sc4830fp_setup::tr("%1: %2 is not offered: the unit has no voltage "
                                          "reference")
                    .arg(where("input"), cr2200fp_setupFile::quoted(c.input));
        }
        if (c.has(Key::Mode)) {
            s.mode = items::indexOf(items::modes, items::modeCount, c.mode);
            if (s.mode < 0)
                return notInList("mode", c.mode, items::modes, items::modeCount);
        }
        if (c.has(Key::Coupling)) {
            s.coupling = items::indexOf(items::couplings, items::couplingCount, c.coupling);
            if (s.coupling < 0)
                return notInList("coupling", c.coupling, items::couplings, items::couplingCount);
        }
        return QString();
    }

    QString takeNumbers()
    {
        sc4830fp_chCfg::Settings &s = plan.settings;
        if (c.has(Key::Gain)) {
            const auto *begin = std::begin(sc4830fp_chCfg::gain);
            const auto *end = std::end(sc4830fp_chCfg::gain);
            const auto *found
                = std::find_if(begin, end, [this](ViUInt16 gain) { return gain == c.gain; });
            if (found == end)
                return sc4830fp_setup::tr("%1: %2 is not one of 1, 10, 100, 1000")
                    .arg(where("gain"))
                    .arg(c.gain);
            s.gain = int(found - begin);
        }
        if (c.has(Key::PositiveExcitation)) {
            s.posExc = items::excitationAsTyped(c.positiveExcitation);
            if (s.posExc < items::positiveExcitationMin || s.posExc > items::positiveExcitationMax)
                return outOfRange("excitation.positive", c.positiveExcitation,
                    items::positiveExcitationMin, items::positiveExcitationMax);
        }
        if (c.has(Key::NegativeExcitation)) {
            s.negExc = items::excitationAsTyped(c.negativeExcitation);
            if (s.negExc < items::negativeExcitationMin || s.negExc > items::negativeExcitationMax)
                return outOfRange("excitation.negative", c.negativeExcitation,
                    items::negativeExcitationMin, items::negativeExcitationMax);
        }
        if (c.has(Key::Shunt))
            s.shunt = c.shunt ? 1 : 0;
        return QString();
    }

    QString outOfRange(const char *key, double value, double minimum, double maximum) const
    {
        return sc4830fp_setup::tr("%1: %2 V is outside %3 to %4 V")
            .arg(where(key))
            .arg(value)
            .arg(minimum, 0, 'f', items::excitationDecimals)
            .arg(maximum, 0, 'f', items::excitationDecimals);
    }

    QString takeChoices()
    {
        if (c.has(Key::SignalPathCalibration)) {
            plan.calibrations[sc4830fp_chCfg::SignalPath] = c.signalPathCalibration;
            if (c.signalPathCalibration && !hasReference)
                return sc4830fp_setup::tr("%1: not offered: the unit has no voltage reference")
                    .arg(where("calibrations.signalPath"));
        }
        if (c.has(Key::ExcitationCalibration))
            plan.calibrations[sc4830fp_chCfg::Excitation] = c.excitationCalibration;
        if (c.has(Key::AutobalanceCalibration))
            plan.calibrations[sc4830fp_chCfg::Autobalance] = c.autobalanceCalibration;
        return QString();
    }

    // What a mode takes away, the page takes away too when the key is left out (the mode's
    // own adjustments); a key the file gives must be one the page offers.
    QString checkCombination()
    {
        sc4830fp_chCfg::Settings &s = plan.settings;
        const QString mode = cr2200fp_setupFile::quoted(QLatin1String(items::modes[s.mode]));
        if (!items::offersDcCoupling(s.mode) && s.coupling != items::acCoupling) {
            if (c.has(Key::Coupling))
                return sc4830fp_setup::tr("%1: %2 is not offered in mode %3")
                    .arg(where("coupling"), cr2200fp_setupFile::quoted(c.coupling), mode);
            s.coupling = items::acCoupling;
        }
        if (!items::offersShunt(s.mode) && s.shunt != 0) {
            if (c.has(Key::Shunt))
                return sc4830fp_setup::tr("%1: on is not offered in mode %2")
                    .arg(where("shunt"), mode);
            s.shunt = 0;
        }
        bool &excitation = plan.calibrations[sc4830fp_chCfg::Excitation];
        if (!items::offersExcitationCalibration(s.mode) && excitation) {
            if (c.has(Key::ExcitationCalibration))
                return sc4830fp_setup::tr("%1: not offered in mode %2")
                    .arg(where("calibrations.excitation"), mode);
            excitation = false;
        }
        bool &autobalance = plan.calibrations[sc4830fp_chCfg::Autobalance];
        if (!items::offersAutobalance(s.coupling) && autobalance) {
            if (c.has(Key::AutobalanceCalibration))
                return sc4830fp_setup::tr("%1: not offered with %2 coupling")
                    .arg(where("calibrations.autobalance"),
                        cr2200fp_setupFile::quoted(QLatin1String(items::couplings[s.coupling])));
            autobalance = false;
        }
        return QString();
    }

    QString takeName()
    {
        if (!c.has(Key::Name))
            return QString();
        if (c.name.size() > items::maxNameLength)
            return sc4830fp_setup::tr("%1: %2 is longer than %3 characters")
                .arg(where("name"), cr2200fp_setupFile::quoted(c.name))
                .arg(items::maxNameLength);
        if (!items::isChannelName(c.name))
            return sc4830fp_setup::tr("%1: %2 holds a control character")
                .arg(where("name"), cr2200fp_setupFile::quoted(c.name));
        plan.named = true;
        plan.name = c.name;
        return QString();
    }

    const cr2200fp_channelSetup &c;
    const bool hasReference;
    Plan &plan;
};

// The state a page starts with, for a channel the carrier lacks.
Plan fresh(int index)
{
    Plan plan;
    plan.index = index;
    plan.skipped = true;
    plan.settings = { items::frontPanelInput, 0, items::acCoupling, 0, 0.0, 0.0, 0 };
    return plan;
}

Plan current(const sc4830fp_chCfg &page)
{
    Plan plan;
    plan.index = page.ch;
    plan.settings = page.settings();
    for (int kind :
        { sc4830fp_chCfg::SignalPath, sc4830fp_chCfg::Excitation, sc4830fp_chCfg::Autobalance })
        plan.calibrations[kind] = page.calibrationChosen(sc4830fp_chCfg::Calibration(kind));
    return plan;
}

bool hasReference(const sc4830fp_fp &panel)
{
    // A unit without one has the reference input taken out of every page.
    return panel.chPages[0]->hasVoltageRefInput();
}

QString plan(const sc4830fp_fp &panel, const cr2200fp_setup &setup, QVector<Plan> *plans)
{
    if (setup.unit != QLatin1String(sc4830fp_setup::unitName))
        return sc4830fp_setup::tr("\"unit\" is %1, not %2")
            .arg(cr2200fp_setupFile::quoted(setup.unit),
                cr2200fp_setupFile::quoted(QLatin1String(sc4830fp_setup::unitName)));
    QVector<cr2200fp_channelSetup> channels = setup.channels;
    std::sort(channels.begin(), channels.end(),
        [](const cr2200fp_channelSetup &a, const cr2200fp_channelSetup &b) {
            return a.channel < b.channel;
        });
    const bool reference = hasReference(panel);
    int previous = 0;
    for (const cr2200fp_channelSetup &channel : channels) {
        if (channel.channel < 1 || channel.channel > sc4830fp_fp::maxChannels)
            return sc4830fp_setup::tr("channel %1 is outside 1 to %2")
                .arg(channel.channel)
                .arg(sc4830fp_fp::maxChannels);
        if (channel.channel == previous)
            return sc4830fp_setup::tr("channel %1 is named twice").arg(channel.channel);
        previous = channel.channel;
        const int index = channel.channel - 1;
        Plan plan = index < panel.chCount ? current(*panel.chPages[index]) : fresh(index);
        const QString problem = ChannelCheck(channel, reference, plan).run();
        if (!problem.isEmpty())
            return problem;
        plans->append(plan);
    }
    return QString();
}

// This channel and every later one a setup named, but for those the carrier lacks.
void markNotReached(const QVector<Plan> &plans, int fromIndex, cr2200fp_setupResult *result)
{
    for (const Plan &plan : plans) {
        if (plan.index < fromIndex)
            continue;
        cr2200fp_channelOutcome outcome = sc4830fp_setup::notReached(plan.index);
        if (plan.skipped)
            outcome.kind = cr2200fp_channelOutcome::Skipped;
        result->channels.append(outcome);
    }
}

constexpr sc4830fp_chCfg::Calibration calibrationKinds[]
    = { sc4830fp_chCfg::SignalPath, sc4830fp_chCfg::Excitation, sc4830fp_chCfg::Autobalance };

// Every page's settings as read by settingsOf, with its calibration choices and name.
cr2200fp_setup setupOf(
    sc4830fp_fp &panel, sc4830fp_chCfg::Settings (sc4830fp_chCfg::*settingsOf)() const)
{
    cr2200fp_setup setup;
    setup.unit = QLatin1String(sc4830fp_setup::unitName);
    setup.information = QJsonObject { { QStringLiteral("model"), panel.model() },
        { QStringLiteral("serialNumber"), panel.serialNumber() },
        { QStringLiteral("revision"), panel.revision() },
        { QStringLiteral("software"), panel.productVersion() } };
    for (int i = 0; i < panel.chCount; ++i) {
        const sc4830fp_chCfg *page = panel.chPages[i];
        const sc4830fp_chCfg::Settings s = (page->*settingsOf)();
        cr2200fp_channelSetup channel;
        channel.channel = i + 1;
        channel.keys = cr2200fp_channelSetup::AllKeys;
        channel.input = QLatin1String(items::inputs[s.input]);
        channel.mode = QLatin1String(items::modes[s.mode]);
        channel.coupling = QLatin1String(items::couplings[s.coupling]);
        channel.gain = sc4830fp_chCfg::gain[s.gain];
        channel.positiveExcitation = s.posExc;
        channel.negativeExcitation = s.negExc;
        channel.shunt = s.shunt != 0;
        channel.signalPathCalibration = page->calibrationChosen(sc4830fp_chCfg::SignalPath);
        channel.excitationCalibration = page->calibrationChosen(sc4830fp_chCfg::Excitation);
        channel.autobalanceCalibration = page->calibrationChosen(sc4830fp_chCfg::Autobalance);
        channel.name = panel.channelName(i);
        setup.channels.append(channel);
    }
    return setup;
}

void setChoices(sc4830fp_fp &panel, sc4830fp_chCfg *page, const Plan &plan)
{
    for (sc4830fp_chCfg::Calibration kind : calibrationKinds)
        page->setCalibrationChosen(kind, plan.calibrations[kind]);
    if (plan.named)
        panel.setChannelName(plan.index, plan.name);
}

cr2200fp_channelOutcome skippedOutcome(const Plan &plan)
{
    cr2200fp_channelOutcome outcome;
    outcome.channel = plan.index + 1;
    outcome.kind = cr2200fp_channelOutcome::Skipped;
    return outcome;
}

} // namespace

cr2200fp_setup sc4830fp_setup::current(sc4830fp_fp &panel)
{
    return setupOf(panel, &sc4830fp_chCfg::settings);
}

cr2200fp_setup sc4830fp_setup::applied(sc4830fp_fp &panel)
{
    return setupOf(panel, &sc4830fp_chCfg::applied);
}

cr2200fp_setupResult sc4830fp_setup::apply(sc4830fp_fp &panel, const cr2200fp_setup &setup)
{
    cr2200fp_setupResult result;
    QVector<Plan> plans;
    result.error = plan(panel, setup, &plans);
    if (result.refusedWhole())
        return result;

    // The gain warning and the driver check's reports run message boxes, in which the
    // host may delete the panel and its pages.
    const QPointer<sc4830fp_fp> alive(&panel);
    // The whole load counts as one apply, which the panel can take back.
    panel.applyStarts();
    for (const Plan &plan : plans) {
        if (plan.skipped) {
            result.channels.append(skippedOutcome(plan));
            continue;
        }
        sc4830fp_chCfg *page = panel.chPages[plan.index];
        // Without a unit (demonstration) the page's apply sends nothing and only settles
        // its controls, as Apply does there.
        bool reached = page->setSettings(plan.settings);
        if (reached) {
            page->applyAction();
            reached = !alive.isNull();
        }
        if (!reached) {
            // The host closed the panel: what it had not yet applied must not pass for
            // applied.
            markNotReached(plans, plan.index, &result);
            return result;
        }
        // After the apply, which settles what the coupling offers.
        setChoices(panel, page, plan);
        result.channels.append(outcomeOf(*page));
    }
    panel.applyEnds();
    return result;
}

cr2200fp_setupResult sc4830fp_setup::stage(sc4830fp_fp &panel, const cr2200fp_setup &setup)
{
    cr2200fp_setupResult result;
    QVector<Plan> plans;
    result.error = plan(panel, setup, &plans);
    if (result.refusedWhole())
        return result;

    // The gain warning runs a box, in which the host may delete the panel.
    const QPointer<sc4830fp_fp> alive(&panel);
    for (const Plan &plan : plans) {
        if (plan.skipped) {
            result.channels.append(skippedOutcome(plan));
            continue;
        }
        sc4830fp_chCfg *page = panel.chPages[plan.index];
        if (!page->stageSettings(plan.settings) || !alive) {
            markNotReached(plans, plan.index, &result);
            return result;
        }
        setChoices(panel, page, plan);
        cr2200fp_channelOutcome outcome;
        outcome.channel = plan.index + 1;
        outcome.kind = cr2200fp_channelOutcome::Staged;
        result.channels.append(outcome);
    }
    return result;
}

cr2200fp_channelOutcome sc4830fp_setup::outcomeOf(const sc4830fp_chCfg &page)
{
    cr2200fp_channelOutcome outcome;
    outcome.channel = page.ch + 1;
    const sc4830fp_chCfg::ApplyOutcome applied = page.lastApply();
    if (applied.refused()) {
        outcome.kind = cr2200fp_channelOutcome::Refused;
        outcome.call = QLatin1String(applied.refusedCall);
        outcome.status = applied.refusedStatus;
    }
    return outcome;
}

cr2200fp_channelOutcome sc4830fp_setup::notReached(int chIdx)
{
    cr2200fp_channelOutcome outcome;
    outcome.channel = chIdx + 1;
    outcome.kind = cr2200fp_channelOutcome::NotReached;
    return outcome;
}
