#ifndef SFP_PANELLOADER_H
#define SFP_PANELLOADER_H

#include <QByteArray>
#include <QLibrary>
#include <QPluginLoader>
#include <QString>

class cr2200fp_scuPluginInterface;

// Loads a front panel plug-in module and hands out its factory, after the checks a host
// owes itself before it calls into foreign code: the file exists; its metadata, read
// before loading, shows a Qt plug-in of this host's major Qt, of the panel factory
// interface (by the whole interface identifier), that serves the unit this host offers;
// its verification block matches this host's Qt and build; and its factory implements
// the interface.
//
// The module stays loaded for the loader's lifetime and beyond (panels made by it must
// not outlive the code that draws them). GUI thread only.
class PanelLoader
{
public:
    explicit PanelLoader(const QString &path);

    // The module this host loads unless told otherwise: in the build tree the module built
    // with it, installed the module of the same installation, relative to this program.
    static QString defaultModule();

    // Runs the checks in order and stops at the first that fails; false then, and
    // errorString() names the problem and the file in one line.
    bool load();
    QString errorString() const { return error; }

    // The module's factory once load() succeeded, else null. Owned by the module.
    cr2200fp_scuPluginInterface *factory() const { return pluginFactory; }
    QString path() const { return filePath; }
    // The interface identifier the module's metadata declares.
    QString interfaceId() const { return iid; }

    // Sets the shared library's sfpModelName, part of every message box's title, in this
    // host and in the loaded module: a module links its own copy of the library, and its
    // boxes read that copy, which the module exports. A module without it keeps its own.
    void setModelName(const QString &name);

    // The unit behind this host's simulated carrier, as plug-ins name it in their metadata.
    static constexpr const char servedUnit[] = "Orbisa 4830";

    // The four-line block a module built for this host carries.
    static QByteArray expectedVerificationData();
    // The first line in which block differs from expected, as
    // "version=4.8.6 (expected version=5.15.8)"; empty when they are equal.
    static QString verificationMismatch(const QByteArray &block, const QByteArray &expected);

private:
    bool checkFile();
    bool checkMetaData();
    bool checkVerificationData();
    bool instantiate();
    bool otherQtFailure(const QString &moduleQt);
    bool wrongInterface();
    bool fail(const QString &problem);

    QString filePath;
    QPluginLoader loader;
    QLibrary library;
    QString iid;
    QString error;
    cr2200fp_scuPluginInterface *pluginFactory = nullptr;
};

#endif // SFP_PANELLOADER_H
