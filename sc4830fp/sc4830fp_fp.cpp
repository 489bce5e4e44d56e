#include "sc4830fp_fp.h"

#include "sc4830fp_channelitems.h"
#include "sc4830fp_channelkeys.h"
#include "sc4830fp_channelmodel.h"
#include "sc4830fp_chcfg.h"
#include "sc4830fp_check.h"
#include "sc4830fp_overview.h"
#include "sc4830fp_records.h"
#include "sc4830fp_setup.h"

#include <cr2200fp_led.h>
#include <sc4830.h>
#include <sfp_version.h>

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <cstring>

namespace {

constexpr int statusInterval = 200; // ms; the unit is read every second tick

const char *const titleDemo = "Orbisa 4830 SCU (DEMO)";
const char *const titleAttached = "Orbisa 4830 SCU";
const char *const initCall = "sc4830_init(masterVi, VI_TRUE, VI_TRUE, &d_vi)";

// Copies at most size bytes of a driver's text buffer: a driver that leaves out the
// terminating NUL must not make us read past the buffer.
QString fromDriverText(const char *buffer, size_t size)
{
    return QString::fromLatin1(buffer, static_cast<int>(strnlen(buffer, size)));
}

} // namespace

sc4830fp_fp::sc4830fp_fp()
    : d_vi(0)
    , masterVi(0)
    , carrierModel(0)
    , carrierAux(0)
    , chPages {}
    , chCount(8)
    , scuFp(this)
    , twChannels(nullptr)
    , pbVrefMonitor(nullptr)
    , statusTimer(nullptr)
    , modelStr(QStringLiteral("4830-AA (DEMO)"))
    , serialStr(QStringLiteral("87654321 (DEMO)"))
    , revStr(QStringLiteral("1.0.1.0 (DEMO)"))
    , statusTick(0)
    , calibrating(false)
{
    // Hosts connect to gainChanged(int,ViReal64) by signature, also queued from other
    // threads; that needs the typedef's name known to the meta-type system.
    qRegisterMetaType<ViReal64>("ViReal64");
    setWindowTitle(QLatin1String(titleDemo));

    twChannels = new QTabWidget(this);
    twChannels->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    for (int i = 0; i < chCount; ++i)
        addPage(i);

    auto *monitorLabel = new QLabel(tr("Voltage Reference Monitor"));
    monitorLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    pbVrefMonitor = new QPushButton(QStringLiteral("OFF"));
    pbVrefMonitor->setCheckable(true);
    pbVrefMonitor->setChecked(false);
    // The button reads only "ON" or "OFF": the caption names it for a screen reader, as
    // the Label relation and as its name.
    monitorLabel->setBuddy(pbVrefMonitor);
    pbVrefMonitor->setAccessibleName(tr("Voltage Reference Monitor"));

    auto *monitorRow = new QHBoxLayout;
    monitorRow->addStretch();
    monitorRow->addWidget(monitorLabel);
    monitorRow->addWidget(pbVrefMonitor);
    monitorRow->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(twChannels);
    layout->addLayout(monitorRow);
    layout->addStretch();

    connect(pbVrefMonitor, &QPushButton::clicked, this, &sc4830fp_fp::setVRefMonitor);
    new sc4830fp_channelKeys(twChannels, this);

    statusTimer = new QTimer(this);
    connect(statusTimer, &QTimer::timeout, this, &sc4830fp_fp::getStatus);
    statusTick = 0;
    statusTimer->start(statusInterval);
    channelTable = new sc4830fp_channelModel(this);
}

sc4830fp_fp::~sc4830fp_fp()
{
    // The timer and the pages go with the widget tree; only the unit session is ours.
    // The pages go first, though: a calibration running on one of them is ended with its
    // dialog, so that no worker is left driving the session closed below.
    statusTimer->stop();
    // Overviews the host still shows go with the panel, before the model they show.
    for (const QPointer<QWidget> &overview : qAsConst(overviews))
        delete overview.data();
    delete channelTable;
    channelTable = nullptr;
    for (int i = 0; i < chCount; ++i)
        delete chPages[i];
    if (d_vi != 0)
        sc4830_close(d_vi);
}

