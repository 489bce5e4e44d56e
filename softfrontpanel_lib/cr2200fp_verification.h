#ifndef SFP_CR2200FP_VERIFICATION_H
#define SFP_CR2200FP_VERIFICATION_H

// The verification block of a module of this build: the plug-in exports it from
// qt_plugin_query_verification_data, and a host compares a module's block with it before
// it uses the module. Four lines, no trailing line feed; the Qt version is the one built
// against, and debug and release follow the build type (SFP_DEBUG_BUILD, which the
// sfp_buildinfo target defines).
#include <QtGlobal>

#ifndef SFP_DEBUG_BUILD
#error "SFP_DEBUG_BUILD is not defined: link the sfp_buildinfo target"
#endif

// A constant of its own in every file that reads it, so that no module gets a shared
// (unique) symbol for it that would keep it mapped after it is unloaded.
constexpr char cr2200fp_verificationData[] = "pattern=QT_PLUGIN_VERIFICATION_DATA\n"
                                             "version=" QT_VERSION_STR "\n"
#if SFP_DEBUG_BUILD
                                             "debug=true\n"
                                             "buildkey=Linux x86_64 g++ debug full-config";
#else
                                             "debug=false\n"
                                             "buildkey=Linux x86_64 g++ release full-config";
#endif

#endif // SFP_CR2200FP_VERIFICATION_H
