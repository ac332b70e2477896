# The random sessions of the window-session fuzzer: a scene and a session decoded from an
# input and played on the real module under the oracles. Built in every build, not only the
# fuzz build: the test command's fixed-seed sweep plays them too.
add_library(vexel_sessions_lib STATIC
  ${CMAKE_CURRENT_LIST_DIR}/random_actions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/random_scene.cpp
  ${CMAKE_CURRENT_LIST_DIR}/session_player.cpp)
target_include_directories(vexel_sessions_lib PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(vexel_sessions_lib PUBLIC vexel_oracles_lib vexel_runner_lib ${CMAKE_DL_LIBS})
# The fixed-seed sessions as files, for the differential runs of tools/cross-checks.
add_executable(vexel-sessions ${CMAKE_CURRENT_LIST_DIR}/write_sessions.cpp)
target_link_libraries(vexel-sessions PRIVATE vexel_sessions_lib)
