#include "sc4830fp_chcfg.h"

#include "sc4830fp_calibrationsequence.h"
#include "sc4830fp_channelitems.h"
#include "sc4830fp_check.h"
#include "sc4830fp_fp.h"

#include <cr2200fp_led.h>
#include <cr2200fp_messages.h>
#include <sc4830.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <iterator>

const ViUInt16 sc4830fp_chCfg::mode[8] = { 0, 1, 2, 3, 4, 5, 6, 7 };
const ViUInt16 sc4830fp_chCfg::gain[4] = { 1, 10, 100, 1000 };
const ViUInt16 sc4830fp_chCfg::coup[2] = { 0, 1 };
const ViUInt16 sc4830fp_chCfg::input[2] = { 0, 1 };
const ViReal64 sc4830fp_chCfg::gainValue[4] = { 1.0, 10.0, 100.0, 1000.0 };
const ViReal64 sc4830fp_chCfg::calLevel[4] = { 9.0, 0.9, 0.09, 0.009 };

namespace {

// The builders fill the page's public widget members; their texts belong to the page's
// translation context.
using Page = sc4830fp_chCfg;

// The mode item's data tells the mode classes apart, not its position in the list; the
// classes and what they lock are sc4830fp_channelItems', which setups are checked against.
namespace items = sc4830fp_channelItems;
// Total gains above this are questioned; the operator is warned, not stopped.
constexpr qint64 maxTotalGain = 10000;

QLabel *makeLabel(const QString &text)
{
    auto *label = new QLabel(text);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

// A caption that names its control for assistive technology. The buddy gives the Label
// relation, which on Linux is what carries the caption of a combo box (Qt names a combo box
// there by its current item); the accessible name serves where Qt takes the name from it.
// Qt looks for the buddy among the control's siblings: both go into the same layout.
QLabel *makeCaption(const QString &text, QWidget *control)
{
    QLabel *label = makeLabel(text);
    label->setBuddy(control);
    control->setAccessibleName(text);
    return label;
}

// A grid row: the control's caption, the control, and its unit where it has one.
enum class Unit { none, volts };

void addRow(
    QGridLayout *grid, int row, const QString &caption, QWidget *control, Unit unit = Unit::none)
{
    grid->addWidget(makeCaption(caption, control), row, 0);
    grid->addWidget(control, row, 1);
    if (unit == Unit::volts)
        grid->addWidget(makeLabel(sc4830fp_chCfg::tr("Volts")), row, 2);
}

void setHelp(QWidget *widget, const QString &text)
{
    widget->setToolTip(text);
    widget->setWhatsThis(text);
}

QComboBox *makeCombo(const QStringList &texts, const QString &help)
{
    auto *combo = new QComboBox;
    combo->addItems(texts);
    setHelp(combo, help);
    return combo;
}

QDoubleSpinBox *makeExcitationBox(double minimum, double maximum, const QString &help)
{
    auto *box = new QDoubleSpinBox;
    box->setDecimals(items::excitationDecimals);
    box->setRange(minimum, maximum);
    box->setSingleStep(0.001);
    box->setValue(0.0);
    setHelp(box, help);
    return box;
}

QLineEdit *makeReadout(const QString &text, const QString &help)
{
    auto *edit = new QLineEdit(text);
    edit->setReadOnly(true);
    setHelp(edit, help);
    return edit;
}

QPushButton *makeButton(const QString &text, const QString &help)
{
    auto *button = new QPushButton(text);
    setHelp(button, help);
    return button;
}

QCheckBox *makeCheck(const QString &text, const QString &help)
{
    auto *check = new QCheckBox(text);
    setHelp(check, help);
    return check;
}

cr2200fp_led *makeLed(const QString &text, Qt::GlobalColor onColor, const QString &help)
{
    // Magenta asks the lamp for the palette's window colour as its off colour.
    auto *led = new cr2200fp_led(text, onColor, Qt::magenta);
    setHelp(led, help);
    return led;
}

// The identification lamp blinks while identification is on, lit and dark in turn, so
// both colours then say so; while it is off the dark lamp says that. The status poll's
// timer blinks it: once the poll has stopped, the lamp stays lit while identification is
// on, and says so.
void describeIdentification(cr2200fp_led *led, bool on, bool blinking)
{
    const QString lit = blinking
        ? sc4830fp_chCfg::tr("Identification on, the lamp blinks")
        : sc4830fp_chCfg::tr("Identification on, the lamp stays lit: status not monitored");
    led->setColorDescription(led->getOnColor(), lit);
    led->setColorDescription(
        led->getOffColor(), on && blinking ? lit : sc4830fp_chCfg::tr("Identification off"));
}

// The excitation exactly as the spin box shows it, independent of the locale: reading
// the displayed text back with QString::toDouble() gives 0 wherever the decimal
// separator is a comma, and the unit would be driven with 0 V.
ViReal64 shownValue(const QDoubleSpinBox *box)
{
    return items::excitationAsTyped(box->value());
}

// What a read-back field shows while it holds no measurement of the settings applied.
const char *const notMeasured = "Not measured";

QString volts(double value)
{
    return QString::asprintf("%0.6f", value);
}

QStringList translated(const char *const *texts, int count)
{
    QStringList list;
    for (int i = 0; i < count; ++i)
        list.append(sc4830fp_chCfg::tr(texts[i]));
    return list;
}

// A check box whose choice the mode offers, or takes away unchecked.
void offer(QCheckBox *box, bool offered)
{
    if (!offered)
        box->setChecked(false);
    box->setEnabled(offered);
}

// Sets an index copied from another page; a list that lacks it (no reference input)
// keeps its own rather than falling to -1, which no driver table could take.
void copyIndex(QComboBox *combo, int index)
{
    if (index >= 0 && index < combo->count())
        combo->setCurrentIndex(index);
}

QGroupBox *buildConfiguration(Page &page)
{
    const int number = page.ch + 1;
    page.cbInput = makeCombo(translated(items::inputs, items::inputCount),
        sc4830fp_chCfg::tr("Channel %1 input source ").arg(number));
    page.cbMode = new QComboBox;
    for (int i = 0; i < items::modeCount; ++i)
        page.cbMode->addItem(sc4830fp_chCfg::tr(items::modes[i]), i);
    page.cbMode->setCurrentIndex(0);
    setHelp(page.cbMode, sc4830fp_chCfg::tr("Channel %1 mode selection").arg(number));
    page.cbCoup = makeCombo(translated(items::couplings, items::couplingCount),
        sc4830fp_chCfg::tr("Channel %1 coupling mode selection").arg(number));
    page.cbGain = makeCombo(translated(items::gains, items::gainCount),
        sc4830fp_chCfg::tr("Channel %1 gain selection").arg(number));
    page.dsbPosExc = makeExcitationBox(items::positiveExcitationMin, items::positiveExcitationMax,
        sc4830fp_chCfg::tr("Channel %1 positive excitation voltage [V]").arg(number));
    page.dsbNegExc = makeExcitationBox(items::negativeExcitationMin, items::negativeExcitationMax,
        sc4830fp_chCfg::tr("Channel %1 negative excitation voltage [V]").arg(number));
    QStringList shunts;
    for (const char *shunt : items::shunts)
        shunts.append(QLatin1String(shunt));
    page.cbShCal = makeCombo(shunts, sc4830fp_chCfg::tr("Channel %1 shunt selection").arg(number));
    page.pbApply = makeButton(
        sc4830fp_chCfg::tr("Apply"), sc4830fp_chCfg::tr("Sets current channel's configuration"));
    page.pbApplyAll = makeButton(sc4830fp_chCfg::tr("Apply to all"),
        sc4830fp_chCfg::tr("Sets current channel's configuration to others channels"));

    auto *box = new QGroupBox(sc4830fp_chCfg::tr("Configuration"));
    auto *grid = new QGridLayout(box);
    addRow(grid, 0, sc4830fp_chCfg::tr("Input Source"), page.cbInput);
    addRow(grid, 1, sc4830fp_chCfg::tr("Mode"), page.cbMode);
    addRow(grid, 2, sc4830fp_chCfg::tr("Coupling"), page.cbCoup);
    addRow(grid, 3, sc4830fp_chCfg::tr("Gain"), page.cbGain);
    addRow(grid, 4, sc4830fp_chCfg::tr("Pos. Exc."), page.dsbPosExc, Unit::volts);
    addRow(grid, 5, sc4830fp_chCfg::tr("Neg. Exc."), page.dsbNegExc, Unit::volts);
    addRow(grid, 6, sc4830fp_chCfg::tr("Shunt"), page.cbShCal);
    grid->addWidget(page.pbApply, 7, 1);
    grid->addWidget(page.pbApplyAll, 8, 1);
    return box;
}

QGroupBox *buildCalibration(Page &page)
{
    const int number = page.ch + 1;
    page.chkSignalPath = makeCheck(sc4830fp_chCfg::tr("Signal Path"),
        sc4830fp_chCfg::tr("Starts channel %1 signal path calibration").arg(number));
    page.chkExcitation = makeCheck(sc4830fp_chCfg::tr("Excitation"),
        sc4830fp_chCfg::tr("Starts channel %1 excitation calibration").arg(number));
    page.chkAutobalance = makeCheck(sc4830fp_chCfg::tr("Autobalance"),
        sc4830fp_chCfg::tr("Starts channel %1 autobalnce").arg(number));
    page.pbCalibrate = makeButton(sc4830fp_chCfg::tr("Calibrate"),
        sc4830fp_chCfg::tr("Starts selected calibrations on channel %1").arg(number));
    page.pbCalibrateAll = makeButton(sc4830fp_chCfg::tr("Calibrate All"),
        sc4830fp_chCfg::tr("Starts selected calibrations on all channels"));

    auto *box = new QGroupBox(sc4830fp_chCfg::tr("Calibration"));
    auto *column = new QVBoxLayout(box);
    column->addWidget(page.chkSignalPath);
    column->addWidget(page.chkExcitation);
    column->addWidget(page.chkAutobalance);
    column->addWidget(page.pbCalibrate);
    column->addWidget(page.pbCalibrateAll);
    return box;
}

QGroupBox *buildExcitationReadback(Page &page)
{
    const int number = page.ch + 1;
    page.pbReadExc = makeButton(sc4830fp_chCfg::tr("Read Excitation Voltage"),
        sc4830fp_chCfg::tr("Reads Excitation volatge on channel %1").arg(number));
    page.lePosExc = makeReadout(QLatin1String(notMeasured),
        sc4830fp_chCfg::tr("Measured positive excitation voltage on channel %1").arg(number));
    page.leNegExc = makeReadout(QLatin1String(notMeasured),
        sc4830fp_chCfg::tr("Measured negative excitation voltage on channel %1").arg(number));
    page.leDiffExc = makeReadout(QLatin1String(notMeasured),
        sc4830fp_chCfg::tr("Measured difference excitation voltage on channel %1").arg(number));

    page.gbExcitation = new QGroupBox(sc4830fp_chCfg::tr("Excitation"));
    page.gbExcitation->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    auto *grid = new QGridLayout(page.gbExcitation);
    grid->addWidget(page.pbReadExc, 0, 1);
    addRow(grid, 1, sc4830fp_chCfg::tr("Positive"), page.lePosExc, Unit::volts);
    addRow(grid, 2, sc4830fp_chCfg::tr("Negative"), page.leNegExc, Unit::volts);
    addRow(grid, 3, sc4830fp_chCfg::tr("Difference"), page.leDiffExc, Unit::volts);
    return page.gbExcitation;
}

QWidget *buildGainAndImbalance(Page &page)
{
    const int number = page.ch + 1;
    page.leTotalGain
        = makeReadout(QString(), sc4830fp_chCfg::tr("Total path gain on channel %1").arg(number));
    page.leImbalance = makeReadout(
        QStringLiteral("Not balanced"), sc4830fp_chCfg::tr("Channel %1 imbalance").arg(number));

    auto *container = new QWidget;
    container->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    auto *grid = new QGridLayout(container);
    addRow(grid, 0, sc4830fp_chCfg::tr("Total Gain"), page.leTotalGain);
    addRow(grid, 1, sc4830fp_chCfg::tr("Imbalance"), page.leImbalance, Unit::volts);
    return container;
}

// The status lamps' colours in words, for an operator who cannot tell red from green or
// cannot see the lamps. The status poll turns the ICP lamp green or red by the unit's
// report; once it has stopped for good, every state is the last one read.
enum class LampState { Current, LastRead };

void describeStatusLamps(Page &page, LampState state)
{
    const auto words = [state](const QString &meaning) {
        return state == LampState::Current
            ? meaning
            : sc4830fp_chCfg::tr("%1; last state read, status not monitored").arg(meaning);
    };
    page.ledExcLimit->setColorDescription(
        Qt::red, words(sc4830fp_chCfg::tr("Excitation current at its limit")));
    page.ledExcLimit->setColorDescription(page.ledExcLimit->getOffColor(),
        words(sc4830fp_chCfg::tr("Excitation current within its limit")));
    page.ledIcp->setColorDescription(Qt::green, words(sc4830fp_chCfg::tr("ICP current in order")));
    page.ledIcp->setColorDescription(Qt::red, words(sc4830fp_chCfg::tr("ICP current fault")));
    page.ledIcp->setColorDescription(page.ledIcp->getOffColor(),
        words(sc4830fp_chCfg::tr("ICP current not monitored (not in ICP mode or not read yet)")));
}

QGroupBox *buildStatus(Page &page)
{
    const int number = page.ch + 1;
    page.ledExcLimit = makeLed(sc4830fp_chCfg::tr("Excitation Current Limit"), Qt::red,
        sc4830fp_chCfg::tr("Channel %1 excitation current limit status").arg(number));
    page.ledIcp = makeLed(sc4830fp_chCfg::tr("ICP Current"), Qt::green,
        sc4830fp_chCfg::tr("Channel %1 ICP current status").arg(number));
    describeStatusLamps(page, LampState::Current);

    auto *box = new QGroupBox(sc4830fp_chCfg::tr("Status"));
    auto *column = new QVBoxLayout(box);
    column->addWidget(page.ledExcLimit);
    column->addWidget(page.ledIcp);
    column->addWidget(buildExcitationReadback(page));
    column->addWidget(buildGainAndImbalance(page));
    return box;
}

QWidget *buildIdentification(Page &page)
{
    const int number = page.ch + 1;
    page.ledIdentify = makeLed(sc4830fp_chCfg::tr("Identification"), Qt::green,
        sc4830fp_chCfg::tr("Indicates channel %1 identification").arg(number));
    page.pbIdentify = makeButton(sc4830fp_chCfg::tr("OFF"),
        sc4830fp_chCfg::tr("When checked enables channel %1 identification").arg(number));
    page.pbIdentify->setCheckable(true);
    page.pbIdentify->setChecked(false);
    // The button reads only "ON" or "OFF"; a screen reader needs to hear what it switches.
    page.pbIdentify->setAccessibleName(sc4830fp_chCfg::tr("Channel %1 identification").arg(number));
    describeIdentification(page.ledIdentify, false, true);

    auto *container = new QWidget;
    auto *row = new QHBoxLayout(container);
    row->addStretch();
    row->addWidget(page.ledIdentify);
    row->addWidget(page.pbIdentify);
    row->addStretch();
    return container;
}

} // namespace

sc4830fp_chCfg::sc4830fp_chCfg(sc4830fp_fp *panel, int ch)
    : QWidget(panel)
    , scuFp(panel)
    , ch(ch)
    , masterGain(1)
    , identifyOn(false)
    , icpMode(false)
{
    auto *groups = new QHBoxLayout;
    groups->addStretch();
    groups->addWidget(buildConfiguration(*this));
    groups->addWidget(buildCalibration(*this));
    groups->addWidget(buildStatus(*this));
    groups->addStretch();

    auto *pageLayout = new QVBoxLayout(this);
    pageLayout->addLayout(groups);
    pageLayout->addWidget(buildIdentification(*this));

    // Connected only now, so that filling the lists above ran no slot.
    connect(cbMode, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
        &sc4830fp_chCfg::modeChanged);
    connect(cbGain, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
        &sc4830fp_chCfg::gainChanged);
    connect(cbInput, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
        &sc4830fp_chCfg::inputChanged);
    connect(cbCoup, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
        &sc4830fp_chCfg::couplingChanged);
    connect(dsbPosExc, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this,
        &sc4830fp_chCfg::posExcChanged);
    connect(dsbNegExc, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this,
        &sc4830fp_chCfg::negExcChanged);
    connect(cbShCal, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
        &sc4830fp_chCfg::shCalChanged);
    connect(pbApply, &QPushButton::clicked, this, &sc4830fp_chCfg::applyAction);
    connect(pbApplyAll, &QPushButton::clicked, this, &sc4830fp_chCfg::applyToAllAction);
    connect(pbCalibrate, &QPushButton::clicked, this, &sc4830fp_chCfg::calibrateAction);
    connect(pbCalibrateAll, &QPushButton::clicked, this, &sc4830fp_chCfg::calibrateAllAction);
    connect(pbReadExc, &QPushButton::clicked, this, &sc4830fp_chCfg::readExcAction);
    connect(pbIdentify, &QPushButton::clicked, this, &sc4830fp_chCfg::identifyChanged);

    masterGain = 1;
    identifyOn = pbIdentify->isChecked();
    icpMode = false;
    appliedSettings = settings();
}

sc4830fp_chCfg::Settings sc4830fp_chCfg::settings() const
{
    return { cbInput->currentIndex(), cbMode->currentIndex(), cbCoup->currentIndex(),
        cbGain->currentIndex(), dsbPosExc->value(), dsbNegExc->value(), cbShCal->currentIndex() };
}

sc4830fp_chCfg::ApplyOutcome sc4830fp_chCfg::lastApply() const
{
    return scuFp->unitNotOpened() ? scuFp->openFailure() : lastApplyOutcome;
}

bool sc4830fp_chCfg::changed() const
{
    return !sameSettings(settings(), appliedSettings);
}

bool sc4830fp_chCfg::sameSettings(const Settings &a, const Settings &b)
{
    return a.input == b.input && a.mode == b.mode && a.coupling == b.coupling && a.gain == b.gain
        && a.shunt == b.shunt
        && items::excitationAsTyped(a.posExc) == items::excitationAsTyped(b.posExc)
        && items::excitationAsTyped(a.negExc) == items::excitationAsTyped(b.negExc);
}

sc4830fp_chCfg::State sc4830fp_chCfg::state() const
{
    if (!applyMade || scuFp->unitNotOpened())
        return NotSent;
    if (lastApply().refused())
        return Refused;
    return changed() ? Changed : Applied;
}

bool sc4830fp_chCfg::revertToApplied()
{
    if (!setSettings(appliedSettings))
        return false;
    settleAutobalance();
    pbApply->setEnabled(lastApplyOutcome.refused());
    scuFp->pageAttentionChanged(ch);
    return true;
}

bool sc4830fp_chCfg::stageSettings(const Settings &settings)
{
    if (!setSettings(settings))
        return false;
    // The handlers enabled Apply for every control they moved, also back to applied().
    pbApply->setEnabled(changed() || lastApplyOutcome.refused());
    scuFp->pageAttentionChanged(ch);
    return true;
}

bool sc4830fp_chCfg::setSettings(const Settings &settings)
{
    copyIndex(cbInput, settings.input);
    copyIndex(cbMode, settings.mode);
    copyIndex(cbCoup, settings.coupling);
    if (settings.gain >= 0 && settings.gain < cbGain->count()
        && settings.gain != cbGain->currentIndex()) {
        // The gain's handler may warn, and the host may delete the panel in that box: the
        // list must not be inside its own signal then, for it reads itself once the signal
        // has returned. So it is set quietly and the handler called after.
        {
            const QSignalBlocker quiet(cbGain);
            cbGain->setCurrentIndex(settings.gain);
        }
        const QPointer<sc4830fp_chCfg> alive(this);
        gainChanged(settings.gain);
        if (!alive)
            return false;
        scuFp->pageAttentionChanged(ch); // the table's row, which missed the list's signal
    }
    dsbPosExc->setValue(settings.posExc);
    dsbNegExc->setValue(settings.negExc);
    copyIndex(cbShCal, settings.shunt);
    return true;
}

void sc4830fp_chCfg::applyAsAttached()
{
    const QPointer<sc4830fp_chCfg> alive(this);
    modeChanged(cbMode->currentIndex());
    gainChanged(cbGain->currentIndex());
    if (!alive)
        return;
    pbApply->setEnabled(true);
    applyAction();
}

void sc4830fp_chCfg::showStatus(bool icpOk, bool excLimit)
{
    if (icpMode) {
        ledIcp->setOnColor(icpOk ? Qt::green : Qt::red);
        ledIcp->setValue(1);
    } else {
        ledIcp->setValue(0);
    }
    ledExcLimit->setValue(excLimit ? 1 : 0);
}

bool sc4830fp_chCfg::icpFault() const
{
    return icpMode && ledIcp->getValue() != 0 && ledIcp->getOnColor() == QColor(Qt::red);
}

bool sc4830fp_chCfg::atExcitationLimit() const
{
    return ledExcLimit->getValue() != 0;
}

void sc4830fp_chCfg::showStatusNotMonitored()
{
    describeStatusLamps(*this, LampState::LastRead);
    identificationBlinks = false;
    showIdentification();
}

void sc4830fp_chCfg::setHostGain(int gain)
{
    masterGain = gain;
    gainChanged(cbGain->currentIndex());
}

void sc4830fp_chCfg::showIdentificationPhase(bool lit)
{
    ledIdentify->setValue((lit || !identificationBlinks) && identifyOn ? 1 : 0);
}

void sc4830fp_chCfg::showIdentification()
{
    describeIdentification(ledIdentify, identifyOn, identificationBlinks);
    if (!identificationBlinks)
        showIdentificationPhase(true);
}

bool sc4830fp_chCfg::calibrationChosen(Calibration kind) const
{
    return selection(kind)->isChecked();
}

bool sc4830fp_chCfg::calibrationOffered(Calibration kind) const
{
    return selection(kind)->isEnabled();
}

void sc4830fp_chCfg::setCalibrationChosen(Calibration kind, bool chosen)
{
    selection(kind)->setChecked(chosen);
}

QCheckBox *sc4830fp_chCfg::selection(Calibration kind) const
{
    switch (kind) {
    case SignalPath:
        return chkSignalPath;
    case Excitation:
        return chkExcitation;
    case Autobalance:
        break;
    }
    return chkAutobalance;
}

ViReal64 sc4830fp_chCfg::signalPathLevel() const
{
    const int last = static_cast<int>(std::size(calLevel)) - 1;
    return calLevel[qBound(0, cbGain->currentIndex(), last)];
}

bool sc4830fp_chCfg::usesFrontPanelInput() const
{
    return cbInput->currentIndex() == items::frontPanelInput;
}

void sc4830fp_chCfg::disableVoltageRefInput()
{
    chkSignalPath->setChecked(false);
    chkSignalPath->setEnabled(false);
    if (hasVoltageRefInput())
        cbInput->removeItem(items::voltageRefInput);
}

bool sc4830fp_chCfg::hasVoltageRefInput() const
{
    return cbInput->count() > items::voltageRefInput;
}

void sc4830fp_chCfg::setImbalance(double imbalance)
{
    leImbalance->setText(volts(imbalance));
}

void sc4830fp_chCfg::modeChanged(int index)
{
    // What a mode offers is sc4830fp_channelItems' rules, which a setup is checked against
    // too; the page only locks its controls by them.
    const int mode = cbMode->itemData(index).toInt();
    const bool bridge = items::isBridge(mode); // excited: excitation, its limit, imbalance
    const bool icp = items::isIcp(mode);

    dsbNegExc->setEnabled(bridge);
    dsbPosExc->setEnabled(bridge);
    gbExcitation->setEnabled(bridge);
    leImbalance->setEnabled(bridge);
    if (!bridge)
        ledExcLimit->setValue(0);
    ledExcLimit->setEnabled(bridge);

    const bool dc = items::offersDcCoupling(mode);
    if (!dc)
        cbCoup->setCurrentIndex(items::acCoupling);
    cbCoup->setEnabled(dc);
    const bool shunt = items::offersShunt(mode);
    if (!shunt)
        cbShCal->setCurrentIndex(0);
    cbShCal->setEnabled(shunt);
    offer(chkExcitation, items::offersExcitationCalibration(mode));
    // Autobalance follows the coupling; outside a bridge it waits for the next apply, which
    // gives it back on a DC path.
    if (bridge)
        chkAutobalance->setEnabled(items::offersAutobalance(cbCoup->currentIndex()));
    else
        offer(chkAutobalance, false);

    ledIcp->setEnabled(icp);
    if (!icp)
        ledIcp->setValue(0);
    pbApply->setEnabled(true);
    // The lamps may have gone dark.
    scuFp->pageAttentionChanged(ch);
}

void sc4830fp_chCfg::gainChanged(int index)
{
    // The step comes from the driver table, not from the item's text: a translation may
    // write the items differently, and a text that does not read as a number would make
    // the total 0 and hide the warning. An index outside the list counts as no gain.
    const qint64 step = (index >= 0 && index < int(sizeof gain / sizeof gain[0])) ? gain[index] : 0;
    // 64 bits: the host's factor is any int, and the product must be shown as it is,
    // never wrapped into a small or negative number that would escape the warning.
    const qint64 total = step * masterGain;
    if (total > maxTotalGain) {
        const QPointer<sc4830fp_chCfg> alive(this);
        showModalBox(QMessageBox::Warning, tr("Warning"),
            tr("Total system gain %1 is too high").arg(total), QMessageBox::Ok, QMessageBox::Ok,
            this);
        if (!alive)
            return;
    }
    leTotalGain->setText(QString::number(total));
    pbApply->setEnabled(true);
}

void sc4830fp_chCfg::inputChanged(int)
{
    pbApply->setEnabled(true);
}

void sc4830fp_chCfg::couplingChanged(int)
{
    pbApply->setEnabled(true);
}

void sc4830fp_chCfg::posExcChanged(double)
{
    pbApply->setEnabled(true);
}

void sc4830fp_chCfg::negExcChanged(double)
{
    pbApply->setEnabled(true);
}

void sc4830fp_chCfg::shCalChanged(int)
{
    pbApply->setEnabled(true);
}

void sc4830fp_chCfg::configChanged()
{
    pbApply->setEnabled(true);
}

void sc4830fp_chCfg::applyAction()
{
    // Every report below runs a message box (or the host's slot for masterError), in which
    // the host may delete the panel and this page with it.
    const QPointer<sc4830fp_chCfg> alive(this);
    // The panel keeps what the unit held before, to take the apply back later.
    scuFp->applyStarts();
    // An error or the carrier's status means the unit did not take that part: the change
    // stays marked as unsent. A warning counts as done.
    bool gainRefused = false;
    lastApplyOutcome = ApplyOutcome();
    if (scuFp->d_vi) {
        const ViUInt16 channel = ViUInt16(ch + 1);
        // Each call goes out whatever became of the one before: the operator is told of
        // every refusal, and the unit takes as much of the setting as it can.
        ViStatus status = sc4830_setChannelConf(scuFp->d_vi, channel, mode[cbMode->currentIndex()],
            gain[cbGain->currentIndex()], coup[cbCoup->currentIndex()],
            input[cbInput->currentIndex()]);
        static const char confCall[]
            = "sc4830_setChannelConf(scuFp->d_vi, ch, mode[cbMode->currentIndex()], "
              "gain[cbGain->currentIndex()], coup[cbCoup->currentIndex()], "
              "input[cbInput->currentIndex()])";
        sc4830fp_check(scuFp, status, confCall);
        if (!alive)
            return;
        noteRefusal(status, confCall);
        gainRefused = status < 0;
        status = sc4830_setExcitation(
            scuFp->d_vi, channel, shownValue(dsbPosExc), shownValue(dsbNegExc));
        static const char excCall[] = "sc4830_setExcitation(scuFp->d_vi, ch, "
                                      "(ViReal64)dsbPosExc->text().toDouble(), "
                                      "(ViReal64)dsbNegExc->text().toDouble())";
        sc4830fp_check(scuFp, status, excCall);
        if (!alive)
            return;
        noteRefusal(status, excCall);
        status = sc4830_setShuntCal(
            scuFp->d_vi, channel, cbShCal->currentIndex() ? VI_TRUE : VI_FALSE);
        static const char shuntCall[] = "sc4830_setShuntCal (scuFp->d_vi, ch, "
                                        "(cbShCal->currentIndex())?VI_TRUE:VI_FALSE)";
        sc4830fp_check(scuFp, status, shuntCall);
        if (!alive)
            return;
        noteRefusal(status, shuntCall);
    }
    // What the unit now holds; a refused part leaves it at what it took before.
    applyMade = true;
    if (!lastApplyOutcome.refused())
        appliedSettings = settings();

    icpMode = items::isIcp(cbMode->itemData(cbMode->currentIndex()).toInt());
    settleAutobalance();

    // A refused setting stays unsent, so that Apply can simply be pressed again. Once the
    // unit has taken the settings, a read-back shown so far measured the old ones.
    pbApply->setEnabled(lastApplyOutcome.refused());
    if (!lastApplyOutcome.refused())
        showNotMeasured();
    // The host scales the channel's data by this gain: it hears only of a gain the unit
    // took, and keeps the last one it was told otherwise.
    if (!gainRefused)
        emit scuGainChanged(ch, gainValue[cbGain->currentIndex()]);
    if (!alive)
        return;
    scuFp->pageAttentionChanged(ch);
    scuFp->applyEnds();
}

void sc4830fp_chCfg::noteRefusal(ViStatus status, const char *fcall)
{
    if (status < 0 && !lastApplyOutcome.refused())
        lastApplyOutcome = { fcall, status };
}

void sc4830fp_chCfg::settleAutobalance()
{
    // This holds in every mode, so a voltage mode on DC gets back the selection its mode
    // change took away.
    const bool dc = items::offersAutobalance(cbCoup->currentIndex());
    if (!dc)
        chkAutobalance->setChecked(false);
    chkAutobalance->setEnabled(dc);
    leImbalance->setEnabled(dc);
}

void sc4830fp_chCfg::applyToAllAction()
{
    scuFp->applyToAllPages(settings(), ch);
}

void sc4830fp_chCfg::calibrateAction()
{
    sc4830fp_calibrationSequence sequence(this);
    sequence.runOnPage();
}

void sc4830fp_chCfg::calibrateAllAction()
{
    sc4830fp_calibrationSequence sequence(this);
    sequence.runOnAllChannels();
}

void sc4830fp_chCfg::readExcAction()
{
    if (!scuFp->d_vi)
        return;

    ViReal64 posExc = 0.0;
    ViReal64 negExc = 0.0;
    pbReadExc->setEnabled(false);
    // The read can take a while on the unit; let the disabled button be seen first. The
    // host may delete the panel in any of the events, or in the report's box.
    const QPointer<sc4830fp_chCfg> alive(this);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    if (!alive)
        return;
    const ViStatus status = sc4830_getExcitation(scuFp->d_vi, ViUInt16(ch + 1), &posExc, &negExc);
    sc4830fp_check(scuFp, status, "sc4830_getExcitation(scuFp->d_vi, ch, &posExc, &negExc)");
    if (!alive)
        return;
    pbReadExc->setEnabled(true);

    // After an error the variables hold whatever the driver left in them, which is no
    // measurement; a warning still delivers one.
    if (status < 0) {
        showNotMeasured();
        return;
    }
    lePosExc->setText(volts(posExc));
    leNegExc->setText(volts(negExc));
    leDiffExc->setText(volts(posExc - negExc));
}

void sc4830fp_chCfg::showNotMeasured()
{
    lePosExc->setText(QLatin1String(notMeasured));
    leNegExc->setText(QLatin1String(notMeasured));
    leDiffExc->setText(QLatin1String(notMeasured));
}

void sc4830fp_chCfg::identifyChanged()
{
    identifyOn = pbIdentify->isChecked();
    pbIdentify->setText(identifyOn ? QStringLiteral("ON") : QStringLiteral("OFF"));
    showIdentification();
    scuFp->pageAttentionChanged(ch);
    if (!scuFp->d_vi)
        return;

    const ViStatus status = sc4830_channelIdentify(
        scuFp->d_vi, ViUInt16(ch + 1), identifyOn ? sc4830_ON : sc4830_OFF);
    sc4830fp_check(scuFp, status,
        "sc4830_channelIdentify(scuFp->d_vi, ch, "
        "(pbIdentify->isChecked())?sc4830_ON:sc4830_OFF)");
}
