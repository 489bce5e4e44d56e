#ifndef SFP_MASTERERRORRECORDER_H
#define SFP_MASTERERRORRECORDER_H

#include <QByteArray>
#include <QList>
#include <QObject>

class sc4830fp_fp;

// What a host hears through a panel's masterError(int error, const char *fcall): each
// report's carrier error code and call text, in order, for as long as both live.
class MasterErrorRecorder : public QObject
{
public:
    explicit MasterErrorRecorder(sc4830fp_fp *panel);

    int count() const { return m_codes.size(); }
    QList<int> codes() const { return m_codes; }
    // The call texts, copied.
    QList<QByteArray> texts() const;
    // The call text of report i as the panel sent it: a host may keep the pointer.
    const char *call(int i) const { return m_calls.at(i); }

private:
    QList<int> m_codes;
    QList<const char *> m_calls;
};

#endif // SFP_MASTERERRORRECORDER_H
