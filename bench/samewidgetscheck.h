#ifndef SFP_SAMEWIDGETSCHECK_H
#define SFP_SAMEWIDGETSCHECK_H

#include <QStringList>

// The start figure's baseline copies the channel page's widgets by hand, and its ratio is
// only fair while the copy holds what the page holds. Counts the widgets of each class
// under a baseline page and under a channel page of a real (unattached) panel. Empty
// when every count agrees; otherwise one line per class that differs, as "QLabel: 18 on
// the same-widgets page, 19 on a channel page". GUI thread only.
QStringList sameWidgetsDifferences();

#endif // SFP_SAMEWIDGETSCHECK_H
