#ifndef SFP_SCROLLFOLLOWER_H
#define SFP_SCROLLFOLLOWER_H

#include <QObject>

class QAbstractScrollArea;
class QScrollBar;

// Keeps a log view on its newest line: whenever the view's content grows, it scrolls to
// the bottom, unless the operator has scrolled away from the bottom to read; scrolling
// back down makes it follow again. It watches the vertical scroll bar alone, so it works
// alike for list and text views, also for content added before the view had a size.
// Owned by the view. GUI thread only.
class ScrollFollower : public QObject
{
    Q_OBJECT

public:
    explicit ScrollFollower(QAbstractScrollArea *view);

    bool isFollowing() const { return following; }

private:
    void rangeChanged(int minimum, int maximum);
    void valueChanged(int value);

    QScrollBar *bar;
    bool following = true;
};

#endif // SFP_SCROLLFOLLOWER_H