void sc4830fp_fp::setMaster(ViSession masterVi, ViUInt16 carrierModel, ViUInt16 carrierAux)
{
    this->masterVi = masterVi;
    this->carrierModel = carrierModel;
    this->carrierAux = carrierAux;
}

bool sc4830fp_fp::isCarrierSupported()
{
    return carrierModel == carrier16Channels || carrierModel == carrier8Channels;
}

bool sc4830fp_fp::detectUnit()
{
    using namespace sc4830fp_records;
    if (masterVi == 0)
        return true;

    // The probe reports nothing: a carrier that cannot answer simply has no unit.
    void *record = nullptr;
    if (viGetAttribute(masterVi, VI_ATTR_USER_DATA, &record) < 0 || !record)
        return false;
    const auto *environment = static_cast<const CarrierEnvironment *>(record);
    if (!environment->access)
        return false;

    void *accessRecord = nullptr;
    if (environment->access(masterVi, 0, 0, &accessRecord) < 0 || !accessRecord)
        return false;
    const auto *access = static_cast<const CarrierAccess *>(accessRecord);
    if (!access->read)
        return false;

    unsigned char bytes[4] = { 0, 0, 0, 0 };
    if (access->read(masterVi, identificationRegister, 2, bytes, 4, bytes) < 0)
        return false;
    return decodeIdentification(bytes) == unitIdentification;
}

bool sc4830fp_fp::initUnit()
{
    // The 16-channel carrier needs pages 9 to 16; a second attach must not add them again.
    if (carrierModel == carrier16Channels && chCount < maxChannels) {
        channelTable->beginAddingPages(chCount, maxChannels - 1);
        for (int i = chCount; i < maxChannels; ++i)
            addPage(i);
        chCount = maxChannels;
        channelTable->endAddingPages();
    }

    // Every report runs a message box (or the host's slot for masterError), in which the
    // host may delete this panel; the attach then ends there.
    const QPointer<sc4830fp_fp> alive(this);
    if (masterVi != 0) {
        // A panel attached already keeps its session; opening a second one would leak it.
        if (d_vi == 0) {
            const ViStatus status = sc4830_init(masterVi, VI_TRUE, VI_TRUE, &d_vi);
            // Every later call is skipped without a session: nothing the pages apply will
            // reach the unit, and they must not look applied.
            openOutcome = sc4830fp_chCfg::ApplyOutcome();
            if (d_vi == 0)
                openOutcome = { initCall, status };
            sc4830fp_check(this, status, initCall);
            if (!alive)
                return true;
        }
        // Without an open unit every further call would only fail and be reported once
        // per call; the failed open has been reported.
        // An unopened unit has no readable record: its reference counts as absent.
        if (d_vi == 0) {
            for (int i = 0; i < chCount; ++i)
                chPages[i]->disableVoltageRefInput();
        } else {
            const bool present = routeReference();
            if (!alive)
                return true;
            if (!present) {
                for (int i = 0; i < chCount; ++i)
                    chPages[i]->disableVoltageRefInput();
            }
            readIdentity();
            if (!alive)
                return true;
        }
    }

    applyAllPages();
    return true;
}

bool sc4830fp_fp::routeReference()
{
    using namespace sc4830fp_records;
    void *instEnv = nullptr;
    const QPointer<sc4830fp_fp> alive(this);
    const ViStatus status = viGetAttribute(scuFp->d_vi, VI_ATTR_USER_DATA, &instEnv);
    sc4830fp_check(this, status, "viGetAttribute(scuFp->d_vi, VI_ATTR_USER_DATA, &instEnv)");
    // A warning still delivers the record; an error leaves nothing to read.
    if (!alive || status < 0)
        return false;
    const auto *environment = static_cast<const UnitEnvironment *>(instEnv);
    if (!environment || !environment->link || !environment->link->source)
        return false;
    const ReferenceSource *source = environment->link->source;
    if (!source->present)
        return false;

    // The presence is taken before the read; the read and the routing follow whenever
    // the record and its indicator exist.
    const bool present = *source->present != 0;
    ViReal64 vref = 0.0;
    if (source->read && source->read(environment->referenceContext, &vref) == 0) {
        sc4830fp_check(this, sc4830_setVoltRefOutput(d_vi, sc4830_VREF_SRC_FC, vref, VI_FALSE),
            "sc4830_setVoltRefOutput (scuFp->d_vi, sc4830_VREF_SRC_FC, vref, "
            "VI_FALSE)");
    }
    return present;
}

