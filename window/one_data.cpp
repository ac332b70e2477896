// Value rows: a title, three number boxes and the row's extra control; conversion between
// stored values and the numbers shown, by the scene's figure unit.
#include <cmath>

#include "entry/module_state.h"
#include "vexel_window.h"

namespace {

// The figure-unit factor the rows convert with. Before a scene is announced the module's
// factor is 0 (and a host may report anything): a factor that is not a positive finite
// number would make every shown or typed value infinite or NaN, so it counts as 1.
float display_factor() {
    float f = unit_factor;
    return std::isfinite(f) && f > 0.0f ? f : 1.0f;
}

// Length in single precision, the square root taken in double.
float length(vec3 v) {
    float sum = v.x * v.x + v.y * v.y + v.z * v.z;
    return static_cast<float>(std::sqrt(static_cast<double>(sum)));
}

int const box_width = 60;
int const row_height = 14;

}  // namespace

vexel_window::one_data::one_data(vexel_window& window, int index, tq::point_class corner,
                                 bool standard_boxes)
    : window(&window),
      index(index),
      title(nullptr),
      x_box(nullptr),
      y_box(nullptr),
      z_box(nullptr),
      local_btn(nullptr),
      mode_btn(nullptr),
      link(nullptr) {
    int x = corner.x;
    int y = corner.y;
    tq::point_class size{box_width, row_height};
    try {
        title = window.own(
            new window_interface::static_text_class(window, 0, x, y, 40, row_height, ""));
        x_box = new value_class(window, tq::point_class{x + 40, y}, size, standard_boxes);
        y_box = new value_class(window, tq::point_class{x + 103, y}, size, standard_boxes);
        z_box = new value_class(window, tq::point_class{x + 166, y}, size, standard_boxes);
        if (index == 0)
            local_btn = window.own(new local_button(*this, x + 229, y));
        else if (index == 2 || index == 4)
            link = window.own(new link_class(window, x + 229, y));
        else
            mode_btn = window.own(new right_button(*this, x + 229, y));
    } catch (...) {
        delete x_box;
        delete y_box;
        delete z_box;
        throw;
    }
}

vexel_window::one_data::~one_data() {
    delete x_box;
    delete y_box;
    delete z_box;
}

void vexel_window::one_data::set_title(char const* text) {
    window->set_title(*title->control, text);
    window->invalidate(*title->control);
}

void vexel_window::one_data::set_handle(bool linked) {
    if (link == nullptr) return;
    window->set_check_box_int_value(*link->typed_handle, linked ? 1 : 0);
    window->invalidate(*link->control);
}

int vexel_window::one_data::get_width() {
    if (link == nullptr || index != 4) return 0;
    tq::point_class at = window->get_position(*link->control);
    tq::point_class size = window->get_size(*link->control);
    return at.x + size.x;
}

int vexel_window::one_data::mode() const { return mode_btn != nullptr ? mode_btn->mode : 0; }

bool vexel_window::one_data::shows_length() const {
    if (index == 1 || index == 3) return mode() == 3;
    if (index == 2 || index == 4) return window->rows[index - 1]->mode() == 2;
    return false;
}

void vexel_window::one_data::re_mode() {
    if (mode_btn == nullptr) return;
    one_data& next = *window->rows[index + 1];
    switch (mode_btn->mode) {
    case 0:
        y_box->show();
        z_box->show();
        window->show(*next.link->control);
        break;
    case 2:
        next.y_box->hide();
        next.z_box->hide();
        window->hide(*next.link->control);
        break;
    case 3:
        y_box->hide();
        z_box->hide();
        next.y_box->show();
        next.z_box->show();
        break;
    default:
        break;
    }
}

vec3 vexel_window::one_data::displayed() const {
    return vec3{x_box->get_value(), y_box->get_value(), z_box->get_value()};
}

// A length row's value: the typed length along the partner row's vector, reversed.
vec3 vexel_window::one_data::opposite_of(one_data const& partner) const {
    float l = x_box->get_value();
    vec3 n = partner.displayed();
    float d = length(n);
    if (d == 0.0f) return vec3{0.0f, 0.0f, 0.0f};  // no direction: the handle sits on the anchor
    float scale = l / d;
    float back = 1.0f / display_factor();
    return vec3{(-n.x * scale) * back, (-n.y * scale) * back, (-n.z * scale) * back};
}

vec3 vexel_window::one_data::get_value() {
    if ((index == 1 || index == 3) && mode() == 3) return opposite_of(*window->rows[index + 1]);
    if ((index == 2 || index == 4) && window->rows[index - 1]->mode() == 2)
        return opposite_of(*window->rows[index - 1]);
    float back = 1.0f / display_factor();
    vec3 shown = displayed();
    return vec3{shown.x * back, shown.y * back, shown.z * back};
}

void vexel_window::one_data::set_value(vec3 v) {
    float f = display_factor();
    vec3 s{v.x * f, v.y * f, v.z * f};
    vec3 now = get_value();
    if (now.x == v.x && now.y == v.y && now.z == v.z) return;  // already shown: write nothing
    if (shows_length()) {
        x_box->set_value(length(s));
        return;
    }
    x_box->set_value(s.x);
    y_box->set_value(s.y);
    z_box->set_value(s.z);
}
