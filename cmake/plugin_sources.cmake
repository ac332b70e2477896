# The plug-in's sources, the same on every platform but for the text field: the binding
# classes (VEXEL_BINDING_SOURCES) and the plug-in code with the given platform's text field
# (VEXEL_PLUGIN_SOURCES).
macro(vexel_plugin_sources text_field)
  file(GLOB VEXEL_BINDING_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/include/*.cpp)
  file(GLOB VEXEL_PLUGIN_SOURCES CONFIGURE_DEPENDS
       ${CMAKE_SOURCE_DIR}/entry/*.cpp ${CMAKE_SOURCE_DIR}/shape/*.cpp
       ${CMAKE_SOURCE_DIR}/window/*.cpp ${CMAKE_SOURCE_DIR}/platform/${text_field})
endmacro()