void sc4830fp_fp::readIdentity()
{
    // Buffers cleared first. A failed read keeps the previous texts, since the driver
    // leaves nothing defined in them then; a warning still delivers the identity.
    ViChar sub[8];
    std::memset(sub, 0, sizeof sub);
    ViUInt32 serial = 0;
    const QPointer<sc4830fp_fp> alive(this);
    const ViStatus serialStatus = sc4830_serialNumber(d_vi, sub, &serial);
    sc4830fp_check(this, serialStatus, "sc4830_serialNumber(scuFp->d_vi, sub, &serial)");
    if (!alive)
        return;

    ViChar rev[32];
    std::memset(rev, 0, sizeof rev);
    const ViStatus revStatus = sc4830_revision_query(d_vi, VI_NULL, rev);
    sc4830fp_check(this, revStatus, "sc4830_revision_query(scuFp->d_vi, VI_NULL, rev)");
    if (!alive)
        return;

    if (serialStatus >= 0) {
        modelStr = QStringLiteral("4830-") + fromDriverText(sub, sizeof sub);
        serialStr = QString::asprintf("%08X", serial);
    }
    if (revStatus >= 0)
        revStr = fromDriverText(rev, sizeof rev);
    setWindowTitle(QLatin1String(titleAttached));
}

void sc4830fp_fp::applyAllPages()
{
    // The gain warning and the reports run message boxes, in which the host may delete
    // this panel and its pages.
    const QPointer<sc4830fp_fp> alive(this);
    for (int i = 0; i < chCount; ++i) {
        chPages[i]->applyAsAttached();
        if (!alive)
            return;
    }
}

void sc4830fp_fp::applyToAllPages(const sc4830fp_chCfg::Settings &settings, int sourceCh)
{
    // The gain warning and the reports run message boxes, in which the host may delete
    // this panel and its pages; the count is read afresh each round for the same reason.
    const QPointer<sc4830fp_fp> alive(this);
    applyStarts();
    for (int i = 0; i < chCount; ++i) {
        sc4830fp_chCfg *page = chPages[i];
        if (i != sourceCh && !page->setSettings(settings))
            return;
        page->applyAction();
        if (!alive)
            return;
    }
    applyEnds();
}

void sc4830fp_fp::addPage(int ch)
{
    auto *page = new sc4830fp_chCfg(this, ch);
    chPages[ch] = page;
    twChannels->addTab(page, tr("Ch %1").arg(ch + 1));
    connect(page, &sc4830fp_chCfg::scuGainChanged, this, &sc4830fp_fp::scuGainChanged);
}

QString sc4830fp_fp::description()
{
    return QStringLiteral("Orbisa 4830 - 16 Channel Signal Conditioning Unit");
}

QString sc4830fp_fp::model()
{
    return modelStr;
}

QString sc4830fp_fp::serialNumber()
{
    return serialStr;
}

QString sc4830fp_fp::revision()
{
    return revStr;
}

QString sc4830fp_fp::fileVersion()
{
    return QStringLiteral(SFP_VERSION_STRING);
}

QString sc4830fp_fp::productVersion()
{
    return QStringLiteral(SFP_VERSION_STRING);
}

cr2200fp_setup sc4830fp_fp::currentSetup()
{
    return sc4830fp_setup::current(*this);
}

cr2200fp_setupResult sc4830fp_fp::applySetup(const cr2200fp_setup &setup)
{
    return sc4830fp_setup::apply(*this, setup);
}

