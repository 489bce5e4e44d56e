#include "cr2200fp_messages.h"

#include <QApplication>
#include <QPointer>
#include <QPushButton>

#include <cstdlib>

QString sfpModelName;

namespace {

QString title(const char *suffix)
{
    return QStringLiteral("Orbisa ") + sfpModelName + QLatin1String(suffix);
}

// Escape presses Cancel, else No, else the only button: what Qt would find by itself,
// made explicit so that the box says so.
void chooseEscape(QMessageBox *box)
{
    for (const QMessageBox::StandardButton candidate : { QMessageBox::Cancel, QMessageBox::No }) {
        if (QAbstractButton *button = box->button(candidate)) {
            box->setEscapeButton(button);
            return;
        }
    }
    if (box->buttons().size() == 1)
        box->setEscapeButton(box->buttons().first());
}

void chooseDefault(QMessageBox *box, QMessageBox::StandardButton defaultButton)
{
    if (defaultButton != QMessageBox::NoButton) {
        box->setDefaultButton(defaultButton);
        return;
    }
    for (QAbstractButton *button : box->buttons()) {
        if (box->buttonRole(button) == QMessageBox::AcceptRole) {
            box->setDefaultButton(qobject_cast<QPushButton *>(button));
            return;
        }
    }
}

} // namespace

QMessageBox::StandardButton showModalBox(QMessageBox::Icon icon, const QString &title,
    const QString &text, QMessageBox::StandardButtons buttons,
    QMessageBox::StandardButton defaultButton, QWidget *parent)
{
    QPointer<QMessageBox> box = new QMessageBox(icon, title, text, buttons, parent);
    // The texts quote the driver, which may answer anything: shown as written, never as
    // rich text (Qt would render markup in it and even load the files an <img> names).
    box->setTextFormat(Qt::PlainText);
    chooseDefault(box, defaultButton);
    chooseEscape(box);
    const int answer = box->exec();
    if (!box)
        return QMessageBox::NoButton;
    delete box;
    return static_cast<QMessageBox::StandardButton>(answer);
}

void showErrorMessage(const QString &text)
{
    // Enter must not end the host: the operator who only dismisses the message keeps it.
    const QMessageBox::StandardButton answer = showModalBox(QMessageBox::Critical,
        title(" SFP Error message"), text + QStringLiteral("\nDo you want to exit?"),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No, QApplication::activeWindow());
    if (answer == QMessageBox::Yes)
        std::exit(0);
}

void showWarningMessage(const QString &text)
{
    showModalBox(QMessageBox::Warning, title(" SFP Warning message"), text, QMessageBox::Ok,
        QMessageBox::Ok, QApplication::activeWindow());
}

void showInfoMessage(const QString &text)
{
    showModalBox(QMessageBox::Information, title(" SFP Info message"), text, QMessageBox::Ok,
        QMessageBox::Ok, QApplication::activeWindow());
}
