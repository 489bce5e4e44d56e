#include "panelloader.h"

#include <cr2200fp_messages.h>
#include <cr2200fp_scuinterface.h>
#include <cr2200fp_verification.h>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QJsonObject>
#include <QList>

#if !defined(SFP_BUILD_PLUGIN) || !defined(SFP_INSTALLED_PLUGIN)
#error "SFP_BUILD_PLUGIN and SFP_INSTALLED_PLUGIN name the default module"
#endif

namespace {

using VerificationDataFn = const char *(*)();

const char verificationSymbol[] = "qt_plugin_query_verification_data";
const char modelNameSymbol[] = "sfpModelName";

// Where a module keeps its metadata, which opens with a header: a byte of the format's
// version, the major and the minor Qt, and a byte of flags. Qt 6 puts it in an ELF note of
// type 0x74510001 and owner "qt-project!" (the header follows the owner's name); Qt 5 in
// a section opened by "QTMETADATA !" and format version 0.
const QByteArray qt6Note = QByteArray("\x01\x00\x51\x74qt-project!", 16);
const QByteArray qt5Mark = QByteArrayLiteral("QTMETADATA !");

// "6.4" from the header at offset header of contents, or empty when there is none. A
// formatVersion of -1 takes any.
QString headerQtVersion(const QByteArray &contents, int header, int formatVersion)
{
    if (header < 0 || header + 3 > contents.size())
        return QString();
    if (formatVersion >= 0 && contents.at(header) != formatVersion)
        return QString();
    return QStringLiteral("%1.%2")
        .arg(static_cast<unsigned char>(contents.at(header + 1)))
        .arg(static_cast<unsigned char>(contents.at(header + 2)));
}

// The Qt named by the header of a module's metadata ("6.4"), found where Qt 6 or Qt 5 puts
// it; empty when the file has no Qt metadata.
QString metaDataQtVersion(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray contents = file.readAll();
    const int note = contents.indexOf(qt6Note);
    const QString qt6 = headerQtVersion(contents, note < 0 ? -1 : note + qt6Note.size(), -1);
    if (!qt6.isEmpty())
        return qt6;
    const int mark = contents.indexOf(qt5Mark);
    return headerQtVersion(contents, mark < 0 ? -1 : mark + qt5Mark.size(), 0);
}

// "6.4" from a QT_VERSION number as Qt's plug-in metadata carries it (Qt 5 leaves the
// patch level 0 there).
QString qtVersionText(int version)
{
    return QStringLiteral("%1.%2").arg(version >> 16).arg((version >> 8) & 0xFF);
}

} // namespace

QString PanelLoader::defaultModule()
{
    // A build tree is known by its module lying where the build puts it beside this
    // program; anywhere else the module is the installation's, which the message names
    // when it is missing.
    const QString here = QFileInfo(QCoreApplication::applicationDirPath()).canonicalFilePath();
    const QFileInfo installed(here + QStringLiteral("/" SFP_INSTALLED_PLUGIN));
    const QFileInfo built(here + QStringLiteral("/" SFP_BUILD_PLUGIN));
    return (!installed.exists() && built.exists() ? built : installed).absoluteFilePath();
}

PanelLoader::PanelLoader(const QString &path)
    : filePath(QFileInfo(path).absoluteFilePath())
    , loader(filePath)
    , library(filePath)
{
}

bool PanelLoader::load()
{
    return checkFile() && checkMetaData() && checkVerificationData() && instantiate();
}

QByteArray PanelLoader::expectedVerificationData()
{
    return QByteArray(cr2200fp_verificationData);
}

QString PanelLoader::verificationMismatch(const QByteArray &block, const QByteArray &expected)
{
    if (block == expected)
        return QString();
    const QList<QByteArray> got = block.split('\n');
    const QList<QByteArray> want = expected.split('\n');
    for (int i = 0; i < want.size(); ++i) {
        const QByteArray line = i < got.size() ? got.at(i) : QByteArray("(nothing)");
        if (line != want.at(i))
            return QStringLiteral("%1 (expected %2)")
                .arg(QString::fromLatin1(line), QString::fromLatin1(want.at(i)));
    }
    return QStringLiteral("%1 more line(s) than expected").arg(got.size() - want.size());
}

