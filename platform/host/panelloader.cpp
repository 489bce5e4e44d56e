#include "panelloader.h"

#include <cr2200fp_scuinterface.h>
#include <cr2200fp_verification.h>

#include <QFileInfo>
#include <QJsonObject>
#include <QList>

namespace {

using VerificationDataFn = const char *(*)();

const char verificationSymbol[] = "qt_plugin_query_verification_data";

} // namespace

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

// Qt reads the metadata from the file without loading it, so a file that is no Qt
// plug-in is turned away before any of its code runs.
bool PanelLoader::checkMetaData()
{
    const QJsonObject metaData = loader.metaData();
    if (metaData.isEmpty())
        return fail(QStringLiteral("not a Qt plug-in: %1").arg(filePath));
    iid = metaData.value(QStringLiteral("IID")).toString();
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

bool PanelLoader::instantiate()
{
    QObject *instance = loader.instance();
    if (!instance)
        return fail(QStringLiteral("plug-in gives no factory: %1 (%2)")
                        .arg(filePath, loader.errorString()));
    pluginFactory = qobject_cast<cr2200fp_scuPluginInterface *>(instance);
    if (!pluginFactory)
        return fail(QStringLiteral("plug-in has the wrong interface '%1', expected '%2': %3")
                        .arg(iid, QLatin1String(cr2200fp_scuPluginInterface_iid), filePath));
    return true;
}

bool PanelLoader::fail(const QString &problem)
{
    error = problem;
    return false;
}
