# test_cross_windows: loads the built DLL as the host does (entry points, resources) and
# drives the Windows text field against a real rich edit control. Cross-compiled with
# MinGW it runs under Wine (tools/cross-checks); built natively it runs as it is.
if(NOT TARGET GTest::gtest)
  find_package(GTest QUIET)
endif()
if(NOT TARGET GTest::gtest)
  # Debian's libgtest-dev ships the sources: build them for the target.
  set(VEXEL_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
  if(NOT EXISTS ${VEXEL_GTEST_SOURCE_DIR}/CMakeLists.txt)
    message(STATUS "No GoogleTest for this target: test_cross_windows is not built")
    return()
  endif()
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  add_subdirectory(${VEXEL_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endif()

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
