#include "sc4830fp_plugin.h"

#include "sc4830fp_fp.h"

#include <cr2200fp_verification.h>

#include <QCoreApplication>
#include <QLocale>
#include <QtGlobal>

#include <new>

sc4830fp_plugin::sc4830fp_plugin()
{
    if (translator.loadFor(QLocale()))
        QCoreApplication::installTranslator(&translator);
}

cr2200fp_scuInterface *sc4830fp_plugin::createPanel()
{
    return new (std::nothrow) sc4830fp_fp;
}

// Hosts built against another Qt compare this block with their own before they use the
// module.
extern "C" Q_DECL_EXPORT const char *qt_plugin_query_verification_data()
{
    return cr2200fp_verificationData;
}
