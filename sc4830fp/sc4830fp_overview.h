#ifndef SC4830FP_OVERVIEW_H
#define SC4830FP_OVERVIEW_H

#include <cr2200fp_setupinterface.h>

#include <QPointer>
#include <QWidget>

class QLabel;
class QModelIndex;
class QPushButton;
class QTableView;
class sc4830fp_channelModel;
class sc4830fp_fp;

// All channels of a panel in one table, for a host to place beside or instead of the
// panel's pages (cr2200fp_overviewInterface::createOverview).
//
// The table shows the panel's sc4830fp_channelModel, with Channel, Name, Mode, Attention
// and State first and in view while the other columns scroll (sc4830fp_channelTable). A
// value edited in one cell is set on every selected row that includes it (rows whose page
// does not offer it keep theirs, and the line under the table names them); "Apply changed"
// and "Revert changed" act on the whole panel. Editing works by keyboard alone: arrows, F2
// or typing, Enter, Escape; Tab leaves the table for the buttons. Enter or a double click
// on a "Channel" cell brings that channel's page to the front of the panel's tab widget and
// emits pageShown. The panel deletes the widget when it goes first. GUI thread only.
class sc4830fp_overview : public QWidget
{
    Q_OBJECT

public:
    sc4830fp_overview(sc4830fp_fp *panel, sc4830fp_channelModel *model, QWidget *parent = nullptr);

    QTableView *table;
    QLabel *note; // what the last edit or apply could not do, in words; empty otherwise
    QPushButton *pbApplyChanged;
    QPushButton *pbRevertChanged;

signals:
    // The operator asked for channel index chIdx's page, which the panel now shows.
    void pageShown(int chIdx);
    // "Apply changed" applied the changed channels: one outcome per channel applied. Not
    // emitted when the widget went in one of the apply's boxes.
    void changesApplied(const cr2200fp_setupResult &result);
    // "Revert changed" set the changed channels back to what the unit last took.
    void changesReverted();

private:
    // Sizes the columns first to last to their contents (the name and the attention to
    // at most a few words); widenOnly leaves wide enough columns as they are.
    void fitColumns(int first, int last, bool widenOnly);
    void setOnSelectedRows(int row, int column, const QVariant &value);
    void showPage(const QModelIndex &index);
    void applyChanged();
    void revertChanged();
    // Focus stays in the table after its buttons.
    void keepFocus();
    // The buttons are offered while a channel is Changed (or, for Apply, Refused).
    void updateButtons();

    QPointer<sc4830fp_fp> panel;
    sc4830fp_channelModel *model;
};

#endif // SC4830FP_OVERVIEW_H
