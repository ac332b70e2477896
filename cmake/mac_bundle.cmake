# The Mac OS X module: the loadable bundle vexel_mac, from the same sources as the Linux
# module with the Cocoa text field. Built with CMake (or CMake's Xcode generator) on Mac OS X:
#   cmake -S . -B build-mac -DCMAKE_OSX_ARCHITECTURES=x86_64 && cmake --build build-mac
enable_language(OBJCXX)
set(CMAKE_OBJCXX_STANDARD 17)

include(${CMAKE_SOURCE_DIR}/cmake/vexel_plugin.cmake)

# The resources, per language in the bundle's Resources folder: en.lproj and ja.lproj each
# hold the dialog description (named mode_dialog_id on Mac OS X) and the string table TEXT.
set(VEXEL_BUNDLE_RESOURCES "")
foreach(language en ja)
  foreach(name mode_dialog_id TEXT)
    set(file ${CMAKE_SOURCE_DIR}/resources/lang/${language}/${name}.xml)
    set_source_files_properties(${file} PROPERTIES
      MACOSX_PACKAGE_LOCATION Resources/${language}.lproj)
    list(APPEND VEXEL_BUNDLE_RESOURCES ${file})
  endforeach()
endforeach()

vexel_plugin_module(TARGET vexel_mac TEXT_FIELD edit_text_mac.mm SOURCES ${VEXEL_BUNDLE_RESOURCES})
target_link_libraries(vexel_mac PRIVATE "-framework Cocoa")
set_target_properties(vexel_mac PROPERTIES
  BUNDLE TRUE
  MACOSX_BUNDLE_INFO_PLIST ${CMAKE_SOURCE_DIR}/cmake/vexel_mac.Info.plist.in
  MACOSX_BUNDLE_BUNDLE_NAME vexel
  MACOSX_BUNDLE_GUI_IDENTIFIER vexel.plugin.vexel-mac
  MACOSX_BUNDLE_BUNDLE_VERSION 10.0.0.12
  MACOSX_BUNDLE_SHORT_VERSION_STRING 10.0.0)
# Exactly the six entry points, undecorated.
target_link_options(vexel_mac PRIVATE
  -Wl,-exported_symbols_list,${CMAKE_SOURCE_DIR}/cmake/vexel_mac.exports)
set_property(TARGET vexel_mac APPEND PROPERTY LINK_DEPENDS ${CMAKE_SOURCE_DIR}/cmake/vexel_mac.exports)
