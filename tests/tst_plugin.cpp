// The plug-in module as a host sees it: loaded through QPluginLoader, its factory, its
// verification block, its interfaces' meta-objects, its resource tree and its catalogue.
#include "modalanswerer.h"

#include <cr2200fp_led.h>
#include <cr2200fp_overviewinterface.h>
#include <cr2200fp_scuinterface.h>
#include <cr2200fp_setupinterface.h>
#include <sc4830fp_calibrationdialog.h>
#include <sc4830fp_chcfg.h>
#include <sfp_version.h>

#include <QComboBox>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLibrary>
#include <QLibraryInfo>
#include <QMetaMethod>
#include <QPluginLoader>
#include <QPointer>
#include <QResource>
#include <QTabWidget>
#include <QTranslator>
#include <QtTest>

namespace {

const char *const iid = "com.tormel.Plugin.cr2200fp_scuPluginInterface/1.0";

struct Method
{
    QMetaMethod::MethodType type;
    const char *signature;
    const char *parameterNames;
};

// Compares the methods a class adds to its base with the expected list, in order.
void compareMethods(const QMetaObject *meta, const QList<Method> &expected)
{
    QCOMPARE(meta->methodCount() - meta->methodOffset(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        const QMetaMethod m = meta->method(meta->methodOffset() + i);
        QCOMPARE(m.methodType(), expected[i].type);
        QCOMPARE(m.methodSignature(), QByteArray(expected[i].signature));
        QCOMPARE(m.parameterNames().join(','), QByteArray(expected[i].parameterNames));
        if (m.methodType() == QMetaMethod::Slot)
            QCOMPARE(m.access(), QMetaMethod::Public);
    }
}

// A host's own catalogue for one class of the panel: marks that class's texts "[[...]]".
class HostCatalogue : public QTranslator
{
public:
    explicit HostCatalogue(const QByteArray &context)
        : context(context)
    {
    }
    bool isEmpty() const override { return false; }
    QString translate(const char *c, const char *source, const char *, int) const override
    {
        return context == c ? QStringLiteral("[[%1]]").arg(QLatin1String(source)) : QString();
    }

private:
    QByteArray context;
};

} // namespace

class tst_Plugin : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void factoryIsKeptUntilDeleted();
    void castByInterfaceIdentifier();
    void verificationBlock();
    void metadataReadBeforeLoading();
    void metaObjects();
    void pageAndDialogMetaObjects();
    void panelFromFactory();
    void resourceTreeFollowsTheModule();
    void catalogueFollowsTheLocale_data();
    void catalogueFollowsTheLocale();

private:
    QPluginLoader *loader = nullptr;
};

void tst_Plugin::init()
{
    loader = new QPluginLoader(QStringLiteral(SFP_PLUGIN_PATH));
    // Without this Qt keeps the library mapped after unload().
    loader->setLoadHints({});
    QVERIFY2(loader->load(), qPrintable(loader->errorString()));
}

