# The studio's tests: widgets and pictures under Qt's offscreen platform, the same script
# through the runner and the studio, and one real window under xvfb-run.
if(NOT VEXEL_STUDIO_BUILT)
  # tools/install-deps installs Qt 6; without it the studio is not built and this fails.
  message(WARNING "vexel-studio is not built (Qt 6 Widgets missing): test studio_needs_qt6 fails")
  add_test(NAME studio_needs_qt6 COMMAND ${CMAKE_COMMAND} -E false)
  set_tests_properties(studio_needs_qt6 PROPERTIES LABELS studio)
  return()
endif()
find_package(Qt6 REQUIRED COMPONENTS Test)
# Qt and fontconfig keep caches for the life of the process, which the leak checker of a
# sanitizer build reports; the other sanitizer checks stay on.
set(studio_env "QT_QPA_PLATFORM=offscreen")
if(VEXEL_SANITIZE)
  list(APPEND studio_env "ASAN_OPTIONS=detect_leaks=0")
endif()

function(vexel_studio_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE vexel_studio_lib Qt6::Test GTest::gtest)
  target_compile_definitions(${name} PRIVATE
    VEXEL_MODULE_PATH="$<TARGET_FILE:vexel>"
    VEXEL_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    VEXEL_RUNNER_PATH="$<TARGET_FILE:vexel-host>"
    VEXEL_STUDIO_PATH="$<TARGET_FILE:vexel-studio>")
  add_dependencies(${name} vexel vexel-host vexel-studio)
endfunction()

vexel_studio_test(test_studio
                  ${CMAKE_CURRENT_SOURCE_DIR}/studio/label_fit_test.cpp
                  ${CMAKE_CURRENT_SOURCE_DIR}/studio/large_scene_test.cpp
                  ${CMAKE_CURRENT_SOURCE_DIR}/studio/lost_work_test.cpp
                  ${CMAKE_CURRENT_SOURCE_DIR}/studio/modal_test.cpp
                  ${CMAKE_CURRENT_SOURCE_DIR}/studio/scene_test.cpp
                  ${CMAKE_CURRENT_SOURCE_DIR}/studio/start_test.cpp
                  ${CMAKE_CURRENT_SOURCE_DIR}/studio/undo_redo_test.cpp
                  ${CMAKE_CURRENT_SOURCE_DIR}/studio/widgets_test.cpp
                  ${CMAKE_CURRENT_SOURCE_DIR}/studio/window_place_test.cpp)
target_include_directories(test_studio PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/studio)
add_test(NAME studio_widgets COMMAND test_studio)
set_tests_properties(studio_widgets PROPERTIES ENVIRONMENT "${studio_env}" TIMEOUT 300 LABELS studio)

vexel_studio_test(test_studio_parity ${CMAKE_CURRENT_SOURCE_DIR}/studio/parity_test.cpp)
target_link_libraries(test_studio_parity PRIVATE GTest::gtest_main)
add_test(NAME studio_parity COMMAND test_studio_parity)
set_tests_properties(studio_parity PROPERTIES ENVIRONMENT "${studio_env}" TIMEOUT 300 LABELS studio)

vexel_studio_test(test_studio_screen ${CMAKE_CURRENT_SOURCE_DIR}/studio/screen_test.cpp)
find_program(XVFB_RUN xvfb-run)
if(XVFB_RUN)
  add_test(NAME studio_screen COMMAND ${XVFB_RUN} -a -s "-screen 0 1280x1024x24"
           env QT_QPA_PLATFORM=xcb $<TARGET_FILE:test_studio_screen>)
else()
  add_test(NAME studio_screen COMMAND ${CMAKE_COMMAND} -E false)
endif()
# Real input and a window manager: alone, so that a busy neighbour does not make it miss a
# window being mapped or a move being drawn.
set_tests_properties(studio_screen PROPERTIES ENVIRONMENT "${studio_env}" TIMEOUT 300 LABELS studio
                     RUN_SERIAL TRUE)
