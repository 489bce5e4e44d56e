#ifndef SFP_UIWAIT_H
#define SFP_UIWAIT_H

#include <functional>

class QWidget;

// Turning the GUI thread's event loop for the bench. GUI thread only.
namespace uiwait {

// Runs the event loop for ms milliseconds.
void spin(int ms);

// Calls trigger (show the window, switch a tab, ...) and runs the event loop until widget
// has received a paint event and the repaint that carried it has ended, that is until
// the window's backing store holds the new picture. False when no paint came within
// timeoutMs.
bool paintAfter(QWidget *widget, const std::function<void()> &trigger, int timeoutMs = 5000);

// Shows a top-level widget and waits for its first paint as paintAfter() does.
bool showAndPaint(QWidget *window, int timeoutMs = 5000);

} // namespace uiwait

#endif // SFP_UIWAIT_H
