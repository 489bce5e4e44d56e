# The host's tests, one suite per way in: tst_hostcommandline runs sfp-host as a child
# process, tst_hostscenario plays scenario files (in a child process and in its own),
# tst_hostconsole drives the simulation console and the host window in its own process.
#
# sfp-host must turn away modules that are not the panel's: fixture plug-ins that fail
# each of its checks in turn. They are built beside the tests and named to
# tst_hostcommandline.
set(fixture_dir ${CMAKE_CURRENT_LIST_DIR}/fixtures/foreignplugin)

function(add_fixture_plugin name)
    cmake_parse_arguments(FIXTURE "" "STALE" "SOURCES;LIBRARIES" ${ARGN})
    add_library(${name} MODULE ${FIXTURE_SOURCES})
    # sfp_buildinfo: the verification block of this build, debug or release.
    target_link_libraries(${name} PRIVATE Qt5::Core sfp_buildinfo ${FIXTURE_LIBRARIES})
    target_compile_definitions(${name} PRIVATE FIXTURE_STALE_BLOCK=${FIXTURE_STALE})
    set_target_properties(${name} PROPERTIES
        LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fixtures)
endfunction()

# A Qt plug-in of another interface.
add_fixture_plugin(foreignplugin STALE 0
    SOURCES ${fixture_dir}/foreignplugin.cpp ${fixture_dir}/verificationdata.cpp)
# The panel factory interface with a Qt 4.8.6 Windows verification block.
add_fixture_plugin(staleplugin STALE 1
    SOURCES ${fixture_dir}/fixturefactory.cpp ${fixture_dir}/verificationdata.cpp
    LIBRARIES softfrontpanel)
# The panel factory interface without any verification block.
add_fixture_plugin(blocklessplugin STALE 0
    SOURCES ${fixture_dir}/fixturefactory.cpp LIBRARIES softfrontpanel)
# The right interface and block, but a factory that makes no panel.
add_fixture_plugin(nopanelplugin STALE 0
    SOURCES ${fixture_dir}/fixturefactory.cpp ${fixture_dir}/verificationdata.cpp
    LIBRARIES softfrontpanel)

add_dependencies(tst_hostcommandline foreignplugin staleplugin blocklessplugin nopanelplugin)
target_compile_definitions(tst_hostcommandline PRIVATE
    SFP_FOREIGN_PLUGIN="$<TARGET_FILE:foreignplugin>"
    SFP_STALE_PLUGIN="$<TARGET_FILE:staleplugin>"
    SFP_BLOCKLESS_PLUGIN="$<TARGET_FILE:blocklessplugin>"
    SFP_NOPANEL_PLUGIN="$<TARGET_FILE:nopanelplugin>"
    SFP_VISA_LIBRARY="$<TARGET_FILE:visa>")

# Helpers two suites share: running sfp-host and reading what it left (command line,
# scenarios), and a unit session opened as the panel opens one (scenarios, console).
set(host_run_sources ${CMAKE_CURRENT_LIST_DIR}/support/hostrun.cpp
    ${CMAKE_CURRENT_LIST_DIR}/support/hostrun.h)
set(unit_session_sources ${CMAKE_CURRENT_LIST_DIR}/support/unitsession.cpp
    ${CMAKE_CURRENT_LIST_DIR}/support/unitsession.h)
target_sources(tst_hostcommandline PRIVATE ${host_run_sources})

# Scenario files and their player, on the simulation alone.
target_sources(tst_hostscenario PRIVATE ${host_run_sources} ${unit_session_sources})
target_link_libraries(tst_hostscenario PRIVATE sfpsimulation)

# The console and the host's own classes in this process, around a real panel whose
# banner shows the resource tree.
target_sources(tst_hostconsole PRIVATE ${unit_session_sources}
    $<TARGET_OBJECTS:softfrontpanel_resources>)
target_link_libraries(tst_hostconsole PRIVATE sfphost_core)

# tst_package installs the package into a temporary prefix and builds the example host
# against it with this build's CMake, compiler and build type.
target_compile_definitions(tst_package PRIVATE
    SFP_CMAKE_COMMAND="${CMAKE_COMMAND}"
    SFP_CXX_COMPILER="${CMAKE_CXX_COMPILER}"
    SFP_BUILD_TYPE="${CMAKE_BUILD_TYPE}")
add_dependencies(tst_package softfrontpanel softfrontpanel_resources)
set_tests_properties(tst_package PROPERTIES TIMEOUT 240)
