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

} // namespace

void showErrorMessage(const QString &text)
{
    const QMessageBox::StandardButton answer = QMessageBox::critical(
        QApplication::activeWindow(), title(" SFP Error message"),
        text + QStringLiteral("\nDo you want to exit?"), QMessageBox::Yes | QMessageBox::No);
    if (answer == QMessageBox::Yes)
        std::exit(0);
}

void showWarningMessage(const QString &text)
{
    QMessageBox::warning(QApplication::activeWindow(), title(" SFP Warning message"), text);
}

void showInfoMessage(const QString &text)
{
    QMessageBox::information(QApplication::activeWindow(), title(" SFP Info message"), text);
}
