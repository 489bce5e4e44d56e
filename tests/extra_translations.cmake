# The pseudo-translation the translation test loads: every text of the template marked.
find_package(Qt5 COMPONENTS LinguistTools REQUIRED)
find_package(Python3 COMPONENTS Interpreter REQUIRED)
set(pseudo_ts ${CMAKE_CURRENT_BINARY_DIR}/sc4830fp_pseudo.ts)
set(pseudo_qm ${CMAKE_CURRENT_BINARY_DIR}/sc4830fp_pseudo.qm)
add_custom_command(OUTPUT ${pseudo_qm}
    COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/scripts/pseudo-translate.py
            ${CMAKE_SOURCE_DIR}/translations/sc4830fp.ts ${pseudo_ts}
    COMMAND Qt5::lrelease -silent ${pseudo_ts} -qm ${pseudo_qm}
    DEPENDS ${CMAKE_SOURCE_DIR}/translations/sc4830fp.ts
            ${CMAKE_SOURCE_DIR}/scripts/pseudo-translate.py
    VERBATIM)
add_custom_target(pseudo_translation DEPENDS ${pseudo_qm})
add_dependencies(tst_translations pseudo_translation)
target_compile_definitions(tst_translations PRIVATE SFP_PSEUDO_QM="${pseudo_qm}")
