#include "scrollfollower.h"

#include <QAbstractScrollArea>
#include <QScrollBar>

ScrollFollower::ScrollFollower(QAbstractScrollArea *view)
    : QObject(view)
    , bar(view->verticalScrollBar())
{
    connect(bar, &QScrollBar::rangeChanged, this, &ScrollFollower::rangeChanged);
    connect(bar, &QScrollBar::valueChanged, this, &ScrollFollower::valueChanged);
}

void ScrollFollower::rangeChanged(int, int maximum)
{
    // New lines, or a new size, while the operator reads the newest: back to the bottom.
    if (following)
        bar->setValue(maximum);
}

void ScrollFollower::valueChanged(int value)
{
    following = value >= bar->maximum();
}
