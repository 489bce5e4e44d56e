#ifndef SC4830FP_CHANNELTABLE_H
#define SC4830FP_CHANNELTABLE_H

#include <QList>
#include <QTableView>

class QAbstractItemDelegate;

// The view of the channel table: a table view whose leading columns stay where they are
// while the others scroll sideways beneath them, so that a window too narrow for all
// fifteen columns still shows on every row which channel it is and what is wrong with it.
//
// The columns kept in view are drawn by a second view laid over the left edge, on the same
// model and selection. This view keeps the focus and the keyboard (the part over it hands
// focus on to it), the part opens the editors of its own columns, and a double click there
// comes out as this view's activated(). A screen reader meets this view alone, with every
// column; the part sends it nothing. GUI thread only.
class sc4830fp_channelTable : public QTableView
{
    Q_OBJECT

public:
    explicit sc4830fp_channelTable(QWidget *parent = nullptr);

    // Moves the model's columns (in this order) to the front and keeps them in view. Once,
    // after setModel(); the part over the edge edits through delegate, which must not be
    // this view's own (a delegate serves one view).
    void keepInView(const QList<int> &columns, QAbstractItemDelegate *delegate);
    // The part that shows the columns kept in view; null before keepInView().
    QTableView *keptPart() const;

protected:
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;
    void scrollTo(const QModelIndex &index, ScrollHint hint = EnsureVisible) override;
    void resizeEvent(QResizeEvent *event) override;
    void updateGeometries() override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void selectionChanged(
        const QItemSelection &selected, const QItemSelection &deselected) override;

private:
    // The part over view's edge, editing through delegate.
    sc4830fp_channelTable(sc4830fp_channelTable *over, QAbstractItemDelegate *delegate);

    bool isKept(int column) const;
    int keptWidth() const;
    void placeKeptPart();

    sc4830fp_channelTable *kept = nullptr; // the part over the edge, on the view
    sc4830fp_channelTable *over = nullptr; // on the part: the view it lies over
    QList<int> keptColumns;
};

#endif // SC4830FP_CHANNELTABLE_H
