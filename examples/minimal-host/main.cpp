// The smallest host of a soft front panel plug-in: it loads the module, creates a panel,
// runs it as a demonstration (no carrier session) in the library's application frame and
// prints the panel's identity. Without a screen (QT_QPA_PLATFORM=offscreen) it quits as
// soon as the window is up.
//
//   minimal-host [PLUGIN]
#include <cr2200fp_app.h>
#include <cr2200fp_scuinterface.h>

#include <QApplication>
#include <QFile>
#include <QPluginLoader>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    // Asked before the module (which carries a copy of the tree) is loaded.
    std::printf(
        "logos: %s\n", QFile::exists(QStringLiteral(":/tormel-logo.bmp")) ? "linked" : "missing");
    const QString path
        = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(SC4830FP_PLUGIN);

    QPluginLoader loader(path);
    auto *factory = qobject_cast<cr2200fp_scuPluginInterface *>(loader.instance());
    if (!factory) {
        std::fprintf(stderr, "minimal-host: no panel factory in %s: %s\n", qPrintable(path),
            qPrintable(loader.errorString()));
        return 1;
    }
    cr2200fp_scuInterface *panel = factory->createPanel();
    if (!panel) {
        std::fprintf(stderr, "minimal-host: the factory made no panel\n");
        return 1;
    }

    cr2200fp_app frame;
    auto *layout = new QVBoxLayout;
    layout->addWidget(panel); // the frame owns the panel from here on
    frame.setContentLayout(layout);

    panel->setMaster(0, 0x2611, 0); // no carrier: a demonstration
    panel->initUnit();
    frame.setTitle(panel->description());
    frame.setDemo(true);
    std::printf("description: %s\nmodel: %s\nserial number: %s\nrevision: %s\n",
        qPrintable(panel->description()), qPrintable(panel->model()),
        qPrintable(panel->serialNumber()), qPrintable(panel->revision()));
    std::fflush(stdout);

    frame.show();
    // exit(), not quit(): Qt 6's quit() first closes the windows, and the frame asks
    // before it closes.
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        QTimer::singleShot(0, &app, [] { QCoreApplication::exit(0); });
    return app.exec();
}
