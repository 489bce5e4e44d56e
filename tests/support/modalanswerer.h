#ifndef MODALANSWERER_H
#define MODALANSWERER_H

#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <functional>

// Every test that includes this spies on the panel's masterError(int,const char*) too;
// QSignalSpy needs the call text's type known to the meta-type system.
Q_DECLARE_METATYPE(const char *)

// What a test saw of one modal message box.
struct SeenBox
{
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QString text;
    QStringList buttons; // standard button names in the box's order: "Yes", "No", ...
    QString defaultButton; // the button Enter presses; empty if none
    QString escapeButton; // the button Escape presses; empty if none
    QPointer<QWidget> parent; // the box's parent widget at the moment it was seen
    bool parentWasNull = true;
    QString meanwhile; // what ModalAnswerer::meanwhile returned while the box was up

    // What the operator reads, for a comparison in one line: the icon's name ("Critical",
    // "Warning", "Question", "Information"), the title, the text and the buttons ("Yes,No").
    QStringList face() const;
};

// Answers the modal message boxes that code under test opens, and records each one.
//
// While it exists it polls QApplication::activeModalWidget() every few milliseconds;
// a QMessageBox found there is recorded and answered with the next queued answer, or,
// when none is queued, with its escape button (No, Cancel or OK), so that a box nobody
// expected can never hang a test. Boxes are counted in seen; tests compare them word for
// word. Other modal widgets (the calibration dialog) are left alone.
class ModalAnswerer : public QObject
{
    Q_OBJECT

public:
    explicit ModalAnswerer(QObject *parent = nullptr);
    ~ModalAnswerer() override;

    // Queued as an answer: presses Enter on the box, as an operator who only dismisses
    // the message would, instead of clicking a button.
    static constexpr QMessageBox::StandardButton EnterKey = QMessageBox::NoButton;

    // Queues the answer for the next box not yet answered.
    void queue(QMessageBox::StandardButton answer);

    // Waits until at least n boxes have been seen, processing events; false on timeout.
    bool waitForBoxes(int n, int timeoutMs = 5000);

    QList<SeenBox> seen;
    // Asked as each box comes up, for what the panel shows behind it (a tab's words).
    std::function<QString()> meanwhile;

    static QString buttonName(QMessageBox::StandardButton button);

private:
    void poll();

    QTimer timer;
    QList<QMessageBox::StandardButton> answers;
    QPointer<QMessageBox> current;
};

#endif // MODALANSWERER_H
