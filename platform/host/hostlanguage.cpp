#include "hostlanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

namespace {

bool install(
    QTranslator &translator, const QLocale &locale, const QString &name, const QString &folder)
{
    return translator.load(locale, name, QStringLiteral("_"), folder)
        && QCoreApplication::installTranslator(&translator);
}

} // namespace

HostLanguage::HostLanguage(const QLocale &locale)
{
    qtInstalled = install(qt, locale, QStringLiteral("qtbase"), qtTranslationsPath());
    hostInstalled = install(
        host, locale, QStringLiteral("sfp-host"), QStringLiteral(":/sfp-host/translations"));
}

HostLanguage::~HostLanguage()
{
    QCoreApplication::removeTranslator(&host);
    QCoreApplication::removeTranslator(&qt);
}

QString HostLanguage::qtTranslationsPath()
{
    // Qt 6 renamed QLibraryInfo::location() to path().
#if QT_VERSION_MAJOR >= 6
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#else
    return QLibraryInfo::location(QLibraryInfo::TranslationsPath);
#endif
}
