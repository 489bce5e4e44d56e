#ifndef SFP_PANELSNAPSHOT_H
#define SFP_PANELSNAPSHOT_H

#include <QVariantList>

class QWidget;

// The operator's settings in a panel, read from its controls alone, so that a host that
// knows the panel only as a widget can tell whether the operator changed anything: the
// current item of every combo box, the text of every spin box and the state of every
// checkable button inside it, in the panel's child order, and the channels' names where
// the panel offers a table of its channels. GUI thread only.
class PanelSnapshot
{
public:
    PanelSnapshot() = default;
    explicit PanelSnapshot(const QWidget *panel);

    // True when a control of the panel reads otherwise than it did in the snapshot (or the
    // panel holds other controls than then).
    bool differsFrom(const QWidget *panel) const;

    bool isEmpty() const { return states.isEmpty(); }

private:
    static QVariantList read(const QWidget *panel);

    QVariantList states;
};

#endif // SFP_PANELSNAPSHOT_H
