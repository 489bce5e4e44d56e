#include "sc4830fp_overview.h"

#include "sc4830fp_channeldelegate.h"
#include "sc4830fp_channelmodel.h"
#include "sc4830fp_channeltable.h"
#include "sc4830fp_fp.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QString channelList(const QList<int> &chIdxs)
{
    QStringList names;
    for (int chIdx : chIdxs)
        names.append(sc4830fp_fp::tr("Ch %1").arg(chIdx + 1));
    return names.join(QStringLiteral(", "));
}

} // namespace

sc4830fp_overview::sc4830fp_overview(
    sc4830fp_fp *panel, sc4830fp_channelModel *model, QWidget *parent)
    : QWidget(parent)
    , panel(panel)
    , model(model)
{
    auto *channels = new sc4830fp_channelTable;
    table = channels;
    table->setModel(model);
    auto *delegate = new sc4830fp_channelDelegate(table);
    table->setItemDelegate(delegate);
    table->setAccessibleName(tr("All channels"));
    table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table->setSelectionBehavior(QAbstractItemView::SelectItems);
    table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
        | QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    // Arrows move between cells; Tab leaves the table for the buttons.
    table->setTabKeyNavigation(false);
    table->verticalHeader()->hide();
    table->setWordWrap(false);
    // What tells one row from another and what is wrong with it stays in view when the
    // window is too narrow for every column (1366 pixels wide is not enough).
    auto *keptDelegate = new sc4830fp_channelDelegate(table);
    channels->keepInView(
        { sc4830fp_channelModel::Channel, sc4830fp_channelModel::Name, sc4830fp_channelModel::Mode,
            sc4830fp_channelModel::Attention, sc4830fp_channelModel::State },
        keptDelegate);
    fitColumns(0, sc4830fp_channelModel::ColumnCount - 1, false);
    table->setCurrentIndex(model->index(0, sc4830fp_channelModel::Channel));

    note = new QLabel;
    note->setWordWrap(true);
    pbApplyChanged = new QPushButton(tr("Apply changed"));
    pbRevertChanged = new QPushButton(tr("Revert changed"));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(pbApplyChanged);
    buttons->addWidget(pbRevertChanged);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(table);
    layout->addWidget(note);
    layout->addLayout(buttons);

    // Set once the editor has closed and the view is at rest: the page's boxes may run
    // meanwhile, and the host may delete the panel, and this widget with it, in one.
    for (sc4830fp_channelDelegate *editing : { delegate, keptDelegate }) {
        connect(editing, &sc4830fp_channelDelegate::valueChosen, this,
            &sc4830fp_overview::setOnSelectedRows, Qt::QueuedConnection);
    }
    connect(table, &QAbstractItemView::activated, this, &sc4830fp_overview::showPage);
    connect(pbApplyChanged, &QPushButton::clicked, this, &sc4830fp_overview::applyChanged);
    connect(pbRevertChanged, &QPushButton::clicked, this, &sc4830fp_overview::revertChanged);
    connect(model, &QAbstractItemModel::dataChanged, this,
        [this](const QModelIndex &topLeft, const QModelIndex &bottomRight) {
            // A longer text than before (a mode, an attention) is not cut off; a width the
            // operator chose stays.
            fitColumns(topLeft.column(), bottomRight.column(), true);
            updateButtons();
        });
    connect(model, &QAbstractItemModel::rowsInserted, this, [this] {
        fitColumns(0, sc4830fp_channelModel::ColumnCount - 1, false);
        updateButtons();
    });
    updateButtons();
}

void sc4830fp_overview::fitColumns(int first, int last, bool widenOnly)
{
    const int charWidth = table->fontMetrics().averageCharWidth();
    for (int column = first; column <= last; ++column) {
        const int before = table->columnWidth(column);
        if (column == sc4830fp_channelModel::Name) {
            // Room for a name of a few words before it is elided; the whole shows in its
            // tooltip.
            if (!widenOnly)
                table->setColumnWidth(column, 16 * charWidth);
            continue;
        }
        table->resizeColumnToContents(column);
        int width = table->columnWidth(column);
        // Two attentions at once take room the other columns need; the whole shows in the
        // cell's tooltip.
        if (column == sc4830fp_channelModel::Attention)
            width = qMin(width, 26 * charWidth);
        if (widenOnly)
            width = qMax(width, before);
        table->setColumnWidth(column, width);
    }
}

void sc4830fp_overview::setOnSelectedRows(int row, int column, const QVariant &value)
{
    QList<int> rows;
    for (const QModelIndex &index : table->selectionModel()->selectedIndexes()) {
        if (!rows.contains(index.row()))
            rows.append(index.row());
    }
    // An edit outside the selection is an edit of its own row only.
    if (!rows.contains(row))
        rows = { row };
    std::sort(rows.begin(), rows.end());

    QList<int> kept;
    const QPointer<sc4830fp_overview> alive(this);
    for (int r : qAsConst(rows)) {
        const bool set = model->setData(model->index(r, column), value);
        if (!alive)
            return;
        if (!set)
            kept.append(r);
    }
    if (kept.isEmpty()) {
        note->clear();
        return;
    }
    note->setText(tr("Not set on %1: %2 %3 is not offered there.")
                      .arg(channelList(kept), model->headerData(column, Qt::Horizontal).toString(),
                          value.toString()));
}

void sc4830fp_overview::showPage(const QModelIndex &index)
{
    if (index.column() != sc4830fp_channelModel::Channel)
        return;
    panel->showPage(index.row());
    emit pageShown(index.row());
}

void sc4830fp_overview::applyChanged()
{
    const QPointer<sc4830fp_overview> alive(this);
    const cr2200fp_setupResult result = panel->applyChanged();
    if (!alive)
        return;
    keepFocus();
    QList<int> refused;
    for (const cr2200fp_channelOutcome &outcome : result.channels) {
        if (outcome.kind == cr2200fp_channelOutcome::Refused)
            refused.append(outcome.channel - 1);
    }
    note->setText(
        refused.isEmpty() ? QString() : tr("Refused by the unit: %1.").arg(channelList(refused)));
    emit changesApplied(result);
}

void sc4830fp_overview::revertChanged()
{
    const QPointer<sc4830fp_overview> alive(this);
    panel->revertChanged();
    if (!alive)
        return;
    keepFocus();
    emit changesReverted();
}

void sc4830fp_overview::keepFocus()
{
    // A button disabled by what it did hands focus to the next widget of the window,
    // which may be the host's Reset: the operator goes on in the table instead.
    QWidget *focused = QApplication::focusWidget();
    if (!focused || !isAncestorOf(focused) || !focused->isEnabled())
        table->setFocus(Qt::OtherFocusReason);
}

void sc4830fp_overview::updateButtons()
{
    bool changed = false;
    bool refused = false;
    for (int i = 0; i < panel->chCount; ++i) {
        const sc4830fp_chCfg::State state = panel->chPages[i]->state();
        changed = changed || state == sc4830fp_chCfg::Changed;
        refused = refused || state == sc4830fp_chCfg::Refused;
    }
    pbApplyChanged->setEnabled(changed || refused);
    pbRevertChanged->setEnabled(changed);
}
