# Where an installation puts each part, and the names of the packages that carry them.
# Everything that differs between a Qt 5 and a Qt 6 build carries ${SFP_QT} or its lower-
# case suffix, so that the development packages of both can be installed side by side.
#
# The prefix defaults to /usr, where the Debian packages (cmake/Packaging.cmake) install;
# GNUInstallDirs then gives the multiarch library folder (lib/x86_64-linux-gnu).
if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT)
    set_property(CACHE CMAKE_INSTALL_PREFIX PROPERTY VALUE /usr)
endif()
include(GNUInstallDirs)

string(TOLOWER ${SFP_QT} SFP_QT_SUFFIX)  # qt5, qt6

# The package names, one per install component.
set(SFP_RUNTIME_PACKAGE sc4830fp-${SFP_QT_SUFFIX})              # component runtime
set(SFP_DEVELOPMENT_PACKAGE libsoftfrontpanel-${SFP_QT_SUFFIX}-dev) # component development
set(SFP_HOST_PACKAGE sfp-host-${SFP_QT_SUFFIX})                 # component host

# Headers get a folder of their own: visa.h among them would clash with a real VISA's.
set(SFP_INSTALL_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/softfrontpanel-${SFP_QT_SUFFIX})
# The static library and everything private to this Qt's build.
set(SFP_INSTALL_LIBDIR ${CMAKE_INSTALL_LIBDIR}/softfrontpanel-${SFP_QT_SUFFIX})
set(SFP_INSTALL_PLUGINDIR ${SFP_INSTALL_LIBDIR}/plugins)
set(SFP_INSTALL_RESOURCEDIR ${SFP_INSTALL_LIBDIR}/resources)
# The host and its stand-ins for VISA, the carrier and the unit's driver: private, so
# that they never shadow a real VISA or driver on the library path.
set(SFP_INSTALL_HOSTDIR ${SFP_INSTALL_LIBDIR}/host)
set(SFP_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/SoftFrontPanel${SFP_QT})
