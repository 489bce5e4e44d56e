#ifndef SC4830FP_CHANNELMARKS_H
#define SC4830FP_CHANNELMARKS_H

#include <QCoreApplication>
#include <QFlags>
#include <QString>

// What needs an operator's attention on one channel, in words for its tab.
//
// The panel keeps one per channel, hands it the channel's conditions as they stand
// (update()) and re-labels the tab only when update() says they changed, so that a
// status poll that finds everything as before touches no widget. words() joins the
// conditions in a fixed order with "; "; no condition gives no words. GUI thread only.
class sc4830fp_channelMarks
{
    Q_DECLARE_TR_FUNCTIONS(sc4830fp_channelMarks)

public:
    enum Condition {
        IcpFault = 0x01, // in ICP mode, and the ICP lamp shows red
        ExcitationLimit = 0x02, // the current-limit lamp is lit
        NotApplied = 0x04, // the last apply was refused with an error or the carrier's
        Identification = 0x08, // identification is switched on
        Calibrating = 0x10, // a calibration step runs on the channel
        NotMonitored = 0x20, // the status poll stopped on a failed read
    };
    Q_DECLARE_FLAGS(Conditions, Condition)

    // Takes the conditions that hold now; true when they differ from the last ones.
    bool update(Conditions now);
    Conditions conditions() const { return current; }
    bool any() const { return current != Conditions(); }
    // "ICP current fault; Settings not applied", or empty without any condition.
    QString words() const;

private:
    Conditions current;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(sc4830fp_channelMarks::Conditions)

#endif // SC4830FP_CHANNELMARKS_H
