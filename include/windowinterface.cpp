// Default bodies of the window interface, its members and the control wrappers.
#include "windowinterface"

window_interface::window_interface(tessel_interface& host) : host_root(&host), child_handle(nullptr) {}

window_interface::window_interface(window_interface& parent, int flags)
    : host_root(parent.host_root), child_handle(nullptr) {
    child_handle = services().create_child_window(*this, parent, flags);
}

plugin_services_interface& window_interface::services() const {
    return *host_root->get_plugin_services(nullptr);
}

void window_interface::initialize(void*) {}
bool window_interface::clear(graphic_context_interface& gc, void*) {
    return services().default_clear(*this, gc);
}
bool window_interface::paint(graphic_context_interface& gc, tq::rectangle_class const* area, void*) {
    return services().default_paint(*this, gc, area);
}
void window_interface::resize(int width, int height, bool live, void*) {
    services().default_resize(*this, width, height, live);
}
void window_interface::mouse_enter(void*) {
    services().default_mouse_enter(*this);
}
void window_interface::mouse_move(tq::point_class at, void*) {
    services().default_mouse_move(*this, at);
}
void window_interface::mouse_exit(void*) {
    services().default_mouse_exit(*this);
}
bool window_interface::mouse_down(int button, tq::point_class at, int modifiers, int clicks, bool inside, void*) {
    services().default_mouse_down(*this, button, at, modifiers, clicks, inside);
    return true;
}
void window_interface::idle(void*) {
    services().default_idle(*this);
}
void window_interface::scrolled(tq::point_class to, void*) {
    services().default_scrolled(*this, to);
}
bool window_interface::is_resizable(void*) {
    return false;
}
tq::rectangle_class window_interface::get_client_rectangle_obsolete(void*) {
    return services().get_client_rectangle(*this);
}
void window_interface::invalidate(void*) {
    services().invalidate_window(*this);
}
int window_interface::window_interface_test_1(void*) {
    return 1;
}
tq::point_class window_interface::get_minimum_size_obsolete(void*) {
    return tq::point_class{-1, -1};
}
tq::point_class window_interface::get_maximum_size_obsolete(void*) {
    return tq::point_class{-1, -1};
}
tq::point_class window_interface::get_ideal_size(void*) {
    return tq::point_class{-1, -1};
}
void* window_interface::get_text_object(void*) {
    return services().get_text_object(*this);
}
int window_interface::get_placement_flags(void*) {
    return 1;
}
int window_interface::get_flags(void*) {
    return 0;
}
void window_interface::activate(void*) {
    services().default_activate(*this);
}
void window_interface::deactivate(void*) {
    services().default_deactivate(*this);
}
bool window_interface::drag_file(char const* path, void*) {
    return services().default_drag_file(*this, path);
}
image_interface* window_interface::get_image_interface(void*) {
    return services().get_image_interface(*this);
}
tq::point_class window_interface::get_frame_position(void*) const {
    tq::rectangle_class r = get_frame_rectangle(nullptr);
    return tq::point_class{r.left, r.top};
}
window_interface& window_interface::set_frame_position(tq::point_class p, void*) {
    tq::rectangle_class r = get_frame_rectangle(nullptr);
    r.right += p.x - r.left;
    r.bottom += p.y - r.top;
    r.left = p.x;
    r.top = p.y;
    return set_frame_rectangle(r, nullptr);
}
bool window_interface::should_clear(void*) {
    return true;
}
void* window_interface::get_native_window(void*) {
    return services().get_native_window(*this);
}
void window_interface::push_button_clicked(window_interface::push_button_class&, void*) {}
void window_interface::checkbox_value_changed(window_interface::checkbox_class&, void*) {}
void window_interface::disclosure_button_value_changed(window_interface::disclosure_button_class&, void*) {}
void window_interface::slider_value_changed(window_interface::slider_class&, void*) {}
void window_interface::number_value_changed(window_interface::number_class&, void*) {}
void window_interface::popup_menu_value_changed(window_interface::popup_menu_class&, void*) {}
void window_interface::color_disk_value_changed(window_interface::color_disk_class&, void*) {}
void window_interface::color_box_value_changed(window_interface::color_box_class&, void*) {}
void window_interface::image_box_image_changed(window_interface::image_box_class&, void*) {}
void window_interface::radio_button_value_changed(window_interface::radio_button_class&, void*) {}
void window_interface::vec2_value_changed(window_interface::vec2_control_class&, void*) {}
void window_interface::vec3_value_changed(window_interface::vec3_control_class&, void*) {}
void window_interface::vec4_value_changed(window_interface::vec4_control_class&, void*) {}
void window_interface::quaternion_value_changed(window_interface::quaternion_control_class&, void*) {}
void window_interface::matrix_value_changed(window_interface::matrix_control_class&, void*) {}
void window_interface::scale_value_changed(window_interface::scale_control_class&, void*) {}
void window_interface::initialize_push_button(window_interface::push_button_class&, void*) {}
void window_interface::initialize_checkbox(window_interface::checkbox_class&, void*) {}
void window_interface::initialize_disclosure_button(window_interface::disclosure_button_class&, void*) {}
void window_interface::initialize_slider(window_interface::slider_class&, void*) {}
void window_interface::initialize_number(window_interface::number_class&, void*) {}
void window_interface::initialize_popup_menu(window_interface::popup_menu_class&, void*) {}
void window_interface::initialize_color_disk(window_interface::color_disk_class&, void*) {}
void window_interface::initialize_color_box(window_interface::color_box_class&, void*) {}
void window_interface::initialize_image_box(window_interface::image_box_class&, void*) {}
void window_interface::initialize_radio_button(window_interface::radio_button_class&, void*) {}
void window_interface::initialize_vec2(window_interface::vec2_control_class&, void*) {}
void window_interface::initialize_vec3(window_interface::vec3_control_class&, void*) {}
void window_interface::initialize_vec4(window_interface::vec4_control_class&, void*) {}
void window_interface::initialize_quaternion(window_interface::quaternion_control_class&, void*) {}
void window_interface::initialize_matrix(window_interface::matrix_control_class&, void*) {}
void window_interface::initialize_scale(window_interface::scale_control_class&, void*) {}
void window_interface::initialize_static_text(window_interface::static_text_class&, void*) {}
void window_interface::initialize_flasher(window_interface::flasher_class&, void*) {}
bool window_interface::setup_push_button(window_interface::push_button_class&, void*) { return false; }
bool window_interface::setup_checkbox(window_interface::checkbox_class&, void*) { return false; }
bool window_interface::setup_disclosure_button(window_interface::disclosure_button_class&, void*) { return false; }
bool window_interface::setup_slider(window_interface::slider_class&, void*) { return false; }
bool window_interface::setup_number(window_interface::number_class&, void*) { return false; }
bool window_interface::setup_popup_menu(window_interface::popup_menu_class&, void*) { return false; }
bool window_interface::setup_color_disk(window_interface::color_disk_class&, void*) { return false; }
bool window_interface::setup_color_box(window_interface::color_box_class&, void*) { return false; }
bool window_interface::setup_image_box(window_interface::image_box_class&, void*) { return false; }
bool window_interface::setup_radio_button(window_interface::radio_button_class&, void*) { return false; }
bool window_interface::setup_vec2(window_interface::vec2_control_class&, void*) { return false; }
bool window_interface::setup_vec3(window_interface::vec3_control_class&, void*) { return false; }
bool window_interface::setup_vec4(window_interface::vec4_control_class&, void*) { return false; }
bool window_interface::setup_quaternion(window_interface::quaternion_control_class&, void*) { return false; }
bool window_interface::setup_matrix(window_interface::matrix_control_class&, void*) { return false; }
bool window_interface::setup_scale(window_interface::scale_control_class&, void*) { return false; }
bool window_interface::setup_static_text(window_interface::static_text_class&, void*) { return false; }
bool window_interface::setup_flasher(window_interface::flasher_class&, void*) { return false; }
void window_interface::tab_value_changed(window_interface::tab_class&, void*) {}
void window_interface::initialize_tab(window_interface::tab_class&, void*) {}
bool window_interface::setup_tab(window_interface::tab_class&, void*) { return false; }
bool window_interface::key_down(int key, int modifiers, void*) {
    return services().default_key_down(*this, key, modifiers);
}
bool window_interface::scroll_wheel(vec2 const& delta, tq::point_class at, int modifiers, void*) {
    return services().default_scroll_wheel(*this, delta, at, modifiers);
}
void window_interface::initialize_table(window_interface::table_control_class&, void*) {}
bool window_interface::setup_table(window_interface::table_control_class&, void*) { return false; }
void window_interface::obsolete(void*) {
    services().default_obsolete(*this);
}

