// sfp-bench-bare: the bare host of the memory figure. A QApplication and an empty shown
// QWidget, with nothing of the panel linked or mapped; it reports its resident memory
// the way sfp-bench's children do.

#include "childprocess.h"
#include "measure.h"
#include "uiwait.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QWidget window;
    if (!uiwait::showAndPaint(&window))
        reportAnomaly(QStringLiteral("bare host: the window was not painted"));
    uiwait::spin(300);
    reportValue("rss_mb", measure::residentMb());
    return 0;
}
