#include "cr2200fp_messages.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdlib>

QString sfpModelName;

namespace {

QString title(const char *suffix)
{
    return QStringLiteral("Orbisa ") + sfpModelName + QLatin1String(suffix);
}

// The texts quote the driver, which may answer anything: shown as written, never as
// rich text (Qt would render markup in it and even load the files an <img> names).
QMessageBox::StandardButton ask(QMessageBox::Icon icon, const char *suffix, const QString &text,
    QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, title(suffix), text, buttons, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

} // namespace

void showErrorMessage(const QString &text)
{
    const QMessageBox::StandardButton answer = ask(QMessageBox::Critical, " SFP Error message",
        text + QStringLiteral("\nDo you want to exit?"), QMessageBox::Yes | QMessageBox::No);
    if (answer == QMessageBox::Yes)
        std::exit(0);
}

void showWarningMessage(const QString &text)
{
    ask(QMessageBox::Warning, " SFP Warning message", text, QMessageBox::Ok);
}

void showInfoMessage(const QString &text)
{
    ask(QMessageBox::Information, " SFP Info message", text, QMessageBox::Ok);
}
