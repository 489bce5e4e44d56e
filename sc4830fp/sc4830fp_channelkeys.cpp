#include "sc4830fp_channelkeys.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QTabWidget>

sc4830fp_channelKeys::sc4830fp_channelKeys(QTabWidget *tabs, QWidget *scope)
    : QObject(scope)
    , tabs(tabs)
    , scope(scope)
{
    QCoreApplication::instance()->installEventFilter(this);
}

int sc4830fp_channelKeys::step(const QKeyEvent *key)
{
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    switch (key->key()) {
    case Qt::Key_PageDown:
        return modifiers == Qt::ControlModifier ? 1 : 0;
    case Qt::Key_PageUp:
        return modifiers == Qt::ControlModifier ? -1 : 0;
    case Qt::Key_Tab:
        if (modifiers == Qt::ControlModifier)
            return 1;
        return modifiers == (Qt::ControlModifier | Qt::ShiftModifier) ? -1 : 0;
    case Qt::Key_Backtab:
        // Shift+Tab arrives as Backtab, with or without Shift still among the modifiers.
        return (modifiers & ~Qt::ShiftModifier) == Qt::ControlModifier ? -1 : 0;
    default:
        return 0;
    }
}

bool sc4830fp_channelKeys::inScope(QObject *watched) const
{
    // isAncestorOf() stays within one window: the page's dialogs and a combo box's open
    // list are windows of their own and keep their keys.
    auto *widget = qobject_cast<QWidget *>(watched);
    return widget && (widget == scope || scope->isAncestorOf(widget));
}

bool sc4830fp_channelKeys::eventFilter(QObject *watched, QEvent *event)
{
    // Every event of the application passes here: the type is all most of them cost.
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride)
        return false;
    const int direction = step(static_cast<QKeyEvent *>(event));
    if (direction == 0 || !inScope(watched))
        return false;
    if (type == QEvent::ShortcutOverride) {
        // Claimed as a key of the panel, so that no shortcut of the host takes it first.
        event->accept();
        return true;
    }
    switchChannel(direction);
    return true;
}

void sc4830fp_channelKeys::switchChannel(int direction)
{
    const int count = tabs->count();
    if (count < 2)
        return;
    tabs->setCurrentIndex((tabs->currentIndex() + direction + count) % count);

    QWidget *page = tabs->currentWidget();
    for (QWidget *next = page->nextInFocusChain(); next != page; next = next->nextInFocusChain()) {
        if (page->isAncestorOf(next) && (next->focusPolicy() & Qt::TabFocus) && next->isEnabled()
            && next->isVisibleTo(page)) {
            next->setFocus(Qt::TabFocusReason);
            return;
        }
    }
    page->setFocus(Qt::TabFocusReason);
}
