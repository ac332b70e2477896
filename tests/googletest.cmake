# GoogleTest for a cross build: Debian's libgtest-dev ships the sources, built here for the
# target. Sets GTest::gtest and GTest::gtest_main unless they exist.
if(NOT TARGET GTest::gtest)
  find_package(GTest QUIET)
endif()
if(NOT TARGET GTest::gtest)
  # Debian's libgtest-dev ships the sources: build them for the target.
  set(VEXEL_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
  if(NOT EXISTS ${VEXEL_GTEST_SOURCE_DIR}/CMakeLists.txt)
    message(FATAL_ERROR "No GoogleTest sources in ${VEXEL_GTEST_SOURCE_DIR}: install libgtest-dev")
  endif()
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  add_subdirectory(${VEXEL_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endif()

