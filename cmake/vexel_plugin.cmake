# The plug-in's targets, the same on Linux, Windows and Mac OS X. Each platform's build
# description includes this file, calls vexel_plugin_module and then adds only what is its
# own: the list of exported names, the resources, the bundle, compiler switches.

# The flags of every target defined after the include. All coordinate arithmetic is single
# precision in source order: no fused multiply-add.
if(MSVC)
  add_compile_options(/W4 /utf-8 /EHsc /fp:precise)
else()
  add_compile_options(-Wall -Wextra -ffp-contract=off)
endif()

# vexel_plugin_module(TARGET name TEXT_FIELD file [SOURCES file...])
# Defines the object libraries vexel_binding (the host binding classes the plug-in carries)
# and vexel_plugin (the plug-in code with the text field platform/<TEXT_FIELD>), and the
# loadable module TARGET made of both and SOURCES (resources). Boost.Format is header-only:
# Boost::boost is found here unless the caller has defined it (a cross build).
function(vexel_plugin_module)
  cmake_parse_arguments(arg "" "TARGET;TEXT_FIELD" "SOURCES" ${ARGN})
  set(binding_sources
    include/handlerinterface.cpp
    include/interface_id.cpp
    include/math_values.cpp
    include/object_types.cpp
    include/plugininterface.cpp
    include/reserved_slot.cpp
    include/tessel_interface.cpp
    include/unknown_interface.cpp
    include/uuid_class.cpp
    include/windowinterface.cpp)
  set(plugin_sources
    entry/entry_points.cpp
    entry/module_state.cpp
    platform/${arg_TEXT_FIELD}
    shape/active_points.cpp
    shape/camera_session.cpp
    shape/flat_numbering.cpp
    shape/invalid_position.cpp
    shape/linked_shapes.cpp
    shape/mark_elements.cpp
    shape/point_reading.cpp
    shape/point_writing.cpp
    shape/shape_frames.cpp
    shape/shape_kinds.cpp
    shape/surface_point.cpp
    shape/undo_bracket.cpp
    window/apply_values.cpp
    window/box_text.cpp
    window/decimal_text.cpp
    window/host_events.cpp
    window/memory_slots.cpp
    window/one_data.cpp
    window/row_buttons.cpp
    window/settings.cpp
    window/snap.cpp
    window/undo_step.cpp
    window/v_class.cpp
    window/value_class.cpp
    window/vexel_window.cpp
    window/view_refresh.cpp)
  list(TRANSFORM binding_sources PREPEND ${CMAKE_SOURCE_DIR}/)
  list(TRANSFORM plugin_sources PREPEND ${CMAKE_SOURCE_DIR}/)

  if(NOT TARGET Boost::boost)
    find_package(Boost 1.71 REQUIRED)
  endif()

  add_library(vexel_binding OBJECT ${binding_sources})
  target_include_directories(vexel_binding PUBLIC ${CMAKE_SOURCE_DIR}/include)
  add_library(vexel_plugin OBJECT ${plugin_sources})
  # The plug-in's own folders only: nothing of the reference host or the tools can be
  # included from here.
  foreach(folder include entry shape window platform)
    target_include_directories(vexel_plugin PUBLIC ${CMAKE_SOURCE_DIR}/${folder})
  endforeach()
  target_link_libraries(vexel_plugin PUBLIC Boost::boost)
  if(NOT WIN32)
    # Only the entry points leave the module; on Windows the .def file names them.
    set_target_properties(vexel_binding vexel_plugin PROPERTIES CXX_VISIBILITY_PRESET hidden
      OBJCXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
  endif()

  add_library(${arg_TARGET} MODULE
    $<TARGET_OBJECTS:vexel_binding> $<TARGET_OBJECTS:vexel_plugin> ${arg_SOURCES})
  set_target_properties(${arg_TARGET} PROPERTIES PREFIX "")
endfunction()
