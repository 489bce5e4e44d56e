#include "hostviews.h"

#include <cr2200fp_overviewinterface.h>
#include <cr2200fp_scuinterface.h>

#include <QAbstractItemModel>
#include <QApplication>
#include <QButtonGroup>
#include <QLabel>
#include <QMetaObject>
#include <QShortcut>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The table's last column, "State": a cell stands out (its own font) while the channel is
// not as the unit last took it.
constexpr int stateColumn = 14;

// True unless a widget from w up to top (not included) was hidden on purpose, as the
// pages of a tab widget other than the current one are.
bool shownWithin(const QWidget *w, const QWidget *top)
{
    for (; w && w != top; w = w->parentWidget()) {
        if (w->isHidden() && w->testAttribute(Qt::WA_WState_ExplicitShowHide))
            return false;
    }
    return true;
}

// Part of a tab bar: the bar itself, or (Qt 6 lets Tab reach them) its scroll buttons.
bool inTabBar(const QWidget *w)
{
    return qobject_cast<const QTabBar *>(w) || qobject_cast<const QTabBar *>(w->parentWidget());
}

QToolButton *switchButton(const QString &text, const QString &toolTip)
{
    auto *button = new QToolButton;
    button->setText(text);
    button->setToolTip(toolTip);
    button->setCheckable(true);
    button->setAutoRaise(false);
    return button;
}

} // namespace

HostViews::HostViews(QWidget *parent)
    : QWidget(parent)
{
    pagesButton = switchButton(
        tr("Channel pages"), tr("Shows the panel's pages, one channel at a time (Ctrl+T)"));
    tableButton = switchButton(
        tr("All channels"), tr("Shows every channel as a row of one table (Ctrl+T)"));
    pagesButton->setChecked(true);
    auto *group = new QButtonGroup(this);
    group->addButton(pagesButton);
    group->addButton(tableButton);
    applyButton = new QToolButton;
    applyButton->setText(tr("Apply changed"));
    applyButton->setToolTip(tr("Applies every channel the table shows as changed or refused"));

    reviewLine = new QLabel;
    reviewLine->setWordWrap(true);
    reviewLine->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    reviewLine->hide();

    // A layout, not a stacked widget: the view hidden does not count in the window's least
    // size, so that the table with a review above it fits where the pages do.
    views = new QVBoxLayout(this);
    views->setContentsMargins(0, 0, 0, 0);
    views->addWidget(reviewLine);

    auto *shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_T), this);
    connect(shortcut, &QShortcut::activated, this, &HostViews::toggle);
    connect(tableButton, &QToolButton::toggled, this, &HostViews::showTable);
    connect(applyButton, &QToolButton::clicked, this, &HostViews::applyChanged);
    setPanel(nullptr);
}

void HostViews::setPanel(cr2200fp_scuInterface *panel)
{
    delete overviewWidget.data();
    panelWidget = panel;
    if (panel)
        views->addWidget(panel);
    cr2200fp_overviewInterface *overviewPanel = overviewInterface();
    if (overviewPanel) {
        overviewWidget = overviewPanel->createOverview(this);
        overviewWidget->hide();
        views->addWidget(overviewWidget);
        // The overview is the panel's widget: the host knows its signals by signature.
        connectOverview(SIGNAL(pageShown(int)), SLOT(overviewShowedPage(int)));
        connectOverview(SIGNAL(changesApplied(cr2200fp_setupResult)),
            SIGNAL(changesApplied(cr2200fp_setupResult)));
        connectOverview(SIGNAL(changesReverted()), SIGNAL(changesReverted()));
        QAbstractItemModel *model = overviewPanel->channelModel();
        connect(model, &QAbstractItemModel::dataChanged, this, &HostViews::updateApply);
        connect(model, &QAbstractItemModel::rowsInserted, this, &HostViews::updateApply);
    }
    for (QToolButton *button : { pagesButton, tableButton, applyButton })
        button->setVisible(overviewPanel != nullptr);
    setReview(QString());
    showTable(false);
    updateApply();
}

