// The host's root interface and its plug-in services object: texts, windows and controls.
//
// Unless a line says otherwise, returned pointers and texts are borrowed from the host,
// and every operation may throw a host exception.
#pragma once

#include "math_values.h"
#include "uuid_class.h"
#include "window_geometry.h"

class scene_interface;
class preference_store_interface;
class dialog_interface;
class marking_interface;
class unknown_interface;
class handler_interface;
class window_interface;
class graphic_context_interface;
class image_interface;

// Host controls, opaque to the plug-in. A control's typed handles (check box, number box,
// pop-up menu) are the same host object as its control handle.
class control_class;
class plugin_checkbox_class;
class plugin_number_class;
class plugin_popup_menu_class;

class plugin_services_interface {
public:
    // The text of key in the plug-in's string table for the current language, or key
    // itself when the table has none. Borrowed: valid while the module is loaded.
    virtual char const* lookup_text(char const* key, void* reserved = nullptr) = 0;

    // Windows. The window argument is the plug-in's window object; the host keeps the real
    // window behind it.
    virtual void show_window(window_interface& window) = 0;
    virtual void hide_window(window_interface& window) = 0;
    virtual bool is_window_shown(window_interface const& window) = 0;
    virtual void set_window_title(window_interface& window, char const* title) = 0;
    virtual void set_client_size(window_interface& window, tq::point_class size) = 0;
    virtual void set_canvas_size(window_interface& window, tq::point_class size) = 0;
    virtual tq::rectangle_class get_frame_rectangle(window_interface const& window) = 0;
    virtual void set_frame_rectangle(window_interface& window,
                                     tq::rectangle_class const* frame) = 0;
    virtual tq::rectangle_class get_client_rectangle(window_interface& window) = 0;
    // Redraws the whole window later.
    virtual void invalidate_window(window_interface& window) = 0;
    // Creates a child window of parent for child; returns its handle (host-owned).
    virtual void* create_child_window(window_interface& child, window_interface& parent,
                                      int flags) = 0;
    // Destroys the host window behind window.
    virtual void delete_window(window_interface& window) = 0;
    // The platform text object of a child window: on
    // Windows a CWnd of a rich edit control, on Mac OS X an NSTextField or NSText, here the
    // reference host's text object. Borrowed; null for a window without one.
    virtual void* get_text_object(window_interface& window) = 0;
    virtual void* get_native_window(window_interface& window) = 0;
    virtual image_interface* get_image_interface(window_interface& window) = 0;

    // The host's default handling of window events; true when the host handled it.
    virtual bool default_clear(window_interface& window, graphic_context_interface& gc) = 0;
    virtual bool default_paint(window_interface& window, graphic_context_interface& gc,
                               tq::rectangle_class const* area) = 0;
    virtual void default_resize(window_interface& window, int width, int height,
                                bool live) = 0;
    virtual void default_mouse_enter(window_interface& window) = 0;
    virtual void default_mouse_move(window_interface& window, tq::point_class at) = 0;
    virtual void default_mouse_exit(window_interface& window) = 0;
    virtual bool default_mouse_down(window_interface& window, int button, tq::point_class at,
                                    int modifiers, int clicks, bool inside) = 0;
    virtual void default_idle(window_interface& window) = 0;
    virtual void default_scrolled(window_interface& window, tq::point_class to) = 0;
    virtual void default_activate(window_interface& window) = 0;
    virtual void default_deactivate(window_interface& window) = 0;
    virtual bool default_drag_file(window_interface& window, char const* path) = 0;
    virtual bool default_key_down(window_interface& window, int key, int modifiers) = 0;
    virtual bool default_scroll_wheel(window_interface& window, vec2 const& delta,
                                      tq::point_class at, int modifiers) = 0;
    virtual void default_obsolete(window_interface& window) = 0;