bool PanelLoader::checkFile()
{
    const QFileInfo info(filePath);
    if (!info.exists())
        return fail(QStringLiteral("plug-in file not found: %1").arg(filePath));
    if (!info.isFile() || !info.isReadable())
        return fail(QStringLiteral("plug-in is not a readable file: %1").arg(filePath));
    return true;
}

// Qt reads the metadata from the file without loading it, so a module this host cannot
// use is turned away before any of its code runs: a file that is no Qt plug-in, one built
// with another major Qt (loading it would map a second Qt into the process), one of
// another interface, and one that serves another unit.
bool PanelLoader::checkMetaData()
{
    const QJsonObject metaData = loader.metaData();
    if (metaData.isEmpty()) {
        // Qt reads no metadata of another major Qt; the section's header still names it.
        const QString otherQt = metaDataQtVersion(filePath);
        if (!otherQt.isEmpty())
            return otherQtFailure(otherQt);
        return fail(QStringLiteral("not a Qt plug-in: %1").arg(filePath));
    }
    iid = metaData.value(QStringLiteral("IID")).toString();
    const int moduleQt = metaData.value(QStringLiteral("version")).toInt();
    if (QT_VERSION_MAJOR != (moduleQt >> 16))
        return otherQtFailure(qtVersionText(moduleQt));
    if (iid != QLatin1String(cr2200fp_scuPluginInterface_iid))
        return wrongInterface();
    const QString unitName = metaData.value(QStringLiteral("MetaData"))
                                 .toObject()
                                 .value(QStringLiteral("unit"))
                                 .toString();
    if (unitName != QLatin1String(servedUnit))
        return fail(QStringLiteral("plug-in serves %1, not the %2 this host offers: %3")
                        .arg(unitName.isEmpty() ? QStringLiteral("no unit it names") : unitName,
                            QLatin1String(servedUnit), filePath));
    return true;
}

// As Qt 4's loader did, the block is compared before the factory is asked for: a module
// built against another Qt or build type would break in the first virtual call.
bool PanelLoader::checkVerificationData()
{
    if (!library.load())
        return fail(QStringLiteral("plug-in cannot be loaded: %1 (%2)")
                        .arg(filePath, library.errorString()));
    const auto query = reinterpret_cast<VerificationDataFn>(library.resolve(verificationSymbol));
    if (!query)
        return fail(QStringLiteral("plug-in exports no %1: %2")
                        .arg(QLatin1String(verificationSymbol), filePath));
    const char *data = query();
    if (!data)
        return fail(QStringLiteral("plug-in gives no verification data: %1").arg(filePath));
    const QString mismatch = verificationMismatch(QByteArray(data), expectedVerificationData());
    if (!mismatch.isEmpty())
        return fail(QStringLiteral("plug-in verification data do not match this host: %1: %2")
                        .arg(mismatch, filePath));
    return true;
}

void PanelLoader::setModelName(const QString &name)
{
    sfpModelName = name;
    if (!library.isLoaded())
        return;
    // Both copies are built from the same QString of the same Qt (the verification block
    // says so), so the module's may be assigned from here.
    auto *moduleName = reinterpret_cast<QString *>(library.resolve(modelNameSymbol));
    if (moduleName && moduleName != &sfpModelName)
        *moduleName = name;
}

bool PanelLoader::instantiate()
{
    QObject *instance = loader.instance();
    if (!instance)
        return fail(QStringLiteral("plug-in gives no factory: %1 (%2)")
                        .arg(filePath, loader.errorString()));
    pluginFactory = qobject_cast<cr2200fp_scuPluginInterface *>(instance);
    if (!pluginFactory)
        return wrongInterface();
    return true;
}

bool PanelLoader::otherQtFailure(const QString &moduleQt)
{
    return fail(QStringLiteral("plug-in is built with Qt %1, this host with Qt %2: %3")
                    .arg(moduleQt, QLatin1String(QT_VERSION_STR), filePath));
}

bool PanelLoader::wrongInterface()
{
    return fail(QStringLiteral("plug-in has the wrong interface '%1', expected '%2': %3")
                    .arg(iid, QLatin1String(cr2200fp_scuPluginInterface_iid), filePath));
}

bool PanelLoader::fail(const QString &problem)
{
    error = problem;
    return false;
}
