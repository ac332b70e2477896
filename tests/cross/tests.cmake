# Cross-platform checks that run on this Linux machine, driven by tools/cross-checks:
#   test_cross_layout  - the slot and record layouts of the host boundary on the Microsoft
#                        x64, Microsoft x86 and Mac OS X x86-64 ABIs (the records also on
#                        MinGW x64 and x86), from clang's own layout dumps
#   test_cross_gnustep - the Mac OS X text field against GNUstep's AppKit (under xvfb-run)
# Off by default: they need clang and GNUstep, which the plain build does not.
option(VEXEL_CROSS_CHECKS "Build the cross-platform checks (clang, GNUstep)" OFF)
if(NOT VEXEL_CROSS_CHECKS)
  return()
endif()

find_program(VEXEL_CLANGXX NAMES clang++ clang++-16 clang++-15 clang++-14)
add_executable(test_cross_layout
  ${CMAKE_CURRENT_LIST_DIR}/layout/layout_dump.cpp
  ${CMAKE_CURRENT_LIST_DIR}/layout/slot_layout_test.cpp)
target_link_libraries(test_cross_layout PRIVATE GTest::gtest GTest::gtest_main)
target_compile_definitions(test_cross_layout PRIVATE
  VEXEL_CLANGXX="${VEXEL_CLANGXX}"
  VEXEL_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
gtest_discover_tests(test_cross_layout DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300)

# The Mac OS X text field: Objective-C++ with GCC's runtime and GNUstep's AppKit.
find_program(VEXEL_GNUSTEP_CONFIG gnustep-config)
include(CheckLanguage)
check_language(OBJCXX)
if(NOT VEXEL_GNUSTEP_CONFIG OR NOT CMAKE_OBJCXX_COMPILER)
  message(STATUS "No GNUstep or Objective-C++ compiler: test_cross_gnustep is not built")
  return()
endif()
enable_language(OBJCXX)
set(CMAKE_OBJCXX_STANDARD 17)
execute_process(COMMAND ${VEXEL_GNUSTEP_CONFIG} --objc-flags
                OUTPUT_VARIABLE gnustep_objc_flags OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND ${VEXEL_GNUSTEP_CONFIG} --gui-libs
                OUTPUT_VARIABLE gnustep_gui_libs OUTPUT_STRIP_TRAILING_WHITESPACE)
separate_arguments(gnustep_objc_flags UNIX_COMMAND "${gnustep_objc_flags}")
separate_arguments(gnustep_gui_libs UNIX_COMMAND "${gnustep_gui_libs}")
# Keep GNUstep's definitions, runtime switches and header folders (as system headers, so
# their warnings stay theirs); drop its dependency-file, optimisation and warning flags.
set(gnustep_definitions "")
set(gnustep_options "")
set(gnustep_includes "")
foreach(flag IN LISTS gnustep_objc_flags)
  if(flag MATCHES "^-D(.*)")
    list(APPEND gnustep_definitions ${CMAKE_MATCH_1})
  elseif(flag MATCHES "^-I(/.*)")
    list(APPEND gnustep_includes ${CMAKE_MATCH_1})
  elseif(flag MATCHES "^-f|^-pthread$")
    list(APPEND gnustep_options ${flag})
  endif()
endforeach()

add_executable(test_cross_gnustep
  ${CMAKE_CURRENT_LIST_DIR}/gnustep/edit_text_mac_test.mm
  ${CMAKE_SOURCE_DIR}/platform/edit_text_mac.mm)
target_include_directories(test_cross_gnustep PRIVATE
  ${CMAKE_SOURCE_DIR}/include ${CMAKE_SOURCE_DIR}/platform ${CMAKE_CURRENT_LIST_DIR})
target_include_directories(test_cross_gnustep SYSTEM PRIVATE ${gnustep_includes})
target_compile_definitions(test_cross_gnustep PRIVATE ${gnustep_definitions})
target_compile_options(test_cross_gnustep PRIVATE ${gnustep_options})
target_link_libraries(test_cross_gnustep PRIVATE vexel_binding_lib GTest::gtest
                      GTest::gtest_main ${gnustep_gui_libs})
# Not registered with ctest: AppKit needs an X server, so tools/cross-checks runs it under
# xvfb-run.
