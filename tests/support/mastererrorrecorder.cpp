#include "mastererrorrecorder.h"

#include <sc4830fp_fp.h>

MasterErrorRecorder::MasterErrorRecorder(sc4830fp_fp *panel)
{
    connect(panel, &sc4830fp_fp::masterError, this, [this](int error, const char *fcall) {
        m_codes.append(error);
        m_calls.append(fcall);
    });
}

QList<QByteArray> MasterErrorRecorder::texts() const
{
    QList<QByteArray> texts;
    for (const char *call : m_calls)
        texts.append(QByteArray(call));
    return texts;
}