void window_interface::delete_self(void*) { services().delete_window(*this); }

void window_interface::show(void*) { services().show_window(*this); }
void window_interface::hide(void*) { services().hide_window(*this); }
bool window_interface::is_shown(void*) const { return services().is_window_shown(*this); }

window_interface& window_interface::set_title(char const* title, void*) {
    services().set_window_title(*this, title);
    return *this;
}

window_interface& window_interface::set_client_size(tq::point_class size, void*) {
    services().set_client_size(*this, size);
    return *this;
}

window_interface& window_interface::set_canvas_size(tq::point_class size, void*) {
    services().set_canvas_size(*this, size);
    return *this;
}

tq::rectangle_class window_interface::get_frame_rectangle(void*) const {
    return services().get_frame_rectangle(*this);
}

window_interface& window_interface::set_frame_rectangle(tq::rectangle_class frame, void*) {
    services().set_frame_rectangle(*this, &frame);
    return *this;
}

control_class& window_interface::create_button(handler_interface& handler, int zero, int x, int y,
                                               int width, int height, char const* label, void*) {
    return services().create_button(*this, handler, zero, x, y, width, height, label);
}

control_class& window_interface::create_check_box(handler_interface& handler, int zero, int x,
                                                  int y, int width, int height, char const* label,
                                                  void*) {
    return services().create_check_box(*this, handler, zero, x, y, width, height, label);
}

