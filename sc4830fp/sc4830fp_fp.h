#ifndef SC4830FP_FP_H
#define SC4830FP_FP_H

#include "sc4830fp_channelmarks.h"
#include "sc4830fp_chcfg.h"
#include "sc4830fp_setuphistory.h"

#include <cr2200fp_overviewinterface.h>
#include <cr2200fp_scuinterface.h>
#include <cr2200fp_setupinterface.h>

#include <QList>
#include <QPointer>
#include <QString>

class QPushButton;
class QTabWidget;
class QTimer;
class sc4830fp_channelModel;

// The front panel of the Orbisa 4830 signal conditioning unit.
//
// Holds one page per channel (8, or 16 on the carrier 0x2611), identifies and attaches
// to the unit through the carrier, routes the carrier's reference voltage into the unit,
// keeps the unit's identity texts, polls the unit's status every 400 ms and switches the
// reference monitor output. Without a carrier session it is a demonstration panel:
// everything works but no driver call is made and the identity texts end in " (DEMO)".
// GUI thread only; calibrations run their driver calls on worker threads meanwhile and
// set calibrating, which suspends the status read. Setups (cr2200fp_setupInterface) are
// sc4830fp_setup's; the table of all channels (cr2200fp_overviewInterface) is
// sc4830fp_channelModel's, shown by sc4830fp_overview.
class sc4830fp_fp : public cr2200fp_scuInterface,
                    public cr2200fp_setupInterface,
                    public cr2200fp_overviewInterface
{
    Q_OBJECT
    Q_INTERFACES(cr2200fp_setupInterface cr2200fp_overviewInterface)

public:
    static constexpr int maxChannels = 16;
    static constexpr ViUInt16 carrier16Channels = 0x2611;
    static constexpr ViUInt16 carrier8Channels = 0x2624;

    sc4830fp_fp();
    // Closes the unit's session if one is open.
    ~sc4830fp_fp() override;

    void setMaster(ViSession masterVi, ViUInt16 carrierModel, ViUInt16 carrierAux) override;
    bool isCarrierSupported() override;
    bool detectUnit() override;
    bool initUnit() override;
    QString description() override;
    QString model() override;
    QString serialNumber() override;
    QString revision() override;
    QString fileVersion() override;
    QString productVersion() override;

    cr2200fp_setup currentSetup() override;
    cr2200fp_setupResult applySetup(const cr2200fp_setup &setup) override;
    cr2200fp_setupResult stageSetup(const cr2200fp_setup &setup) override;
    QVector<cr2200fp_setup> earlierSetups() override;

    QAbstractItemModel *channelModel() override;
    QWidget *createOverview(QWidget *parent) override;
    cr2200fp_setupResult applyChanged() override;
    void revertChanged() override;

    // A channel's name: free text (sc4830fp_channelItems::isChannelName), empty at first.
    QString channelName(int chIdx) const;
    // False, changing nothing, for a name the rule refuses or a channel the panel lacks.
    bool setChannelName(int chIdx, const QString &name);
    // What the channel's tab says, "" when nothing.
    QString attentionWords(int chIdx) const;
    // Brings the channel's page to the front of the tab widget.
    void showPage(int chIdx);
    // A carrier session was given but the unit's own could not be opened: nothing the
    // pages apply reaches the unit. openFailure() then names the failed open.
    bool unitNotOpened() const { return openOutcome.refused(); }
    sc4830fp_chCfg::ApplyOutcome openFailure() const { return openOutcome; }

    // Apply to all: shows settings on every page but sourceCh's (the page they come
    // from) and applies each page in channel order.
    void applyToAllPages(const sc4830fp_chCfg::Settings &settings, int sourceCh);
    // A page's conditions may have changed (an apply, its identification, a lamp put out
    // by a mode change): its tab's words and marker follow.
    void pageAttentionChanged(int chIdx);
    // The calibration step running now is on channel index chIdx; -1 when none runs.
    void showCalibrationStep(int chIdx);
    // Around every apply of pages (a page's, Apply to all, a setup, the changed channels):
    // what the unit held before one that changes it becomes an earlier setup. Nested
    // calls pair up; the outermost apply counts.
    void applyStarts() { history.applyStarts(*this); }
    void applyEnds() { history.applyEnds(*this); }

    ViSession d_vi; // the unit's session; 0 while none is open
    ViSession masterVi; // the carrier's session; 0 for a demonstration
    ViUInt16 carrierModel;
    ViUInt16 carrierAux; // stored, never read
    sc4830fp_chCfg *chPages[maxChannels]; // entries 0..chCount-1 hold the pages
    int chCount;
    sc4830fp_fp *scuFp; // the panel itself, as the pages see it
    QTabWidget *twChannels;
    QPushButton *pbVrefMonitor;
    QTimer *statusTimer;
    QString modelStr;
    QString serialStr;
    QString revStr;
    int statusTick; // status timer ticks so far; only its parity matters
    bool calibrating; // a calibration sequence runs; the status read waits

signals:
    // A driver call failed with the carrier's error: error is the carrier's own code,
    // fcall the call as written, in static storage.
    void masterError(int error, const char *fcall);

public slots:
    // Status poll, every 200 ms: blinks identification lamps, reads the status words
    // every second tick.
    void getStatus();
    // Switches the unit's reference monitor output as pbVrefMonitor shows.
    void setVRefMonitor();
    void masterGainChanged(int chIdx, int gainValue) override;
    // Passes a page's applied gain on to the host as gainChanged.
    void scuGainChanged(int chIdx, ViReal64 scuGainVal);
    void masterChannelEnabled(int chIdx, int enable) override;

private:
    void addPage(int ch);
    // Routes the carrier's reference into the unit; true when the carrier offers one.
    bool routeReference();
    void readIdentity();
    void applyAllPages();
    void showStatus(ViUInt16 icpErr, ViUInt16 excErr);
    // The poll stopped for good: every tab and status lamp says so.
    void showStatusNotMonitored();
    // Re-labels the channel's tab when its conditions have changed since the last time.
    void refreshMarks(int chIdx);

    sc4830fp_channelMarks marks[maxChannels];
    QString names[maxChannels];
    sc4830fp_setupHistory history;
    sc4830fp_chCfg::ApplyOutcome openOutcome; // the failed open of the unit, if any
    sc4830fp_channelModel *channelTable = nullptr; // a child; gone before the pages
    QList<QPointer<QWidget>> overviews; // what createOverview() gave, deleted with the panel
    int calibrationChannel = -1; // channel index of the running calibration step, or -1
    bool statusMonitored = true; // false once a failed status read has stopped the poll
};

#endif // SC4830FP_FP_H
