#ifndef CR2200FP_OVERVIEWINTERFACE_H
#define CR2200FP_OVERVIEWINTERFACE_H

#include <cr2200fp_setupinterface.h>

#include <QObject>

class QAbstractItemModel;
class QWidget;

// All channels of a panel in one table: the optional interface through which a host shows
// every channel as a row, edits many at once and applies only what changed. A host reaches
// it with qobject_cast<cr2200fp_overviewInterface *>(panel) and copes with null.
//
// channelModel(): a table model the panel owns, one row per channel page in channel order;
//   rows are inserted (with the model's row-insertion signals) when an attach adds pages.
//   The columns: "Channel", "Name", "Input Source", "Mode", "Coupling", "Gain",
//   "Pos. Exc.", "Neg. Exc.", "Shunt", "Total Gain", "Excitation Current Limit",
//   "ICP Current", "Imbalance", "Attention", "State". setData(Qt::EditRole) sets a page's
//   control as the operator would and sends nothing; it refuses what the control does not
//   offer at that moment.
// createOverview(parent): a widget showing the model, with "Apply changed" and "Revert
//   changed"; the host places it and may delete it. It goes with the panel if the panel
//   goes first. Its signals (connect by signature): pageShown(int chIdx), the operator
//   asked for a channel's page, which the panel's tab widget now shows;
//   changesApplied(cr2200fp_setupResult), its "Apply changed" applied, with
//   applyChanged()'s outcomes; changesReverted(), its "Revert changed" reverted.
// applyChanged(): applies every channel that is "Changed" or "Refused", in channel order,
//   each as its page's Apply does; one outcome per channel applied. Message boxes of the
//   driver check may run meanwhile, in which the host may delete the panel.
// revertChanged(): every "Changed" channel's controls back to what the unit last took;
//   sends nothing.
// GUI thread only.
class cr2200fp_overviewInterface
{
public:
    virtual ~cr2200fp_overviewInterface() = default;
    virtual QAbstractItemModel *channelModel() = 0;
    virtual QWidget *createOverview(QWidget *parent) = 0;
    virtual cr2200fp_setupResult applyChanged() = 0;
    virtual void revertChanged() = 0;
};
#define cr2200fp_overviewInterface_iid "com.tormel.Plugin.cr2200fp_overviewInterface/1.0"
Q_DECLARE_INTERFACE(cr2200fp_overviewInterface, cr2200fp_overviewInterface_iid)

#endif // CR2200FP_OVERVIEWINTERFACE_H
