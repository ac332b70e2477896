# test_cross_windows: loads the built DLL as the host does (entry points, resources) and
# drives the Windows text field against a real rich edit control. Cross-compiled with
# MinGW it runs under Wine (tools/cross-checks); built natively it runs as it is.
include(${CMAKE_SOURCE_DIR}/tests/googletest.cmake)

add_executable(test_cross_windows
  ${CMAKE_CURRENT_LIST_DIR}/edit_text_windows_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/entry_points_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/module_under_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/resources_test.cpp
  ${CMAKE_SOURCE_DIR}/platform/edit_text_windows.cpp
  $<TARGET_OBJECTS:vexel_binding>)
target_include_directories(test_cross_windows PRIVATE
  include platform ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests/cross)
target_link_libraries(test_cross_windows PRIVATE GTest::gtest GTest::gtest_main version)
add_dependencies(test_cross_windows vexel)

# Paths the program reads at run time; under Wine the Unix root is drive Z:.
if(CMAKE_HOST_UNIX)
  set(vexel_drive "Z:")
endif()
target_compile_definitions(test_cross_windows PRIVATE
  VEXEL_TEST_MODULE_PATH="${vexel_drive}$<TARGET_FILE:vexel>"
  VEXEL_TEST_SOURCE_DIR="${vexel_drive}${CMAKE_SOURCE_DIR}")
if(MINGW)
  target_link_options(test_cross_windows PRIVATE -static)
endif()
