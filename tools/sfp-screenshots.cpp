// Renders the panel attached to the simulated 16-channel carrier with one page in each
// mode class (bridge, ICP, voltage) into PNG files, so that layout faults (clipped
// texts, misaligned rows) can be seen without clicking through a live window.
#include <sc4830fp_chcfg.h>
#include <sc4830fp_fp.h>
#include <sc4830sim.h>
#include <simcarrier.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QTabWidget>
#include <QTextStream>
#include <QTimer>

#include <cstdio>

namespace {

struct Shot
{
    const char *file;
    int mode; // cbMode index
    int coupling; // cbCoup index
    double pos, neg;
};

void configure(sc4830fp_chCfg *page, const Shot &shot)
{
    sc4830fp_chCfg::Settings settings = page->settings();
    settings.mode = shot.mode;
    settings.coupling = shot.coupling;
    settings.posExc = shot.pos;
    settings.negExc = shot.neg;
    page->setSettings(settings);
    page->applyAction();
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString folder
        = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots");
    QDir().mkpath(folder);

    const ViSession carrier = simcarrier_open(SIMCARRIER_MODEL_16CH);
    sc4830sim_setStatusWords(0x0002, 0x0001);
    sc4830fp_fp panel;
    panel.setMaster(carrier, SIMCARRIER_MODEL_16CH, 0);
    panel.initUnit();
    panel.show();

    const Shot shots[] = {
        { "page-bridge.png", 0, 1, 5.0, -5.0 },
        { "page-icp.png", 5, 0, 0.0, 0.0 },
        { "page-voltage.png", 6, 1, 0.0, 0.0 },
    };
    QTextStream out(stdout);
    for (int i = 0; i < 3; ++i) {
        configure(panel.chPages[i], shots[i]);
        panel.twChannels->setCurrentIndex(i);
        // Two status ticks: the second reads the unit and lights the lamps.
        panel.getStatus();
        panel.getStatus();
        app.processEvents();
        const QString path = QDir(folder).filePath(QLatin1String(shots[i].file));
        if (!panel.grab().save(path)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
        out << path << '\n';
    }

    // The calibration dialog while a signal-path calibration of Ch 1 runs.
    sc4830sim_setCalibrationDurationMs(2000);
    sc4830fp_chCfg *page = panel.chPages[0];
    page->chkSignalPath->setChecked(true);
    const QString dialogPath = QDir(folder).filePath(QStringLiteral("calibration-dialog.png"));
    bool dialogSaved = false;
    QTimer::singleShot(1000, [&] {
        QWidget *dialog = QApplication::activeModalWidget();
        dialogSaved = dialog && dialog->grab().save(dialogPath);
    });
    page->calibrateAction();
    if (!dialogSaved) {
        std::fprintf(stderr, "no calibration dialog to capture\n");
        return 1;
    }
    out << dialogPath << '\n';
    return 0;
}
