#ifndef SC4830FP_PLUGIN_H
#define SC4830FP_PLUGIN_H

#include <cr2200fp_scuinterface.h>

// The plug-in's factory. The module exports qt_plugin_instance(), which keeps one factory
// until somebody deletes it and then makes a new one, and
// qt_plugin_query_verification_data(), the build's verification block. Its metadata
// (sc4830fp.json.in) tells a host, before it loads the module, which unit and carriers it
// serves.
class sc4830fp_plugin : public cr2200fp_scuPluginInterface
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID cr2200fp_scuPluginInterface_iid FILE "sc4830fp.json")
    Q_INTERFACES(cr2200fp_scuPluginInterface)

public:
    // A new demonstration panel without parent; the caller owns it. Null if it cannot
    // be allocated.
    cr2200fp_scuInterface *createPanel() override;
};

#endif // SC4830FP_PLUGIN_H
