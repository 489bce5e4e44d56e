#include "modalanswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QMetaEnum>
#include <QPushButton>
#include <QTest>

// QSignalSpy copies each argument into a QVariant, which needs the type registered.
static const int callTextType = qRegisterMetaType<const char *>();

QStringList SeenBox::face() const
{
    const QMetaEnum icons = QMetaEnum::fromType<QMessageBox::Icon>();
    return { QString::fromLatin1(icons.valueToKey(icon)), title, text,
        buttons.join(QLatin1Char(',')) };
}

ModalAnswerer::ModalAnswerer(QObject *parent)
    : QObject(parent)
{
    connect(&timer, &QTimer::timeout, this, &ModalAnswerer::poll);
    timer.start(5);
}

ModalAnswerer::~ModalAnswerer() = default;

void ModalAnswerer::queue(QMessageBox::StandardButton answer)
{
    answers.append(answer);
}

bool ModalAnswerer::waitForBoxes(int n, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (seen.size() < n && clock.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return seen.size() >= n;
}

QString ModalAnswerer::buttonName(QMessageBox::StandardButton button)
{
    switch (button) {
    case QMessageBox::Ok:
        return QStringLiteral("Ok");
    case QMessageBox::Cancel:
        return QStringLiteral("Cancel");
    case QMessageBox::Yes:
        return QStringLiteral("Yes");
    case QMessageBox::No:
        return QStringLiteral("No");
    case QMessageBox::Close:
        return QStringLiteral("Close");
    case QMessageBox::Abort:
        return QStringLiteral("Abort");
    case QMessageBox::Retry:
        return QStringLiteral("Retry");
    case QMessageBox::Ignore:
        return QStringLiteral("Ignore");
    default:
        return QStringLiteral("0x%1").arg(uint(button), 0, 16);
    }
}

void ModalAnswerer::poll()
{
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    // A box is answered once; its event loop may take a moment to notice the click.
    if (!box || box == current || !box->isVisible())
        return;
    current = box;

    SeenBox record;
    record.icon = box->icon();
    record.title = box->windowTitle();
    record.text = box->text();
    record.parent = box->parentWidget();
    record.parentWasNull = box->parentWidget() == nullptr;
    if (meanwhile)
        record.meanwhile = meanwhile();
    const QList<QAbstractButton *> buttons = box->buttons();
    for (QAbstractButton *b : buttons)
        record.buttons.append(buttonName(box->standardButton(b)));
    if (box->defaultButton())
        record.defaultButton = buttonName(box->standardButton(box->defaultButton()));
    if (box->escapeButton())
        record.escapeButton
            = buttonName(box->standardButton(qobject_cast<QPushButton *>(box->escapeButton())));
    seen.append(record);

    QAbstractButton *press = nullptr;
    if (!answers.isEmpty()) {
        const QMessageBox::StandardButton answer = answers.takeFirst();
        if (answer == EnterKey) {
            QTest::keyClick(box, Qt::Key_Return);
            return;
        }
        press = box->button(answer);
    }
    if (!press)
        press = box->escapeButton();
    if (!press && !buttons.isEmpty())
        press = buttons.last();
    if (press)
        press->click();
}
