# sfp_add_test(<name>
#              [SOURCES <file>...]          default: <name>.cpp
#              [LIBRARIES <target>...]      every target whose headers the suite includes
#              [DEFINITIONS <NAME=value>...]
#              [DEPENDS <target>...]        what the suite runs or loads without linking it
#              [LABELS <label>...]
#              [TIMEOUT <seconds>])         default 120
#
# One Qt Test suite: its executable and its CTest entry of the same name, run under the
# offscreen platform. The function time-out lets a message box nobody answers fail its
# test instead of hanging the suite; the sanitizer options serve `make sanitize`.
function(sfp_add_test name)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "TIMEOUT"
                          "SOURCES;LIBRARIES;DEFINITIONS;DEPENDS;LABELS")
    if(arg_UNPARSED_ARGUMENTS)
        message(FATAL_ERROR "sfp_add_test(${name}): unknown arguments ${arg_UNPARSED_ARGUMENTS}")
    endif()
    if(NOT arg_SOURCES)
        set(arg_SOURCES ${name}.cpp)
    endif()
    if(NOT arg_TIMEOUT)
        set(arg_TIMEOUT 120)
    endif()

    add_executable(${name} ${arg_SOURCES})
    target_link_libraries(${name} PRIVATE ${arg_LIBRARIES} Qt::Test)
    target_compile_definitions(${name} PRIVATE ${arg_DEFINITIONS})
    if(arg_DEPENDS)
        add_dependencies(${name} ${arg_DEPENDS})
    endif()

    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        TIMEOUT ${arg_TIMEOUT}
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QTEST_FUNCTION_TIMEOUT=60000;LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
    if(arg_LABELS)
        set_tests_properties(${name} PROPERTIES LABELS "${arg_LABELS}")
    endif()
endfunction()
