#ifndef CR2200FP_MESSAGES_H
#define CR2200FP_MESSAGES_H

#include <QMessageBox>
#include <QString>

// Operator message boxes shared by every front panel. Each box is modal, parented to the
// application's active window (none if there is none), and titled "Orbisa ", then
// sfpModelName, then its kind. GUI thread only.

// Part of every box title; front panels that know their model may set it. Empty here.
extern QString sfpModelName;

// Critical box with text and "\nDo you want to exit?", buttons Yes and No. No is the
// default and the escape button, so that Enter or Escape dismisses the message; Yes ends
// the process at once with status 0, closing and releasing nothing; No returns.
void showErrorMessage(const QString &text);
// Warning box with text and a single OK button.
void showWarningMessage(const QString &text);
// Information box with text and a single OK button.
void showInfoMessage(const QString &text);

// Shows a modal box with text as plain text and returns the button pressed.
// defaultButton is the one Enter presses (NoButton: the first accepting one, as Qt's
// static functions choose). The box lives on the heap: its parent may be deleted while
// it runs (a host deleting a panel from a timer), taking the box along; the answer is
// then NoButton, and the caller must not touch what went with the parent.
QMessageBox::StandardButton showModalBox(QMessageBox::Icon icon, const QString &title,
    const QString &text, QMessageBox::StandardButtons buttons,
    QMessageBox::StandardButton defaultButton, QWidget *parent);

#endif // CR2200FP_MESSAGES_H