control_class& window_interface::create_number(handler_interface& handler, int zero, int x, int y,
                                               int width, int height, char const* label, void*) {
    return services().create_number(*this, handler, zero, x, y, width, height, label);
}

control_class& window_interface::create_static_text(handler_interface& handler, int zero, int x,
                                                    int y, int width, int height,
                                                    char const* label, void*) {
    return services().create_static_text(*this, handler, zero, x, y, width, height, label);
}

control_class& window_interface::create_popup(handler_interface& handler, int zero, int x, int y,
                                              char const* title, int width, char const* items,
                                              void*) {
    return services().create_popup(*this, handler, zero, x, y, title, width, items);
}

void window_interface::set_check_box_int_value(plugin_checkbox_class& box, int value) {
    services().set_check_box_int_value(*this, box, value);
}
int window_interface::get_check_box_int_value(plugin_checkbox_class& box) {
    return services().get_check_box_int_value(*this, box);
}
void window_interface::set_number_float_value(plugin_number_class& box, float value) {
    services().set_number_float_value(*this, box, value);
}
float window_interface::get_number_float_value(plugin_number_class& box) {
    return services().get_number_float_value(*this, box);
}
void window_interface::set_popup_int_value(plugin_popup_menu_class& menu, int index) {
    services().set_popup_int_value(*this, menu, index);
}
int window_interface::get_popup_int_value(plugin_popup_menu_class& menu) {
    return services().get_popup_int_value(*this, menu);
}
void window_interface::set_number_columns(plugin_number_class& box, int columns) {
    services().set_number_columns(*this, box, columns);
}