cr2200fp_setupResult sc4830fp_fp::stageSetup(const cr2200fp_setup &setup)
{
    return sc4830fp_setup::stage(*this, setup);
}

QVector<cr2200fp_setup> sc4830fp_fp::earlierSetups()
{
    return history.entries();
}

QAbstractItemModel *sc4830fp_fp::channelModel()
{
    return channelTable;
}

QWidget *sc4830fp_fp::createOverview(QWidget *parent)
{
    auto *overview = new sc4830fp_overview(this, channelTable, parent);
    overviews.append(overview);
    return overview;
}

cr2200fp_setupResult sc4830fp_fp::applyChanged()
{
    QVector<int> due;
    for (int i = 0; i < chCount; ++i) {
        const sc4830fp_chCfg::State state = chPages[i]->state();
        if (state == sc4830fp_chCfg::Changed || state == sc4830fp_chCfg::Refused)
            due.append(i);
    }
    // The gain warning and the driver check's reports run message boxes, in which the
    // host may delete this panel and its pages.
    cr2200fp_setupResult result;
    const QPointer<sc4830fp_fp> alive(this);
    applyStarts();
    for (int k = 0; k < due.size(); ++k) {
        sc4830fp_chCfg *page = chPages[due.at(k)];
        page->applyAction();
        if (!alive) {
            // What had not been applied when the host closed the panel must not pass for
            // applied.
            for (int j = k; j < due.size(); ++j)
                result.channels.append(sc4830fp_setup::notReached(due.at(j)));
            return result;
        }
        result.channels.append(sc4830fp_setup::outcomeOf(*page));
    }
    applyEnds();
    return result;
}

void sc4830fp_fp::revertChanged()
{
    // The gain warning may run a box, in which the host may delete this panel.
    const QPointer<sc4830fp_fp> alive(this);
    for (int i = 0; i < chCount; ++i) {
        if (chPages[i]->state() == sc4830fp_chCfg::Changed && !chPages[i]->revertToApplied())
            return;
        if (!alive)
            return;
    }
}

QString sc4830fp_fp::channelName(int chIdx) const
{
    return chIdx >= 0 && chIdx < chCount ? names[chIdx] : QString();
}

bool sc4830fp_fp::setChannelName(int chIdx, const QString &name)
{
    if (chIdx < 0 || chIdx >= chCount || !sc4830fp_channelItems::isChannelName(name))
        return false;
    names[chIdx] = name;
    channelTable->refreshRow(chIdx);
    return true;
}

QString sc4830fp_fp::attentionWords(int chIdx) const
{
    // The words as the tab has them since they last changed, not built anew at every poll.
    return twChannels->tabToolTip(chIdx);
}

void sc4830fp_fp::showPage(int chIdx)
{
    if (chIdx >= 0 && chIdx < chCount)
        twChannels->setCurrentIndex(chIdx);
}

void sc4830fp_fp::getStatus()
{
    const bool oddTick = (statusTick & 1) != 0;
    for (int i = 0; i < chCount; ++i)
        chPages[i]->showIdentificationPhase(oddTick);

    if (d_vi != 0 && oddTick && !calibrating) {
        ViInt16 icpErr = 0;
        ViInt16 excErr = 0;
        const ViStatus status = sc4830_getStatus(d_vi, &icpErr, &excErr, VI_NULL, VI_NULL);
        if (status != 0) {
            // Stopped before the report: its box runs an event loop in which the timer
            // would otherwise fire into this slot again. The poll stays stopped, and the
            // tabs and lamps say so while the report is up.
            statusTimer->stop();
            showStatusNotMonitored();
            sc4830fp_check(
                this, status, "sc4830_getStatus(d_vi, &icpErr, &excErr, VI_NULL, VI_NULL)");
            return;
        }
        showStatus(static_cast<ViUInt16>(icpErr), static_cast<ViUInt16>(excErr));
    }
    // Only the parity counts; wrapping keeps it and never overflows.
    statusTick = (statusTick + 1) & 0x3FFFFFFF;
}

