#include "uiwait.h"

#include <QEvent>
#include <QEventLoop>
#include <QMetaObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace {

// Ends the loop once the watched widget has been painted. The quit is queued: a repaint
// paints every dirty widget of the window and flushes it in one go, so the queued quit
// runs only after the whole picture is in the backing store.
class PaintSpy : public QObject
{
public:
    PaintSpy(QWidget *widget, QEventLoop *loop)
        : watched(widget)
        , loop(loop)
    {
        widget->installEventFilter(this);
    }
    ~PaintSpy() override
    {
        if (watched)
            watched->removeEventFilter(this);
    }

    bool painted = false;

protected:
    bool eventFilter(QObject *object, QEvent *event) override
    {
        if (object == watched && event->type() == QEvent::Paint && !painted) {
            painted = true;
            QMetaObject::invokeMethod(loop, &QEventLoop::quit, Qt::QueuedConnection);
        }
        return false;
    }

private:
    QPointer<QWidget> watched;
    QEventLoop *loop;
};

} // namespace

namespace uiwait {

void spin(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool paintAfter(QWidget *widget, const std::function<void()> &trigger, int timeoutMs)
{
    QEventLoop loop;
    PaintSpy spy(widget, &loop);
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
    timeout.start(timeoutMs);
    trigger();
    // A paint inside trigger() has queued the quit already; exec() then returns at once.
    loop.exec();
    return spy.painted;
}

bool showAndPaint(QWidget *window, int timeoutMs)
{
    return paintAfter(
        window, [window] { window->show(); }, timeoutMs);
}

} // namespace uiwait
