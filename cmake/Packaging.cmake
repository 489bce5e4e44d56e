# Debian packages (`make package`, CPack's DEB generator), one per install component,
# each named after the Qt it is built with so that a Qt 5 and a Qt 6 build install side
# by side (names and folders: cmake/InstallLayout.cmake):
#   runtime      sc4830fp-qtN               the plug-in module
#   development  libsoftfrontpanel-qtN-dev  headers, static library, resource objects,
#                                           find_package(SoftFrontPanelQtN)
#   host         sfp-host-qtN               sfp-host with the simulated VISA, carrier and
#                                           unit in a private folder, its start script, its
#                                           menu entry, icon and AppStream metadata
# The plug-in and the library install themselves (sc4830fp/, softfrontpanel_lib/); the
# host and its stand-ins are installed here, since they belong to this package only.

set(SFP_PACKAGE_MAINTAINER "Orbisa 4830 soft front panel maintainers <sfp-maintainers@orbisa.example>"
    CACHE STRING "The Maintainer field of the Debian packages")
set(SFP_PACKAGE_HOMEPAGE "https://www.orbisa.example/4830/soft-front-panel"
    CACHE STRING "The Homepage field of the Debian packages")
set(SFP_DEB_VERSION ${PROJECT_VERSION}-1)
# The day of this release, as the changelog and the AppStream metadata write it.
set(SFP_RELEASE_DATE 2026-12-08)
set(SFP_RELEASE_DATE_RFC2822 "Tue, 08 Dec 2026 12:00:00 +0000")
set(sfp_packaging_dir ${CMAKE_BINARY_DIR}/packaging)

# The host component. The libraries keep their SONAME links but no development link:
# nothing is built against the stand-ins. No RPATH: the start script sets the library
# path to the private folder.
set(SFP_HOST_COMMAND sfp-host-${SFP_QT_SUFFIX})
install(TARGETS visa simcarrier sc4830
    LIBRARY DESTINATION ${SFP_INSTALL_HOSTDIR} NAMELINK_SKIP COMPONENT host)
install(TARGETS sfp-host RUNTIME DESTINATION ${SFP_INSTALL_HOSTDIR} COMPONENT host)
file(RELATIVE_PATH SFP_BIN_TO_PREFIX ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_PREFIX})
configure_file(${CMAKE_CURRENT_LIST_DIR}/debian/sfp-host.sh.in
    ${sfp_packaging_dir}/${SFP_HOST_COMMAND} @ONLY)
install(PROGRAMS ${sfp_packaging_dir}/${SFP_HOST_COMMAND}
    DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT host)

# Compressed as Debian wants them: gzip -9, without a name or time stamp.
function(sfp_gzip_file input output)
    execute_process(COMMAND gzip -9 -n -c ${input} OUTPUT_FILE ${output}
        RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "gzip ${input}: ${result}")
    endif()
endfunction()

string(TOUPPER ${SFP_HOST_COMMAND} SFP_HOST_COMMAND_UPPER)
configure_file(${CMAKE_CURRENT_LIST_DIR}/debian/sfp-host.1.in
    ${sfp_packaging_dir}/${SFP_HOST_COMMAND}.1 @ONLY)
sfp_gzip_file(${sfp_packaging_dir}/${SFP_HOST_COMMAND}.1
    ${sfp_packaging_dir}/${SFP_HOST_COMMAND}.1.gz)
install(FILES ${sfp_packaging_dir}/${SFP_HOST_COMMAND}.1.gz
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT host)

# The menu entry, its icon in the hicolor theme (scalable, and pictures rendered from it for
# desktops that take no SVG) and the AppStream metadata software centres read. All are named
# after SFP_APP_ID, which carries the Qt, so that both hosts' entries install side by side.
string(REPLACE "qt" "Qt " SFP_QT_NAME ${SFP_QT_SUFFIX}) # Qt 5
set(SFP_APP_ID example.orbisa.sfp_host_${SFP_QT_SUFFIX})
set(sfp_desktop_dir ${CMAKE_CURRENT_LIST_DIR}/desktop)
configure_file(${sfp_desktop_dir}/sfp-host.desktop.in
    ${sfp_packaging_dir}/${SFP_APP_ID}.desktop @ONLY)
configure_file(${sfp_desktop_dir}/sfp-host.metainfo.xml.in
    ${sfp_packaging_dir}/${SFP_APP_ID}.metainfo.xml @ONLY)
