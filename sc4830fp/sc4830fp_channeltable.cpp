#include "sc4830fp_channeltable.h"

#include <QAbstractItemDelegate>
#include <QHeaderView>
#include <QScrollBar>

sc4830fp_channelTable::sc4830fp_channelTable(QWidget *parent)
    : QTableView(parent)
{
}

sc4830fp_channelTable::sc4830fp_channelTable(
    sc4830fp_channelTable *over, QAbstractItemDelegate *delegate)
    : QTableView(over)
    , over(over)
{
    setObjectName(QStringLiteral("keptColumns"));
    setModel(over->model());
    setSelectionModel(over->selectionModel());
    setItemDelegate(delegate);
    // A click here focuses the view beneath; Tab passes this part by.
    setFocusPolicy(Qt::ClickFocus);
    setFocusProxy(over);
    setFrameShape(QFrame::NoFrame);
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(over->verticalScrollMode());
    setSelectionMode(over->selectionMode());
    setSelectionBehavior(over->selectionBehavior());
    setEditTriggers(over->editTriggers());
    setTabKeyNavigation(over->tabKeyNavigation());
    setWordWrap(over->wordWrap());
    setTextElideMode(over->textElideMode());
}

void sc4830fp_channelTable::keepInView(const QList<int> &columns, QAbstractItemDelegate *delegate)
{
    keptColumns = columns;
    kept = new sc4830fp_channelTable(this, delegate);

    for (int i = 0; i < columns.size(); ++i) {
        for (QHeaderView *header : { horizontalHeader(), kept->horizontalHeader() })
            header->moveSection(header->visualIndex(columns.at(i)), i);
    }
    for (int column = 0; column < model()->columnCount(); ++column) {
        kept->setColumnHidden(column, !isKept(column));
        kept->setColumnWidth(column, columnWidth(column));
    }
    // By pixel, so that a column can be brought out exactly at the part's edge.
    setHorizontalScrollMode(ScrollPerPixel);
    viewport()->stackUnder(kept);

    connect(
        horizontalHeader(), &QHeaderView::sectionResized, this, [this](int column, int, int size) {
            kept->setColumnWidth(column, size);
            placeKeptPart();
        });
    connect(verticalHeader(), &QHeaderView::sectionResized, this,
        [this](int row, int, int size) { kept->setRowHeight(row, size); });
    connect(verticalScrollBar(), &QAbstractSlider::valueChanged, kept->verticalScrollBar(),
        &QAbstractSlider::setValue);
    connect(kept->verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(),
        &QAbstractSlider::setValue);
    connect(kept, &QAbstractItemView::activated, this, &QAbstractItemView::activated);
    placeKeptPart();
    kept->show();
}

QTableView *sc4830fp_channelTable::keptPart() const
{
    return kept;
}

bool sc4830fp_channelTable::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    // The cell beneath the part is covered: its editor opens in the part.
    if (kept && isKept(index.column()))
        return kept->edit(index, trigger, event);
    return QTableView::edit(index, trigger, event);
}

void sc4830fp_channelTable::scrollTo(const QModelIndex &index, ScrollHint hint)
{
    if (!kept || !index.isValid()) {
        QTableView::scrollTo(index, hint);
        return;
    }
    if (isKept(index.column())) {
        // Already in view sideways; only the rows move, and the part moves them here too.
        kept->scrollTo(index, hint);
        return;
    }
    QTableView::scrollTo(index, hint);
    const int covered = keptWidth() - visualRect(index).left();
    if (covered > 0)
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() - covered);
}

void sc4830fp_channelTable::resizeEvent(QResizeEvent *event)
{
    QTableView::resizeEvent(event);
    placeKeptPart();
}

void sc4830fp_channelTable::updateGeometries()
{
    QTableView::updateGeometries();
    placeKeptPart();
}

void sc4830fp_channelTable::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    // The part's cells are the view's cells: only the view tells a screen reader.
    if (over)
        QAbstractItemView::currentChanged(current, previous);
    else
        QTableView::currentChanged(current, previous);
}

void sc4830fp_channelTable::selectionChanged(
    const QItemSelection &selected, const QItemSelection &deselected)
{
    if (over)
        QAbstractItemView::selectionChanged(selected, deselected);
    else
        QTableView::selectionChanged(selected, deselected);
}

bool sc4830fp_channelTable::isKept(int column) const
{
    return keptColumns.contains(column);
}

int sc4830fp_channelTable::keptWidth() const
{
    int width = 0;
    for (int column : keptColumns)
        width += columnWidth(column);
    return width;
}

void sc4830fp_channelTable::placeKeptPart()
{
    if (!kept)
        return;
    kept->horizontalHeader()->setFixedHeight(horizontalHeader()->height());
    const int left = frameWidth() + (verticalHeader()->isVisible() ? verticalHeader()->width() : 0);
    kept->setGeometry(left, frameWidth(), qMin(keptWidth(), viewport()->width()),
        horizontalHeader()->height() + viewport()->height());
}
