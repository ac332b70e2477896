// Small stand-ins for the host objects the binding classes talk to: a recording plug-in
// services object, a root that hands it out, and inert shapes, parts, scenes and dialogs
// for callbacks that only take them by reference.
#pragma once

#include <deque>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "host_dialog.h"
#include "host_scene.h"
#include "host_shape.h"
#include "tessel_interface.h"
#include "tests/inert_scene.h"
#include "windowinterface"

namespace doubles {

// Formatting of recorded arguments: "1,(2,3),text".
inline std::string text(int v) { return std::to_string(v); }
inline std::string text(bool v) { return v ? "true" : "false"; }
inline std::string text(float v) { std::ostringstream s; s << v; return s.str(); }
inline std::string text(char const* v) { return v ? v : "(null)"; }
inline std::string text(tq::point_class p) { return "(" + text(p.x) + "," + text(p.y) + ")"; }
inline std::string text(vec2 const& v) { return "(" + text(v.x) + "," + text(v.y) + ")"; }
inline std::string text(tq::rectangle_class const& r) {
    return "(" + text(r.left) + "," + text(r.top) + ")-(" + text(r.right) + "," + text(r.bottom) + ")";
}
inline std::string join() { return ""; }
template <class T, class... R>
std::string join(T const& first, R const&... rest) {
    std::string tail = join(rest...);
    return tail.empty() ? text(first) : text(first) + "," + tail;
}

// One call the plug-in made into the services object.
struct host_call {
    std::string name;
    void const* window;   // the window passed first, null when none was passed
    void const* control;  // the control handle passed, if any
    void const* object;   // the handler, graphics context or other object passed, if any
    std::string args;     // the remaining arguments, formatted
    tq::uuid_class owner; // set_handler's owner identifier, copied at the call
};

// A host control as the fake hands it out: opaque to the plug-in.
struct fake_control {
    int id;
    bool deleted;
};

class recording_services : public plugin_services_interface {
public:
    std::vector<host_call> calls;
    std::deque<fake_control> controls;  // stable addresses
    std::string throw_on;               // the operation that throws host_fault, if any

    // Answers of the queries.
    bool answer = false;
    tq::rectangle_class frame{0, 0, 0, 0};
    tq::rectangle_class client{1, 2, 3, 4};
    tq::point_class point{7, 8};
    int int_value = 5;
    float float_value = 2.5f;
    void* pointer = reinterpret_cast<void*>(0x1234);
    char const* looked_up = "looked up";

    host_call const& last() const { return calls.back(); }
    static control_class* handle(fake_control& c) { return reinterpret_cast<control_class*>(&c); }

    char const* lookup_text(char const* key, void* reserved) override {
        record("lookup_text", nullptr, nullptr, reserved, join(key));
        return looked_up;
    }
    void show_window(window_interface& w) override { record("show_window", &w); }
    void hide_window(window_interface& w) override { record("hide_window", &w); }
    bool is_window_shown(window_interface const& w) override { record("is_window_shown", &w); return answer; }
    void set_window_title(window_interface& w, char const* t) override { record("set_window_title", &w, nullptr, nullptr, join(t)); }
    void set_client_size(window_interface& w, tq::point_class s) override { record("set_client_size", &w, nullptr, nullptr, join(s)); }
    void set_canvas_size(window_interface& w, tq::point_class s) override { record("set_canvas_size", &w, nullptr, nullptr, join(s)); }
    tq::rectangle_class get_frame_rectangle(window_interface const& w) override { record("get_frame_rectangle", &w); return frame; }
    void set_frame_rectangle(window_interface& w, tq::rectangle_class const* f) override {
        record("set_frame_rectangle", &w, nullptr, nullptr, join(*f));
        frame = *f;
    }
    tq::rectangle_class get_client_rectangle(window_interface& w) override { record("get_client_rectangle", &w); return client; }
    void invalidate_window(window_interface& w) override { record("invalidate_window", &w); }
    void* create_child_window(window_interface& child, window_interface& parent, int flags) override {
        record("create_child_window", &child, nullptr, &parent, join(flags));
        return pointer;
    }
    void delete_window(window_interface& w) override { record("delete_window", &w); }
    void* get_text_object(window_interface& w) override { record("get_text_object", &w); return pointer; }
    void* get_native_window(window_interface& w) override { record("get_native_window", &w); return pointer; }
    image_interface* get_image_interface(window_interface& w) override {
        record("get_image_interface", &w);
        return static_cast<image_interface*>(pointer);
    }

