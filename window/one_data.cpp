// Value rows: a title, three number boxes and the row's extra control; conversion between
// stored values and the numbers shown, by the scene's figure unit.
#include <cmath>

#include "module_state.h"
#include "vexel_window.h"
#include "whole_click.h"

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

void show_both(vexel_window::one_data::value_class* a, vexel_window::one_data::value_class* b,
               bool shown) {
    if (shown) {
        a->show();
        b->show();
    } else {
        a->hide();
        b->hide();
    }
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
      link(nullptr),
      given{0.0f, 0.0f, 0.0f} {
    int x = corner.x;
    int y = corner.y;
    tq::point_class size{box_width, row_height};
    try {
        title = window.own(
            new window_interface::static_text_class(window, 0, x, y, 40, row_height, ""));
        x_box = new value_class(window, tq::point_class{x + 40, y}, size, standard_boxes);
        y_box = new value_class(window, tq::point_class{x + 103, y}, size, standard_boxes);
        z_box = new value_class(window, tq::point_class{x + 166, y}, size, standard_boxes);
        if (index == anchor_row)
            local_btn = window.own(new local_button(*this, x + 229, y));
        else if (index == out_row || index == l_out_row)
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
    if (link == nullptr || index != l_out_row) return 0;
    tq::point_class at = window->get_position(*link->control);
    tq::point_class size = window->get_size(*link->control);
    return at.x + size.x;
}

int vexel_window::one_data::mode() const { return mode_btn != nullptr ? mode_btn->mode : abs_mode; }

// Rows with a mode button are followed by the row of their pair: In and Out, L in and L out.
vexel_window::one_data const* vexel_window::one_data::length_partner() const {
    if (mode_btn != nullptr && mode() == out_length_mode) return window->rows[index + 1];
    if (link != nullptr && window->rows[index - 1]->mode() == in_length_mode)
        return window->rows[index - 1];
    return nullptr;
}

bool vexel_window::one_data::shows_length() const { return length_partner() != nullptr; }

// Shows exactly the boxes the mode asks for, whatever was shown before: "Abs." and "Rel."
// three boxes in both rows and the check box; "I b." the next row's length only; "O b."
// this row's length only, the check box hidden until "Abs.".
void vexel_window::one_data::re_mode() {
    if (mode_btn == nullptr) return;
    one_data& next = *window->rows[index + 1];
    int m = mode_btn->mode;
    show_both(y_box, z_box, m != out_length_mode);
    show_both(next.y_box, next.z_box, m != in_length_mode);
    if (!is_length_mode(m))
        window->show(*next.link->control);
    else
        window->hide(*next.link->control);
}

void vexel_window::one_data::drop_length_mode() {
    if (!is_length_mode(mode())) return;
    int const was = mode_btn->mode;
    // A label that cannot be written keeps the old mode, so that label and boxes agree.
    take_effect_whole([&] { mode_btn->mode = rel_mode; }, [&] { mode_btn->mode = was; },
                      [&] {
                          mode_btn->show_label();
                          re_mode();
                      });
}

bool vexel_window::one_data::displayed(vec3& shown) const {
    bool x = x_box->read(shown.x);
    bool y = y_box->read(shown.y);
    bool z = z_box->read(shown.z);
    return x && y && z;
}

// A length row's value: the typed length along the partner row's vector, reversed. A
// partner with no direction (a handle on its anchor) gives none to follow: the handle then
// keeps the direction of the value the row was given, and stays on the anchor only when
// that has none either.
bool vexel_window::one_data::opposite_of(one_data const& partner, vec3& value) const {
    float l;
    bool numbers = x_box->read(l);
    vec3 n;
    numbers = partner.displayed(n) && numbers;
    float back = 1.0f / display_factor();
    float d = length(n);
    if (d != 0.0f) {
        float scale = l / d;
        value = vec3{(-n.x * scale) * back, (-n.y * scale) * back, (-n.z * scale) * back};
        return numbers;
    }
    float own = length(given);
    float scale = own != 0.0f ? (l * back) / own : 0.0f;
    value = vec3{given.x * scale, given.y * scale, given.z * scale};
    return numbers;
}

bool vexel_window::one_data::read(vec3& value) const {
    if (one_data const* partner = length_partner()) return opposite_of(*partner, value);
    float back = 1.0f / display_factor();
    vec3 shown;
    bool numbers = displayed(shown);
    value = vec3{shown.x * back, shown.y * back, shown.z * back};
    return numbers;
}

vec3 vexel_window::one_data::get_value() {
    vec3 value;
    read(value);
    return value;
}

void vexel_window::one_data::set_value(vec3 v) {
    given = v;
    float f = display_factor();
    vec3 s{v.x * f, v.y * f, v.z * f};
    // Already shown: write nothing, so that a typed "2.5" over 2.5 stays as typed. A box
    // that holds no number only reads as 0 and is always written. A length row compares
    // lengths: its vector depends on the partner row, which may still show another point.
    if (shows_length()) {
        float shown;
        float l = length(s);
        if (!x_box->read(shown) || shown != l) x_box->set_value(l);
        return;
    }
    vec3 now;
    if (read(now) && now.x == v.x && now.y == v.y && now.z == v.z) return;
    x_box->set_value(s.x);
    y_box->set_value(s.y);
    z_box->set_value(s.z);
}
