# The set-up tools' decisions, fed simulated apt answers (ctest -L tools).
add_test(NAME install_deps_decides_on_the_32_bit_wine
         COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/tools/wine32_decision.sh
                 ${CMAKE_SOURCE_DIR}/tools/wine32-decision)
set_tests_properties(install_deps_decides_on_the_32_bit_wine PROPERTIES LABELS tools)
