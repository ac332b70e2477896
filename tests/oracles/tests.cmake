# The fixed-seed sweep plays the session fuzzer's sessions; fewer under the sanitizers,
# which make a session some ten times slower.
target_link_libraries(test_oracles PRIVATE vexel_sessions_lib)
if(VEXEL_SANITIZE)
  target_compile_definitions(test_oracles PRIVATE VEXEL_SWEEP_SESSIONS=300)
else()
  target_compile_definitions(test_oracles PRIVATE VEXEL_SWEEP_SESSIONS=2000)
endif()
