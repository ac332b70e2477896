# The Windows modules: vexel64.dll on 64-bit, vexel.dll on 32-bit. The same sources as the
# Linux module, with the Windows text field and the resources compiled in. Built natively
# with Visual Studio (optionally against MFC) or cross-compiled with MinGW-w64 (cmake/
# mingw-w64-*.cmake), which also builds the Wine test program of tests/cross/windows.
enable_language(RC)

option(VEXEL_WITH_MFC "Talk to the host's rich edit control through MFC's CWnd" OFF)
if(VEXEL_WITH_MFC)
  set(CMAKE_MFC_FLAG 2)  # MFC as a shared library, for every target below
endif()

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(VEXEL_MODULE_NAME vexel64)
else()
  set(VEXEL_MODULE_NAME vexel)
endif()

include(${CMAKE_SOURCE_DIR}/cmake/vexel_plugin.cmake)
if(NOT MSVC AND CMAKE_SIZEOF_VOID_P EQUAL 4)
  # Floats in SSE registers: x87 would keep intermediates in extended precision and round
  # coordinates differently from the 64-bit builds.
  add_compile_options(-msse2 -mfpmath=sse)
endif()
if(CMAKE_CROSSCOMPILING AND NOT MSVC)
  # The header-only libraries (Boost.Format for the plug-in; nlohmann's JSON, RapidJSON,
  # CLI11 and rapidxml for the reference host) come from the build machine's Debian packages.
  # -idirafter keeps their folder behind MinGW's own headers; -I/usr/include would put
  # glibc's in front and break the build.
  set(VEXEL_HEADER_ONLY_DIR /usr/include CACHE PATH "Folder holding the header-only libraries")
  foreach(library Boost::boost nlohmann_json::nlohmann_json RapidJSON::RapidJSON CLI11::CLI11)
    add_library(${library} INTERFACE IMPORTED)
    target_compile_options(${library} INTERFACE -idirafter ${VEXEL_HEADER_ONLY_DIR})
  endforeach()
endif()

vexel_plugin_module(TARGET vexel TEXT_FIELD edit_text_windows.cpp SOURCES resources/vexel.rc)
if(VEXEL_WITH_MFC)
  target_compile_definitions(vexel_plugin PUBLIC VEXEL_WITH_MFC _AFXDLL)
endif()
set_target_properties(vexel PROPERTIES OUTPUT_NAME ${VEXEL_MODULE_NAME})
# The resource script names its files relative to resources/.
target_include_directories(vexel PRIVATE resources)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  target_compile_definitions(vexel PRIVATE VEXEL_MODULE_64)
endif()
# The files the resource script compiles in.
set_property(SOURCE resources/vexel.rc APPEND PROPERTY OBJECT_DEPENDS
  ${CMAKE_SOURCE_DIR}/resources/lang/en/TEXT.xml
  ${CMAKE_SOURCE_DIR}/resources/lang/en/mode_dialog_id.xml
  ${CMAKE_SOURCE_DIR}/resources/lang/ja/TEXT.xml
  ${CMAKE_SOURCE_DIR}/resources/lang/ja/mode_dialog_id.xml)

if(MINGW)
  # Exactly the six entry points, under the names the host looks up. GCC decorates the
  # 32-bit get_uuid as @12 although it removes 16 bytes (the hidden result pointer
  # included); the .def file exports it as _get_uuid@16. Everything linked statically, so
  # the DLL needs nothing beside the system's own DLLs.
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(VEXEL_DEF_FILE ${CMAKE_SOURCE_DIR}/entry/vexel64.def)
  else()
    set(VEXEL_DEF_FILE ${CMAKE_SOURCE_DIR}/entry/vexel32.def)
  endif()
  target_link_options(vexel PRIVATE ${VEXEL_DEF_FILE} -static -Wl,--no-undefined)
  set_property(TARGET vexel APPEND PROPERTY LINK_DEPENDS ${VEXEL_DEF_FILE})
endif()

# The module the reference host and its test programs load: vexel.dll itself, except in a
# 32-bit MinGW build with tests. There each module's static runtime registers its DWARF
# unwind tables with its own unwinder, so an exception the host throws cannot reach the
# plug-in's handlers. The tested copy (shared-runtime/vexel.dll, the same objects) and the
# host's programs therefore share the compiler's runtime DLLs, copied beside each of them;
# vexel.dll stays self-contained, as it ships.
set(vexel_loaded_module vexel)
if(MINGW AND CMAKE_SIZEOF_VOID_P EQUAL 4 AND VEXEL_TESTS AND NOT VEXEL_WITH_MFC)
  set(vexel_loaded_module vexel_shared_runtime)
  add_library(vexel_shared_runtime MODULE
    $<TARGET_OBJECTS:vexel_binding> $<TARGET_OBJECTS:vexel_plugin> resources/vexel.rc)
  target_include_directories(vexel_shared_runtime PRIVATE resources)
  set_target_properties(vexel_shared_runtime PROPERTIES PREFIX "" OUTPUT_NAME vexel
    LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/shared-runtime)
  target_link_options(vexel_shared_runtime PRIVATE ${VEXEL_DEF_FILE} -shared-libgcc -Wl,--no-undefined)
  set(runtime_dlls)
  foreach(dll libgcc_s_dw2-1.dll libstdc++-6.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
      OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${found}" OR NOT EXISTS "${found}")
      message(FATAL_ERROR "${CMAKE_CXX_COMPILER} does not find its runtime DLL ${dll}")
    endif()
    list(APPEND runtime_dlls ${found})
  endforeach()
  set(copies)
  foreach(folder shared-runtime vexel-host tests)
    list(APPEND copies COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/${folder}
                       COMMAND ${CMAKE_COMMAND} -E copy_if_different ${runtime_dlls} ${CMAKE_BINARY_DIR}/${folder})
  endforeach()
  add_custom_target(vexel_runtime_dlls ${copies} VERBATIM)
  add_dependencies(vexel_shared_runtime vexel_runtime_dlls)
endif()

if(VEXEL_TESTS AND NOT VEXEL_WITH_MFC)
  include(${CMAKE_SOURCE_DIR}/tests/cross/windows/tests.cmake)
  # The reference host for Windows, which hands the plug-in real windows and rich edit
  # controls and reads its resources from the DLL: the core, the script language, the runner
  # vexel-host.exe and the test programs that drive the loaded module. Linked statically,
  # so that they run without MinGW's runtime DLLs beside them, or with the shared runtime
  # the loaded module shares (see above).
  if(vexel_loaded_module STREQUAL vexel)
    add_link_options(-static)
  else()
    add_link_options(-shared-libgcc)
  endif()
  add_library(vexel_binding_lib STATIC $<TARGET_OBJECTS:vexel_binding>)
  target_include_directories(vexel_binding_lib PUBLIC include)
  add_subdirectory(host)
  add_subdirectory(front_end)
  add_subdirectory(script)
  add_subdirectory(vexel-host)
  add_subdirectory(oracles)
  add_subdirectory(programs)
  enable_testing()
  add_subdirectory(tests)
endif()