    // Controls. x and y may carry the placement codes 0x20000000 + n (after the previous
    // control, n more units of gap) and 0x10000000 (on the previous control's line).
    // The returned handle is host-owned and lives as long as the window.
    virtual control_class& create_button(window_interface& window, handler_interface& handler,
                                         int zero, int x, int y, int width, int height,
                                         char const* label) = 0;
    virtual control_class& create_check_box(window_interface& window,
                                            handler_interface& handler, int zero, int x,
                                            int y, int width, int height,
                                            char const* label) = 0;
    virtual control_class& create_number(window_interface& window, handler_interface& handler,
                                         int zero, int x, int y, int width, int height,
                                         char const* label) = 0;
    virtual control_class& create_static_text(window_interface& window,
                                              handler_interface& handler, int zero, int x,
                                              int y, int width, int height,
                                              char const* label) = 0;
    // items: entries separated by "|", as in "0|1|2".
    virtual control_class& create_popup(window_interface& window, handler_interface& handler,
                                        int zero, int x, int y, char const* title, int width,
                                        char const* items) = 0;
    virtual void set_check_box_int_value(window_interface& window, plugin_checkbox_class& box,
                                         int value) = 0;
    virtual int get_check_box_int_value(window_interface& window,
                                        plugin_checkbox_class& box) = 0;
    virtual void set_number_float_value(window_interface& window, plugin_number_class& box,
                                        float value) = 0;
    virtual float get_number_float_value(window_interface& window,
                                         plugin_number_class& box) = 0;
    virtual void set_popup_int_value(window_interface& window, plugin_popup_menu_class& menu,
                                     int index) = 0;
    virtual int get_popup_int_value(window_interface& window,
                                    plugin_popup_menu_class& menu) = 0;
    virtual void set_number_columns(window_interface& window, plugin_number_class& box,
                                    int columns) = 0;
    virtual bool select(control_class& control, bool a, bool b) = 0;
    virtual void set_tooltip(control_class& control, char const* text) = 0;
    virtual void set_active(control_class& control, bool enabled) = 0;
    virtual void invalidate(control_class& control) = 0;
    virtual void show(control_class& control) = 0;
    virtual void hide(control_class& control) = 0;
    // Top-left corner inside the window / width and height, in pixels.
    virtual tq::point_class get_position(control_class& control) = 0;
    virtual tq::point_class get_size(control_class& control) = 0;
    virtual void set_title(control_class& control, char const* text) = 0;
    // Destroys the host control.
    virtual void delete_self(control_class& control) = 0;
    // From now on the control's events (clicked, value_changed) go to handler, which must
    // be a handler_interface; owner names the window the control belongs to.
    virtual void set_handler(control_class& control, unknown_interface& handler,
                             tq::uuid_class const* owner) = 0;

protected:
    ~plugin_services_interface() = default;
};

class tessel_interface {
public:
    // The plug-in services object. Borrowed: lives as long as the host. May throw.
    virtual plugin_services_interface* get_plugin_services(void* reserved = nullptr) = 0;
    // The current scene, or null. Counted: the caller releases it. May throw.
    virtual scene_interface* get_scene_interface(void* reserved = nullptr) = 0;
    // The host component registered under id (the marking component for the element
    // preference identifier), or null. Borrowed. May throw.
    virtual marking_interface* get_plugin_interface(tq::uuid_class const& id,
                                                    void* reserved = nullptr) = 0;
    // The preference store. Counted: the caller releases it. May throw.
    virtual preference_store_interface* get_preference_store(void* reserved = nullptr) = 0;
    // A new dialog owned by the plug-in named id. Counted: the caller releases it.
    virtual dialog_interface* create_dialog(tq::uuid_class const& id,
                                            void* reserved = nullptr) = 0;
    // Shows text to the user (a, b: the host's message options; the plug-in passes 0, 0).
    virtual void show_message(char const* text, int a, int b, void* reserved = nullptr) = 0;

    // The translated text of key: lookup_text of the plug-in services object, unchanged.
    // Borrowed. Lets host exceptions pass.
    char const* gettext(char const* key);

protected:
    ~tessel_interface() = default;
};