bool window_interface::select(control_class& control, bool a, bool b) {
    return services().select(control, a, b);
}
void window_interface::set_tooltip(control_class& control, char const* text) {
    services().set_tooltip(control, text);
}
void window_interface::set_active(control_class& control, bool enabled) {
    services().set_active(control, enabled);
}
void window_interface::invalidate(control_class& control) { services().invalidate(control); }
void window_interface::show(control_class& control) { services().show(control); }
void window_interface::hide(control_class& control) { services().hide(control); }
tq::point_class window_interface::get_position(control_class& control) {
    return services().get_position(control);
}
tq::point_class window_interface::get_size(control_class& control) {
    return services().get_size(control);
}
void window_interface::set_title(control_class& control, char const* text) {
    services().set_title(control, text);
}
void window_interface::delete_self(control_class& control) { services().delete_self(control); }

void window_interface::set_handler(control_class& control, unknown_interface& handler) {
    tq::uuid_class owner = uuid();
    services().set_handler(control, handler, &owner);
}

// Control wrappers. The typed handles are the host's control under the type its value
// operations take; the host hands out one object for both.

window_interface::control_base_class::control_base_class(window_interface& window,
                                                         create_call create, int zero, int x,
                                                         int y, int width, int height,
                                                         char const* label)
    : window(&window), control(&(window.*create)(*this, zero, x, y, width, height, label, nullptr)) {
    route_events_here();
}

window_interface::control_base_class::control_base_class(window_interface& window, int zero,
                                                         int x, int y, char const* title,
                                                         int width, char const* items)
    : window(&window), control(&window.create_popup(*this, zero, x, y, title, width, items)) {
    route_events_here();
}

void window_interface::control_base_class::route_events_here() {
    try {
        window->set_handler(*control, *this);
    } catch (...) {
        // The host made the control with this wrapper as its handler, and the wrapper dies
        // with the failed construction: take the control away rather than leave it
        // sending events to freed memory.
        try {
            window->delete_self(*control);
        } catch (...) {
        }
        throw;
    }
}

int window_interface::control_base_class::get_tessel_version() const {
    return tessel_interface_version;
}

bool window_interface::control_base_class::select_control(bool a, bool b) {
    return window->select(*control, a, b);
}

void window_interface::control_base_class::delete_self(void*) { window->delete_self(*control); }

window_interface::push_button_class::push_button_class(window_interface& window, int zero, int x,
                                                       int y, int width, int height,
                                                       char const* label)
    : control_base_class(window, &window_interface::create_button, zero, x, y, width, height,
                         label),
      typed_handle(control) {}

window_interface::checkbox_class::checkbox_class(window_interface& window, int zero, int x, int y,
                                                 int width, int height, char const* label)
    : control_base_class(window, &window_interface::create_check_box, zero, x, y, width, height,
                         label),
      typed_handle(reinterpret_cast<plugin_checkbox_class*>(control)) {}

window_interface::number_class::number_class(window_interface& window, int zero, int x, int y,
                                             int width, int height, char const* label)
    : control_base_class(window, &window_interface::create_number, zero, x, y, width, height,
                         label),
      typed_handle(reinterpret_cast<plugin_number_class*>(control)) {}

window_interface::static_text_class::static_text_class(window_interface& window, int zero, int x,
                                                       int y, int width, int height,
                                                       char const* label)
    : control_base_class(window, &window_interface::create_static_text, zero, x, y, width, height,
                         label),
      typed_handle(control) {}

window_interface::popup_menu_class::popup_menu_class(window_interface& window, int zero, int x,
                                                     int y, char const* title, int width,
                                                     char const* items)
    : control_base_class(window, zero, x, y, title, width, items),
      typed_handle(reinterpret_cast<plugin_popup_menu_class*>(control)) {}
