#include "sc4830fp_plugin.h"

#include "sc4830fp_fp.h"

#include <QtGlobal>

#include <new>

cr2200fp_scuInterface *sc4830fp_plugin::createPanel()
{
    return new (std::nothrow) sc4830fp_fp;
}

// Hosts built against another Qt compare this block with their own before they use the
// module. Four lines, no trailing line feed.
extern "C" Q_DECL_EXPORT const char *qt_plugin_query_verification_data()
{
    static const char data[] = "pattern=QT_PLUGIN_VERIFICATION_DATA\n"
                               "version=" QT_VERSION_STR "\n"
#if SFP_DEBUG_BUILD
                               "debug=true\n"
                               "buildkey=Linux x86_64 g++ debug full-config";
#else
                               "debug=false\n"
                               "buildkey=Linux x86_64 g++ release full-config";
#endif
    return data;
}
