#ifndef SC4830FP_CHANNELKEYS_H
#define SC4830FP_CHANNELKEYS_H

#include <QObject>

class QEvent;
class QKeyEvent;
class QTabWidget;
class QWidget;

// The keys that move between channels, from whatever control of the panel has the focus:
// Ctrl+PageDown and Ctrl+Tab to the next channel, Ctrl+PageUp and Ctrl+Shift+Tab to the
// previous one, round from the last to the first. The control never sees them, so a
// combo box or spin box keeps its value; the focus goes to the new page's first control.
//
// It filters the application's events (a key goes to the focused control first, and the
// controls would otherwise take Ctrl+PageDown as PageDown), acting only on those whose
// receiver lies inside scope's window part; other windows, the panel's dialogs among
// them, keep their keys. Owned by scope. GUI thread only.
class sc4830fp_channelKeys : public QObject
{
    Q_OBJECT

public:
    sc4830fp_channelKeys(QTabWidget *tabs, QWidget *scope);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // +1 for the next channel, -1 for the previous, 0 for any other key.
    static int step(const QKeyEvent *key);
    bool inScope(QObject *watched) const;
    void switchChannel(int direction);

    QTabWidget *tabs;
    QWidget *scope;
};

#endif // SC4830FP_CHANNELKEYS_H
