#include "modalguard.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

ModalGuard::ModalGuard(QObject *parent)
    : QObject(parent)
{
    qApp->installEventFilter(this);
}

ModalGuard::~ModalGuard()
{
    qApp->removeEventFilter(this);
}

QStringList ModalGuard::takeSeen()
{
    QStringList taken;
    taken.swap(seen);
    return taken;
}

bool ModalGuard::eventFilter(QObject *object, QEvent *event)
{
    if (event->type() != QEvent::Show)
        return false;
    auto *box = qobject_cast<QMessageBox *>(object);
    if (!box || !box->isWindow())
        return false;

    ++total;
    seen << QStringLiteral("message box \"%1\": %2")
                .arg(box->windowTitle(), box->text().simplified());
    // Answered from the box's own event loop, which starts right after the show.
    QPointer<QMessageBox> guarded(box);
    QTimer::singleShot(0, this, [this, guarded] {
        if (guarded)
            answer(guarded);
    });
    return false;
}

void ModalGuard::answer(QMessageBox *box)
{
    const QMessageBox::StandardButton preference[]
        = { QMessageBox::No, QMessageBox::Cancel, QMessageBox::Close, QMessageBox::Ok };
    for (QMessageBox::StandardButton which : preference) {
        if (QAbstractButton *button = box->button(which)) {
            button->click();
            return;
        }
    }
    if (QAbstractButton *button = box->escapeButton())
        button->click();
    else
        box->reject();
}
