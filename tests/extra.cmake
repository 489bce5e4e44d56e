# Needs of single test areas, each in a file of its own.
include(${CMAKE_CURRENT_LIST_DIR}/extra_host.cmake OPTIONAL)
include(${CMAKE_CURRENT_LIST_DIR}/extra_app.cmake OPTIONAL)
include(${CMAKE_CURRENT_LIST_DIR}/extra_calibration.cmake OPTIONAL)
include(${CMAKE_CURRENT_LIST_DIR}/extra_translations.cmake OPTIONAL)
