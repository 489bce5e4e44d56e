#include "samewidgetscheck.h"

#include "samewidgets.h"

#include <sc4830fp_chcfg.h>
#include <sc4830fp_fp.h>

#include <QMap>
#include <QWidget>

#include <memory>

namespace {

// How many widgets of each class stand under root, root itself not counted. The parts a
// control makes of its own (the line edit of a spin box) count as well: they cost the
// same on both sides.
QMap<QString, int> widgetCensus(const QWidget *root)
{
    QMap<QString, int> census;
    const QList<QWidget *> widgets = root->findChildren<QWidget *>();
    for (const QWidget *widget : widgets)
        ++census[QString::fromLatin1(widget->metaObject()->className())];
    return census;
}

} // namespace

QStringList sameWidgetsDifferences()
{
    const std::unique_ptr<QWidget> baselinePage(buildSameWidgetsPage(1));
    const QMap<QString, int> baseline = widgetCensus(baselinePage.get());
    sc4830fp_fp panel;
    const QMap<QString, int> page = widgetCensus(panel.chPages[0]);

    QMap<QString, int> classes = baseline;
    classes.insert(page);
    QStringList differences;
    for (auto it = classes.cbegin(); it != classes.cend(); ++it) {
        const int inBaseline = baseline.value(it.key());
        const int onPage = page.value(it.key());
        if (inBaseline != onPage)
            differences << QStringLiteral("%1: %2 on the same-widgets page, %3 on a channel page")
                               .arg(it.key())
                               .arg(inBaseline)
                               .arg(onPage);
    }
    return differences;
}
