#ifndef SC4830FP_PLUGIN_H
#define SC4830FP_PLUGIN_H

#include "sc4830fp_translator.h"

#include <cr2200fp_scuinterface.h>

// The plug-in's factory. The module exports qt_plugin_instance(), which keeps one factory
// until somebody deletes it and then makes a new one, and
// qt_plugin_query_verification_data(), the build's verification block. Its metadata
// (sc4830fp.json.in) tells a host, before it loads the module, which unit and carriers it
// serves.
//
// The factory installs the module's catalogue for the application's locale (QLocale()),
// so that a host that knows nothing of the panel's texts shows them in the operator's
// language; the catalogue leaves alone what the host translates itself, and leaves the
// application with the factory.
class sc4830fp_plugin : public cr2200fp_scuPluginInterface
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID cr2200fp_scuPluginInterface_iid FILE "sc4830fp.json")
    Q_INTERFACES(cr2200fp_scuPluginInterface)

public:
    sc4830fp_plugin();

    // A new demonstration panel without parent; the caller owns it. Null if it cannot
    // be allocated.
    cr2200fp_scuInterface *createPanel() override;

private:
    sc4830fp_translator translator;
};

#endif // SC4830FP_PLUGIN_H
