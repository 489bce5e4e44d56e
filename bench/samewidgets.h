#ifndef SFP_SAMEWIDGETS_H
#define SFP_SAMEWIDGETS_H

class QWidget;

// The baseline of the start figure: the panel's widget tree without the panel. A
// top-level widget with a tab widget of the given number of pages, each holding the
// same widgets as a channel page (5 combo boxes with their items, 2 double spin boxes,
// 6 push buttons, 3 check boxes, 5 line edits, 4 group boxes, 18 labels, 3 lamps, in the
// same layouts with the same texts and tooltips; sameWidgetsDifferences() checks the
// counts), and the reference monitor row under it. No slot is connected, no timer runs,
// no driver is called. Unshown; the caller owns it. GUI thread only.
QWidget *buildSameWidgets(int pages);
// One of those pages, for channel n (1 to 16), made a child of parent.
QWidget *buildSameWidgetsPage(int n, QWidget *parent = nullptr);

#endif // SFP_SAMEWIDGETS_H
