// A minimal host for the platform text field tests (Windows under Wine, Mac OS X text field
// against GNUstep): it creates nothing itself, hands out the platform text object the test
// made, and records what the field asked of it. Every other service answers "nothing".
#pragma once

#include <string>
#include <vector>

#include "tessel_interface.h"
#include "windowinterface"

namespace cross_test {

class text_field_services : public plugin_services_interface {
public:
    // What the field asked for.
    struct child_request {
        window_interface* child;
        window_interface* parent;
        int flags;
    };
    std::vector<child_request> child_requests;
    std::vector<tq::rectangle_class> frames;  // set_frame_rectangle, in order
    std::vector<tq::point_class> canvas_sizes;
    int text_object_requests = 0;
    std::vector<std::string> looked_up_keys;

    // What the host hands out.
    void* text_object = nullptr;              // get_text_object's answer
    bool throw_on_child = false;              // create_child_window throws the int 7
    char child_token = 0;                     // the child handle is its address
    char const* looked_up_text = "vexel";     // lookup_text's answer for every key

    char const* lookup_text(char const* key, void*) override {
        looked_up_keys.push_back(key ? key : "");
        return looked_up_text;
    }
    void* create_child_window(window_interface& child, window_interface& parent,
                              int flags) override {
        if (throw_on_child) throw 7;
        child_requests.push_back({&child, &parent, flags});
        return &child_token;
    }
    void set_frame_rectangle(window_interface&, tq::rectangle_class const* frame) override {
        frames.push_back(*frame);
    }
    void set_canvas_size(window_interface&, tq::point_class size) override {
        canvas_sizes.push_back(size);
    }
    void* get_text_object(window_interface&) override {
        ++text_object_requests;
        return text_object;
    }

    // Everything below: the host has no opinion.
    void show_window(window_interface&) override {}
    void hide_window(window_interface&) override {}
    bool is_window_shown(window_interface const&) override { return false; }
    void set_window_title(window_interface&, char const*) override {}
    void set_client_size(window_interface&, tq::point_class) override {}
    tq::rectangle_class get_frame_rectangle(window_interface const&) override { return {}; }
    tq::rectangle_class get_client_rectangle(window_interface&) override { return {}; }
    void invalidate_window(window_interface&) override {}
    void delete_window(window_interface&) override {}
    void* get_native_window(window_interface&) override { return nullptr; }
    image_interface* get_image_interface(window_interface&) override { return nullptr; }
    bool default_clear(window_interface&, graphic_context_interface&) override { return false; }
    bool default_paint(window_interface&, graphic_context_interface&,
                       tq::rectangle_class const*) override {
        return false;
    }
    void default_resize(window_interface&, int, int, bool) override {}
    void default_mouse_enter(window_interface&) override {}
    void default_mouse_move(window_interface&, tq::point_class) override {}
    void default_mouse_exit(window_interface&) override {}
    bool default_mouse_down(window_interface&, int, tq::point_class, int, int, bool) override {
        return false;
    }
    void default_idle(window_interface&) override {}
    void default_scrolled(window_interface&, tq::point_class) override {}
    void default_activate(window_interface&) override {}
    void default_deactivate(window_interface&) override {}
    bool default_drag_file(window_interface&, char const*) override { return false; }
    bool default_key_down(window_interface&, int, int) override { return false; }
    bool default_scroll_wheel(window_interface&, vec2 const&, tq::point_class, int) override {
        return false;
    }
    void default_obsolete(window_interface&) override {}
    control_class& create_button(window_interface&, handler_interface&, int, int, int, int, int,
                                 char const*) override {
        return no_control();
    }
    control_class& create_check_box(window_interface&, handler_interface&, int, int, int, int,
                                    int, char const*) override {
        return no_control();
    }
    control_class& create_number(window_interface&, handler_interface&, int, int, int, int, int,
                                 char const*) override {
        return no_control();
    }
    control_class& create_static_text(window_interface&, handler_interface&, int, int, int, int,
                                      int, char const*) override {
        return no_control();
    }
    control_class& create_popup(window_interface&, handler_interface&, int, int, int,
                                char const*, int, char const*) override {
        return no_control();
    }
    void set_check_box_int_value(window_interface&, plugin_checkbox_class&, int) override {}
    int get_check_box_int_value(window_interface&, plugin_checkbox_class&) override { return 0; }
    void set_number_float_value(window_interface&, plugin_number_class&, float) override {}
    float get_number_float_value(window_interface&, plugin_number_class&) override { return 0; }
    void set_popup_int_value(window_interface&, plugin_popup_menu_class&, int) override {}
    int get_popup_int_value(window_interface&, plugin_popup_menu_class&) override { return 0; }
    void set_number_columns(window_interface&, plugin_number_class&, int) override {}
    bool select(control_class&, bool, bool) override { return false; }
    void set_tooltip(control_class&, char const*) override {}
    void set_active(control_class&, bool) override {}
    void invalidate(control_class&) override {}
    void show(control_class&) override {}
    void hide(control_class&) override {}
    tq::point_class get_position(control_class&) override { return {}; }
    tq::point_class get_size(control_class&) override { return {}; }
    void set_title(control_class&, char const*) override {}
    void delete_self(control_class&) override {}
    void set_handler(control_class&, unknown_interface&, tq::uuid_class const*) override {}

private:
    // The text field tests create no controls; a call here is a test fault.
    control_class& no_control() { throw "the text field tests create no controls"; }
};

// The host root: its services and nothing else, unless a test overrides more.
class text_field_root : public tessel_interface {
public:
    text_field_services services;

    plugin_services_interface* get_plugin_services(void*) override { return &services; }
    scene_interface* get_scene_interface(void*) override { return nullptr; }
    marking_interface* get_plugin_interface(tq::uuid_class const&, void*) override {
        return nullptr;
    }
    preference_store_interface* get_preference_store(void*) override { return nullptr; }
    dialog_interface* create_dialog(tq::uuid_class const&, void*) override { return nullptr; }
    void show_message(char const*, int, int, void*) override {}
};

// A plain top-level window of the plug-in for the field to live in.
class parent_window : public window_interface {
public:
    explicit parent_window(tessel_interface& host) : window_interface(host) {}
    int get_tessel_version() const override { return tessel_interface_version; }
};

}  // namespace cross_test
