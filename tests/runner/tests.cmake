# A module whose window breaks the host's rules on purpose, beside the real module so that
# the host finds the resources there.
add_library(faulty_window MODULE ${CMAKE_CURRENT_SOURCE_DIR}/runner/modules/faulty_window.cpp
            $<TARGET_OBJECTS:vexel_binding>)
target_include_directories(faulty_window PRIVATE ${CMAKE_SOURCE_DIR}/include)
set_target_properties(faulty_window PROPERTIES PREFIX "" CXX_VISIBILITY_PRESET hidden
                      LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
if(WIN32)
  # On Windows the host reads the texts from the module itself, and looks its entry points
  # up under the names the real module exports.
  target_sources(faulty_window PRIVATE ${CMAKE_SOURCE_DIR}/resources/vexel.rc)
  target_include_directories(faulty_window PRIVATE ${CMAKE_SOURCE_DIR}/resources)
  target_link_options(faulty_window PRIVATE ${VEXEL_DEF_FILE})
endif()
add_dependencies(test_runner faulty_window)
target_compile_definitions(test_runner PRIVATE
  FAULTY_WINDOW_MODULE="${vexel_drive}$<TARGET_FILE:faulty_window>")
