#include "channeltab.h"

#include <sc4830fp_fp.h>

#include <QAccessible>
#include <QTabBar>
#include <QTabWidget>

QString channelTab(const sc4830fp_fp *panel, int chIdx)
{
    QTabWidget *tabs = panel->twChannels;
    QAccessibleInterface *bar = QAccessible::queryAccessibleInterface(tabs->tabBar());
    QAccessibleInterface *tab = bar ? bar->child(chIdx) : nullptr;
    if (!tab)
        return QStringLiteral("<no accessible tab>");
    const QString toolTip = tabs->tabToolTip(chIdx);
    const QString description = tab->text(QAccessible::Description);
    const QString name = tab->text(QAccessible::Name);
    if (name != QStringLiteral("Ch %1").arg(chIdx + 1))
        return QStringLiteral("<named \"%1\">").arg(name);
    if (description != toolTip)
        return QStringLiteral("<tooltip \"%1\", description \"%2\">").arg(toolTip, description);
    const bool icon = !tabs->tabIcon(chIdx).isNull();
    if (icon == toolTip.isEmpty())
        return toolTip + (icon ? QStringLiteral(" <icon>") : QStringLiteral(" <no icon>"));
    return toolTip;
}
