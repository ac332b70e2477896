#include "services/plugin_services.h"

#include <algorithm>
#include <stdexcept>

#include "checks/host_checks.h"
#include "handlerinterface"
#include "services/control_placement.h"

namespace host {

namespace {

std::string text_of(char const* text) { return text ? text : ""; }

// Replaces a stored text in place: a title set again and again reuses its buffer.
void store_text(std::string& into, char const* text) { into.assign(text ? text : ""); }

std::vector<std::string> split_items(char const* items) {
    std::vector<std::string> entries;
    std::string all = text_of(items);
    if (all.empty()) return entries;
    std::string::size_type start = 0;
    for (;;) {
        std::string::size_type bar = all.find('|', start);
        entries.push_back(all.substr(start, bar - start));
        if (bar == std::string::npos) break;
        start = bar + 1;
    }
    return entries;
}

control_class& handle_of(host_control& control) {
    return *reinterpret_cast<control_class*>(&control);
}

}  // namespace

char const* kind_name(control_kind kind) {
    switch (kind) {
    case control_kind::button: return "button";
    case control_kind::checkbox: return "checkbox";
    case control_kind::number: return "number";
    case control_kind::static_text: return "static_text";
    case control_kind::popup: return "popup";
    case control_kind::text_field: return "text_field";
    }
    return "unknown";
}

plugin_services::plugin_services() = default;
plugin_services::~plugin_services() = default;

// --- lookups of what the plug-in presents ---

host_window& plugin_services::window_of(window_interface const& window,
                                        char const* operation) const {
    auto found = windows.find(&window);
    if (found == windows.end())
        throw host_error(std::string(operation) + ": a window this host does not know");
    return *found->second;
}

host_control& plugin_services::control_of(control_class const& handle,
                                          char const* operation) const {
    auto control = reinterpret_cast<host_control const*>(&handle);
    if (live_controls.count(control) == 0)
        throw host_error(std::string(operation) + ": a control this host does not know");
    return *const_cast<host_control*>(control);
}

host_control& plugin_services::typed_control_of(window_interface const& window,
                                                void const* handle, control_kind kind,
                                                char const* operation) const {
    host_window& owner = window_of(window, operation);
    host_control& control = control_of(*static_cast<control_class const*>(handle), operation);
    if (control.window != &owner)
        throw host_error(std::string(operation) + ": the control is not on this window");
    if (control.kind != kind)
        throw host_error(std::string(operation) + ": the control is a " +
                         kind_name(control.kind) + ", not a " + kind_name(kind));
    return control;
}

// --- texts ---

char const* plugin_services::lookup_text(char const* key, void*) {
    host_call("lookup_text", nullptr, key);
    return (strings ? *strings : no_strings).lookup(key);
}

// --- windows ---

void plugin_services::show_window(window_interface& window) {
    host_window& model = window_of(window, host_call("show_window"));
    model.shown = true;
    if (model.text) model.text->show(true);
}

void plugin_services::hide_window(window_interface& window) {
    host_window& model = window_of(window, host_call("hide_window"));
    model.shown = false;
    if (model.text) model.text->show(false);
}

bool plugin_services::is_window_shown(window_interface const& window) {
    return window_of(window, host_call("is_window_shown")).shown;
}

void plugin_services::set_window_title(window_interface& window, char const* title) {
    store_text(window_of(window, host_call("set_window_title", nullptr, title)).title, title);
}

void plugin_services::set_client_size(window_interface& window, tq::point_class size) {
    char const* op = host_call("set_client_size", nullptr, size);
    host_window& model = window_of(window, op);
    if (size.x < 0 || size.y < 0)
        throw host_error(std::string(op) + ": negative size " + std::to_string(size.x) + " x " +
                         std::to_string(size.y));
    model.client = size;
    // The frame keeps its top-left corner and wraps the new client area.
    int bar = model.parent ? 0 : title_bar_height;
    model.frame.right = model.frame.left + size.x;
    model.frame.bottom = model.frame.top + size.y + bar;
}

void plugin_services::set_canvas_size(window_interface& window, tq::point_class size) {
    char const* op = host_call("set_canvas_size", nullptr, size);
    host_window& model = window_of(window, op);
    if (size.x < 0 || size.y < 0) throw host_error(std::string(op) + ": negative size");
    model.canvas = size;
}

tq::rectangle_class plugin_services::get_frame_rectangle(window_interface const& window) {
    return window_of(window, host_call("get_frame_rectangle")).frame;
}

void plugin_services::set_frame_rectangle(window_interface& window,
                                          tq::rectangle_class const* frame) {
    char const* op = frame ? host_call("set_frame_rectangle", nullptr, *frame)
                           : host_call("set_frame_rectangle");
    host_window& model = window_of(window, op);
    if (frame == nullptr) throw host_error(std::string(op) + ": no rectangle");
    int bar = model.parent ? 0 : title_bar_height;
    int width = frame->right - frame->left, height = frame->bottom - frame->top - bar;
    if (frame->right < frame->left || height < 0)
        throw host_error(std::string(op) + ": the rectangle is smaller than nothing");
    model.frame = *frame;
    model.client = tq::point_class{width, height};
    if (model.text) model.text->place(model.frame);
}

tq::rectangle_class plugin_services::get_client_rectangle(window_interface& window) {
    host_window& model = window_of(window, host_call("get_client_rectangle"));
    return tq::rectangle_class{0, 0, model.client.x, model.client.y};
}

void plugin_services::invalidate_window(window_interface& window) {
    ++window_of(window, host_call("invalidate_window")).invalidations;
}

void* plugin_services::create_child_window(window_interface& child, window_interface& parent,
                                           int flags) {
    host_window& outer = window_of(parent, host_call("create_child_window", nullptr, flags));
    // A child window whose object failed to finish construction leaves its host window
    // behind; a new object at the same address replaces it.
    auto stale = windows.find(&child);
    if (stale != windows.end()) forget(*stale->second);

    auto model = std::make_unique<host_window>();
    model->plugin = &child;
    model->parent = &outer;
    model->flags = flags;
#if defined(_WIN32)
    model->text = std::make_unique<text_field_object>(outer.native.get());
#else
    model->text = std::make_unique<text_field_object>();
#endif
    auto entry = std::make_unique<host_control>();
    entry->kind = control_kind::text_field;
    entry->window = &outer;
    entry->child = model.get();
    outer.controls.push_back(std::move(entry));
    host_window* handle = model.get();
    windows[&child] = std::move(model);
    return handle;
}

void plugin_services::delete_window(window_interface& window) {
    forget(window_of(window, host_call("delete_window")));
    ++windows_deleted;
}

void* plugin_services::get_text_object(window_interface& window) {
    host_window& model = window_of(window, host_call("get_text_object"));
    return model.text ? model.text->handed_over() : nullptr;
}

void* plugin_services::get_native_window(window_interface& window) {
    window_of(window, host_call("get_native_window"));
    return nullptr;
}

image_interface* plugin_services::get_image_interface(window_interface& window) {
    window_of(window, host_call("get_image_interface"));
    return nullptr;
}

// --- default handling of window events: nothing is done, nothing is reported ---

bool plugin_services::default_clear(window_interface& window, graphic_context_interface&) {
    window_of(window, host_call("default_clear"));
    return false;
}
bool plugin_services::default_paint(window_interface& window, graphic_context_interface&,
                                    tq::rectangle_class const*) {
    window_of(window, host_call("default_paint"));
    return false;
}
void plugin_services::default_resize(window_interface& window, int, int, bool) {
    window_of(window, host_call("default_resize"));
}
void plugin_services::default_mouse_enter(window_interface& window) {
    window_of(window, host_call("default_mouse_enter"));
}
void plugin_services::default_mouse_move(window_interface& window, tq::point_class) {
    window_of(window, host_call("default_mouse_move"));
}
void plugin_services::default_mouse_exit(window_interface& window) {
    window_of(window, host_call("default_mouse_exit"));
}
bool plugin_services::default_mouse_down(window_interface& window, int, tq::point_class, int,
                                         int, bool) {
    window_of(window, host_call("default_mouse_down"));
    return false;
}
void plugin_services::default_idle(window_interface& window) {
    window_of(window, host_call("default_idle"));
}
void plugin_services::default_scrolled(window_interface& window, tq::point_class) {
    window_of(window, host_call("default_scrolled"));
}
void plugin_services::default_activate(window_interface& window) {
    window_of(window, host_call("default_activate"));
}
void plugin_services::default_deactivate(window_interface& window) {
    window_of(window, host_call("default_deactivate"));
}
bool plugin_services::default_drag_file(window_interface& window, char const*) {
    window_of(window, host_call("default_drag_file"));
    return false;
}
bool plugin_services::default_key_down(window_interface& window, int, int) {
    window_of(window, host_call("default_key_down"));
    return false;
}
bool plugin_services::default_scroll_wheel(window_interface& window, vec2 const&,
                                           tq::point_class, int) {
    window_of(window, host_call("default_scroll_wheel"));
    return false;
}
void plugin_services::default_obsolete(window_interface& window) {
    window_of(window, host_call("default_obsolete"));
}

// --- controls ---

control_class& plugin_services::add_control(window_interface& window,
                                            handler_interface& handler, control_kind kind,
                                            int x, int y, int width, int height,
                                            char const* text, char const* operation) {
    host_window& model = window_of(window, operation);
    auto control = std::make_unique<host_control>();
    control->kind = kind;
    control->window = &model;
    control->text = text_of(text);
    control->place = place_control(model, x, y, width, height, operation);
    control->handler = &handler;
    host_control& added = *control;
    model.controls.push_back(std::move(control));
    live_controls.insert(&added);
    return handle_of(added);
}

control_class& plugin_services::create_button(window_interface& window,
                                              handler_interface& handler, int, int x, int y,
                                              int width, int height, char const* label) {
    return add_control(window, handler, control_kind::button, x, y, width, height, label,
                       host_call("create_button", nullptr, x, y, width, height, label));
}

control_class& plugin_services::create_check_box(window_interface& window,
                                                 handler_interface& handler, int, int x, int y,
                                                 int width, int height, char const* label) {
    return add_control(window, handler, control_kind::checkbox, x, y, width, height, label,
                       host_call("create_check_box", nullptr, x, y, width, height, label));
}

control_class& plugin_services::create_number(window_interface& window,
                                              handler_interface& handler, int, int x, int y,
                                              int width, int height, char const* label) {
    return add_control(window, handler, control_kind::number, x, y, width, height, label,
                       host_call("create_number", nullptr, x, y, width, height, label));
}

control_class& plugin_services::create_static_text(window_interface& window,
                                                   handler_interface& handler, int, int x,
                                                   int y, int width, int height,
                                                   char const* label) {
    return add_control(window, handler, control_kind::static_text, x, y, width, height, label,
                       host_call("create_static_text", nullptr, x, y, width, height, label));
}

control_class& plugin_services::create_popup(window_interface& window,
                                             handler_interface& handler, int, int x, int y,
                                             char const* title, int width, char const* items) {
    char const* op = host_call("create_popup", nullptr, x, y, title, width, items);
    control_class& handle = add_control(window, handler, control_kind::popup, x, y, width,
                                        popup_height, title, op);
    control_of(handle, op).items = split_items(items);
    return handle;
}

void plugin_services::set_check_box_int_value(window_interface& window,
                                              plugin_checkbox_class& box, int value) {
    typed_control_of(window, &box, control_kind::checkbox,
                     host_call("set_check_box_int_value", nullptr, value)).check = value;
}

int plugin_services::get_check_box_int_value(window_interface& window,
                                             plugin_checkbox_class& box) {
    return typed_control_of(window, &box, control_kind::checkbox,
                            host_call("get_check_box_int_value")).check;
}

void plugin_services::set_number_float_value(window_interface& window,
                                             plugin_number_class& box, float value) {
    typed_control_of(window, &box, control_kind::number,
                     host_call("set_number_float_value", nullptr, value)).number = value;
}

float plugin_services::get_number_float_value(window_interface& window,
                                              plugin_number_class& box) {
    return typed_control_of(window, &box, control_kind::number,
                            host_call("get_number_float_value")).number;
}

void plugin_services::set_popup_int_value(window_interface& window,
                                          plugin_popup_menu_class& menu, int index) {
    char const* op = host_call("set_popup_int_value", nullptr, index);
    host_control& popup = typed_control_of(window, &menu, control_kind::popup, op);
    if (index < 0 || index >= static_cast<int>(popup.items.size()))
        throw host_error(std::string(op) + ": index " + std::to_string(index) +
                         " outside the pop-up's " + std::to_string(popup.items.size()) +
                         " entries");
    popup.popup_index = index;
}

int plugin_services::get_popup_int_value(window_interface& window,
                                         plugin_popup_menu_class& menu) {
    return typed_control_of(window, &menu, control_kind::popup,
                            host_call("get_popup_int_value")).popup_index;
}

void plugin_services::set_number_columns(window_interface& window, plugin_number_class& box,
                                         int columns) {
    char const* op = host_call("set_number_columns", nullptr, columns);
    host_control& number =
        typed_control_of(window, &box, control_kind::number, op);
    if (columns < 0)
        throw host_error(std::string(op) + ": negative column count " + std::to_string(columns));
    number.columns = columns;
}

bool plugin_services::select(control_class& control, bool, bool) {
    control_of(control, host_call("select")).selected = true;
    return true;
}

void plugin_services::set_tooltip(control_class& control, char const* text) {
    store_text(control_of(control, host_call("set_tooltip", nullptr, text)).tooltip, text);
}

void plugin_services::set_active(control_class& control, bool enabled) {
    control_of(control, host_call("set_active", nullptr, enabled)).enabled = enabled;
}

void plugin_services::invalidate(control_class& control) {
    ++control_of(control, host_call("invalidate")).invalidations;
}

void plugin_services::show(control_class& control) {
    control_of(control, host_call("show")).shown = true;
}

void plugin_services::hide(control_class& control) {
    control_of(control, host_call("hide")).shown = false;
}

tq::point_class plugin_services::get_position(control_class& control) {
    tq::rectangle_class r = control_of(control, host_call("get_position")).place;
    return tq::point_class{r.left, r.top};
}

tq::point_class plugin_services::get_size(control_class& control) {
    tq::rectangle_class r = control_of(control, host_call("get_size")).place;
    return tq::point_class{r.right - r.left, r.bottom - r.top};
}

void plugin_services::set_title(control_class& control, char const* text) {
    store_text(control_of(control, host_call("set_title", nullptr, text)).text, text);
}

void plugin_services::delete_self(control_class& control) {
    host_control& doomed = control_of(control, host_call("delete_self"));
    auto& list = doomed.window->controls;
    live_controls.erase(&doomed);
    list.erase(std::find_if(list.begin(), list.end(),
                            [&](auto const& entry) { return entry.get() == &doomed; }));
}

void plugin_services::set_handler(control_class& control, unknown_interface& handler,
                                  tq::uuid_class const* owner) {
    char const* op = host_call("set_handler");
    host_control& target = control_of(control, op);
    if (owner == nullptr) throw host_error(std::string(op) + ": no owner identifier");
    // The binding passes the control wrapper, a handler_interface, as unknown_interface:
    // handler_interface's chain of single bases starts at unknown_interface.
    target.handler = static_cast<handler_interface*>(static_cast<plugin_interface*>(&handler));
    target.owner = *owner;
    target.handler_set = true;
}

// --- the host's own side ---

void plugin_services::open_window(window_interface& window) {
    auto stale = windows.find(&window);
    if (stale != windows.end()) forget(*stale->second);
    auto model = std::make_unique<host_window>();
    model->plugin = &window;
    model->frame = tq::rectangle_class{100, 100, 100, 100 + title_bar_height};
#if defined(_WIN32)
    model->native = make_top_window();
#endif
    windows[&window] = std::move(model);
}

void plugin_services::close_window(window_interface& window) {
    auto found = windows.find(&window);
    if (found == windows.end())
        throw std::invalid_argument("close_window: a window this host does not know");
    forget(*found->second);
}

bool plugin_services::has_window(window_interface const& window) const {
    return windows.count(&window) != 0;
}

void plugin_services::set_window_shown(window_interface& window, bool shown) {
    auto found = windows.find(&window);
    if (found == windows.end())
        throw std::invalid_argument("set_window_shown: a window this host does not know");
    found->second->shown = shown;
}

void plugin_services::forget(host_window& window) {
    // Child windows first: they sit in this window's control list.
    std::vector<host_window*> children;
    for (auto const& entry : windows)
        if (entry.second->parent == &window) children.push_back(entry.second.get());
    for (host_window* child : children) forget(*child);
    for (auto const& control : window.controls) live_controls.erase(control.get());
    if (window.parent) {
        auto& list = window.parent->controls;
        list.erase(std::remove_if(list.begin(), list.end(),
                                  [&](auto const& entry) { return entry->child == &window; }),
                   list.end());
    }
    windows.erase(window.plugin);
}

host_window* plugin_services::find_window(window_interface const& window) const {
    auto found = windows.find(&window);
    return found == windows.end() ? nullptr : found->second.get();
}

}  // namespace host