install(FILES ${sfp_packaging_dir}/${SFP_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications COMPONENT host)
install(FILES ${sfp_packaging_dir}/${SFP_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo COMPONENT host)
set(sfp_icons ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor)
install(FILES ${sfp_desktop_dir}/sfp-host.svg DESTINATION ${sfp_icons}/scalable/apps
    RENAME ${SFP_APP_ID}.svg COMPONENT host)
foreach(size 48 128)
    install(FILES ${sfp_desktop_dir}/sfp-host-${size}.png
        DESTINATION ${sfp_icons}/${size}x${size}/apps RENAME ${SFP_APP_ID}.png COMPONENT host)
endforeach()
# The setup file's description and an example, for the operator who writes setups by hand.
install(FILES ${PROJECT_SOURCE_DIR}/docs/setup.md
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${SFP_HOST_PACKAGE} COMPONENT host)
install(FILES ${PROJECT_SOURCE_DIR}/examples/setups/strain-bench.json
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${SFP_HOST_PACKAGE}/examples COMPONENT host)

# Every package carries its copyright file and changelog in /usr/share/doc/<package>.
foreach(component runtime development host)
    string(TOUPPER ${component} upper)
    set(SFP_DEB_PACKAGE ${SFP_${upper}_PACKAGE})
    set(doc ${sfp_packaging_dir}/doc/${SFP_DEB_PACKAGE})
    configure_file(${CMAKE_CURRENT_LIST_DIR}/debian/changelog.in ${doc}/changelog.Debian @ONLY)
    sfp_gzip_file(${doc}/changelog.Debian ${doc}/changelog.Debian.gz)
    install(FILES ${CMAKE_CURRENT_LIST_DIR}/debian/copyright ${doc}/changelog.Debian.gz
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${SFP_DEB_PACKAGE} COMPONENT ${component})
    set(CPACK_DEBIAN_${upper}_PACKAGE_NAME ${SFP_DEB_PACKAGE})
endforeach()

if(NOT CMAKE_INSTALL_PREFIX STREQUAL "/usr")
    message(STATUS "Packages install under /usr, but the library folder "
                   "${CMAKE_INSTALL_LIBDIR} follows CMAKE_INSTALL_PREFIX=${CMAKE_INSTALL_PREFIX}")
endif()

# cpack packs what is built: `make package` builds first, and tst_package depends on the
# targets it packs. Otherwise cpack's preinstall step would build the whole tree, tests
# and benchmarks included, from inside that test. (`cmake --install` never builds.)
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME softfrontpanel-${SFP_QT_SUFFIX})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Orbisa")
set(CPACK_PACKAGE_CONTACT ${SFP_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Executables and shared objects are stripped; the archive and objects of the
# development package keep their symbols.
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL runtime development host)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${SFP_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${SFP_PACKAGE_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Dependencies from dpkg-shlibdeps. The stand-ins for VISA and the driver are found in
# the build tree and belong to no Debian package, so they add no dependency: a lab's own
# VISA and driver, or the host package's stand-ins, serve the plug-in.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_LIBRARY_OUTPUT_DIRECTORY})
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)

# Qt's own catalogues, which the host installs for its dialogs and buttons, come from
# Debian's translations package of the same Qt.
if(SFP_QT_MAJOR STREQUAL "5")
    set(SFP_QT_DEV_PACKAGE qtbase5-dev)
    set(SFP_QT_TRANSLATIONS_PACKAGE qttranslations5-l10n)
else()
    set(SFP_QT_DEV_PACKAGE qt6-base-dev)
    set(SFP_QT_TRANSLATIONS_PACKAGE qt6-translations-l10n)
endif()

set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION electronics)
# Descriptions: the first line is the synopsis, the others stay within 80 columns.
set(CPACK_COMPONENT_RUNTIME_DESCRIPTION
    "Orbisa 4830 soft front panel plug-in (${SFP_QT})
The soft front panel of the Orbisa 4830, a 16-channel signal conditioning
unit, as a ${SFP_QT} plug-in module that a host front-panel application loads:
one page per channel for input, mode, coupling, gain, excitation and shunt,
status lamps, calibrations and identification. It carries its German
translation and follows the desktop's language.
The module needs the unit's driver and a VISA library, which are not Debian
packages: a lab installs them from the unit's maker. The module finds them
by the names libsc4830.so.1 and libvisa.so.1 on the library path, and
`ldd` on the module shows whether both are found. ${SFP_HOST_PACKAGE}
carries simulated ones for trying the panel without hardware.")
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SUGGESTS ${SFP_HOST_PACKAGE})

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_COMPONENT_DEVELOPMENT_DESCRIPTION
    "Orbisa 4830 soft front panel library, development files (${SFP_QT})
The shared front-panel library that hosts of soft front panel plug-ins build
on: the panel and factory interfaces, the lamp, the operator message boxes and
the application frame, as a static position-independent library with its
headers, its resource tree as object files, and the CMake package
SoftFrontPanel${SFP_QT}.")
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS ${SFP_QT_DEV_PACKAGE})
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_RECOMMENDS "${SFP_RUNTIME_PACKAGE} (= ${SFP_DEB_VERSION})")

set(CPACK_DEBIAN_HOST_PACKAGE_SECTION electronics)
set(CPACK_COMPONENT_HOST_DESCRIPTION
    "Front-panel host with a simulated Orbisa 4830 (${SFP_QT})
sfp-host loads the Orbisa 4830 panel plug-in, hands it a session on a
simulated carrier and unit and shows it in the front-panel frame beside a
simulation console that sets status words, injects driver failures and
replays scenario files. It follows the desktop's language, as do Qt's own
dialogs and buttons in it.
The simulated VISA library, carrier and unit are private to the host.
Start it as ${SFP_HOST_COMMAND}.")
set(CPACK_COMPONENT_HOST_DEPENDS runtime)
set(CPACK_DEBIAN_HOST_PACKAGE_DEPENDS ${SFP_QT_TRANSLATIONS_PACKAGE})

include(CPack)
