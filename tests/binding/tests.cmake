add_test(NAME module_exports_exactly_the_six_entry_points
         COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/binding/module_exports.sh $<TARGET_FILE:vexel>)
set_tests_properties(module_exports_exactly_the_six_entry_points PROPERTIES LABELS binding)