void sc4830fp_fp::showStatus(ViUInt16 icpErr, ViUInt16 excErr)
{
    // Bit i of each word is channel index i; a set ICP bit means the current is in order.
    for (int i = 0; i < chCount; ++i) {
        const ViUInt16 mask = static_cast<ViUInt16>(1u << i);
        chPages[i]->showStatus((icpErr & mask) != 0, (excErr & mask) != 0);
        refreshMarks(i);
    }
}

void sc4830fp_fp::showStatusNotMonitored()
{
    statusMonitored = false;
    for (int i = 0; i < chCount; ++i) {
        chPages[i]->showStatusNotMonitored();
        refreshMarks(i);
    }
}

void sc4830fp_fp::pageAttentionChanged(int chIdx)
{
    refreshMarks(chIdx);
}

void sc4830fp_fp::showCalibrationStep(int chIdx)
{
    const int previous = calibrationChannel;
    calibrationChannel = chIdx;
    if (previous >= 0)
        refreshMarks(previous);
    if (chIdx >= 0)
        refreshMarks(chIdx);
}

void sc4830fp_fp::refreshMarks(int chIdx)
{
    using Marks = sc4830fp_channelMarks;
    const sc4830fp_chCfg *page = chPages[chIdx];
    Marks::Conditions now;
    now.setFlag(Marks::IcpFault, page->icpFault());
    now.setFlag(Marks::ExcitationLimit, page->atExcitationLimit());
    now.setFlag(Marks::NotApplied, page->lastApply().refused());
    now.setFlag(Marks::Identification, page->identifyOn);
    now.setFlag(Marks::Calibrating, chIdx == calibrationChannel);
    now.setFlag(Marks::NotMonitored, !statusMonitored);
    // The status poll asks every 400 ms; the tab changes only when its words do.
    if (marks[chIdx].update(now)) {
        // The tab's tooltip is what a screen reader reads as the tab's description.
        twChannels->setTabToolTip(chIdx, marks[chIdx].words());
        twChannels->setTabIcon(chIdx,
            marks[chIdx].any() ? style()->standardIcon(QStyle::SP_MessageBoxWarning) : QIcon());
    }
    // The table follows the lamps, the tab's words and the last apply the same way.
    if (channelTable)
        channelTable->refreshRow(chIdx);
}

void sc4830fp_fp::setVRefMonitor()
{
    const bool on = pbVrefMonitor->isChecked();
    pbVrefMonitor->setText(on ? tr("ON") : tr("OFF"));
    if (d_vi == 0)
        return;

    ViInt32 srcBckup = 0;
    ViReal64 vrefBckup = 0.0;
    const QPointer<sc4830fp_fp> alive(this);
    const ViStatus status = sc4830_getVoltRefOutput(d_vi, &srcBckup, &vrefBckup, VI_NULL);
    sc4830fp_check(this, status, "sc4830_getVoltRefOutput (d_vi, &srcBckup, &vrefBckup, VI_NULL)");
    // Writing back after a failed read would route whatever the driver left in the
    // variables; a warning still delivers the routing. The panel may have gone meanwhile.
    if (!alive || status < 0)
        return;
    sc4830fp_check(this,
        sc4830_setVoltRefOutput(d_vi, srcBckup, vrefBckup, on ? VI_TRUE : VI_FALSE),
        "sc4830_setVoltRefOutput (d_vi, srcBckup, vrefBckup, "
        "(pbVrefMonitor->isChecked())?VI_TRUE:VI_FALSE)");
}

void sc4830fp_fp::masterGainChanged(int chIdx, int gainValue)
{
    if (chIdx < 0 || chIdx >= chCount)
        return;
    chPages[chIdx]->setHostGain(gainValue);
}

void sc4830fp_fp::scuGainChanged(int chIdx, ViReal64 scuGainVal)
{
    emit gainChanged(chIdx, scuGainVal);
}

void sc4830fp_fp::masterChannelEnabled(int chIdx, int enable)
{
    if (chIdx < 0 || chIdx >= chCount)
        return;
    chPages[chIdx]->setEnabled(enable != 0);
}