cr2200fp_overviewInterface *HostViews::overviewInterface() const
{
    return qobject_cast<cr2200fp_overviewInterface *>(panelWidget.data());
}

bool HostViews::tableShown() const
{
    return overviewWidget && !overviewWidget->isHidden();
}

void HostViews::setReview(const QString &text)
{
    reviewLine->setText(text);
    reviewLine->setVisible(!text.isEmpty() && tableShown());
}

QString HostViews::review() const
{
    return reviewLine->text();
}

void HostViews::showTable(bool shown)
{
    QWidget *view = shown ? overviewWidget.data() : panelWidget.data();
    QWidget *other = shown ? panelWidget.data() : overviewWidget.data();
    {
        const QSignalBlocker blocker(tableButton);
        (shown ? tableButton : pagesButton)->setChecked(true);
    }
    if (!view)
        return;
    const bool hadFocus = other && other->isAncestorOf(QApplication::focusWidget());
    if (other)
        other->hide();
    view->show();
    // The review is of the table; the pages' tabs say which channels are not applied.
    reviewLine->setVisible(shown && !reviewLine->text().isEmpty());
    applyButton->setVisible(!shown && overviewWidget);
    emit viewShown(shown);
    QWidget *control = hadFocus || shown ? firstControl(view) : nullptr;
    if (control)
        control->setFocus(Qt::ShortcutFocusReason);
}

void HostViews::toggle()
{
    showTable(!tableShown());
}

QWidget *HostViews::firstControl(QWidget *root)
{
    if (!root)
        return nullptr;
    for (QWidget *w = root->nextInFocusChain(); w && w != root; w = w->nextInFocusChain()) {
        if (root->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isEnabled()
            && !w->focusProxy() && !inTabBar(w) && shownWithin(w, root))
            return w;
    }
    return nullptr;
}

void HostViews::overviewShowedPage(int chIdx)
{
    Q_UNUSED(chIdx) // the panel's tab widget shows that page already
    showTable(false);
}

void HostViews::applyChanged()
{
    cr2200fp_overviewInterface *overviewPanel = overviewInterface();
    if (!overviewPanel)
        return;
    // The panel's boxes may run meanwhile, in which the window may lose the panel and
    // these views with it.
    const QPointer<HostViews> alive(this);
    const QPointer<QWidget> panel(panelWidget);
    const bool hadFocus = applyButton->hasFocus();
    const cr2200fp_setupResult result = overviewPanel->applyChanged();
    if (!alive || !panel)
        return;
    // Disabled by its apply, the button would hand focus on to whatever comes next in the
    // window (Reset, say): it goes back to the pages instead.
    if (hadFocus && !applyButton->hasFocus()) {
        if (QWidget *control = firstControl(panelWidget))
            control->setFocus(Qt::OtherFocusReason);
    }
    emit changesApplied(result);
}

QList<int> HostViews::channelsNotApplied() const
{
    QList<int> channels;
    cr2200fp_overviewInterface *overviewPanel = overviewInterface();
    const QAbstractItemModel *model = overviewPanel ? overviewPanel->channelModel() : nullptr;
    for (int row = 0; model && row < model->rowCount(); ++row) {
        if (model->index(row, stateColumn).data(Qt::FontRole).isValid())
            channels.append(row + 1);
    }
    return channels;
}

void HostViews::updateApply()
{
    applyButton->setEnabled(!channelsNotApplied().isEmpty());
    emit statesChanged();
}

void HostViews::connectOverview(const char *signal, const char *slot)
{
    // A panel whose overview lacks a signal is still shown; the views only learn less.
    // SIGNAL() prefixes the code digit; the meta-object knows the bare signature.
    const QByteArray signature = QMetaObject::normalizedSignature(signal + 1);
    if (overviewWidget->metaObject()->indexOfSignal(signature.constData()) >= 0)
        connect(overviewWidget, signal, this, slot);
}
