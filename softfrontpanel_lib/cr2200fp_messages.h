#ifndef CR2200FP_MESSAGES_H
#define CR2200FP_MESSAGES_H

#include <QString>

// Operator message boxes shared by every front panel. Each box is modal, parented to the
// application's active window (none if there is none), and titled "Orbisa ", then
// sfpModelName, then its kind. GUI thread only.

// Part of every box title; front panels that know their model may set it. Empty here.
extern QString sfpModelName;

// Critical box with text and "\nDo you want to exit?", buttons Yes and No. Yes ends the
// process at once with status 0, closing and releasing nothing; No returns.
void showErrorMessage(const QString &text);
// Warning box with text and a single OK button.
void showWarningMessage(const QString &text);
// Information box with text and a single OK button.
void showInfoMessage(const QString &text);

#endif // CR2200FP_MESSAGES_H