    bool default_clear(window_interface& w, graphic_context_interface& gc) override { record("default_clear", &w, nullptr, &gc); return answer; }
    bool default_paint(window_interface& w, graphic_context_interface& gc, tq::rectangle_class const* area) override {
        record("default_paint", &w, nullptr, &gc, area ? join(*area) : "(null)");
        return answer;
    }
    void default_resize(window_interface& w, int width, int height, bool live) override { record("default_resize", &w, nullptr, nullptr, join(width, height, live)); }
    void default_mouse_enter(window_interface& w) override { record("default_mouse_enter", &w); }
    void default_mouse_move(window_interface& w, tq::point_class at) override { record("default_mouse_move", &w, nullptr, nullptr, join(at)); }
    void default_mouse_exit(window_interface& w) override { record("default_mouse_exit", &w); }
    bool default_mouse_down(window_interface& w, int button, tq::point_class at, int modifiers, int clicks, bool inside) override {
        record("default_mouse_down", &w, nullptr, nullptr, join(button, at, modifiers, clicks, inside));
        return answer;
    }
    void default_idle(window_interface& w) override { record("default_idle", &w); }
    void default_scrolled(window_interface& w, tq::point_class to) override { record("default_scrolled", &w, nullptr, nullptr, join(to)); }
    void default_activate(window_interface& w) override { record("default_activate", &w); }
    void default_deactivate(window_interface& w) override { record("default_deactivate", &w); }
    bool default_drag_file(window_interface& w, char const* path) override { record("default_drag_file", &w, nullptr, nullptr, join(path)); return answer; }
    bool default_key_down(window_interface& w, int key, int modifiers) override { record("default_key_down", &w, nullptr, nullptr, join(key, modifiers)); return answer; }
    bool default_scroll_wheel(window_interface& w, vec2 const& delta, tq::point_class at, int modifiers) override {
        record("default_scroll_wheel", &w, nullptr, nullptr, join(delta, at, modifiers));
        return answer;
    }
    void default_obsolete(window_interface& w) override { record("default_obsolete", &w); }

    control_class& create_button(window_interface& w, handler_interface& h, int zero, int x, int y, int width, int height, char const* label) override {
        return create("create_button", w, h, join(zero, x, y, width, height, label));
    }
    control_class& create_check_box(window_interface& w, handler_interface& h, int zero, int x, int y, int width, int height, char const* label) override {
        return create("create_check_box", w, h, join(zero, x, y, width, height, label));
    }
    control_class& create_number(window_interface& w, handler_interface& h, int zero, int x, int y, int width, int height, char const* label) override {
        return create("create_number", w, h, join(zero, x, y, width, height, label));
    }
    control_class& create_static_text(window_interface& w, handler_interface& h, int zero, int x, int y, int width, int height, char const* label) override {
        return create("create_static_text", w, h, join(zero, x, y, width, height, label));
    }
    control_class& create_popup(window_interface& w, handler_interface& h, int zero, int x, int y, char const* title, int width, char const* items) override {
        return create("create_popup", w, h, join(zero, x, y, title, width, items));
    }
    void set_check_box_int_value(window_interface& w, plugin_checkbox_class& box, int value) override { record("set_check_box_int_value", &w, &box, nullptr, join(value)); }
    int get_check_box_int_value(window_interface& w, plugin_checkbox_class& box) override { record("get_check_box_int_value", &w, &box); return int_value; }
    void set_number_float_value(window_interface& w, plugin_number_class& box, float value) override { record("set_number_float_value", &w, &box, nullptr, join(value)); }
    float get_number_float_value(window_interface& w, plugin_number_class& box) override { record("get_number_float_value", &w, &box); return float_value; }
    void set_popup_int_value(window_interface& w, plugin_popup_menu_class& menu, int index) override { record("set_popup_int_value", &w, &menu, nullptr, join(index)); }
    int get_popup_int_value(window_interface& w, plugin_popup_menu_class& menu) override { record("get_popup_int_value", &w, &menu); return int_value; }
    void set_number_columns(window_interface& w, plugin_number_class& box, int columns) override { record("set_number_columns", &w, &box, nullptr, join(columns)); }
    bool select(control_class& c, bool a, bool b) override { record("select", nullptr, &c, nullptr, join(a, b)); return answer; }
    void set_tooltip(control_class& c, char const* t) override { record("set_tooltip", nullptr, &c, nullptr, join(t)); }
    void set_active(control_class& c, bool enabled) override { record("set_active", nullptr, &c, nullptr, join(enabled)); }
    void invalidate(control_class& c) override { record("invalidate", nullptr, &c); }
    void show(control_class& c) override { record("show", nullptr, &c); }
    void hide(control_class& c) override { record("hide", nullptr, &c); }
    tq::point_class get_position(control_class& c) override { record("get_position", nullptr, &c); return point; }
    tq::point_class get_size(control_class& c) override { record("get_size", nullptr, &c); return point; }
    void set_title(control_class& c, char const* t) override { record("set_title", nullptr, &c, nullptr, join(t)); }
    void delete_self(control_class& c) override {
        record("delete_self", nullptr, &c);
        reinterpret_cast<fake_control&>(c).deleted = true;
    }
    void set_handler(control_class& c, unknown_interface& handler, tq::uuid_class const* owner) override {
        record("set_handler", nullptr, &c, &handler);
        calls.back().owner = *owner;
    }

private:
    void record(char const* name, void const* window, void const* control = nullptr,
                void const* object = nullptr, std::string args = "") {
        calls.push_back(host_call{name, window, control, object, args, tq::uuid_class()});
        if (throw_on == name) throw std::runtime_error(std::string("host fault in ") + name);
    }
    control_class& create(char const* name, window_interface& w, handler_interface& h, std::string args) {
        record(name, &w, nullptr, &h, args);
        controls.push_back(fake_control{static_cast<int>(controls.size()), false});
        return *handle(controls.back());
    }
};

// The host root: hands out the recording services object and nothing else.
class fake_tessel : public tessel_interface {
public:
    recording_services services;
    int services_asked = 0;
    void* last_reserved = reinterpret_cast<void*>(1);

