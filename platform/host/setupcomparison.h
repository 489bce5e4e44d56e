#ifndef SFP_SETUPCOMPARISON_H
#define SFP_SETUPCOMPARISON_H

#include <cr2200fp_setupinterface.h>

#include <QString>
#include <QVector>

// Where two setups of one unit differ, setting by setting: channels in order, each
// channel's keys in the order a setup file lists them (input, mode, coupling, gain,
// excitation.positive, excitation.negative, shunt, calibrations.signalPath,
// calibrations.excitation, calibrations.autobalance, name). A key either setup leaves out
// of a channel, and a channel only one of them names, are not compared. Values are
// written as a setup file writes them. No widget, no state: any thread.
class SetupComparison
{
public:
    struct Difference
    {
        int channel = 0; // from 1
        QString key; // as the file names it: "mode", "excitation.positive"
        QString from; // the value in from, as the file writes it: "\"Full Bridge\"", "2.5"
        QString to;
    };

    static QVector<Difference> differences(const cr2200fp_setup &from, const cr2200fp_setup &to);
    // channel 3: mode "Full Bridge" -> "ICP"
    static QString line(const Difference &difference);
};

#endif // SFP_SETUPCOMPARISON_H
