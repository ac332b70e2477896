// One number box of a row: the host's number box or the plug-in's own text field, chosen
// once when the row is built.
#include "vexel_window.h"

vexel_window::one_data::value_class::value_class(vexel_window& window, tq::point_class corner,
                                                 tq::point_class size, bool standard_box)
    : field(nullptr), box(nullptr) {
    if (standard_box) {
        box = window.own(
            new window_interface::number_class(window, 0, corner.x, corner.y, size.x, size.y, ""));
        window.set_number_columns(*box->typed_handle, 9);
    } else {
        field = window.own(new v_class(
            window, tq::rectangle_class{corner.x, corner.y, corner.x + size.x, corner.y + size.y - 1}));
    }
}

float vexel_window::one_data::value_class::get_value() {
    float number;
    read(number);
    return number;
}

bool vexel_window::one_data::value_class::read(float& number) {
    if (field != nullptr) return field->read(number);
    number = box->window->get_number_float_value(*box->typed_handle);
    return true;
}

void vexel_window::one_data::value_class::set_value(float f) {
    if (box != nullptr)
        box->window->set_number_float_value(*box->typed_handle, f);
    else
        field->set_value(f);
}

void vexel_window::one_data::value_class::show() {
    if (box != nullptr)
        box->window->show(*box->control);
    else
        field->show(nullptr);
}

void vexel_window::one_data::value_class::hide() {
    if (box != nullptr)
        box->window->hide(*box->control);
    else
        field->hide(nullptr);
}
