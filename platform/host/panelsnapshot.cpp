#include "panelsnapshot.h"

#include <cr2200fp_overviewinterface.h>

#include <QAbstractButton>
#include <QAbstractItemModel>
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
    // The channels' names are the panel's own, in no control: a panel with a table of its
    // channels gives them there ("Name" is its second column).
    auto *overview = qobject_cast<cr2200fp_overviewInterface *>(const_cast<QWidget *>(panel));
    if (QAbstractItemModel *channels = overview ? overview->channelModel() : nullptr) {
        for (int row = 0; row < channels->rowCount(); ++row)
            values.append(channels->index(row, 1).data());
    }
    return values;
}
