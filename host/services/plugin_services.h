// The reference host's plug-in services object: the string table lookup and every window
// and control operation of the window binding, on the window model of window_model.h.
//
// Every operation the plug-in calls starts with host_call (fault injection) and refuses
// handles it did not hand out with host_error. The members below the plug-in's operations
// are the host's own side: registering the plug-in's top-level window and finding its
// model. What the user does to the controls is user_controls.h; the front ends' view of a
// window is window_snapshot.h.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>

#include "resources/string_table.h"
#include "services/window_model.h"
#include "tessel_interface.h"

namespace host {

class plugin_services final : public plugin_services_interface {
public:
    plugin_services();
    ~plugin_services();

    // The table lookup_text answers from; without one every key answers itself. Borrowed:
    // the caller keeps it alive while it is set.
    void use_strings(string_table* table) { strings = table; }

    // --- What the plug-in calls ---
    char const* lookup_text(char const* key, void* reserved = nullptr) override;

    void show_window(window_interface& window) override;
    void hide_window(window_interface& window) override;
    bool is_window_shown(window_interface const& window) override;
    void set_window_title(window_interface& window, char const* title) override;
    void set_client_size(window_interface& window, tq::point_class size) override;
    void set_canvas_size(window_interface& window, tq::point_class size) override;
    tq::rectangle_class get_frame_rectangle(window_interface const& window) override;
    void set_frame_rectangle(window_interface& window, tq::rectangle_class const* frame) override;
    tq::rectangle_class get_client_rectangle(window_interface& window) override;
    void invalidate_window(window_interface& window) override;
    void* create_child_window(window_interface& child, window_interface& parent,
                              int flags) override;
    void delete_window(window_interface& window) override;
    // A child window's text object, as a host_text_object*; null for other windows.
    void* get_text_object(window_interface& window) override;
    void* get_native_window(window_interface& window) override;  // null: no platform window
    image_interface* get_image_interface(window_interface& window) override;  // null

    // Default handling of window events: this host does nothing and reports false.
    bool default_clear(window_interface& window, graphic_context_interface& gc) override;
    bool default_paint(window_interface& window, graphic_context_interface& gc,
                       tq::rectangle_class const* area) override;
    void default_resize(window_interface& window, int width, int height, bool live) override;
    void default_mouse_enter(window_interface& window) override;
    void default_mouse_move(window_interface& window, tq::point_class at) override;
    void default_mouse_exit(window_interface& window) override;
    bool default_mouse_down(window_interface& window, int button, tq::point_class at,
                            int modifiers, int clicks, bool inside) override;
    void default_idle(window_interface& window) override;
    void default_scrolled(window_interface& window, tq::point_class to) override;
    void default_activate(window_interface& window) override;
    void default_deactivate(window_interface& window) override;
    bool default_drag_file(window_interface& window, char const* path) override;
    bool default_key_down(window_interface& window, int key, int modifiers) override;
    bool default_scroll_wheel(window_interface& window, vec2 const& delta, tq::point_class at,
                              int modifiers) override;
    void default_obsolete(window_interface& window) override;

    control_class& create_button(window_interface& window, handler_interface& handler, int zero,
                                 int x, int y, int width, int height, char const* label) override;
    control_class& create_check_box(window_interface& window, handler_interface& handler,
                                    int zero, int x, int y, int width, int height,
                                    char const* label) override;
    control_class& create_number(window_interface& window, handler_interface& handler, int zero,
                                 int x, int y, int width, int height, char const* label) override;
    control_class& create_static_text(window_interface& window, handler_interface& handler,
                                      int zero, int x, int y, int width, int height,
                                      char const* label) override;
    control_class& create_popup(window_interface& window, handler_interface& handler, int zero,
                                int x, int y, char const* title, int width,
                                char const* items) override;
    void set_check_box_int_value(window_interface& window, plugin_checkbox_class& box,
                                 int value) override;
    int get_check_box_int_value(window_interface& window, plugin_checkbox_class& box) override;
    void set_number_float_value(window_interface& window, plugin_number_class& box,
                                float value) override;
    float get_number_float_value(window_interface& window, plugin_number_class& box) override;
    // Refuses an index outside the pop-up's entries.
    void set_popup_int_value(window_interface& window, plugin_popup_menu_class& menu,
                             int index) override;
    int get_popup_int_value(window_interface& window, plugin_popup_menu_class& menu) override;
    void set_number_columns(window_interface& window, plugin_number_class& box,
                            int columns) override;
    bool select(control_class& control, bool a, bool b) override;  // marks it; true
    void set_tooltip(control_class& control, char const* text) override;
    void set_active(control_class& control, bool enabled) override;
    void invalidate(control_class& control) override;
    void show(control_class& control) override;
    void hide(control_class& control) override;
    tq::point_class get_position(control_class& control) override;
    tq::point_class get_size(control_class& control) override;
    void set_title(control_class& control, char const* text) override;
    void delete_self(control_class& control) override;
    void set_handler(control_class& control, unknown_interface& handler,
                     tq::uuid_class const* owner) override;

    // --- The host's own side (no fault injection) ---

    // Gives the plug-in's top-level window a host window: shown, empty, at the default spot.
    void open_window(window_interface& window);
    // Destroys the host window of window with its controls and child windows.
    void close_window(window_interface& window);
    bool has_window(window_interface const& window) const;
    // The user shows or hides the window.
    void set_window_shown(window_interface& window, bool shown);
    // Windows the plug-in asked to destroy (delete_window) since the start.
    int deleted_windows() const { return windows_deleted; }

    // The host's model of window (title, frame, controls in creation order), or null for
    // a window the host does not know. For the host's own views of it (window_snapshot.h,
    // user_controls.h).
    host_window* find_window(window_interface const& window) const;

private:
    host_window& window_of(window_interface const& window, char const* operation) const;
    host_control& control_of(control_class const& handle, char const* operation) const;
    host_control& typed_control_of(window_interface const& window, void const* handle,
                                   control_kind kind, char const* operation) const;
    control_class& add_control(window_interface& window, handler_interface& handler,
                               control_kind kind, int x, int y, int width, int height,
                               char const* text, char const* operation);
    void forget(host_window& window);

    string_table* strings = nullptr;
    string_table no_strings;
    std::map<window_interface const*, std::unique_ptr<host_window>> windows;
    std::set<host_control const*> live_controls;  // handles the plug-in may present
    int windows_deleted = 0;
};

}  // namespace host
