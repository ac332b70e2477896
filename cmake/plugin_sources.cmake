# The plug-in's sources, the same on every platform but for the text field: the binding
# classes (VEXEL_BINDING_SOURCES) and the plug-in code with the given platform's text field
# (VEXEL_PLUGIN_SOURCES).
macro(vexel_plugin_sources text_field)
  set(VEXEL_BINDING_SOURCES
    ${CMAKE_SOURCE_DIR}/include/handlerinterface.cpp
    ${CMAKE_SOURCE_DIR}/include/interface_id.cpp
    ${CMAKE_SOURCE_DIR}/include/math_values.cpp
    ${CMAKE_SOURCE_DIR}/include/plugininterface.cpp
    ${CMAKE_SOURCE_DIR}/include/reserved_slot.cpp
    ${CMAKE_SOURCE_DIR}/include/tessel_interface.cpp
    ${CMAKE_SOURCE_DIR}/include/unknown_interface.cpp
    ${CMAKE_SOURCE_DIR}/include/uuid_class.cpp
    ${CMAKE_SOURCE_DIR}/include/windowinterface.cpp)
  set(VEXEL_PLUGIN_SOURCES
    ${CMAKE_SOURCE_DIR}/entry/entry_points.cpp
    ${CMAKE_SOURCE_DIR}/entry/module_state.cpp
    ${CMAKE_SOURCE_DIR}/platform/${text_field}
    ${CMAKE_SOURCE_DIR}/shape/active_points.cpp
    ${CMAKE_SOURCE_DIR}/shape/camera_session.cpp
    ${CMAKE_SOURCE_DIR}/shape/flat_numbering.cpp
    ${CMAKE_SOURCE_DIR}/shape/invalid_position.cpp
    ${CMAKE_SOURCE_DIR}/shape/linked_shapes.cpp
    ${CMAKE_SOURCE_DIR}/shape/mark_elements.cpp
    ${CMAKE_SOURCE_DIR}/shape/point_reading.cpp
    ${CMAKE_SOURCE_DIR}/shape/point_writing.cpp
    ${CMAKE_SOURCE_DIR}/shape/shape_frames.cpp
    ${CMAKE_SOURCE_DIR}/shape/shape_kinds.cpp
    ${CMAKE_SOURCE_DIR}/shape/surface_point.cpp
    ${CMAKE_SOURCE_DIR}/shape/undo_bracket.cpp
    ${CMAKE_SOURCE_DIR}/window/apply_values.cpp
    ${CMAKE_SOURCE_DIR}/window/box_text.cpp
    ${CMAKE_SOURCE_DIR}/window/decimal_text.cpp
    ${CMAKE_SOURCE_DIR}/window/host_events.cpp
    ${CMAKE_SOURCE_DIR}/window/memory_slots.cpp
    ${CMAKE_SOURCE_DIR}/window/one_data.cpp
    ${CMAKE_SOURCE_DIR}/window/row_buttons.cpp
    ${CMAKE_SOURCE_DIR}/window/settings.cpp
    ${CMAKE_SOURCE_DIR}/window/snap.cpp
    ${CMAKE_SOURCE_DIR}/window/undo_step.cpp
    ${CMAKE_SOURCE_DIR}/window/v_class.cpp
    ${CMAKE_SOURCE_DIR}/window/value_class.cpp
    ${CMAKE_SOURCE_DIR}/window/vexel_window.cpp
    ${CMAKE_SOURCE_DIR}/window/view_refresh.cpp)
endmacro()
