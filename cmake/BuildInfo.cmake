# What a build knows of itself, each fact defined once, for every target that links
# sfp_buildinfo: the version of project() (sfp_version.h, generated), whether this is a
# debug build (SFP_DEBUG_BUILD, 1 or 0 after the build type), and the verification block
# a module of this build carries (cr2200fp_verification.h, which reads that flag).
configure_file(${CMAKE_CURRENT_LIST_DIR}/sfp_version.h.in
    ${CMAKE_BINARY_DIR}/generated/sfp_version.h @ONLY)

add_library(sfp_buildinfo INTERFACE)
target_include_directories(sfp_buildinfo INTERFACE
    ${CMAKE_BINARY_DIR}/generated
    ${PROJECT_SOURCE_DIR}/softfrontpanel_lib)
target_compile_definitions(sfp_buildinfo INTERFACE SFP_DEBUG_BUILD=$<IF:$<CONFIG:Debug>,1,0>)

# The Qt this build is made with, as the plug-in's metadata names it.
set(SFP_QT_VERSION ${Qt${SFP_QT_MAJOR}Core_VERSION})
