#ifndef SFP_MODALGUARD_H
#define SFP_MODALGUARD_H

#include <QObject>
#include <QStringList>

class QMessageBox;

// Answers every modal message box of the process at once, so that the bench never waits
// for an operator, and keeps a line for each box as an anomaly to report.
//
// It watches the application's events for a message box being shown (no polling timer,
// which would add to the idle processor time measured) and presses, in this order of
// preference, No, Cancel, Close or Ok: the choice that neither ends the process (the
// error box's "Do you want to exit?") nor confirms anything. GUI thread only; installs
// itself on the application for its lifetime.
class ModalGuard : public QObject
{
    Q_OBJECT

public:
    explicit ModalGuard(QObject *parent = nullptr);
    ~ModalGuard() override;

    // The boxes answered since the last call, as "title: text" lines.
    QStringList takeSeen();
    int count() const { return total; }

protected:
    bool eventFilter(QObject *object, QEvent *event) override;

private:
    void answer(QMessageBox *box);

    QStringList seen;
    int total = 0;
};

#endif // SFP_MODALGUARD_H
