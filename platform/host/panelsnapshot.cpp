#include "panelsnapshot.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QWidget>

PanelSnapshot::PanelSnapshot(const QWidget *panel)
    : states(read(panel))
{
}

bool PanelSnapshot::differsFrom(const QWidget *panel) const
{
    return read(panel) != states;
}

QVariantList PanelSnapshot::read(const QWidget *panel)
{
    QVariantList values;
    const QList<QWidget *> controls = panel->findChildren<QWidget *>();
    for (const QWidget *control : controls) {
        const auto *button = qobject_cast<const QAbstractButton *>(control);
        if (const auto *combo = qobject_cast<const QComboBox *>(control))
            values.append(combo->currentIndex());
        else if (const auto *spin = qobject_cast<const QAbstractSpinBox *>(control))
            values.append(spin->text());
        else if (button && button->isCheckable())
            values.append(button->isChecked());
    }
    return values;
}