void tst_Plugin::cleanup()
{
    delete loader->instance();
    loader->unload();
    delete loader;
    loader = nullptr;
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void tst_Plugin::factoryIsKeptUntilDeleted()
{
    using InstanceFunction = QObject *(*)();
    QLibrary library(QStringLiteral(SFP_PLUGIN_PATH));
    auto instance = reinterpret_cast<InstanceFunction>(library.resolve("qt_plugin_instance"));
    QVERIFY(instance);

    QPointer<QObject> first = instance();
    QVERIFY(first);
    QCOMPARE(instance(), first.data());
    QCOMPARE(loader->instance(), first.data());
    QCOMPARE(first->metaObject()->className(), "sc4830fp_plugin");
    QVERIFY(!first->parent());

    delete first.data();
    QVERIFY(!first);
    QObject *second = instance();
    QVERIFY(second);
    QCOMPARE(instance(), second);
    QCOMPARE(loader->instance(), second);
}

void tst_Plugin::castByInterfaceIdentifier()
{
    QObject *factory = loader->instance();
    QVERIFY(qobject_cast<cr2200fp_scuPluginInterface *>(factory));

    // The cast answers the class, then the identifier, then the base classes' names.
    QVERIFY(factory->qt_metacast("sc4830fp_plugin"));
    QVERIFY(factory->qt_metacast(iid));
    QVERIFY(factory->qt_metacast("cr2200fp_scuPluginInterface"));
    QVERIFY(factory->qt_metacast("QObject"));
    QVERIFY(!factory->qt_metacast("com.tormel.Plugin.cr2200fp_scuPluginInterface/2.0"));
    QVERIFY(!factory->qt_metacast("org.example.Plugin.cr2200fp_scuPluginInterface/1.0"));
    QVERIFY(!factory->qt_metacast("cr2200fp_scuInterface"));

    QCOMPARE(loader->metaData().value(QStringLiteral("IID")).toString(), QString::fromLatin1(iid));
}

void tst_Plugin::verificationBlock()
{
    using VerificationFunction = const char *(*)();
    QLibrary library(QStringLiteral(SFP_PLUGIN_PATH));
    auto query = reinterpret_cast<VerificationFunction>(
        library.resolve("qt_plugin_query_verification_data"));
    QVERIFY(query);
#ifdef QT_NO_DEBUG
    const char *const debug = "false";
    const char *const kind = "release";
#else
    const char *const debug = "true";
    const char *const kind = "debug";
#endif
    const QByteArray expected = QByteArray("pattern=QT_PLUGIN_VERIFICATION_DATA\nversion=")
        + QT_VERSION_STR + "\ndebug=" + debug + "\nbuildkey=Linux x86_64 g++ " + kind
        + " full-config";
    QCOMPARE(QByteArray(query()), expected);
}

// What a host, and Qt's own qtplugininfo, read of the module before loading it: the unit,
// the carriers it serves with their channel counts, the interface and the versions.
void tst_Plugin::metadataReadBeforeLoading()
{
    const QString module = QFileInfo(QStringLiteral(SFP_PLUGIN_PATH)).absoluteFilePath();
#if QT_VERSION_MAJOR >= 6
    const QString tools = QLibraryInfo::path(QLibraryInfo::BinariesPath);
#else
    const QString tools = QLibraryInfo::location(QLibraryInfo::BinariesPath);
#endif
    QProcess info;
    info.start(tools + QStringLiteral("/qtplugininfo"), { QStringLiteral("--full-json"), module });
    QVERIFY2(info.waitForFinished(30000), qPrintable(info.errorString()));
    QCOMPARE(info.exitCode(), 0);
    QCOMPARE(info.readAllStandardError(), QByteArray()); // no complaint about the metadata
    const QJsonObject json = QJsonDocument::fromJson(info.readAllStandardOutput()).object();
    QCOMPARE(json.value(QStringLiteral("IID")).toString(), QLatin1String(iid));

    const QJsonObject data = json.value(QStringLiteral("MetaData")).toObject();
    QCOMPARE(data.value(QStringLiteral("unit")).toString(), QStringLiteral("Orbisa 4830"));
    QCOMPARE(data.value(QStringLiteral("interfaceVersion")).toString(), QStringLiteral("1.0"));
    // The optional interfaces the panel implements, each with its own versioned identifier.
    QCOMPARE(data.value(QStringLiteral("interfaces"))[QStringLiteral("setupInterface")].toString(),
        QStringLiteral(cr2200fp_setupInterface_iid));
    QCOMPARE(
        data.value(QStringLiteral("interfaces"))[QStringLiteral("overviewInterface")].toString(),
        QStringLiteral(cr2200fp_overviewInterface_iid));
    QCOMPARE(data.value(QStringLiteral("version")).toString(), QStringLiteral(SFP_VERSION_STRING));
    QCOMPARE(data.value(QStringLiteral("qt")).toString(), QStringLiteral(QT_VERSION_STR));
    QMap<QString, int> carriers;
    for (const QJsonValue carrier : data.value(QStringLiteral("carriers")).toArray())
        carriers.insert(carrier[QStringLiteral("model")].toString(),
            carrier[QStringLiteral("channels")].toInt());
    const QMap<QString, int> served { { QStringLiteral("0x2611"), 16 },
        { QStringLiteral("0x2624"), 8 } };
    QCOMPARE(carriers, served);

    // A host's QPluginLoader reads the same.
    QCOMPARE(QPluginLoader(module).metaData().value(QStringLiteral("MetaData")).toObject(), data);
}

void tst_Plugin::metaObjects()
{
    auto *factory = qobject_cast<cr2200fp_scuPluginInterface *>(loader->instance());
    QVERIFY(factory);
    const QMetaObject *pluginMeta = factory->metaObject();
    QCOMPARE(pluginMeta->className(), "sc4830fp_plugin");
    compareMethods(pluginMeta, {});
    QCOMPARE(pluginMeta->superClass()->className(), "cr2200fp_scuPluginInterface");
    compareMethods(pluginMeta->superClass(), {});
    QCOMPARE(pluginMeta->superClass()->superClass(), &QObject::staticMetaObject);

    QScopedPointer<cr2200fp_scuInterface> panel(factory->createPanel());
    QVERIFY(panel);
    const QMetaObject *panelMeta = panel->metaObject();
    QCOMPARE(panelMeta->className(), "sc4830fp_fp");
    // The setup interface is reached by its identifier, beside the unchanged meta-object.
    QVERIFY(qobject_cast<cr2200fp_setupInterface *>(panel.data()));
    QVERIFY(qobject_cast<cr2200fp_overviewInterface *>(panel.data()));
    QVERIFY(!qobject_cast<cr2200fp_setupInterface *>(factory));
    compareMethods(panelMeta,
        { { QMetaMethod::Signal, "masterError(int,const char*)", "error,fcall" },
            { QMetaMethod::Slot, "getStatus()", "" }, { QMetaMethod::Slot, "setVRefMonitor()", "" },
            { QMetaMethod::Slot, "masterGainChanged(int,int)", "chIdx,gainValue" },
            { QMetaMethod::Slot, "scuGainChanged(int,ViReal64)", "chIdx,scuGainVal" },
            { QMetaMethod::Slot, "masterChannelEnabled(int,int)", "chIdx,enable" } });
    const QMetaObject *interfaceMeta = panelMeta->superClass();
    QCOMPARE(interfaceMeta->className(), "cr2200fp_scuInterface");
    compareMethods(interfaceMeta,
        { { QMetaMethod::Signal, "gainChanged(int,ViReal64)", "chIdx,gain" },
            { QMetaMethod::Slot, "masterGainChanged(int,int)", "chIdx,gainValue" },
            { QMetaMethod::Slot, "masterChannelEnabled(int,int)", "chIdx,enable" } });
    QCOMPARE(interfaceMeta->superClass(), &QWidget::staticMetaObject);
    // The host's own copy of the interface describes the same contract.
    QCOMPARE(cr2200fp_scuInterface::staticMetaObject.methodCount(), interfaceMeta->methodCount());
}

// Hosts and scripts reach the page's and the dialog's slots by signature too.
void tst_Plugin::pageAndDialogMetaObjects()
{
    const QMetaObject &page = sc4830fp_chCfg::staticMetaObject;
    QCOMPARE(page.className(), "sc4830fp_chCfg");
    QCOMPARE(page.superClass(), &QWidget::staticMetaObject);
    const auto slot = QMetaMethod::Slot;
    compareMethods(&page,
        { { QMetaMethod::Signal, "scuGainChanged(int,ViReal64)", "chIdx,scuGainVal" },
            { slot, "modeChanged(int)", "index" }, { slot, "gainChanged(int)", "index" },
            { slot, "inputChanged(int)", "" }, { slot, "couplingChanged(int)", "" },
            { slot, "posExcChanged(double)", "" }, { slot, "negExcChanged(double)", "" },
            { slot, "shCalChanged(int)", "" }, { slot, "configChanged()", "" },
            { slot, "applyAction()", "" }, { slot, "applyToAllAction()", "" },
            { slot, "calibrateAction()", "" }, { slot, "calibrateAllAction()", "" },
            { slot, "readExcAction()", "" }, { slot, "identifyChanged()", "" } });
    QCOMPARE(page.propertyCount(), page.propertyOffset());

    const QMetaObject &dialog = sc4830fp_calibrationDialog::staticMetaObject;
    QCOMPARE(dialog.className(), "sc4830fp_calibrationDialog");
    QCOMPARE(dialog.superClass(), &QDialog::staticMetaObject);
    compareMethods(&dialog, { { slot, "cancelAction()", "" } });

    const QMetaObject &led = cr2200fp_led::staticMetaObject;
    QCOMPARE(led.className(), "cr2200fp_led");
    compareMethods(
        &led, { { QMetaMethod::Signal, "valueToggled()", "" }, { slot, "toggleValue()", "" } });
    QCOMPARE(led.propertyCount(), led.propertyOffset());
}

void tst_Plugin::panelFromFactory()
{
    auto *factory = qobject_cast<cr2200fp_scuPluginInterface *>(loader->instance());
    QScopedPointer<cr2200fp_scuInterface> panel(factory->createPanel());
    QVERIFY(panel);
    QVERIFY(!panel->parent());
    QVERIFY(panel->isReady());
    QCOMPARE(
        panel->description(), QStringLiteral("Orbisa 4830 - 16 Channel Signal Conditioning Unit"));
    QCOMPARE(panel->model(), QStringLiteral("4830-AA (DEMO)"));
    QCOMPARE(panel->serialNumber(), QStringLiteral("87654321 (DEMO)"));
    QCOMPARE(panel->revision(), QStringLiteral("1.0.1.0 (DEMO)"));
    QCOMPARE(panel->fileVersion(), QStringLiteral(SFP_VERSION_STRING));
    QCOMPARE(panel->productVersion(), QStringLiteral(SFP_VERSION_STRING));
    // Hosts rely on this version: a new one is a deliberate change of project() and here.
    QCOMPARE(QStringLiteral(SFP_VERSION_STRING), QStringLiteral("4.3.2.12478"));

    // Through the meta-object, as a host that connects by signature reaches the slots.
    QSignalSpy gains(panel.data(), SIGNAL(gainChanged(int, ViReal64)));
    panel->setMaster(0, 0x2624, 0);
    QVERIFY(panel->initUnit());
    QCOMPARE(gains.count(), 8);
    QVERIFY(QMetaObject::invokeMethod(
        panel.data(), "masterChannelEnabled", Q_ARG(int, 0), Q_ARG(int, 0)));
    QCOMPARE(panel->findChildren<QTabWidget *>().value(0)->widget(0)->isEnabled(), false);
}

void tst_Plugin::resourceTreeFollowsTheModule()
{
    struct Entry
    {
        const char *name;
        QResource::Compression compression;
    };
    const Entry entries[] = {
        { ":/tormel-logo.bmp", QResource::ZlibCompression },
        { ":/vxi-logo.bmp", QResource::ZlibCompression },
        { ":/lxi-logo.bmp", QResource::ZlibCompression },
        { ":/fp_splash.png", QResource::NoCompression },
        { ":/about.png", QResource::NoCompression },
        { ":/qt-lgpl-license.txt", QResource::NoCompression },
        { ":/qt5-lgpl-license.txt", QResource::NoCompression },
        { ":/qwt-lgpl-license.txt", QResource::NoCompression },
        { ":/kiss-fft-bsd-license.txt", QResource::NoCompression },
    };
    QCOMPARE(QDir(QStringLiteral(":/")).entryList(QDir::Files).size(), 9);
    for (const Entry &e : entries) {
        QResource resource(QString::fromLatin1(e.name));
        QVERIFY2(resource.isValid(), e.name);
        QCOMPARE(resource.compressionAlgorithm(), e.compression);
        QVERIFY(resource.size() > 0);
        // Format version 1 stores no modification times.
        QVERIFY(!resource.lastModified().isValid());
    }
    QCOMPARE(QImage(QStringLiteral(":/vxi-logo.bmp")).isNull(), false);
    QCOMPARE(QImage(QStringLiteral(":/about.png")).isNull(), false);

    delete loader->instance();
    QVERIFY(loader->unload());
    for (const Entry &e : entries)
        QVERIFY2(!QResource(QString::fromLatin1(e.name)).isValid(), e.name);
    QVERIFY(QDir(QStringLiteral(":/")).entryList(QDir::Files).isEmpty());

    QVERIFY(loader->load());
    QVERIFY(QResource(QStringLiteral(":/about.png")).isValid());
}

QTEST_MAIN(tst_Plugin)
#include "tst_plugin.moc"

void tst_Plugin::catalogueFollowsTheLocale_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QByteArray>("hostContext");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("tab");
    QTest::addColumn<QStringList>("box");

    QTest::newRow("German") << QStringLiteral("de_DE") << QByteArray() << QStringLiteral("Kopplung")
                            << QStringLiteral("Kanal 1")
                            << QStringList { QStringLiteral("Warnung"),
                                   QStringLiteral(
                                       "Gesamtverstärkung des Systems 11000 ist zu hoch") };
    QTest::newRow("Austrian German")
        << QStringLiteral("de_AT") << QByteArray() << QStringLiteral("Kopplung")
        << QStringLiteral("Kanal 1")
        << QStringList { QStringLiteral("Warnung"),
               QStringLiteral("Gesamtverstärkung des Systems 11000 ist zu hoch") };
    QTest::newRow("English") << QStringLiteral("en_US") << QByteArray()
                             << QStringLiteral("Coupling") << QStringLiteral("Ch 1")
                             << QStringList { QStringLiteral("Warning"),
                                    QStringLiteral("Total system gain 11000 is too high") };
    QTest::newRow("German, the host translates the pages")
        << QStringLiteral("de_DE") << QByteArray("sc4830fp_chCfg") << QStringLiteral("[[Coupling]]")
        << QStringLiteral("Kanal 1")
        << QStringList { QStringLiteral("[[Warning]]"),
               QStringLiteral("[[Total system gain 11000 is too high]]") };
    QTest::newRow("German, the host translates the panel")
        << QStringLiteral("de_DE") << QByteArray("sc4830fp_fp") << QStringLiteral("Kopplung")
        << QStringLiteral("[[Ch 1]]")
        << QStringList { QStringLiteral("Warnung"),
               QStringLiteral("Gesamtverstärkung des Systems 11000 ist zu hoch") };
}

