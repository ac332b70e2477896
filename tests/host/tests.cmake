# Broken modules for the loader tests, beside the real module so the loader finds its
# resources.
foreach(variant refusing no_get_info)
  add_library(fake_${variant} MODULE ${CMAKE_CURRENT_SOURCE_DIR}/host/modules/fake_module.cpp)
  string(TOUPPER ${variant} upper)
  target_compile_definitions(fake_${variant} PRIVATE FAKE_${upper})
  set_target_properties(fake_${variant} PROPERTIES PREFIX "" CXX_VISIBILITY_PRESET hidden
                        LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
  add_dependencies(test_host fake_${variant})
endforeach()
target_compile_definitions(test_host PRIVATE
  FAKE_REFUSING_MODULE="$<TARGET_FILE:fake_refusing>"
  FAKE_NO_GET_INFO_MODULE="$<TARGET_FILE:fake_no_get_info>")
