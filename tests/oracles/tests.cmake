# The fixed-seed sweep plays the session fuzzer's sessions; fewer under the sanitizers,
# which make a session some ten times slower.
target_link_libraries(test_oracles PRIVATE vexel_sessions_lib)
# The fault sweep over sessions (seeds 1 to VEXEL_FAULT_SWEEP_SESSIONS) takes about a
# second a session in the plain build.
if(VEXEL_SANITIZE)
  target_compile_definitions(test_oracles PRIVATE VEXEL_SWEEP_SESSIONS=300 VEXEL_FAULT_SWEEP_SESSIONS=6)
else()
  target_compile_definitions(test_oracles PRIVATE VEXEL_SWEEP_SESSIONS=2000 VEXEL_FAULT_SWEEP_SESSIONS=40)
endif()