void tst_Plugin::catalogueFollowsTheLocale()
{
    QFETCH(QString, locale);
    QFETCH(QByteArray, hostContext);
    QFETCH(QString, caption);
    QFETCH(QString, tab);
    QFETCH(QStringList, box);

    // The factory, made here under the locale, installs the module's catalogue.
    delete loader->instance();
    HostCatalogue host(hostContext);
    if (!hostContext.isEmpty())
        QVERIFY(QCoreApplication::installTranslator(&host));
    QLocale::setDefault(QLocale(locale));
    auto *factory = qobject_cast<cr2200fp_scuPluginInterface *>(loader->instance());
    QLocale::setDefault(QLocale::system());
    QScopedPointer<cr2200fp_scuInterface> panel(factory->createPanel());
    QVERIFY(panel);

    auto *tabs = panel->findChild<QTabWidget *>();
    QCOMPARE(tabs->tabText(0), tab);
    QWidget *page = tabs->widget(0);
    QStringList captions;
    for (QLabel *label : page->findChildren<QLabel *>())
        captions << label->text();
    QVERIFY2(captions.contains(caption), qPrintable(captions.join(QLatin1Char('|'))));

    // The gain warning: 1000 on the page times 11 from the host.
    for (QComboBox *combo : page->findChildren<QComboBox *>()) {
        if (combo->count() == 4 && combo->itemText(3).contains(QLatin1String("1000")))
            combo->setCurrentIndex(3);
    }
    ModalAnswerer boxes;
    panel->masterGainChanged(0, 11);
    QCOMPARE(boxes.seen.size(), 1);
    QCOMPARE((QStringList { boxes.seen[0].title, boxes.seen[0].text }), box);

    // The catalogue leaves with the factory, before its module is unloaded.
    panel.reset();
    delete loader->instance();
    QCoreApplication::removeTranslator(&host);
    QCOMPARE(QCoreApplication::translate("sc4830fp_fp", "Ch %1"), QStringLiteral("Ch %1"));
    QVERIFY(loader->unload());
}
