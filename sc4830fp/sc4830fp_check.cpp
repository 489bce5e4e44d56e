#include "sc4830fp_check.h"

#include "sc4830fp_fp.h"

#include <cr2200fp_messages.h>
#include <sc4830.h>

#include <QByteArray>
#include <QString>

#include <cstring>

bool sc4830fp_check(sc4830fp_fp *scuFp, ViStatus status, const char *fcall)
{
    if (status == 0)
        return true;

    if (status == sc4830_ERROR_FC) {
        ViInt32 code = 0;
        sc4830_getFCLastError(scuFp->d_vi, &code);
        emit scuFp->masterError(code, fcall);
        return false;
    }

    // Cleared first and read only up to its size: a driver that fills the buffer to the
    // last byte without a terminating NUL must not make us read past it.
    ViChar message[1024];
    std::memset(message, 0, sizeof message);
    sc4830_error_message(scuFp->d_vi, status, message);
    const QByteArray text(message, static_cast<int>(strnlen(message, sizeof message)));

    // The driver's text is an argument, never a format: "%n" in it stays "%n".
    if (status < 0)
        showErrorMessage(QString::asprintf("%s failed due to [%s]", fcall, text.constData()));
    else
        showWarningMessage(QString::asprintf("Warning: [%s]", text.constData()));
    return false;
}
