#ifndef ACCESSIBLECONTROLS_H
#define ACCESSIBLECONTROLS_H

#include <cr2200fp_led.h>

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QList>
#include <QStringList>
#include <QWidget>

// What a screen reader meets of a window, read the way Qt's own accessibility tests read
// widgets: through QAccessible::queryAccessibleInterface and the interfaces' children.

// The controls (buttons, check boxes, combo and spin boxes, line edits, lamps) in the
// accessibility tree under root, in tree order. Only root's own window counts: a combo
// box's list is a popup window of its own, read as a list of its items.
inline QList<QAccessibleInterface *> accessibleControls(QWidget *root)
{
    QList<QAccessibleInterface *> controls;
    QList<QAccessibleInterface *> pending { QAccessible::queryAccessibleInterface(root) };
    while (!pending.isEmpty()) {
        QAccessibleInterface *iface = pending.takeFirst();
        if (!iface || !iface->isValid())
            continue;
        auto *widget = qobject_cast<QWidget *>(iface->object());
        if (widget && widget->window() != root->window())
            continue;
        if (widget
            && (qobject_cast<QAbstractButton *>(widget) || qobject_cast<QComboBox *>(widget)
                || qobject_cast<QAbstractSpinBox *>(widget) || qobject_cast<QLineEdit *>(widget)
                || qobject_cast<cr2200fp_led *>(widget)))
            controls.append(iface);
        for (int i = 0; i < iface->childCount(); ++i)
            pending.append(iface->child(i));
    }
    return controls;
}

// The controls among accessibleControls(root) that a screen reader would read without a
// name, each as its class and its visible text, for a failure message.
inline QStringList unnamedControls(QWidget *root)
{
    QStringList unnamed;
    for (QAccessibleInterface *control : accessibleControls(root)) {
        if (control->text(QAccessible::Name).trimmed().isEmpty()) {
            unnamed.append(QString::fromLatin1(control->object()->metaObject()->className())
                + QLatin1String(" \"") + control->text(QAccessible::Value) + QLatin1Char('"'));
        }
    }
    return unnamed;
}

// The names of the labels (captions, group box titles) that label this widget.
inline QStringList accessibleLabels(QWidget *widget)
{
    QStringList labels;
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(widget);
    const auto relations = iface->relations(QAccessible::Label);
    for (const auto &relation : relations)
        labels.append(relation.first->text(QAccessible::Name));
    return labels;
}

#endif // ACCESSIBLECONTROLS_H
