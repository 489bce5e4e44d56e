#ifndef SFP_PANELRIG_H
#define SFP_PANELRIG_H

#include <sc4830fp_fp.h>

#include <QPointer>
#include <QString>

class QAbstractItemModel;
class sc4830fp_chCfg;

// A panel on the simulated bench, brought as far as a host brings it: built and given a
// simulated carrier session of 8 or 16 channels (none for a demonstration), then attached
// unless the test means to do that itself. The rig deletes the panel, unless the test did,
// and then closes the carrier session.
class PanelRig
{
public:
    enum Start {
        Built, // setMaster() on the carrier session; initUnit() is the test's
        Demonstration, // setMaster() without a carrier session, then initUnit()
        Attached // setMaster() and initUnit() on the carrier session; the call log cleared
    };
    // A stopped status poll keeps the call log to what the test itself does.
    enum Poll { Polling, NotPolling };

    explicit PanelRig(Start start = Attached, int channels = 8, Poll poll = Polling);
    ~PanelRig();
    PanelRig(const PanelRig &) = delete;
    PanelRig &operator=(const PanelRig &) = delete;

    sc4830fp_chCfg *page(int index) const;
    // The panel's table of all channels, as a host reaches it, and one cell's text there.
    QAbstractItemModel *table() const;
    QString cell(int row, int column) const;
    // The unit session as the call log writes it.
    QString unit() const;

    QPointer<sc4830fp_fp> panel;
    ViUInt16 model; // the carrier model code of the channel count
    ViSession carrier = 0; // 0 in a demonstration
};

#endif // SFP_PANELRIG_H