    plugin_services_interface* get_plugin_services(void* reserved) override {
        ++services_asked;
        last_reserved = reserved;
        return &services;
    }
    scene_interface* get_scene_interface(void*) override { return nullptr; }
    marking_interface* get_plugin_interface(tq::uuid_class const&, void*) override { return nullptr; }
    preference_store_interface* get_preference_store(void*) override { return nullptr; }
    dialog_interface* create_dialog(tq::uuid_class const&, void*) override { return nullptr; }
    void show_message(char const*, int, int, void*) override {}
};

// Inert shapes: every query answers 0 or null.
template <class Base>
class inert_shape : public Base {
public:
    int get_object_kind(void*) override { return 0; }
    char const* get_name(void*) override { return "inert"; }
    scene_interface* get_scene(void*) override { return nullptr; }
    bool has_parent(void*) override { return false; }
    shape_class* get_parent(void*) override { return nullptr; }
    bool has_children(void*) override { return false; }
    shape_class* first_child(void*) override { return nullptr; }
    shape_class* next_sibling(void*) override { return nullptr; }
    shape_class* child_end(void*) override { return nullptr; }
    int point_count(void*) override { return 1; }
    int get_active_points(int*, int, void*) override { return 0; }
    mat4 get_world_matrix(void*) override { return mat4::identity; }
    mat4 get_world_to_local_matrix(void*) override { return mat4::identity; }
    skin_class* get_skin(void*) override { return nullptr; }
    control_point_class* control_point_at(int, void*) override { return nullptr; }
    void apply_transformation(mat4 const&, void*) override {}
    int get_linked_shapes(tq::uuid_class const&, shape_class**, int, void*) override { return 0; }
    int get_sequence_number(void*) override { return 0; }
    bool is_modifiable(void*) override { return true; }
    part_class* as_part(void*) override { return nullptr; }
    polygon_mesh_class* as_polygon_mesh(void*) override { return nullptr; }
    center_class* as_light(void*) override { return nullptr; }
    center_class* as_sphere(void*) override { return nullptr; }
    center_class* as_disk(void*) override { return nullptr; }
    joint_interface* rotator_joint(void*) override { return nullptr; }
    joint_interface* slider_joint(void*) override { return nullptr; }
    joint_interface* scale_joint(void*) override { return nullptr; }
    joint_interface* uniscale_joint(void*) override { return nullptr; }
    joint_interface* ball_joint(void*) override { return nullptr; }
};

using stub_shape = inert_shape<shape_class>;

class stub_part : public inert_shape<part_class> {
public:
    int get_part_kind(void*) override { return 0; }
    shape_class* link_target(void*) override { return nullptr; }
    void select_as_camera(void*) override {}
    bool get_surface_direction(void*) override { return false; }
};

// A scene the binding tests hand over without counting it.
class uncounted_scene : public scene_interface {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(vx_iid_arg, void**) override { return VX_E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
};

using stub_scene = test_doubles::inert_scene<uncounted_scene>;

class stub_dialog : public dialog_interface {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(vx_iid_arg, void**) override { return VX_E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    void set_resource_name(char const*, void*) override {}
    void set_responder(plugin_interface*, void*) override {}
    int ask(int, int, void*) override { return 0; }
    dialog_item_class* get_item(int, void*) override { return nullptr; }
};

class stub_dialog_item : public dialog_item_class {
public:
    bool get_bool(void*) override { return false; }
    void set_bool(bool, void*) override {}
};

}  // namespace doubles
